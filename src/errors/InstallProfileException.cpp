#include "errors/InstallProfileException.h"

#include "res/StringIds.h"

IMPLEMENT_DYNAMIC(CInstallProfileException, CXException)

namespace {

const XErrorText kInstallProfileTexts[] = {
    {-1, IDS_PROFILE_ERROR_TITLE, IDS_PROFILE_ERROR_DESCRIPTION},
};

}  // namespace

void CInstallProfileException::LookupErrorTexts()
{
    LookupTable(kInstallProfileTexts);
    LookupBaseTable();
}
