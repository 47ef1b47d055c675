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

#include <string>

class CStatusMif {
public:
    std::string m_strManufacturer;
    std::string m_strProduct;
    std::string m_strVersion;
    std::string m_strLocale;
    std::string m_strSerialNumber;
    // When the status was written, as the DMTF date text
    // "yyyymmddHHMMSS.000000+000" (see FormatDate).
    std::string m_strInstallation;
    std::string m_strMessage;
    bool m_bSuccess = false;

    // The whole file.
    std::string Format() const;

    // The DMTF date text of a time; minutesEast is the local time's offset
    // from UTC.
    static std::string FormatDate(int year, int month, int day, int hour, int minute, int second,
                                  int minutesEast);

    // The status file's name for the caller's name: the name with extension
    // ".MIF" (kept when it has it already, in any case). Empty when the name
    // is empty or would leave the Windows directory (a drive, a directory
    // separator, a name of dots only), or names a device (CON, NUL, PRN, AUX,
    // COM1-COM9, LPT1-LPT9, with or without an extension).
    static std::string MakeFileName(const std::string& name);
};
