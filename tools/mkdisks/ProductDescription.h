#pragma once
// CProductDescription: what mkdisks lays out. It is an install profile in
// which the file-list entries may leave the size, the kind, the file count and
// the diskette number empty (fields 0 to 3), plus one section per archive
// naming its members:
//
//   [Main]
//   SAVER.ARC=||||0|screen saver     an archive: there is [archive SAVER.ARC]
//   README.TXT=||||0|read-me         a plain file from the payload
//
//   [archive SAVER.ARC]
//   velmosaver.scr=-3                member=destination[|stored or zlib[|text]]
//
// Every item is read in the order the setup program reads it: the groups in
// the order of [groups], the entries of each group's section in file order.
// A given field is kept and checked against the payload; a given diskette
// number (negative: marked) places the item on that diskette.

#include <cstdint>
#include <string>
#include <vector>

#include "ProfileText.h"

class CProductDescription {
public:
    struct Member {
        std::string file; // payload path
        std::string name;
        int16_t dest = 0;
        uint32_t method = 0; // CPackedMember::methodAuto, or an archive method
        std::string text;
        int line = 0;
    };
    struct Item {
        std::string group;
        std::string key; // the source file name on the diskette
        int line = 0;
        bool archive = false;
        std::string file;            // payload path of a plain file
        std::vector<Member> members; // of an archive
        int64_t size = 0;            // of the file, or the members' total
        bool fixedDiskette = false;
        int16_t diskette = 0;            // as given (negative: marked)
        std::vector<std::string> fields; // the entry's fields as written
    };

    // Reads and checks the description; throws CInputError.
    void Load(const std::string& path, const std::string& payload);

    const std::string& GetPath() const { return m_strPath; }
    CProfileText& GetText() { return m_text; }
    const CProfileText& GetText() const { return m_text; }
    const std::vector<Item>& GetItems() const { return m_items; }
    // The label of diskette n, "" when none.
    std::string GetLabel(int n) const;
    // Lines of the archive sections, which the finished profile leaves out.
    const std::vector<int>& GetDescriptionOnlyLines() const { return m_descriptionLines; }
    // Warnings about things the setup program passes over.
    const std::vector<std::string>& GetWarnings() const { return m_warnings; }

    static const char kArchivePrefix[]; // "archive "

private:
    [[noreturn]] void Fail(int line, const std::string& message) const;
    void ReadItem(const std::string& group, const CProfileText::Entry& entry,
                  const std::string& payload);
    void ReadMembers(Item& item, const CProfileText::Section& section, const std::string& payload);
    // Warns of shortcut targets that no file of the set installs.
    void CheckTargets();
    std::string PayloadFile(const std::string& payload, const std::string& name, int line) const;

    std::string m_strPath;
    CProfileText m_text;
    std::vector<Item> m_items;
    std::vector<int> m_descriptionLines;
    std::vector<std::string> m_warnings;
};
