#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <string>

#include "errors/InstallProfileException.h"
#include "errors/MultiFileException.h"
#include "errors/XException.h"
#include "errors/ZLibException.h"
#include "framework/ArchiveException.h"
#include "framework/FileException.h"
#include "framework/ResourceString.h"
#include "res/StringIds.h"

namespace {

struct Texts {
    std::string title, description;
};

Texts TextsOf(CXException& e)
{
    e.PrepareErrorTexts();
    return {g_strXErrorTitle, g_strXErrorDescription};
}

void ExpectTexts(CXException& e, unsigned titleId, unsigned descriptionId)
{
    Texts t = TextsOf(e);
    EXPECT_EQ(t.title, ResourceString(titleId)) << e.GetRuntimeClass()->m_lpszClassName << " " << e.m_nCode;
    EXPECT_EQ(t.description, ResourceString(descriptionId))
        << e.GetRuntimeClass()->m_lpszClassName << " " << e.m_nCode;
}

const char* ClassName(const CObject& o)
{
    return o.GetRuntimeClass()->m_lpszClassName;
}

// An exception of a framework kind the translation does not know.
class COleLikeException : public CException {
    DECLARE_DYNAMIC(COleLikeException)
};
IMPLEMENT_DYNAMIC(COleLikeException, CException)

// A table whose entry gives a title only: the description must come from the
// base table, and the base table must not replace the title.
class CTitleOnlyException : public CXException {
public:
    explicit CTitleOnlyException(int code) : CXException(code) {}

protected:
    void LookupErrorTexts() override
    {
        static const XErrorText table[] = {
            {7, IDS_XERR_DISK_FULL_TITLE, 0},
        };
        LookupTable(table);
        LookupBaseTable();
    }
};

}  // namespace

TEST(ErrorTexts, SpecificCodeWins)
{
    CXFileException sharing(CFileException::sharingViolation);
    Texts t = TextsOf(sharing);
    EXPECT_EQ(t.title, "Sharing violation.");
    EXPECT_EQ(t.description, ResourceString(24606));

    // A specific description where the title is specific too, and the
    // generic file description shared by several titles.
    CXFileException diskFull(CFileException::diskFull);
    ExpectTexts(diskFull, 24609, 24610);
    CXFileException badSeek(CFileException::badSeek);
    ExpectTexts(badSeek, 24602, 24581);
    // Unknown method stands last in its table and is still found.
    CMultiFileException unknownMethod(CMultiFileException::unknownMethod);
    ExpectTexts(unknownMethod, 27648, 27649);
    CMultiFileException crc(CMultiFileException::crcMismatch);
    ExpectTexts(crc, 27656, 27657);
    CZLibException data(CZLibException::dataError);
    ExpectTexts(data, 27661, 27659);
}

TEST(ErrorTexts, WildcardCatchesOtherCodes)
{
    for (int code : {0, 1, 15, -5}) {
        CXFileException e(code);
        Texts t = TextsOf(e);
        EXPECT_EQ(t.title, "File Error.") << code;
        EXPECT_EQ(t.description, ResourceString(24581)) << code;
    }
    CXMemoryException memory;
    ExpectTexts(memory, 24578, 24579);
    CXUserException user;
    ExpectTexts(user, 24586, 24587);
    for (int code : {0, 1}) {
        CInstallProfileException profile(code);
        Texts t = TextsOf(profile);
        EXPECT_EQ(t.title, "Incomplete or missing profile.");
        EXPECT_EQ(t.description.compare(0, 40, "The profile that holds application insta"), 0);
        EXPECT_NE(t.description.find("\r\n\r\n- damaged diskette 1\r\n"), std::string::npos);
    }
}

TEST(ErrorTexts, CodesOutsideATableFallToTheBase)
{
    CMultiFileException multi(6);
    Texts t = TextsOf(multi);
    EXPECT_EQ(t.title, "An unkown error occured.");
    EXPECT_EQ(t.description, ResourceString(24577));

    CZLibException zlib(0);
    ExpectTexts(zlib, 24576, 24577);
}

TEST(ErrorTexts, BaseTableOnlyFillsWhatIsEmpty)
{
    CTitleOnlyException partial(7);
    Texts t = TextsOf(partial);
    EXPECT_EQ(t.title, "Disk full");
    EXPECT_EQ(t.description, ResourceString(24577));

}

TEST(ErrorTexts, EachReportStartsAfresh)
{
    CXFileException first(CFileException::fileNotFound);
    ExpectTexts(first, 24590, 24591);
    CTitleOnlyException second(7);  // fills its title; the description must not be the first's
    Texts t = TextsOf(second);
    EXPECT_EQ(t.title, "Disk full");
    EXPECT_EQ(t.description, ResourceString(24577));
    CXException third;
    ExpectTexts(third, 24576, 24577);
}

TEST(Translation, EachFrameworkKindMapsToItsClass)
{
    struct {
        std::unique_ptr<CException> source;
        const char* className;
        int code;
    } cases[] = {
        {std::make_unique<CMemoryException>(), "CXMemoryException", 0},
        {std::make_unique<CFileException>(CFileException::accessDenied, 5L, "C:\\X"), "CXFileException", 5},
        {std::make_unique<CArchiveException>(CArchiveException::badSchema), "CXArchiveException", 7},
        {std::make_unique<CNotSupportedException>(), "CXNotSupportedException", 0},
        {std::make_unique<CResourceException>(), "CXResourceException", 0},
        {std::make_unique<CUserException>(), "CXUserException", 0},
        {std::make_unique<COleLikeException>(), "CXException", 1},
        {std::make_unique<CException>(), "CXException", 1},
    };
    for (const auto& c : cases) {
        std::unique_ptr<CXException> x(TranslateToXException(c.source.get()));
        ASSERT_NE(x, nullptr);
        EXPECT_STREQ(ClassName(*x), c.className) << ClassName(*c.source);
        EXPECT_EQ(x->m_nCode, c.code) << ClassName(*c.source);
        EXPECT_TRUE(x->IsKindOf(RUNTIME_CLASS(CXException)));
    }
}

TEST(Translation, FileCauseCarriesItsTexts)
{
    CFileException notFound(CFileException::fileNotFound, 2L, "C:\\SECRET\\NAME.TXT");
    std::unique_ptr<CXException> x(TranslateToXException(&notFound));
    Texts t = TextsOf(*x);
    EXPECT_EQ(t.title, "File not found.");
    EXPECT_EQ(t.description.find("SECRET"), std::string::npos);  // the file name is never shown
}

TEST(FileCauses, FromSystemAndRuntimeErrors)
{
    EXPECT_EQ(CFileException::OsErrorToException(32), CFileException::sharingViolation);
    EXPECT_EQ(CFileException::OsErrorToException(112), CFileException::diskFull);
    EXPECT_EQ(CFileException::OsErrorToException(99999), CFileException::genericException);
    EXPECT_EQ(CFileException::ErrnoToException(ENOSPC), CFileException::diskFull);
    EXPECT_EQ(CFileException::ErrnoToException(EEXIST), CFileException::genericException);

    try {
        CFileException::ThrowErrno(ENOENT, 2, "D:\\OUT");
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
        EXPECT_EQ(e->m_lOsError, 2);
        EXPECT_EQ(e->m_strFileName, "D:\\OUT");
        e->Delete();
    }
}
