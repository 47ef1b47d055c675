// Odd and damaged profiles: each loads or fails as the rules say, and none
// crashes or hangs.
#include <gtest/gtest.h>

#include <vector>

#include "profile/DestinationMap.h"
#include "profile/DisketteArray.h"
#include "profile/FileGroupMap.h"
#include "profile/InstallItemList.h"
#include "profile/ShortcutTargetMap.h"
#include "unit/profile/ProfileTestHelpers.h"

TEST(BadProfile, KeysWithoutDigitsReadAsZero)
{
    CTestProfile profile("[destinations]\r\nmain=SAVER\r\n"
                         "[diskettes]\r\nfirst=Zero\r\n");
    CDestinationMap map;
    map.LoadDestinations(profile.Path());
    EXPECT_EQ(map.GetDestinationName(0), "SAVER");
    CDisketteArray diskettes;
    diskettes.LoadDiskettes(profile.Path());
    ASSERT_NE(diskettes.GetDisketteLabel(0), nullptr);
    EXPECT_STREQ(diskettes.GetDisketteLabel(0), "Zero");
}

TEST(BadProfile, HugeNumbersWrapToTheirFieldWidth)
{
    CTestProfile profile("[destinations]\r\n"
                         "70000=WRAPPED|65535\r\n" // 70000 - 65536; parent 65535 is -1
                         "[groups]\r\nMain=|\r\n"
                         "[Main]\r\n"
                         "BIG=99999999999|0|1|-32768|0\r\n" // size modulo 2^32
                         "NEG=-5|65537|-3|  -2 |1\r\n"
                         "[diskettes]\r\n"
                         "2000000000=Far\r\n"
                         "4000000000=Wrapped\r\n" // -294967296: no diskette
                         "-1=Negative\r\n");
    CDestinationMap map;
    map.LoadDestinations(profile.Path());
    ASSERT_NE(map.Lookup(4464), nullptr);
    EXPECT_EQ(map.GetDestinationName(4464), "WRAPPED");
    EXPECT_EQ(map.Lookup(4464)->m_nParent, CDestination::kNoParent);

    CFileGroupMap groups;
    groups.LoadGroups(profile.Path());
    CInstallItemList items;
    items.LoadItems(profile.Path(), groups);
    ASSERT_EQ(items.GetCount(), 2u);
    const CDisketteMultiFile& neg = **items.begin();
    EXPECT_EQ(neg.m_strSourceName, "NEG");
    EXPECT_EQ(neg.m_nSize, -5);
    EXPECT_EQ(neg.m_nKind, 1); // 65537 keeps its low 16 bits
    EXPECT_EQ(neg.m_nFileCount, -3);
    EXPECT_EQ(neg.m_nDiskette, 2); // blanks before the sign are skipped
    EXPECT_TRUE(neg.m_bMarked);
    const CDisketteMultiFile& big = **std::next(items.begin());
    EXPECT_EQ(big.m_nSize, static_cast<int32_t>(99999999999LL % (1LL << 32)));
    EXPECT_EQ(big.m_nDiskette, 32768);
    EXPECT_TRUE(big.m_bMarked);

    CDisketteArray diskettes;
    diskettes.LoadDiskettes(profile.Path());
    EXPECT_STREQ(diskettes.GetDisketteLabel(2000000000), "Far");
    EXPECT_EQ(diskettes.GetSize(), 2000000001);
    EXPECT_EQ(diskettes.GetDisketteLabel(-1), nullptr);
    EXPECT_EQ(diskettes.GetDisketteLabel(-294967296), nullptr);
}

TEST(BadProfile, MissingNumericFieldsReadAsZero)
{
    CTestProfile profile("[groups]\r\nMain=|\r\n[Main]\r\nBARE=\r\nHALF=700|1\r\n"
                         "[targets]\r\nx.exe=\r\n");
    CFileGroupMap groups;
    groups.LoadGroups(profile.Path());
    CInstallItemList items;
    items.LoadItems(profile.Path(), groups);
    ASSERT_EQ(items.GetCount(), 2u);
    for (const auto& item : items) {
        EXPECT_EQ(item->m_nFileCount, 0);
        EXPECT_EQ(item->m_nDiskette, 0);
        EXPECT_FALSE(item->m_bMarked);
        EXPECT_EQ(item->m_nDestination, 0);
    }
    EXPECT_EQ((*items.begin())->m_nSize, 0);
    EXPECT_EQ((*std::next(items.begin()))->m_nSize, 700);
    EXPECT_EQ((*std::next(items.begin()))->m_nKind, 1);

    CShortcutTargetMap targets;
    targets.LoadTargets(profile.Path());
    const CShortcutTarget* target = targets.FindTarget("x.exe");
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->m_nIconIndex, 0);
    EXPECT_EQ(target->m_nField1, 0);
    EXPECT_FALSE(target->m_bMinimized);
    EXPECT_EQ(target->m_strName, "");
}

