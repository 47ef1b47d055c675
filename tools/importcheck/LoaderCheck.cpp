#include "LoaderCheck.h"

#include <set>

namespace {

std::string Text(PeVersion v)
{
    return std::to_string(v.major) + "." + std::to_string(v.minor);
}

} // namespace

std::vector<std::string> FindLoaderProblems(const CPeImage& image,
                                            const CImportAllowlist& allowlist)
{
    std::vector<std::string> problems;
    if (image.GetMachine() != CPeImage::kMachineI386)
        problems.push_back("machine " + std::to_string(image.GetMachine()) + ", not i386");
    PeVersion os = image.GetOsVersion();
    if (os.major != 4 || os.minor != 0)
        problems.push_back("operating-system version " + Text(os) + ", not 4.0");
    PeVersion subsystem = image.GetSubsystemVersion();
    if (subsystem.major != 4 || subsystem.minor != 0)
        problems.push_back("subsystem version " + Text(subsystem) + ", not 4.0");
    if (image.HasDelayImports())
        problems.push_back("has delay-load imports, which this check does not read");

    std::set<std::string> foreignDlls;
    for (const PeImport& import : image.GetImports()) {
        if (!allowlist.HasDll(import.dll)) {
            if (foreignDlls.insert(import.dll).second)
                problems.push_back("depends on " + import.dll +
                                   ", which is not a system DLL on the allowlist");
        } else if (import.function[0] == '#') {
            problems.push_back("imports " + import.dll + " by ordinal " +
                               import.function.substr(1));
        } else if (!allowlist.Allows(import.dll, import.function)) {
            problems.push_back("imports " + import.dll + "!" + import.function +
                               ", which is not on the allowlist");
        }
    }
    return problems;
}
