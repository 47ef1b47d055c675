// The install profile read from real files: every section's fields, their
// types and defaults, odd values that must load or fail as the rules say, and
// the space items need (a whole profile as a product ships it is read by every
// end-to-end row).
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "profile/DestinationMap.h"
#include "profile/DisketteArray.h"
#include "profile/FileGroupMap.h"
#include "profile/InstallItemList.h"
#include "profile/ShortcutTargetMap.h"
#include "common/ScratchDirectory.h"
#include "unit/support/FileFailure.h"

namespace {

using Lines = std::vector<std::string>;

const char kMissing[] = "CInstallProfileException 0",
           kBadDestination[] = "CInstallProfileException 1";

// The five collections filled from a profile file in the reading page's order;
// the others are read even when the destinations fail (their code is kept).
struct CLoadedProfile {
    explicit CLoadedProfile(const std::string& text)
    {
        CScratchDirectory directory;
        std::string path = directory.WriteFile("SETUP.ini", text);
        destinationsError = Outcome([&] { destinations.LoadDestinations(path.c_str()); });
        groups.LoadGroups(path.c_str());
        targets.LoadTargets(path.c_str());
        items.LoadItems(path.c_str(), groups);
        diskettes.LoadDiskettes(path.c_str());
    }
    CDestinationMap destinations;
    std::string destinationsError;
    CFileGroupMap groups;
    CShortcutTargetMap targets;
    CInstallItemList items;
    CDisketteArray diskettes;
};

// The records of a collection as lines of text, every field in order, to be
// compared whole.
std::vector<std::string> Describe(const CDestinationMap& map)
{
    std::vector<std::string> out;
    for (const auto& [number, d] : map)
        out.push_back(std::to_string(number) + " " + d->m_strName + " " +
                      std::to_string(d->m_nParent) + " " + d->m_path.GetString());
    return out;
}

std::vector<std::string> Describe(const CFileGroupMap& groups)
{
    std::vector<std::string> out;
    for (const auto& g : groups)
        out.push_back(g->m_strName + "|" + g->m_strText0 + "|" + g->m_strText1 + "|" +
                      char('0' + g->m_bInType1) + char('0' + g->m_bInType2) +
                      char('0' + g->m_bInType3) + char('0' + g->m_bSelected));
    return out;
}

std::vector<std::string> Describe(const CShortcutTargetMap& targets)
{
    std::vector<std::string> out;
    for (const auto& t : targets)
        out.push_back(t->m_strFileName + "|" + std::to_string(t->m_nIconIndex) + "|" +
                      std::to_string(t->m_nField1) + "|" + char('0' + t->m_bMinimized) + "|" +
                      t->m_strName + "|" + t->m_strArguments + "|" + t->m_strIconFile + "|" +
                      t->m_commandPath.GetString());
    return out;
}

std::vector<std::string> Describe(const CInstallItemList& items)
{
    std::vector<std::string> out;
    for (const auto& i : items)
        out.push_back(i->m_strSourceName + " " + std::to_string(i->m_nSize) + " " +
                      std::to_string(i->m_nKind) + " " + std::to_string(i->m_nFileCount) + " " +
                      std::to_string(i->m_nDiskette) + " " + char('0' + i->m_bMarked) + " " +
                      std::to_string(i->m_nDestination) + " " + i->m_strText5);
    return out;
}

// What an item of the given size and file count is estimated to take.
int32_t Estimate(int32_t size, int16_t files, int32_t cluster)
{
    CDisketteMultiFile::Entry entry;
    entry.size = size;
    entry.fileCount = files;
    return CDisketteMultiFile(entry, CFileGroup()).SpaceEstimate(cluster);
}

} // namespace

TEST(LoadDestinations, ReadsNameParentAndPath)
{
    std::string a254(254, 'A'), b247(247, 'B'), c248(248, 'C');
    CLoadedProfile p("[destinations]\r\n0=SAVER\r\n1=APP||C:\\APP\\\r\n2=DATA|1\r\n07=SEVEN|-1|\r\n"
                     "-2=WIN|0|E:\\WIN\\\r\n-4=TMP\r\n"
                     "70000=WRAPPED|65535\r\n" // 70000 - 65536; parent 65535 is -1
                     // Values are cut at 254 characters; the fields beyond are absent.
                     "8=" +
                     a254 + "|0|C:\\X\\\r\n9=" + b247 + "|0|C:\\Y\r\n10=" + c248 + "|0|C:\\Z\r\n");
    // An absent parent field is no parent; a present but empty one is
    // destination 0. A profile entry replaces a predefined destination.
    EXPECT_EQ(Describe(p.destinations),
              (Lines{"-4 TMP -1 ", "-3  -1 " + CFilePath(CFilePath::locSystem).GetString(),
                     "-2 WIN 0 E:\\WIN\\", "0 SAVER -1 ", "1 APP 0 C:\\APP\\", "2 DATA 1 ",
                     "7 SEVEN -1 ", "8 " + a254 + " -1 ", "9 " + b247 + " 0 C:\\Y",
                     "10 " + c248 + " 0 C:\\", "4464 WRAPPED -1 "}));
}

