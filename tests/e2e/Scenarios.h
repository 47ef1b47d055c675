#pragma once
// The installation scenarios (InstallScenarios.cpp).

class CSetupRun;

bool InstallInteractively(CSetupRun& setup);
bool BrowseForFolder(CSetupRun& setup);
bool InstallFromDisketteDirectories(CSetupRun& setup);
bool InstallFromDriveA(CSetupRun& setup);
bool CancelCopyAnsweredNo(CSetupRun& setup);
bool DamagedArchiveContinue(CSetupRun& setup);
bool DamagedArchiveCancel(CSetupRun& setup);
bool DamagedArchiveContinueUnattended(CSetupRun& setup);
bool DamagedArchiveCancelUnattended(CSetupRun& setup);
bool FileInUseReplacedAtRestart(CSetupRun& setup);
bool ShortcutsOnWindows95(CSetupRun& setup);
bool ShortcutsOnWindowsNT4(CSetupRun& setup);
bool ShortcutsOnWindowsNT351(CSetupRun& setup);

// The sample product's set (SampleScenarios.cpp).
bool SampleProduct(CSetupRun& setup);
