#include "StatusMif.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "support/Mbcs.h"

namespace {

// The value as a MIF string literal of at most maxLength characters.
std::string Literal(const std::string& value, size_t maxLength)
{
    const std::string cut = value.substr(0, Mbcs::FitLength(value, maxLength));
    std::string quoted = "\"";
    for (size_t i = 0; i < cut.size();) {
        const size_t next = Mbcs::NextChar(cut, i);
        // Only a single-byte quote or backslash is one; the second byte of a
        // double-byte character is left alone.
        if (next == i + 1 && (cut[i] == '"' || cut[i] == '\\'))
            quoted += '\\';
        // A line end or other control character would break the value's line.
        if (next == i + 1 && static_cast<unsigned char>(cut[i]) < 0x20)
            quoted += ' ';
        else
            quoted.append(cut, i, next - i);
        i = next;
    }
    return quoted + "\"";
}

// CON, NUL, PRN, AUX, COM1-COM9 and LPT1-LPT9 name a device whatever
// extension follows them (and blanks before it).
bool IsDeviceName(const std::string& name)
{
    std::string base = name.substr(0, name.find('.'));
    base.erase(base.find_last_not_of(' ') + 1);
    for (char& c : base)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    if (base == "CON" || base == "NUL" || base == "PRN" || base == "AUX")
        return true;
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
           base[3] >= '1' && base[3] <= '9';
}

class CMifWriter {
public:
    void Line(int depth, const std::string& text)
    {
        m_text.append(static_cast<size_t>(depth) * 2, ' ');
        m_text += text;
        m_text += "\r\n";
    }
    void Attribute(int id, const char* name, const std::string& value, size_t maxLength)
    {
        Line(2, "START ATTRIBUTE");
        Line(3, std::string("NAME = \"") + name + "\"");
        Line(3, "ID = " + std::to_string(id));
        Line(3, "ACCESS = READ-ONLY");
        Line(3, "STORAGE = SPECIFIC");
        Line(3, "TYPE = STRING(" + std::to_string(maxLength) + ")");
        Line(3, "VALUE = " + Literal(value, maxLength));
        Line(2, "END ATTRIBUTE");
    }
    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
};

} // namespace

std::string CStatusMif::Format() const
{
    CMifWriter mif;
    mif.Line(0, "START COMPONENT");
    mif.Line(1, "NAME = \"WORKSTATION\"");
    mif.Line(1, "START GROUP");
    mif.Line(2, "NAME = \"ComponentID\"");
    mif.Line(2, "ID = 1");
    mif.Line(2, "CLASS = \"DMTF|ComponentID|1.0\"");
    mif.Attribute(1, "Manufacturer", m_strManufacturer, 64);
    mif.Attribute(2, "Product", m_strProduct, 64);
    mif.Attribute(3, "Version", m_strVersion, 64);
    mif.Attribute(4, "Locale", m_strLocale, 16);
    mif.Attribute(5, "Serial Number", m_strSerialNumber, 64);
    mif.Attribute(6, "Installation", m_strInstallation, 64);
    mif.Line(1, "END GROUP");
    mif.Line(1, "START GROUP");
    mif.Line(2, "NAME = \"InstallStatus\"");
    mif.Line(2, "ID = 2");
    mif.Line(2, "CLASS = \"MICROSOFT|JOBSTATUS|1.0\"");
    mif.Attribute(1, "Status", m_bSuccess ? "Success" : "Failed", 32);
    mif.Attribute(2, "Description", m_strMessage, 128);
    mif.Line(1, "END GROUP");
    mif.Line(0, "END COMPONENT");
    return mif.Text();
}

std::string CStatusMif::FormatDate(int year, int month, int day, int hour, int minute, int second,
                                   int minutesEast)
{
    // Formatted by hand: the runtime's printf family would tie the library to
    // runtime functions that the old systems' msvcrt.dll lacks.
    std::string text;
    auto number = [&text](int value, int width) {
        char digits[12];
        int count = 0;
        unsigned rest = static_cast<unsigned>(value < 0 ? -value : value);
        do {
            digits[count++] = static_cast<char>('0' + rest % 10);
            rest /= 10;
        } while (rest != 0 && count < 11);
        while (count < width)
            digits[count++] = '0';
        while (count > 0)
            text += digits[--count];
    };
    number(year, 4);
    number(month, 2);
    number(day, 2);
    number(hour, 2);
    number(minute, 2);
    number(second, 2);
    text += ".000000";
    text += minutesEast < 0 ? '-' : '+';
    number(abs(minutesEast) % 1000, 3);
    return text;
}

std::string CStatusMif::MakeFileName(const std::string& name)
{
    if (name.find_first_not_of('.') == std::string::npos || IsDeviceName(name))
        return std::string();
    for (size_t i = 0; i < name.size(); i = Mbcs::NextChar(name, i)) {
        if (Mbcs::NextChar(name, i) == i + 1 &&
            (name[i] == ':' || name[i] == '/' || name[i] == '\\'))
            return std::string();
    }
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && name.size() - dot == 4) {
        std::string extension = name.substr(dot + 1);
        for (char& c : extension)
            c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
        if (extension == "MIF")
            return name;
    }
    return name + ".MIF";
}