TEST(LoadDestinations, NoDestinationsRaiseCode0)
{
    // No section, an empty section, an empty file, 16 KiB of random bytes
    // (which every loader reads through without a fault).
    std::string garbage(16384, '\0');
    for (size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>((i * 2654435761u) >> 13);
    for (const std::string& text :
         {std::string("[groups]\r\nMain=a|b|1|1|1\r\n"),
          std::string("[destinations]\r\n; none\r\n"), std::string(), garbage})
        EXPECT_EQ(CLoadedProfile(text).destinationsError, kMissing);
    // No file, or a directory where it should be; the predefined ones stay.
    CScratchDirectory scratch;
    for (const std::string& path : {scratch.File("SETUP.ini"), scratch.Path()}) {
        CDestinationMap map;
        EXPECT_EQ(Outcome([&] { map.LoadDestinations(path.c_str()); }), kMissing);
        EXPECT_EQ(map.GetCount(), 3u);
    }
}

TEST(LoadGroups, ReadsTextsAndFlagsInProfileOrderWithExactNames)
{
    // Any non-zero number sets a flag, no digits clear it; missing fields are
    // empty or cleared. Main and MAIN are two groups (the system reads a key's
    // value ignoring case, so MAIN gets Main's).
    CLoadedProfile p("[groups]\r\nMain=Program files|Main part|1|1|0\r\n"
                     "Other=Other|x|0|2|yes\r\nBare=only text\r\nMAIN=\r\n");
    EXPECT_EQ(Describe(p.groups),
              (Lines{"Main|Program files|Main part|1100", "Other|Other|x|0100",
                     "Bare|only text||0000", "MAIN|Program files|Main part|1100"}));
    EXPECT_EQ(p.groups.Lookup("main"), nullptr);
}

TEST(LoadTargets, ReadsEveryFieldAndKeysIgnoringCase)
{
    // Of two keys differing in case the later names the record, in the first
    // one's place (the system gives both the first one's value); missing
    // numeric fields read as 0.
    CLoadedProfile p("[targets]\r\nSAVER.EXE=2|7|1|Velmo Saver|/s|saver.ico|C:\\OLD\\saver.exe\r\n"
                     "x.exe=\r\nsaver.exe=\r\n");
    EXPECT_EQ(
        Describe(p.targets),
        (Lines{"saver.exe|2|7|1|Velmo Saver|/s|saver.ico|C:\\OLD\\saver.exe", "x.exe|0|0|0||||"}));
    EXPECT_EQ(p.targets.FindTarget("Saver.Exe"), p.targets.begin()->get());
    EXPECT_EQ(p.targets.FindTarget("other.exe"), nullptr);
}

TEST(LoadItems, OddNumbersWrapAndMissingOnesReadAsZero)
{
    // Ghost has no file list: it adds nothing and is no error.
    CLoadedProfile p("[groups]\r\nMain=|\r\nGhost=|\r\n[Main]\r\n"
                     "BIG=99999999999|0|1|-32768|0\r\n" // size modulo 2^32
                     "NEG=-5|65537|-3|  -2 |1|note\r\n" // blanks before the sign are skipped
                     "BARE=\r\nHALF=700|1\r\n");
    EXPECT_EQ(Describe(p.items),
              (Lines{"BARE 0 0 0 0 0 0 ", "HALF 700 1 0 0 0 0 ", "NEG -5 1 -3 2 1 1 note",
                     "BIG 1215752191 0 1 32768 1 0 "}));
}

TEST(LoadDiskettes, StoresLabelsByNumber)
{
    CLoadedProfile p("[diskettes]\r\n1=Disk One|first\r\n03=Disk Three\r\n4=\r\nfirst=Zero\r\n"
                     "2000000000=Far\r\n4000000000=Wrapped\r\n-1=Negative\r\n");
    // A far number grows the array without allocating it whole; a number that
    // wraps negative, or a negative one, gives no diskette; "first" is 0.
    EXPECT_EQ(p.diskettes.GetSize(), 2000000001);
    const std::pair<int32_t, const char*> labels[] = {
        {1, "Disk One"}, {3, "Disk Three"},   {4, ""},
        {0, "Zero"},     {2000000000, "Far"}, {2, nullptr},
        {5, nullptr},    {-1, nullptr},       {-294967296, nullptr}};
    for (const auto& [number, label] : labels)
        EXPECT_STREQ(p.diskettes.GetDisketteLabel(number), label) << number;
}

TEST(ResolveDestinations, DanglingParentsAndCyclesRaiseCode1)
{
    // A parent that does not exist, two naming each other, its own parent, a
    // chain ending in a destination without path; the others still resolve.
    for (const char* odd : {"5=X|9", "1=A|2\r\n2=B|1", "1=A|1", "1=A|8\r\n8=B"}) {
        CLoadedProfile p(std::string("[destinations]\r\n7=APP|0\r\n") + odd + "\r\n");
        p.destinations.SetDestinationPath(0, "C:\\PROG\\");
        EXPECT_EQ(Outcome([&] { p.destinations.ResolveDestinations(); }), kBadDestination) << odd;
        EXPECT_EQ(p.destinations.GetDestinationPath(7).GetString(), "C:\\PROG\\APP\\") << odd;
    }
    // A file placed in a destination the profile lacks cannot go anywhere.
    EXPECT_EQ(Outcome([] { CDestinationMap().GetDestinationPath(5); }), kBadDestination);
}

TEST(LoadProfile, ThousandsOfItemsSortByDisketteAndMarkInReadingOrder)
{
    // 3000 items of 2 MB over 7 diskettes, every third one marked (the first
    // read is marked); 2000 destinations in one chain against the map's order.
    std::string text = "[groups]\r\nMain=|\r\n[Main]\r\n";
    for (int i = 0; i < 3000; ++i)
        text += "F" + std::to_string(i) + "=2000000|0|1|" + (i % 3 == 0 ? "-" : "") +
                std::to_string(1 + (i * 5) % 7) + "|0\r\n";
    text += "[destinations]\r\n0=ROOT\r\n";
    for (int k = 1; k <= 2000; ++k)
        text += std::to_string(-10 - k) + "=D|" + std::to_string(k == 1 ? 0 : -9 - k) + "\r\n";
    CLoadedProfile p(text);

    ASSERT_EQ(p.items.GetCount(), 3000u);
    auto key = [](const CDisketteMultiFile& i) {
        return std::make_tuple(i.m_nDiskette, i.m_bMarked, std::stoi(i.m_strSourceName.substr(1)));
    };
    for (auto it = p.items.begin(); std::next(it) != p.items.end(); ++it)
        ASSERT_LT(key(**it), key(**std::next(it)));
    EXPECT_EQ(p.items.RequiredBytes(0, true), 6000000000LL); // no 32-bit wrap

    EXPECT_EQ(p.destinations.GetCount(), 2004u);
    p.destinations.SetDestinationPath(0, "C:\\");
    EXPECT_NO_THROW(p.destinations.ResolveDestinations());
    // Far down the chain the path has reached the length limit.
    EXPECT_EQ(p.destinations.GetDestinationPath(-11).GetString(), "C:\\D\\");
    EXPECT_LE(p.destinations.GetDestinationPath(-2010).GetString().size(), CFilePath::kMaxPath);
}

TEST(SpaceEstimate, RoundsSingleFilesToClustersAndAddsSlackForSeveral)
{
    EXPECT_EQ(Estimate(1000, 1, 0), 1000);
    EXPECT_EQ(Estimate(1000, 1, 512), 1024);
    EXPECT_EQ(Estimate(1000, 1, 4096), 4096);
    EXPECT_EQ(Estimate(4096, 1, 4096), 4096);
    EXPECT_EQ(Estimate(1000, 3, 4096), 1000 + 6144); // one and a half clusters
    EXPECT_EQ(Estimate(1000, 3, 511), 1000 + 766);   // the half rounds toward zero
    EXPECT_EQ(Estimate(1000, -5, 512), 1024);        // 0 or fewer files count as one
    // Signed 32-bit arithmetic wraps instead of overflowing, c * k before it is
    // halved; the one division that traps on the machine wraps too.
    EXPECT_EQ(Estimate(INT32_MAX, 1, 4096), INT32_MIN + 4096);
    EXPECT_EQ(Estimate(0, 32767, 131072), -65536);
    EXPECT_EQ(Estimate(INT32_MIN + 2, 1, -1), INT32_MIN);
}
