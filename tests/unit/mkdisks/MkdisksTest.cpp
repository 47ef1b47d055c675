// mkdisks's layout: what goes on which diskette, archives cut across
// diskettes, the finished profile as the setup program's reader sees it, and
// the descriptions it refuses with the line at fault (the same bytes from the
// same inputs, and the tool's options, are mkdisks_test.sh's).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "DisketteSetMaker.h"
#include "FloppyImage.h"
#include "InputError.h"
#include "archive/ArchiveFormat.h"
#include "profile/DestinationMap.h"
#include "profile/DisketteArray.h"
#include "profile/FileGroupMap.h"
#include "profile/InstallItemList.h"

#include "common/ScratchDirectory.h"

namespace fs = std::filesystem;

namespace {

class Mkdisks : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(m_dir / "payload");
        Payload("SETUP.EXE", ::Payload(5000, 1));
    }

    void Payload(const std::string& name, const std::string& data)
    {
        std::ofstream(m_dir / "payload" / name, std::ios::binary) << data;
        // One fixed time, so that output compares across runs.
        fs::last_write_time(m_dir / "payload" / name, m_time);
    }

    CDisketteSetMaker::Options Options(const std::string& description, uint64_t capacity,
                                       const std::string& out = "out")
    {
        std::ofstream(m_dir / "velmo.ini", std::ios::binary) << description;
        fs::last_write_time(m_dir / "velmo.ini", m_time);
        CDisketteSetMaker::Options options;
        options.description = (m_dir / "velmo.ini").string();
        options.payload = (m_dir / "payload").string();
        options.out = (m_dir / out).string();
        options.setup = (m_dir / "payload" / "SETUP.EXE").string();
        options.capacity = capacity;
        return options;
    }

    // Runs mkdisks; the fault it reports, or "" when it made the set.
    std::string Make(const CDisketteSetMaker::Options& options)
    {
        try {
            CDisketteSetMaker maker(options);
            maker.Make();
            m_count = maker.GetPlan().GetCount();
            return std::string();
        } catch (const CInputError& e) {
            return e.Text();
        }
    }

    fs::path Disk(int n) const
    {
        char name[16];
        snprintf(name, sizeof name, "DISK%02d", n);
        return m_dir / "out" / name;
    }

    // The finished profile through the program's own load operations: each
    // item as "name size kind count diskette marked".
    std::vector<std::string> ReadBack()
    {
        const std::string profile = fs::absolute(Disk(1) / "SETUP.ini").string();
        CDestinationMap destinations;
        CFileGroupMap groups;
        CInstallItemList items;
        CDisketteArray diskettes;
        destinations.LoadDestinations(profile.c_str());
        groups.LoadGroups(profile.c_str());
        items.LoadItems(profile.c_str(), groups);
        diskettes.LoadDiskettes(profile.c_str());
        m_label2 = diskettes.GetDisketteLabel(2) != nullptr ? diskettes.GetDisketteLabel(2) : "";
        std::vector<std::string> read;
        for (const auto& item : items)
            read.push_back(
                item->m_strSourceName + " " + std::to_string(item->m_nSize) + " " +
                std::to_string(item->m_nKind) + " " + std::to_string(item->m_nFileCount) + " " +
                std::to_string(item->m_nDiskette) + " " + std::to_string(item->m_bMarked));
        return read;
    }

    // Bytes a diskette's files take in whole 512-byte clusters.
    uint64_t Used(int n) const
    {
        uint64_t used = 0;
        for (const auto& entry : fs::directory_iterator(Disk(n)))
            used += (entry.file_size() + 511) / 512 * 512;
        return used;
    }

    CScratchDirectory m_scratch;
    const fs::path m_dir = m_scratch.Path();
    fs::file_time_type m_time = fs::file_time_type::clock::now() - std::chrono::hours(24);
    int m_count = 0;
    std::string m_label2;
};

const char kDestinations[] = "[destinations]\n0=VELMO\n1=DOCS|0\n";

} // namespace

