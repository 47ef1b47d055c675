#include "errors/XException.h"

#include "framework/ArchiveException.h"
#include "framework/FileException.h"
#include "framework/ResourceString.h"
#include "res/StringIds.h"

std::string g_strXErrorTitle;
std::string g_strXErrorDescription;

IMPLEMENT_DYNAMIC(CXException, CException)
IMPLEMENT_DYNAMIC(CXMemoryException, CXException)
IMPLEMENT_DYNAMIC(CXFileException, CXException)
IMPLEMENT_DYNAMIC(CXArchiveException, CXException)
IMPLEMENT_DYNAMIC(CXResourceException, CXException)
IMPLEMENT_DYNAMIC(CXUserException, CXException)
IMPLEMENT_DYNAMIC(CXNotSupportedException, CXException)

namespace {

const XErrorText kXExceptionTexts[] = {
    {-1, IDS_XERR_UNKNOWN_TITLE, IDS_XERR_UNKNOWN_DESCRIPTION},
};

const XErrorText kMemoryTexts[] = {
    {-1, IDS_XERR_MEMORY_TITLE, IDS_XERR_MEMORY_DESCRIPTION},
};

// The wildcard comes last: causes 0, 1 and unknown ones get the generic texts.
const XErrorText kFileTexts[] = {
    {CFileException::fileNotFound, IDS_XERR_FILE_NOT_FOUND_TITLE, IDS_XERR_FILE_NOT_FOUND_DESCRIPTION},
    {CFileException::badPath, IDS_XERR_BAD_PATH_TITLE, IDS_XERR_BAD_PATH_DESCRIPTION},
    {CFileException::tooManyOpenFiles, IDS_XERR_TOO_MANY_FILES_TITLE, IDS_XERR_TOO_MANY_FILES_DESCRIPTION},
    {CFileException::accessDenied, IDS_XERR_ACCESS_DENIED_TITLE, IDS_XERR_ACCESS_DENIED_DESCRIPTION},
    {CFileException::invalidFile, IDS_XERR_INVALID_FILE_TITLE, IDS_XERR_FILE_DESCRIPTION},
    {CFileException::removeCurrentDir, IDS_XERR_REMOVE_CURRENT_DIR_TITLE, IDS_XERR_FILE_DESCRIPTION},
    {CFileException::directoryFull, IDS_XERR_DIRECTORY_FULL_TITLE, IDS_XERR_DIRECTORY_FULL_DESCRIPTION},
    {CFileException::badSeek, IDS_XERR_BAD_SEEK_TITLE, IDS_XERR_FILE_DESCRIPTION},
    {CFileException::hardIO, IDS_XERR_HARDWARE_TITLE, IDS_XERR_HARDWARE_DESCRIPTION},
    {CFileException::sharingViolation, IDS_XERR_SHARING_TITLE, IDS_XERR_SHARING_DESCRIPTION},
    {CFileException::lockViolation, IDS_XERR_LOCKING_TITLE, IDS_XERR_LOCKING_DESCRIPTION},
    {CFileException::diskFull, IDS_XERR_DISK_FULL_TITLE, IDS_XERR_DISK_FULL_DESCRIPTION},
    {CFileException::endOfFile, IDS_XERR_END_OF_FILE_TITLE, IDS_XERR_FILE_DESCRIPTION},
    {-1, IDS_XERR_FILE_TITLE, IDS_XERR_FILE_DESCRIPTION},
};

const XErrorText kArchiveTexts[] = {
    {-1, IDS_XERR_ARCHIVE_TITLE, IDS_XERR_ARCHIVE_DESCRIPTION},
};

const XErrorText kResourceTexts[] = {
    {-1, IDS_XERR_RESOURCE_TITLE, IDS_XERR_RESOURCE_DESCRIPTION},
};

const XErrorText kUserTexts[] = {
    {-1, IDS_XERR_USER_TITLE, IDS_XERR_USER_DESCRIPTION},
};

const XErrorText kNotSupportedTexts[] = {
    {-1, IDS_XERR_NOT_SUPPORTED_TITLE, IDS_XERR_NOT_SUPPORTED_DESCRIPTION},
};

}  // namespace

void CXException::PrepareErrorTexts()
{
    g_strXErrorTitle.clear();
    g_strXErrorDescription.clear();
    LookupErrorTexts();
}

void CXException::LookupErrorTexts()
{
    LookupBaseTable();
}

void CXException::LookupBaseTable() const
{
    LookupTable(kXExceptionTexts);
}

void CXException::LookupTable(const XErrorText* table, size_t count) const
{
    for (size_t i = 0; i < count; ++i) {
        const XErrorText& entry = table[i];
        if (entry.code != -1 && entry.code != m_nCode)
            continue;
        if (entry.titleId != 0 && g_strXErrorTitle.empty())
            LoadResourceString(entry.titleId, g_strXErrorTitle);
        if (entry.descriptionId != 0 && g_strXErrorDescription.empty())
            LoadResourceString(entry.descriptionId, g_strXErrorDescription);
        return;
    }
}

void CXMemoryException::LookupErrorTexts()
{
    LookupTable(kMemoryTexts);
    LookupBaseTable();
}

CXFileException::CXFileException(const CFileException& e) : CXException(e.m_cause) {}

void CXFileException::LookupErrorTexts()
{
    LookupTable(kFileTexts);
    LookupBaseTable();
}

CXArchiveException::CXArchiveException(const CArchiveException& e) : CXException(e.m_cause) {}

void CXArchiveException::LookupErrorTexts()
{
    LookupTable(kArchiveTexts);
    LookupBaseTable();
}

void CXResourceException::LookupErrorTexts()
{
    LookupTable(kResourceTexts);
    LookupBaseTable();
}

void CXUserException::LookupErrorTexts()
{
    LookupTable(kUserTexts);
    LookupBaseTable();
}

void CXNotSupportedException::LookupErrorTexts()
{
    LookupTable(kNotSupportedTexts);
    LookupBaseTable();
}

CXException* TranslateToXException(const CException* e)
{
    if (e->IsKindOf(RUNTIME_CLASS(CMemoryException)))
        return new CXMemoryException;
    if (e->IsKindOf(RUNTIME_CLASS(CFileException)))
        return new CXFileException(*static_cast<const CFileException*>(e));
    if (e->IsKindOf(RUNTIME_CLASS(CArchiveException)))
        return new CXArchiveException(*static_cast<const CArchiveException*>(e));
    if (e->IsKindOf(RUNTIME_CLASS(CNotSupportedException)))
        return new CXNotSupportedException;
    if (e->IsKindOf(RUNTIME_CLASS(CResourceException)))
        return new CXResourceException;
    if (e->IsKindOf(RUNTIME_CLASS(CUserException)))
        return new CXUserException;
    return new CXException(1);
}
