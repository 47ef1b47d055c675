// mkarc list and test on arbitrary files: the first piece is the archive
// named on the command line, the second its next piece beside it (the input
// format of the archive target, so the two share their seeds).
//
// Checks: both commands end with status 0 or 1 (never a usage error, never
// an escaped exception); an archive that tests sound also lists; test leaves
// no scratch file behind.
#include <string>
#include <vector>

#include "Commands.h"
#include "archive/MultiFile.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The listing is not looked at; only the exit status.
    if (freopen("/dev/null", "w", stdout) == nullptr)
        FuzzFail("cannot silence standard output");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const CFuzzScratch& scratch = CFuzzScratch::Get();
    const CArchivePieces pieces(data, size);
    const std::string first = "DATA.Z01";
    const std::string second = CMultiFile::NextPieceName(first.c_str());
    const std::string archive = scratch.Write(first, pieces.first);
    scratch.Remove(second);
    if (pieces.hasSecond)
        scratch.Write(second, pieces.second);

    const int listed = RunMkarc({"list", archive});
    const int tested = RunMkarc({"test", archive});
    Require(listed == 0 || listed == 1, "list ends with status 0 or 1");
    Require(tested == 0 || tested == 1, "test ends with status 0 or 1");
    Require(tested != 0 || listed == 0, "an archive that tests sound lists");
    std::error_code ignored;
    Require(!std::filesystem::exists(archive + ".test", ignored), "test leaves no scratch file");
    return 0;
}