TEST(BadProfile, FieldsBeyondThe254thCharacterAreAbsent)
{
    std::string cut = std::string(254, 'A') + "|0|C:\\X\\";   // parent and path cut off
    std::string whole = std::string(247, 'B') + "|0|C:\\Y";   // exactly 254: all there
    std::string lostOne = std::string(248, 'C') + "|0|C:\\Z"; // 255: the last character goes
    CTestProfile profile("[destinations]\r\n1=" + cut + "\r\n2=" + whole + "\r\n3=" + lostOne +
                         "\r\n");
    CDestinationMap map;
    map.LoadDestinations(profile.Path());
    EXPECT_EQ(map.GetDestinationName(1), std::string(254, 'A'));
    EXPECT_EQ(map.Lookup(1)->m_nParent, CDestination::kNoParent);
    EXPECT_TRUE(map.Lookup(1)->m_path.IsEmpty());
    EXPECT_EQ(map.Lookup(2)->m_nParent, 0);
    EXPECT_EQ(map.GetDestinationPath(2).GetString(), "C:\\Y");
    EXPECT_EQ(map.GetDestinationPath(3).GetString(), "C:\\");
}

TEST(BadProfile, DestinationCyclesAndDanglingParentsLoadButDoNotResolve)
{
    CTestProfile cycle("[destinations]\r\n0=APP\r\n1=A|2\r\n2=B|3\r\n3=C|1\r\n");
    CDestinationMap cyclic;
    cyclic.LoadDestinations(cycle.Path());
    cyclic.SetDestinationPath(0, "C:\\APP\\");
    EXPECT_EQ(ProfileErrorCode([&] { cyclic.ResolveDestinations(); }),
              CInstallProfileException::badDestination);

    CTestProfile dangling("[destinations]\r\n0=APP\r\n1=A|0\r\n5=X|9\r\n");
    CDestinationMap map;
    map.LoadDestinations(dangling.Path());
    map.SetDestinationPath(0, "C:\\APP\\");
    EXPECT_EQ(ProfileErrorCode([&] { map.ResolveDestinations(); }),
              CInstallProfileException::badDestination);
}

TEST(BadProfile, ThousandsOfEntries)
{
    // 3000 items over 7 diskettes, every third one marked; 2000 destinations
    // in one chain that runs against the map's order.
    std::string text = "[groups]\r\nMain=|\r\n[Main]\r\n";
    for (int i = 0; i < 3000; ++i) {
        int diskette = 1 + (i * 5) % 7;
        text += "F" + std::to_string(i) + "=1|0|1|" + (i % 3 == 0 ? "-" : "") +
                std::to_string(diskette) + "|0\r\n";
    }
    text += "[destinations]\r\n0=ROOT\r\n";
    for (int k = 1; k <= 2000; ++k)
        text +=
            std::to_string(-10 - k) + "=D|" + std::to_string(k == 1 ? 0 : -10 - (k - 1)) + "\r\n";
    CTestProfile profile(text);

    CFileGroupMap groups;
    groups.LoadGroups(profile.Path());
    CInstallItemList items;
    items.LoadItems(profile.Path(), groups);
    ASSERT_EQ(items.GetCount(), 3000u);
    // Sorted by diskette and mark; equal items in reading order.
    const CDisketteMultiFile* previous = nullptr;
    for (const auto& item : items) {
        if (previous != nullptr) {
            ASSERT_LE(previous->m_nDiskette, item->m_nDiskette);
            if (previous->m_nDiskette == item->m_nDiskette) {
                ASSERT_LE(previous->m_bMarked, item->m_bMarked);
                if (previous->m_bMarked == item->m_bMarked) {
                    ASSERT_LT(std::stoi(previous->m_strSourceName.substr(1)),
                              std::stoi(item->m_strSourceName.substr(1)));
                }
            }
        }
        previous = item.get();
    }

    CDestinationMap map;
    map.LoadDestinations(profile.Path());
    EXPECT_EQ(map.GetCount(), 2004u);
    map.SetDestinationPath(0, "C:\\");
    EXPECT_NO_THROW(map.ResolveDestinations());
    // Far down the chain the path has reached the length limit.
    EXPECT_EQ(map.GetDestinationPath(-11).GetString(), "C:\\D\\");
    EXPECT_LE(map.GetDestinationPath(-2010).GetString().size(), CFilePath::kMaxPath);
}

TEST(BadProfile, BinaryGarbageIsNoProfile)
{
    std::string garbage;
    uint32_t state = 12345;
    for (int i = 0; i < 8192; ++i) {
        state = state * 1103515245u + 12345u;
        char c = static_cast<char>(state >> 24);
        garbage += c == '[' ? ' ' : c;
    }
    CTestProfile profile(garbage);
    CDestinationMap map;
    EXPECT_EQ(ProfileErrorCode([&] { map.LoadDestinations(profile.Path()); }),
              CInstallProfileException::profileMissing);
    CFileGroupMap groups;
    groups.LoadGroups(profile.Path());
    EXPECT_EQ(groups.GetCount(), 0u);
}

TEST(BadProfile, LinesWithoutEqualsSignDoNotDisturbTheEntries)
{
    CTestProfile profile("[groups]\r\nnonsense line\r\nMain=T|U|1|1|1\r\n=novalue\r\n");
    CFileGroupMap groups;
    groups.LoadGroups(profile.Path());
    const CFileGroup* main = groups.Lookup("Main");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->m_strText0, "T");
    EXPECT_TRUE(main->m_bInType3);
}
