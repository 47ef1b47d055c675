#include "StatusMif.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "support/Mbcs.h"

namespace {

// The index of the character after the one that starts at text[i].
size_t NextChar(const char* text, size_t i)
{
    return Mbcs::IsLeadByte(static_cast<unsigned char>(text[i])) && text[i + 1] != '\0' ? i + 2
                                                                                        : i + 1;
}

// The largest length not above maxBytes that does not split a character.
size_t FitLength(const char* text, size_t maxBytes)
{
    size_t fit = 0;
    for (size_t i = 0; text[i] != '\0'; i = NextChar(text, i)) {
        if (NextChar(text, i) > maxBytes)
            break;
        fit = NextChar(text, i);
    }
    return fit;
}

// CON, NUL, PRN, AUX, COM1-COM9 and LPT1-LPT9 name a device whatever
// extension follows them (and blanks before it).
bool IsDeviceName(const char* name)
{
    const char* dot = strchr(name, '.');
    size_t length = dot != nullptr ? static_cast<size_t>(dot - name) : strlen(name);
    while (length > 0 && name[length - 1] == ' ')
        --length;
    char base[5] = {};
    if (length > 4)
        return false;
    for (size_t i = 0; i < length; ++i)
        base[i] = static_cast<char>(toupper(static_cast<unsigned char>(name[i])));
    if (strcmp(base, "CON") == 0 || strcmp(base, "NUL") == 0 || strcmp(base, "PRN") == 0 ||
        strcmp(base, "AUX") == 0)
        return true;
    return length == 4 && (strncmp(base, "COM", 3) == 0 || strncmp(base, "LPT", 3) == 0) &&
           base[3] >= '1' && base[3] <= '9';
}

// Appends to a buffer whose size the caller has made large enough; should it
// not be, the text stops short rather than run over.
class CMifWriter {
public:
    CMifWriter(char* text, size_t size) : m_text(text), m_size(size) { m_text[0] = '\0'; }

    void Append(const char* text, size_t length)
    {
        for (size_t i = 0; i < length && m_length + 1 < m_size; ++i)
            m_text[m_length++] = text[i];
        m_text[m_length] = '\0';
    }
    void Append(const char* text) { Append(text, strlen(text)); }
    void Append(char c) { Append(&c, 1); }
    // value in decimal, at least width digits.
    void Number(unsigned value, int width = 1)
    {
        char digits[12];
        int count = 0;
        do {
            digits[count++] = static_cast<char>('0' + value % 10);
            value /= 10;
        } while (value != 0 && count < 11);
        while (count < width)
            digits[count++] = '0';
        while (count > 0)
            Append(digits[--count]);
    }
    void Indent(int depth)
    {
        for (int i = 0; i < depth; ++i)
            Append("  ");
    }
    void Line(int depth, const char* text)
    {
        Indent(depth);
        Append(text);
        Append("\r\n");
    }
    // The value as a MIF string literal of at most maxLength bytes.
    void Literal(const char* value, size_t maxLength)
    {
        const size_t fit = FitLength(value, maxLength);
        Append('"');
        for (size_t i = 0; i < fit;) {
            const size_t next = NextChar(value, i);
            // Only a single-byte quote or backslash is one; the second byte of
            // a double-byte character is left alone.
            if (next == i + 1 && (value[i] == '"' || value[i] == '\\'))
                Append('\\');
            // A line end or other control character would break the value's line.
            if (next == i + 1 && static_cast<unsigned char>(value[i]) < 0x20)
                Append(' ');
            else
                Append(value + i, next - i);
            i = next;
        }
        Append('"');
    }
    void Attribute(unsigned id, const char* name, const char* value, unsigned maxLength)
    {
        Line(2, "START ATTRIBUTE");
        Indent(3);
        Append("NAME = \"");
        Append(name);
        Append("\"\r\n");
        Indent(3);
        Append("ID = ");
        Number(id);
        Append("\r\n");
        Line(3, "ACCESS = READ-ONLY");
        Line(3, "STORAGE = SPECIFIC");
        Indent(3);
        Append("TYPE = STRING(");
        Number(maxLength);
        Append(")\r\n");
        Indent(3);
        Append("VALUE = ");
        Literal(value, maxLength);
        Append("\r\n");
        Line(2, "END ATTRIBUTE");
    }

private:
    char* m_text;
    size_t m_size;
    size_t m_length = 0;
};

} // namespace

