#include "errors/MultiFileException.h"

#include "res/StringIds.h"

IMPLEMENT_DYNAMIC(CMultiFileException, CXException)

namespace {

const XErrorText kMultiFileTexts[] = {
    {CMultiFileException::notArchive, IDS_ARC_NOT_ARCHIVE_TITLE, IDS_ARC_NOT_ARCHIVE_DESCRIPTION},
    {CMultiFileException::noEntryHeader, IDS_ARC_NO_ENTRY_HEADER_TITLE, IDS_ARC_NO_ENTRY_HEADER_DESCRIPTION},
    {CMultiFileException::corruptTable, IDS_ARC_CORRUPT_TABLE_TITLE, IDS_ARC_CORRUPT_TABLE_DESCRIPTION},
    {CMultiFileException::crcMismatch, IDS_ARC_CRC_TITLE, IDS_ARC_CRC_DESCRIPTION},
    {CMultiFileException::unknownMethod, IDS_ARC_UNKNOWN_METHOD_TITLE, IDS_ARC_UNKNOWN_METHOD_DESCRIPTION},
};

}  // namespace

void CMultiFileException::LookupErrorTexts()
{
    LookupTable(kMultiFileTexts);
    LookupBaseTable();
}
