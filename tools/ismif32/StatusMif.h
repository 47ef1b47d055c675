#pragma once
// CStatusMif: the status file that desktop-management consoles read after an
// unattended installation, in the Management Information Format:
//
//   START COMPONENT
//     NAME = "WORKSTATION"
//     START GROUP                         the product: group "ComponentID",
//       NAME = "ComponentID"              class "DMTF|ComponentID|1.0", with
//       ...                               Manufacturer, Product, Version,
//     END GROUP                           Locale, Serial Number, Installation
//     START GROUP                         the outcome: group "InstallStatus",
//       NAME = "InstallStatus"            class "MICROSOFT|JOBSTATUS|1.0", with
//       ...                               Status ("Success" or "Failed") and
//     END GROUP                           Description (the message)
//   END COMPONENT
//
// Every attribute is a read-only string of a fixed greatest length; a longer
// value is cut there (never inside a double-byte character), since consoles
// refuse a value longer than its declared type. Quotes and backslashes in a
// value are escaped with a backslash, as MIF string literals require; a line
// end or other control character becomes a blank, so that a value keeps its
// line. Lines end in CR LF.

// The library carries no C++ runtime: the text is built in a buffer of this
// object, whose size bounds every text (all values at their greatest lengths,
// every byte of them escaped).

#include <cstddef>

class CStatusMif {
public:
    // The values, as the caller's texts (which outlive Format); none is null.
    const char* m_pszManufacturer = "";
    const char* m_pszProduct = "";
    const char* m_pszVersion = "";
    const char* m_pszLocale = "";
    const char* m_pszSerialNumber = "";
    // When the status was written, as the DMTF date text
    // "yyyymmddHHMMSS.000000+000" (see FormatDate).
    const char* m_pszInstallation = "";
    const char* m_pszMessage = "";
    bool m_bSuccess = false;

    // The whole file, ended by a null, in this object (valid until the next
    // call).
    const char* Format();

    // The DMTF date text of a time into date; minutesEast is the local time's
    // offset from UTC. Returns date. The size is the attribute's greatest
    // length: room for any time.
    static const size_t kDateSize = 65;
    static const char* FormatDate(char (&date)[kDateSize], int year, int month, int day, int hour,
                                  int minute, int second, int minutesEast);

    // The status file's name for the caller's name into fileName (size bytes):
    // the name with extension ".MIF" (kept when it has it already, in any
    // case). False, with fileName empty, when the name is empty or would leave
    // the Windows directory (a drive, a directory separator, a name of dots
    // only), names a device (CON, NUL, PRN, AUX, COM1-COM9, LPT1-LPT9, with or
    // without an extension), or does not fit.
    static bool MakeFileName(const char* name, char* fileName, size_t size);

private:
    // The layout without values is 1 674 bytes; the values' declared lengths
    // come to 496 bytes, each byte at most two once escaped.
    char m_szText[1674 + 2 * 496 + 1];
};
