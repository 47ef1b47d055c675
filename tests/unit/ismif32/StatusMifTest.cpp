// The status file's text: the layout consoles parse, values cut to their
// declared lengths, quotes escaped, and the file name kept in the Windows
// directory.
#include <gtest/gtest.h>

#include <string>

#include "StatusMif.h"
#include "support/Mbcs.h"

namespace {

CStatusMif Velmo(bool success)
{
    CStatusMif mif;
    mif.m_pszManufacturer = "Velmo";
    mif.m_pszProduct = "Velmo Screen Saver";
    mif.m_pszVersion = "1.0";
    mif.m_pszLocale = "ENU";
    mif.m_pszInstallation = "19970601120000.000000+060";
    mif.m_pszMessage = success ? "Successful installation." : "Install failed.";
    mif.m_bSuccess = success;
    return mif;
}

// The status file's name for name (room for 15 bytes), or "" when it is refused.
std::string FileName(const char* name)
{
    char fileName[16];
    return CStatusMif::MakeFileName(name, fileName, sizeof fileName) ? fileName : "";
}

} // namespace

// The VALUE line of the attribute NAME = "name", or "" when there is none
// (Ismif32DllTest.cpp reads the library's file with it too).
std::string ValueOf(const std::string& text, const std::string& name)
{
    size_t at = text.find("NAME = \"" + name + "\"");
    if (at == std::string::npos)
        return std::string();
    at = text.find("VALUE = ", at);
    return text.substr(at + 8, text.find("\r\n", at) - at - 8);
}

TEST(StatusMif, SuccessfulRunGivesTheWholeComponent)
{
    const std::string expected = "START COMPONENT\r\n"
                                 "  NAME = \"WORKSTATION\"\r\n"
                                 "  START GROUP\r\n"
                                 "    NAME = \"ComponentID\"\r\n"
                                 "    ID = 1\r\n"
                                 "    CLASS = \"DMTF|ComponentID|1.0\"\r\n"
                                 "    START ATTRIBUTE\r\n"
                                 "      NAME = \"Manufacturer\"\r\n"
                                 "      ID = 1\r\n"
                                 "      ACCESS = READ-ONLY\r\n"
                                 "      STORAGE = SPECIFIC\r\n"
                                 "      TYPE = STRING(64)\r\n"
                                 "      VALUE = \"Velmo\"\r\n"
                                 "    END ATTRIBUTE\r\n";
    const std::string text = Velmo(true).Format();
    EXPECT_EQ(text.substr(0, expected.size()), expected);
    // Each value read back through the library is Ismif32DllTest's.
    EXPECT_EQ(ValueOf(text, "Serial Number"), "\"\"");
    EXPECT_EQ(ValueOf(text, "Installation"), "\"19970601120000.000000+060\"");
    EXPECT_NE(text.find("    CLASS = \"MICROSOFT|JOBSTATUS|1.0\"\r\n"), std::string::npos);
    const std::string tail = "  END GROUP\r\nEND COMPONENT\r\n";
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

TEST(StatusMif, ValuesAreCutToTheirTypesAndEscaped)
{
    CStatusMif mif = Velmo(true);
    const std::string locale(20, 'L'), message(200, 'm');
    mif.m_pszLocale = locale.c_str();
    mif.m_pszMessage = message.c_str();
    mif.m_pszProduct = "The \"Best\" C:\\Saver";
    mif.m_pszVersion = "1.0\r\nVALUE = \"x\"\t";
    const std::string text = mif.Format();
    EXPECT_EQ(ValueOf(text, "Locale"), "\"" + std::string(16, 'L') + "\"");
    EXPECT_EQ(ValueOf(text, "Description"), "\"" + std::string(128, 'm') + "\"");
    EXPECT_EQ(ValueOf(text, "Product"), "\"The \\\"Best\\\" C:\\\\Saver\"");
    EXPECT_EQ(ValueOf(text, "Version"), "\"1.0  VALUE = \\\"x\\\" \"");
}

TEST(StatusMif, DoubleByteCharactersAreNeverSplitNorTheirSecondByteEscaped)
{
    Mbcs::SetCodePage(932);
    CStatusMif mif = Velmo(true);
    // 15 single bytes, then a character whose second byte is a backslash: it
    // would end at byte 17, beyond the locale's 16.
    mif.m_pszLocale = "LLLLLLLLLLLLLLL\x83\x5C";
    mif.m_pszProduct = "\x83\x5C";
    const std::string text = mif.Format();
    Mbcs::SetCodePage(0);
    EXPECT_EQ(ValueOf(text, "Locale"), "\"" + std::string(15, 'L') + "\"");
    EXPECT_EQ(ValueOf(text, "Product"), "\"\x83\x5C\"");
}

TEST(StatusMif, DateTextIsTheDmtfForm)
{
    char date[CStatusMif::kDateSize];
    EXPECT_STREQ(CStatusMif::FormatDate(date, 2026, 12, 6, 23, 5, 7, 60),
                 "20261206230507.000000+060");
    EXPECT_STREQ(CStatusMif::FormatDate(date, 1997, 1, 2, 3, 4, 5, -300),
                 "19970102030405.000000-300");
}

TEST(StatusMif, FileNameStaysInTheWindowsDirectory)
{
    EXPECT_EQ(FileName("velmosaver"), "velmosaver.MIF");
    EXPECT_EQ(FileName("status.mif"), "status.mif");
    EXPECT_EQ(FileName("v1.0"), "v1.0.MIF");
    EXPECT_EQ(FileName("com10"), "com10.MIF");
    for (const char* bad : {"", "..", "..\\win.ini", "sub/x", "C:x", "\\\\server\\share\\x", "CON",
                            "nul.mif", "Com1", "LPT9.txt", "aux .x", "over-fifteen"})
        EXPECT_EQ(FileName(bad), "") << bad;
    Mbcs::SetCodePage(932);
    // A backslash as the second byte of a double-byte character is no separator.
    EXPECT_EQ(FileName("\x83\x5C"), "\x83\x5C.MIF");
    Mbcs::SetCodePage(0);
}