TEST_F(Mkdisks, ArchiveIsCutAcrossDiskettesAndTheReaderSeesEveryField)
{
    for (unsigned i = 0; i < 3; ++i)
        Payload("part" + std::to_string(i) + ".bin", ::Payload(30000, 10 + i));
    Payload("NOTES.TXT", std::string(2000, 'n'));
    const std::string description = std::string(kDestinations) +
                                    "[groups]\nMain=Main|All|1|1|1\n"
                                    "[Main]\n"
                                    "DATA.Z01=||||0|data\n"
                                    "NOTES.TXT=||||1|notes\n"
                                    "[archive DATA.Z01]\n"
                                    "part0.bin=0|stored\npart1.bin=1|stored\npart2.bin=0|stored\n"
                                    "[diskettes]\n2=Second Disk|\n";
    const uint64_t capacity = 80 * 512;
    ASSERT_EQ(Make(Options(description, capacity)), "");

    // 90000 bytes of incompressible data in 40960-byte diskettes whose first
    // also holds SETUP.EXE and the profile: three pieces. (That no diskette
    // takes more than its capacity, and the members read back whole, are
    // mkdisks_test.sh's.)
    ASSERT_EQ(m_count, 3);
    uint64_t pieces = 0;
    for (int n = 1; n <= 3; ++n) {
        for (const auto& entry : fs::directory_iterator(Disk(n))) {
            if (entry.path().filename().string().rfind("DATA", 0) == 0 ||
                entry.path().filename().string().rfind("data", 0) == 0)
                pieces += entry.file_size();
        }
    }
    // Every piece's header, every record and all the data, nothing more.
    EXPECT_EQ(pieces, 3 * ArchiveFormat::kHeaderSize + 3 * ArchiveFormat::kRecordSize + 90000);
    // The first two diskettes are filled to the last cluster but one.
    EXPECT_GE(Used(1), capacity - 512);
    EXPECT_GE(Used(2), capacity - 512);
    // The profile lost its archive section.
    EXPECT_EQ(ReadWholeFile((Disk(1) / "SETUP.ini").string()).find("[archive"), std::string::npos);

    // The file after the archive goes where the archive ends: no diskette is
    // asked for twice.
    EXPECT_EQ(ReadBack(),
              (std::vector<std::string>{"DATA.Z01 90000 1 3 1 0", "NOTES.TXT 2000 0 1 3 0"}));
    EXPECT_TRUE(fs::exists(Disk(3) / "NOTES.TXT"));
    EXPECT_EQ(m_label2, "Second Disk");
}

TEST_F(Mkdisks, PlainFilesFillDiskettesInInstallOrderAndGivenDiskettesAreKept)
{
    Payload("ONE.BIN", ::Payload(20000, 2));
    Payload("TWO.BIN", ::Payload(20000, 3));
    Payload("SMALL.TXT", "small");
    Payload("LAST.TXT", "installed after the others of diskette 1");
    const std::string description = std::string(kDestinations) +
                                    "[groups]\nMain=Main|All|1|1|1\nDocs=Docs|All|0|1|1\n"
                                    "[Docs]\nLAST.TXT=|||-1|1|\n"
                                    "[Main]\nONE.BIN=||||0|\nTWO.BIN=||||0|\nSMALL.TXT=||||0|\n";
    ASSERT_EQ(Make(Options(description, 60 * 512)), "");
    // Diskette 1: SETUP.EXE (10 clusters), the profile, ONE.BIN (40); TWO.BIN
    // does not fit any more and starts diskette 2, and SMALL.TXT follows it
    // there although diskette 1 has room: the diskettes are asked for in order.
    EXPECT_EQ(ReadBack(),
              (std::vector<std::string>{"ONE.BIN 20000 0 1 1 0", "LAST.TXT 40 0 1 1 1",
                                        "TWO.BIN 20000 0 1 2 0", "SMALL.TXT 5 0 1 2 0"}));
    EXPECT_TRUE(fs::exists(Disk(1) / "LAST.TXT"));
    EXPECT_TRUE(fs::exists(Disk(2) / "SMALL.TXT"));
}

