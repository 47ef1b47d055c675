// End-to-end scenarios: the real SETUP.EXE under Wine, driven as a user would
// drive it:
//   setup_driver SCENARIO SETUP.EXE ISMIF32.DLL MKARC.EXE [DISKETTES PAYLOAD]
// (DISKETTES and PAYLOAD: the sample product's diskette set and its payload,
// for scenario sample).
// Exit code 0 when the scenario went as expected; the steps are printed.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "SetupRun.h"
#include "Scenarios.h"
#include "res/resource.h"

namespace {

// Cancel on the welcome page asks string 5; Yes ends on page 116.
bool Cancel(CSetupRun& setup)
{
    HWND box;
    return setup.Start("") && LeaveWelcome(setup, IDCANCEL) &&
           Check((box = setup.WaitFor("VelmoSaver Setup", IDYES)) != nullptr,
                 "Setup asks whether to exit") &&
           HasText(box, 0xFFFF, // the message box's text
                   "Velmo Screen Saver installation not complete. Do you really want to exit "
                   "Setup?",
                   "with string 5") &&
           Click(box, IDYES) && EndOnNotInstalled(setup);
}

// Unattended without a profile: the failure is reported and waits for its
// answer, as in any run; then the run ends as failed.
bool Batch(CSetupRun& setup)
{
    return setup.Start("/B") &&
           CannotContinue(setup.WaitFor("Warning", IDC_WARNING_INFO),
                          "9.0 (CInstallProfileException)") &&
           setup.EndsReportingFailure();
}

// With /D: naming a directory that holds a good profile, Next on the welcome
// page reads it without complaint and passes over the install conditions to
// the destination page, which proposes destination 0's name on drive C.
bool ReadProfile(CSetupRun& setup)
{
    setup.WriteProfile("[destinations]\r\n0=VELMO\r\n1=BIN|0\r\n3=FONTS||C:\\FONTS\\\r\n"
                       "[groups]\r\nMain=Velmo Screen Saver|The saver|1|1|1\r\n"
                       "[Main]\r\nSAVER.ARC=900|1|3|2|0|\r\nREADME.TXT=1200|0|1|1|0|\r\n"
                       "[diskettes]\r\n1=Velmo Screen Saver Disk 1|\r\n");
    HWND page, box;
    return setup.Start("", true) && LeaveWelcome(setup, IDC_NEXT) &&
           Check((page = setup.WaitFor("Select Directory")) != nullptr,
                 "the destination page shows") &&
           HasText(page, IDC_LOCATION, "C:\\VELMO", "it proposes C:\\VELMO") &&
           Click(FindWindowExA(page, nullptr, "#32770", nullptr), IDCANCEL) &&
           (box = setup.WaitFor("VelmoSaver Setup", IDYES)) != nullptr && Click(box, IDYES) &&
           EndOnNotInstalled(setup);
}

// With /D: naming a directory without a profile: "Setup cannot continue" with
// the profile's texts (strings 10 and 13), then page 116.
bool MissingProfile(CSetupRun& setup)
{
    HWND warning;
    return setup.Start("", true) && LeaveWelcome(setup, IDC_NEXT) &&
           (warning = setup.WaitFor("Warning", IDC_WARNING_INFO)) != nullptr &&
           HasText(warning, IDC_WARNING_TITLE, "Incomplete or missing profile.", "string 10") &&
           HasText(warning, IDC_WARNING_DESCRIPTION,
                   "The profile that holds application install information is missing or "
                   "damaged. Possible causes:\r\n\r\n- damaged diskette 1\r\n- possible diskette "
                   "alignment or hardware problem\r\n- insufficient disk space",
                   "string 13") &&
           CannotContinue(warning, "9.0 (CInstallProfileException)") && EndOnNotInstalled(setup);
}

} // namespace

int main(int argc, char** argv)
{
    const struct {
        const char* name;
        bool (*run)(CSetupRun&);
    } scenarios[] = {{"cancel", &Cancel},
                     {"batch", &Batch},
                     {"read-profile", &ReadProfile},
                     {"missing-profile", &MissingProfile},
                     {"install", &InstallInteractively},
                     {"browse", &BrowseForFolder},
                     {"diskette-dirs", &InstallFromDisketteDirectories},
                     {"drive-a", &InstallFromDriveA},
                     {"cancel-copy-no", &CancelCopyAnsweredNo},
                     {"damaged-continue", &DamagedArchiveContinue},
                     {"damaged-cancel", &DamagedArchiveCancel},
                     {"damaged-batch-continue", &DamagedArchiveContinueUnattended},
                     {"damaged-batch-cancel", &DamagedArchiveCancelUnattended},
                     {"in-use", &FileInUseReplacedAtRestart},
                     {"shortcuts-win95", &ShortcutsOnWindows95},
                     {"shortcuts-nt40", &ShortcutsOnWindowsNT4},
                     {"shortcuts-nt351", &ShortcutsOnWindowsNT351},
                     {"sample", &SampleProduct}};
    for (const auto& scenario : scenarios) {
        if ((argc != 5 && argc != 7) || std::strcmp(argv[1], scenario.name) != 0)
            continue;
        bool passed;
        {
            CSetupRun setup(CPrograms{argv[2], argv[3], argv[4], argc == 7 ? argv[5] : "",
                                      argc == 7 ? argv[6] : ""});
            passed = scenario.run(setup);
        }
        std::printf("%s: %s\n", scenario.name, passed ? "passed" : "FAILED");
        return passed ? 0 : 1;
    }
    std::printf(
        "usage: setup_driver SCENARIO SETUP.EXE ISMIF32.DLL MKARC.EXE [DISKETTES PAYLOAD]\n");
    return 2;
}
