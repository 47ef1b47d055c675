#pragma once
// CProfileText: an install profile as text, line by line, for mkdisks. It
// finds sections and entries as the system's private-profile functions do
// (names and keys without regard to case, blanks around keys and values and
// surrounding quotes not part of them, ';' lines are comments), remembers the
// line of each, and writes the text back with chosen lines replaced or left
// out, so that a vendor's comments and layout survive in the finished profile.

#include <cstddef>
#include <string>
#include <vector>

class CProfileText {
public:
    struct Entry {
        std::string key;
        std::string value; // as the private-profile functions give it (uncut)
        int line;          // from 1
    };
    struct Section {
        std::string name;
        int line;
        int lastLine; // the section's last line (its own or its last entry's)
        std::vector<Entry> entries;
    };

    // Reads the file; false, with the reason in error, when it cannot be
    // read or a line is neither a section, an entry, a comment nor blank.
    bool Load(const std::string& path, std::string& error);
    // The same from text already in memory.
    bool Parse(const std::string& text, std::string& error);

    // The first section of that name in any case, or null.
    const Section* Find(const std::string& name) const;
    const std::vector<Section>& GetSections() const { return m_sections; }
    // The first entry of that key in any case, or null: the one whose value
    // the private-profile functions read.
    static const Entry* FindEntry(const Section& section, const std::string& key);

    // Line n (from 1) is written as text instead; "" leaves it out.
    void ReplaceLine(int line, const std::string& text);
    void DropLine(int line);
    // True when line n holds nothing but blanks; false beyond the end.
    bool IsBlankLine(int line) const;
    // The text with the replacements, lines ending in CR LF.
    std::string Render() const;

    static bool SameName(const std::string& a, const std::string& b);

private:
    std::vector<std::string> m_lines;
    std::vector<bool> m_dropped;
    std::vector<Section> m_sections;
};
