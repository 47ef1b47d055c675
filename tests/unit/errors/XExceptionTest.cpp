#include <gtest/gtest.h>

#include <functional>
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

const char* ClassName(const CObject& o)
{
    return o.GetRuntimeClass()->m_lpszClassName;
}

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

} // namespace

// Each exception's code picks its title and description: the specific entry
// first, a wildcard for the other codes of its table, the base table for what
// its table leaves empty. The cases run in turn, so each report must start
// afresh: a title-only entry after a full one keeps none of the first's texts.
TEST(ErrorTexts, EachCodeFindsItsTexts)
{
    struct {
        std::function<CXException*()> make;
        unsigned title, description;
    } cases[] = {
        {[] { return new CXFileException(CFileException::sharingViolation); }, 24605, 24606},
        {[] { return new CXFileException(CFileException::diskFull); }, 24609, 24610},
        // The generic file description, shared by several titles.
        {[] { return new CXFileException(CFileException::badSeek); }, 24602, 24581},
        // Unknown method stands last in its table and is still found.
        {[] { return new CMultiFileException(CMultiFileException::unknownMethod); }, 27648, 27649},
        {[] { return new CZLibException(CZLibException::dataError); }, 27661, 27659},
        {[] { return new CXFileException(CFileException::fileNotFound); }, 24590, 24591},
        {[] { return new CTitleOnlyException(7); }, 24609, 24577},
        {[] { return new CXFileException(0); }, 24580, 24581},
        {[] { return new CXFileException(-5); }, 24580, 24581},
        {[] { return new CXMemoryException; }, 24578, 24579},
        {[] { return new CXUserException; }, 24586, 24587},
        {[] { return new CInstallProfileException(0); }, 10, 13},
        // Codes outside a table fall to the base.
        {[] { return new CMultiFileException(6); }, 24576, 24577},
        {[] { return new CZLibException(0); }, 24576, 24577},
        {[] { return new CXException; }, 24576, 24577},
    };
    for (const auto& c : cases) {
        std::unique_ptr<CXException> e(c.make());
        Texts t = TextsOf(*e);
        EXPECT_EQ(t.title, ResourceString(c.title)) << ClassName(*e) << " " << e->m_nCode;
        EXPECT_EQ(t.description, ResourceString(c.description))
            << ClassName(*e) << " " << e->m_nCode;
    }
}

TEST(Translation, EachFrameworkKindMapsToItsClass)
{
    struct {
        std::unique_ptr<CException> source;
        const char* className;
        int code;
    } cases[] = {
        {std::make_unique<CMemoryException>(), "CXMemoryException", 0},
        {std::make_unique<CFileException>(CFileException::accessDenied, 5L, "C:\\SECRET"),
         "CXFileException", 5},
        {std::make_unique<CArchiveException>(CArchiveException::badSchema), "CXArchiveException",
         7},
        {std::make_unique<CNotSupportedException>(), "CXNotSupportedException", 0},
        {std::make_unique<CResourceException>(), "CXResourceException", 0},
        {std::make_unique<CUserException>(), "CXUserException", 0},
        {std::make_unique<CException>(), "CXException", 1},
    };
    for (const auto& c : cases) {
        std::unique_ptr<CXException> x(TranslateToXException(c.source.get()));
        ASSERT_NE(x, nullptr);
        EXPECT_STREQ(ClassName(*x), c.className) << ClassName(*c.source);
        EXPECT_EQ(x->m_nCode, c.code) << ClassName(*c.source);
        EXPECT_TRUE(x->IsKindOf(RUNTIME_CLASS(CXException)));
        // The file's name is never shown.
        EXPECT_EQ(TextsOf(*x).description.find("SECRET"), std::string::npos);
    }
}
