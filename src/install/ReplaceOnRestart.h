#pragma once
// Replacement of a file at the next start of the system, for a file that is
// in use now. The new file waits beside the old one under another name.

#include "support/FilePath.h"

// Asks the system to move source over destination at its next start: the
// system's delayed move where it has one, otherwise an entry
// "destination=source" in the [rename] section of wininit.ini in the Windows
// directory. Paths are written as given. True when the request is recorded;
// false when the delayed move is refused and wininit.ini could not be
// rewritten (it then stays as it was). Throws CFileException when the edited
// copy of wininit.ini cannot be created or written.
bool ReplaceOnRestart(const char* source, const char* destination);

// The wininit.ini side alone, on a given file: adds "destination=source" to
// its [rename] section. Results and failures as above.
bool AddRenameEntry(const CFilePath& wininit, const char* source, const char* destination);
