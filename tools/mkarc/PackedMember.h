#pragma once
// CPackedMember: one file packed for an archive. Its record needs the packed
// size and the checksum before the data, so the data is packed into a
// temporary file of its own first, removed when the object goes.

#include <cstdint>
#include <memory>
#include <string>

#include "archive/MultiFileMember.h"

class CPackedMember {
public:
    // Not a method of the archive: zlib, or stored where zlib does not make
    // the file smaller (random data, data already packed).
    static const uint32_t methodAuto = 0;

    struct Options {
        uint32_t method;   // methodAuto, ArchiveFormat::methodStored or methodZLib
        uint16_t dest = 0; // destination number as 16 bits; 0xFFFF not installed
        std::string text;  // at most 39 characters
        bool fixedTime = false;
        uint32_t mtime = 0; // the time stored when fixedTime, else the file's
    };

    explicit CPackedMember(const std::string& temporaryName);
    ~CPackedMember();
    CPackedMember(const CPackedMember&) = delete;
    CPackedMember& operator=(const CPackedMember&) = delete;

    // Packs the file and fills the record (name = its file name, time,
    // attributes, sizes, checksum). Returns "" or, for a file that cannot be a
    // member, the reason (nothing packed). File errors throw CException*.
    std::string Pack(const std::string& file, const Options& options);

    CMultiFileMember& GetMember() { return m_member; }
    // The file holding the packed data.
    const std::string& GetDataFile() const { return m_strData; }

private:
    struct Packed {
        uint32_t unpacked;
        uint32_t packed;
        uint32_t crc;
    };
    Packed PackWith(const std::string& file, uint32_t method);

    std::string m_strData;
    CMultiFileMember m_member;
};
