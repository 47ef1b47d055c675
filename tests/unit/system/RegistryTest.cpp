// The registry classes against the real registry, under a scratch key of
// HKEY_CURRENT_USER that each test removes again.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "system/RegistryKey.h"
#include "system/RegistryValue.h"

namespace {

const char kScratch[] = "Software\\VelmoSetupTests\\Registry";

// Deletes a key with everything below it.
void DeleteTree(HKEY parent, const char* subkey)
{
    HKEY key;
    if (RegOpenKeyExA(parent, subkey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    char child[256];
    while (RegEnumKeyA(key, 0, child, sizeof child) == ERROR_SUCCESS)
        DeleteTree(key, child);
    RegCloseKey(key);
    RegDeleteKeyA(parent, subkey);
}

// Creates the scratch key empty and deletes it (with everything below) at the end.
class CScratchKey {
public:
    CScratchKey()
    {
        DeleteTree(HKEY_CURRENT_USER, kScratch);
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &m_hKey, nullptr),
                  ERROR_SUCCESS);
    }
    ~CScratchKey()
    {
        RegCloseKey(m_hKey);
        DeleteTree(HKEY_CURRENT_USER, kScratch);
    }
    void SetNumber(const char* name, DWORD number) const
    {
        RegSetValueExA(m_hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                       sizeof number);
    }
    // The value's type and text; type 0 when it is missing.
    DWORD Read(const char* subkey, const char* name, std::string* text = nullptr) const
    {
        char data[256] = "";
        DWORD type = 0, size = sizeof data;
        const std::string path = std::string(kScratch) + (*subkey ? "\\" : "") + subkey;
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return 0;
        LONG result =
            RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
        RegCloseKey(key);
        if (result != ERROR_SUCCESS)
            return 0;
        if (text != nullptr)
            *text = data;
        return type;
    }

private:
    HKEY m_hKey = nullptr;
};

} // namespace

TEST(RegistryValue, ANumberValueFailsWithInvalidDatatypeAndKeepsTheDefault)
{
    CScratchKey scratch;
    scratch.SetNumber("Count", 42);
    CRegistryValue value(HKEY_CURRENT_USER, kScratch, "Count", "default");
    EXPECT_EQ(value.m_lLastError, ERROR_INVALID_DATATYPE);
    EXPECT_EQ(value.GetData(), "default");
    EXPECT_NE(value.m_hKey, nullptr) << "the key stays open after the read";

    std::string text = "untouched";
    EXPECT_FALSE(value.QueryString("Count", text));
    EXPECT_EQ(value.m_lLastError, 1804);
    EXPECT_EQ(text, "untouched");
}

TEST(RegistryValue, MissingValueOrKeyGivesTheDefaultOrEmpty)
{
    CScratchKey scratch;
    CRegistryValue noDefault(HKEY_CURRENT_USER, kScratch, "Missing");
    EXPECT_EQ(noDefault.GetData(), "");
    EXPECT_EQ(noDefault.m_lLastError, ERROR_FILE_NOT_FOUND);

    CRegistryValue noKey(HKEY_CURRENT_USER, "Software\\VelmoSetupTests\\Registry\\Nowhere", "X",
                         "kept");
    EXPECT_EQ(noKey.GetData(), "kept");
    EXPECT_EQ(noKey.m_hKey, nullptr);
    EXPECT_NE(noKey.m_lLastError, ERROR_SUCCESS);
}

TEST(RegistryValue, ReadsAStringAndWritesItBackAsRegSz)
{
    CScratchKey scratch;
    {
        CRegistryKey key;
        ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, kScratch));
        ASSERT_TRUE(key.SetString("Saver", "C:\\WINDOWS\\SYSTEM\\old.scr"));
        ASSERT_TRUE(key.SetString("Empty", ""));
    }
    CRegistryValue value(HKEY_CURRENT_USER, kScratch, "Saver", "default");
    EXPECT_EQ(value.GetData(), "C:\\WINDOWS\\SYSTEM\\old.scr");
    EXPECT_EQ(value.m_lLastError, ERROR_SUCCESS);
    CRegistryValue empty(HKEY_CURRENT_USER, kScratch, "Empty", "default");
    EXPECT_EQ(empty.GetData(), "");

    value.SetData("C:\\new.scr");
    EXPECT_TRUE(value.Write());
    std::string text;
    EXPECT_EQ(scratch.Read("", "Saver", &text), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(text, "C:\\new.scr");
}

TEST(RegistryValue, WriteCreatesAMissingKey)
{
    CScratchKey scratch;
    CRegistryValue value(HKEY_CURRENT_USER, "Software\\VelmoSetupTests\\Registry\\New\\Deeper",
                         "Name", "the data");
    ASSERT_EQ(value.m_hKey, nullptr);
    EXPECT_TRUE(value.Write());
    EXPECT_NE(value.m_hKey, nullptr);
    std::string text;
    EXPECT_EQ(scratch.Read("New\\Deeper", "Name", &text), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(text, "the data");
}

TEST(RegistryValue, WithoutReadNowNothingIsOpenedOrRead)
{
    CScratchKey scratch;
    CRegistryValue value(HKEY_CURRENT_USER, kScratch, "Name", "default", false);
    EXPECT_EQ(value.m_hKey, nullptr);
    EXPECT_EQ(value.GetData(), "");
    EXPECT_EQ(value.m_hRootKey, HKEY_CURRENT_USER);
}

TEST(RegistryKey, CloseOnANeverOpenedKeySucceeds)
{
    CRegistryKey key;
    key.m_lLastError = ERROR_ACCESS_DENIED;
    EXPECT_TRUE(key.Close());
    EXPECT_EQ(key.m_lLastError, ERROR_SUCCESS);
    EXPECT_EQ(key.m_hRootKey, nullptr);
}

TEST(RegistryKey, DeleteValueAndFailuresKeepTheSystemCode)
{
    CScratchKey scratch;
    CRegistryKey key;
    EXPECT_FALSE(key.Open(HKEY_CURRENT_USER, "Software\\VelmoSetupTests\\Registry\\Nowhere"));
    EXPECT_EQ(key.m_lLastError, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key.m_hKey, nullptr);

    ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kScratch, "", KEY_ALL_ACCESS));
    ASSERT_TRUE(key.SetString("Gone", "x"));
    EXPECT_TRUE(key.DeleteValue("Gone"));
    EXPECT_EQ(scratch.Read("", "Gone"), 0u);
    EXPECT_FALSE(key.DeleteValue("Gone"));
    EXPECT_EQ(key.m_lLastError, ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(key.Close());
    EXPECT_EQ(key.m_hKey, nullptr);
}
