#pragma once
// CDiskettePlan: the room on each diskette of a set as files are placed on
// it. A diskette is a formatted 1.44 MB FAT12 floppy unless told otherwise:
// files take whole 512-byte clusters, and its root directory holds 224
// entries, one of them the volume label, a name that is not a plain upper-case
// 8.3 name one more per 13 characters.

#include <cstdint>
#include <string>
#include <vector>

class CDiskettePlan {
public:
    static constexpr uint64_t kCluster = 512;
    static constexpr int kRootEntries = 224;
    static constexpr int kMaxDiskettes = 99;
    // What a formatted 1.44 MB floppy holds: 2847 clusters.
    static constexpr uint64_t kFloppyCapacity = 1457664;

    struct File {
        std::string name;
        uint64_t bytes;
    };

    // capacity: bytes per diskette, rounded down to whole clusters.
    explicit CDiskettePlan(uint64_t capacity);

    // Bytes a file may have to fit on diskette n (from 1) now, with its name:
    // whole free clusters, 0 when the directory is full.
    uint64_t FreeBytes(int n, const std::string& name) const;
    bool Fits(int n, const std::string& name, uint64_t bytes) const
    {
        return bytes <= FreeBytes(n, name);
    }
    void Add(int n, const std::string& name, uint64_t bytes);

    // Bytes of an empty diskette.
    uint64_t GetCapacity() const { return m_nClusters * kCluster; }
    // The highest diskette that holds a file.
    int GetCount() const { return static_cast<int>(m_diskettes.size()); }
    const std::vector<File>& GetFiles(int n) const { return m_diskettes.at(n - 1).files; }

    static uint64_t Clusters(uint64_t bytes) { return (bytes + kCluster - 1) / kCluster; }
    static int DirectoryEntries(const std::string& name);

private:
    struct Diskette {
        uint64_t clusters = 0;
        int entries = 1; // the volume label
        std::vector<File> files;
    };
    uint64_t m_nClusters;
    std::vector<Diskette> m_diskettes;
};
