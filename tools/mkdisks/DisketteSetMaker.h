#pragma once
// CDisketteSetMaker: lays out a diskette set from a product description and
// its payload.
//
//   1. Packs the members of every archive (once; each into a file of its own).
//   2. Places the items, in the order the setup program installs them: the
//      first diskette begins with the setup program, the profile and the
//      status library; an item whose diskette is given goes there; every other
//      item goes on the diskette being filled when it fits, an archive that
//      does not fit is cut (its first piece fills that diskette, the rest
//      continues on the next ones), a plain file that does not fit starts the
//      next diskette. So the diskettes are asked for in order, and an archive
//      that continues is the last item of its first diskette.
//   3. Writes the finished profile (the description with every size, kind,
//      file count and diskette number filled in, its archive sections left
//      out) and one directory DISKnn per diskette.
//   4. Reads the finished profile back with the setup program's own reader and
//      refuses what the program would refuse.
//
// Times: with a fixed time, every member, file and image entry carries it;
// otherwise each payload file keeps its own, and the files mkdisks makes (the
// profile, archive pieces) carry the newest of the inputs'. The same inputs
// thus always give the same bytes.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "DiskettePlan.h"
#include "ProductDescription.h"

class CPackedMember;
class CArchiveWriter;

class CDisketteSetMaker {
public:
    struct Options {
        std::string description;
        std::string payload;
        std::string out;
        std::string setup;         // the setup program
        std::string statusLibrary; // "" for none
        uint64_t capacity = CDiskettePlan::kFloppyCapacity;
        bool fixedTime = false;
        uint32_t time = 0;
    };

    explicit CDisketteSetMaker(const Options& options);
    ~CDisketteSetMaker();

    // Throws CInputError for bad input; file errors throw CException*.
    void Make();

    const CDiskettePlan& GetPlan() const { return *m_plan; }
    const CProductDescription& GetDescription() const { return m_description; }
    // The directory of diskette n.
    std::string DisketteDirectory(int n) const;
    // The time the files mkdisks makes carry.
    uint32_t GetMadeTime() const { return m_nMadeTime; }
    // The profile's file name on the first diskette.
    const std::string& GetProfileName() const { return m_strProfileName; }

private:
    struct Placed {
        int diskette = 0;             // the first, for an archive
        std::vector<uint64_t> pieces; // planned piece sizes of an archive
        std::unique_ptr<CArchiveWriter> writer;
        std::vector<std::unique_ptr<CPackedMember>> members;
    };

    void PackArchives();
    // Places everything with this many bytes kept for the profile.
    void Place(uint64_t profileBytes);
    void PlaceArchive(size_t index, int first);
    std::string RenderProfile();
    void WriteSet(const std::string& profile);
    void CopyFile(const std::string& from, const std::string& to);
    void SetTime(const std::string& path, uint32_t time);
    uint32_t TimeOf(const std::string& path) const;

    Options m_options;
    CProductDescription m_description;
    std::unique_ptr<CDiskettePlan> m_plan;
    std::vector<Placed> m_placed; // one per item of the description
    std::string m_strWork;
    std::string m_strProfileName;
    uint32_t m_nMadeTime = 0;
};
