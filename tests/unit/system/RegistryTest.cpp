// The registry classes against the real registry, under a scratch user key.
// (Reading a string, replacing a value and deleting one are seen through the
// Programs folder lookup and the screen-saver page.)
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "system/RegistryKey.h"
#include "system/RegistryValue.h"
#include "unit/system/ScratchUser.h"

TEST(RegistryValue, ANumberValueFailsWith1804AndKeepsTheDefault)
{
    CScratchUser user;
    {
        CRegistryKey key;
        ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, "Numbers"));
        const DWORD number = 42;
        RegSetValueExA(key.m_hKey, "Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                       sizeof number);
    }
    CRegistryValue value(HKEY_CURRENT_USER, "Numbers", "Count", "default");
    EXPECT_EQ(value.m_lLastError, 1804);
    EXPECT_EQ(value.GetData(), "default");
}

TEST(RegistryValue, AMissingValueWithoutADefaultAndAnEmptyOneGiveEmpty)
{
    CScratchUser user;
    user.SetString("Key", "Empty", "");
    CRegistryValue missing(HKEY_CURRENT_USER, "Key", "Missing");
    EXPECT_EQ(missing.GetData(), "");
    EXPECT_EQ(missing.m_lLastError, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(CRegistryValue(HKEY_CURRENT_USER, "Key", "Empty", "default").GetData(), "");
}

TEST(RegistryValue, WriteCreatesAMissingKey)
{
    CScratchUser user;
    CRegistryValue value(HKEY_CURRENT_USER, "New\\Deeper", "Name", "the data");
    ASSERT_EQ(value.m_hKey, nullptr);
    EXPECT_TRUE(value.Write());
    EXPECT_EQ(user.Values("New\\Deeper"), "Name=1:the data|");
}
