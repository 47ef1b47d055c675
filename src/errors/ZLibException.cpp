#include "errors/ZLibException.h"

#include "res/StringIds.h"

IMPLEMENT_DYNAMIC(CZLibException, CXException)

namespace {

const XErrorText kZLibTexts[] = {
    {CZLibException::unknownError, IDS_ZLIB_UNKNOWN_TITLE, IDS_ZLIB_DESCRIPTION},
    {CZLibException::streamError, IDS_ZLIB_STREAM_TITLE, IDS_ZLIB_DESCRIPTION},
    {CZLibException::dataError, IDS_ZLIB_DATA_TITLE, IDS_ZLIB_DESCRIPTION},
    {CZLibException::bufferError, IDS_ZLIB_BUFFER_TITLE, IDS_ZLIB_DESCRIPTION},
};

}  // namespace

void CZLibException::LookupErrorTexts()
{
    LookupTable(kZLibTexts);
    LookupBaseTable();
}