const char* CStatusMif::Format()
{
    CMifWriter mif(m_szText, sizeof m_szText);
    mif.Line(0, "START COMPONENT");
    mif.Line(1, "NAME = \"WORKSTATION\"");
    mif.Line(1, "START GROUP");
    mif.Line(2, "NAME = \"ComponentID\"");
    mif.Line(2, "ID = 1");
    mif.Line(2, "CLASS = \"DMTF|ComponentID|1.0\"");
    mif.Attribute(1, "Manufacturer", m_pszManufacturer, 64);
    mif.Attribute(2, "Product", m_pszProduct, 64);
    mif.Attribute(3, "Version", m_pszVersion, 64);
    mif.Attribute(4, "Locale", m_pszLocale, 16);
    mif.Attribute(5, "Serial Number", m_pszSerialNumber, 64);
    mif.Attribute(6, "Installation", m_pszInstallation, 64);
    mif.Line(1, "END GROUP");
    mif.Line(1, "START GROUP");
    mif.Line(2, "NAME = \"InstallStatus\"");
    mif.Line(2, "ID = 2");
    mif.Line(2, "CLASS = \"MICROSOFT|JOBSTATUS|1.0\"");
    mif.Attribute(1, "Status", m_bSuccess ? "Success" : "Failed", 32);
    mif.Attribute(2, "Description", m_pszMessage, 128);
    mif.Line(1, "END GROUP");
    mif.Line(0, "END COMPONENT");
    return m_szText;
}

const char* CStatusMif::FormatDate(char (&date)[kDateSize], int year, int month, int day, int hour,
                                   int minute, int second, int minutesEast)
{
    // Formatted by hand: the runtime's printf family would tie the library to
    // runtime functions that the old systems' msvcrt.dll lacks.
    CMifWriter text(date, sizeof date);
    text.Number(static_cast<unsigned>(abs(year)), 4);
    text.Number(static_cast<unsigned>(abs(month)), 2);
    text.Number(static_cast<unsigned>(abs(day)), 2);
    text.Number(static_cast<unsigned>(abs(hour)), 2);
    text.Number(static_cast<unsigned>(abs(minute)), 2);
    text.Number(static_cast<unsigned>(abs(second)), 2);
    text.Append(".000000");
    text.Append(minutesEast < 0 ? '-' : '+');
    text.Number(static_cast<unsigned>(abs(minutesEast) % 1000), 3);
    return date;
}

bool CStatusMif::MakeFileName(const char* name, char* fileName, size_t size)
{
    fileName[0] = '\0';
    bool dotsOnly = true;
    const char* dot = nullptr;
    for (const char* c = name; *c != '\0'; ++c) {
        dotsOnly = dotsOnly && *c == '.';
        dot = *c == '.' ? c : dot;
    }
    if (dotsOnly || IsDeviceName(name))
        return false;
    for (size_t i = 0; name[i] != '\0'; i = NextChar(name, i)) {
        if (NextChar(name, i) == i + 1 && (name[i] == ':' || name[i] == '/' || name[i] == '\\'))
            return false;
    }
    const size_t length = strlen(name);
    const bool hasMif = dot != nullptr && name + length - dot == 4 &&
                        toupper(static_cast<unsigned char>(dot[1])) == 'M' &&
                        toupper(static_cast<unsigned char>(dot[2])) == 'I' &&
                        toupper(static_cast<unsigned char>(dot[3])) == 'F';
    const size_t total = length + (hasMif ? 0 : 4);
    if (total >= size)
        return false;
    memcpy(fileName, name, length);
    memcpy(fileName + length, hasMif ? "" : ".MIF", total - length + 1);
    return true;
}