TEST_F(Mkdisks, RefusedDescriptionsNameTheLineAtFault)
{
    Payload("BIG.BIN", ::Payload(50000, 5));
    Payload("OK.TXT", "ok");
    const std::string groups = "[groups]\nMain=Main|All|1|1|1\n";
    const std::string dests = kDestinations; // lines 1 to 3
    struct Case {
        std::string description;
        int line;
        const char* says;
    } cases[] = {
        {dests + groups + "[Main]\nMISSING.TXT=||||0|\n", 7, "is not in the payload directory"},
        {dests + groups + "[Main]\nBIG.BIN=||||0|\n", 7, "larger than a whole diskette"},
        {groups + "[Main]\nOK.TXT=||||0|\n", 0, "\"Incomplete or missing profile.\""},
        {dests + "5=SUB|9\n" + groups + "[Main]\nOK.TXT=||||0|\n", 4, "destination 5 cannot"},
        {dests + groups + "[Main]\nOK.TXT=||||7|\n", 7, "destination 7 of 'OK.TXT'"},
        {dests + groups + "[Main]\nA.ARC=||||0|\n[archive A.ARC]\nOK.TXT=12\n", 9,
         "destination 12 of member 'OK.TXT'"},
        {dests + groups + "[Main]\nOK.TXT=|1|||0|\n", 7, "no section [archive OK.TXT]"},
        {dests + groups + "[Main]\nOK.TXT=3||||0|\n", 7, "size 3 of 'OK.TXT' differs"},
        {dests + groups + "[Main]\nOK.TXT=x||||0|\n", 7, "not a number"},
        {dests + groups + "[Main]\nOK.TXT=||||0|" + std::string(250, 't') + "\n", 7,
         "the setup program reads only 254"},
        {dests + groups + "[main]\nOK.TXT=||||0|\n[MAIN]\n", 8, "appears twice"},
    };
    int n = 0;
    for (const Case& c : cases) {
        // A set of its own each time: the system's private-profile functions
        // keep a file they read while its time stays the same.
        const std::string fault =
            Make(Options(c.description, 80 * 512, "out" + std::to_string(++n)));
        const std::string where =
            (m_dir / "velmo.ini").string() + (c.line > 0 ? ":" + std::to_string(c.line) : "") + ":";
        EXPECT_EQ(fault.rfind(where, 0), 0u) << fault << "\n" << c.description;
        EXPECT_NE(fault.find(c.says), std::string::npos) << fault;
    }
}

TEST_F(Mkdisks, NoMoreThan99Diskettes)
{
    // Each file takes a diskette of its own; diskette 1 holds the first.
    Payload("SETUP.EXE", "x");
    std::string description =
        std::string(kDestinations) + "[groups]\nMain=Main|All|1|1|1\n[Main]\n";
    for (int i = 0; i < 100; ++i) {
        const std::string name = "F" + std::to_string(i) + ".BIN";
        Payload(name, std::string(5000, 'x'));
        description += name + "=||||0|\n";
    }
    const std::string fault = Make(Options(description, 16 * 512));
    EXPECT_NE(fault.find("velmo.ini:106: 'F99.BIN' would go on diskette 100"), std::string::npos)
        << fault;
}

TEST(FloppyImage, VolumeLabelsAreWhatFatHolds)
{
    EXPECT_EQ(CFloppyImage::VolumeLabel("Velmo Disk 1"), "VELMODISK1");
    EXPECT_EQ(CFloppyImage::VolumeLabel("Disk 2"), "DISK 2");
    EXPECT_EQ(CFloppyImage::VolumeLabel("a*b?c.d"), "A_B_C_D");
    EXPECT_EQ(CFloppyImage::VolumeLabel("Velmo Screen Saver Disk 1"), "VELMOSCREEN");
    EXPECT_EQ(CFloppyImage::VolumeLabel("  x  "), "X");
}

TEST(DiskettePlan, LongOrLowerCaseNamesTakeMoreDirectoryEntries)
{
    EXPECT_EQ(CDiskettePlan::DirectoryEntries("SETUP.EXE"), 1);
    EXPECT_EQ(CDiskettePlan::DirectoryEntries("saver.ard"), 2);
    EXPECT_EQ(CDiskettePlan::DirectoryEntries("velmosaver.scr"), 3);
    // A full root directory leaves no room, whatever the clusters say.
    CDiskettePlan plan(CDiskettePlan::kFloppyCapacity);
    for (int i = 0; i < CDiskettePlan::kRootEntries - 1; ++i)
        plan.Add(1, "F" + std::to_string(i), 0);
    EXPECT_EQ(plan.FreeBytes(1, "ONE.TXT"), 0u);
    EXPECT_EQ(plan.FreeBytes(2, "ONE.TXT"), CDiskettePlan::kFloppyCapacity);
}
