// The five load operations on real profiles: every section's fields, their
// types and defaults.
#include <gtest/gtest.h>

#include <vector>

#include "profile/DestinationMap.h"
#include "profile/DisketteArray.h"
#include "profile/FileGroupMap.h"
#include "profile/InstallItemList.h"
#include "profile/ShortcutTargetMap.h"
#include "unit/profile/ProfileTestHelpers.h"

namespace {

std::vector<std::string> SourceNames(const CInstallItemList& list)
{
    std::vector<std::string> names;
    for (const auto& item : list)
        names.push_back(item->m_strSourceName);
    return names;
}

} // namespace

TEST(LoadDestinations, ReadsNameParentAndPath)
{
    CTestProfile profile("[destinations]\r\n"
                         "0=SAVER\r\n"
                         "1=APP||C:\\APP\\\r\n"
                         "2=DATA|1\r\n"
                         "3=APP\r\n"
                         "07=SEVEN|-1|\r\n"
                         "-2=WIN|0|E:\\WIN\\\r\n");
    CDestinationMap map;
    map.LoadDestinations(profile.Path());

    EXPECT_EQ(map.GetDestinationName(0), "SAVER");
    EXPECT_EQ(map.Lookup(0)->m_nParent, -1);
    // A present but empty parent field is destination 0; an absent one is none.
    EXPECT_EQ(map.Lookup(1)->m_nParent, 0);
    EXPECT_EQ(map.GetDestinationPath(1).GetString(), "C:\\APP\\");
    EXPECT_EQ(map.Lookup(2)->m_nParent, 1);
    EXPECT_EQ(map.Lookup(3)->m_nParent, -1);
    EXPECT_TRUE(map.Lookup(3)->m_path.IsEmpty());
    // "07" is destination 7.
    ASSERT_NE(map.Lookup(7), nullptr);
    EXPECT_EQ(map.GetDestinationName(7), "SEVEN");
    // A profile entry replaces a predefined destination's name, parent and path.
    EXPECT_EQ(map.GetDestinationName(-2), "WIN");
    EXPECT_EQ(map.Lookup(-2)->m_nParent, 0);
    EXPECT_EQ(map.GetDestinationPath(-2).GetString(), "E:\\WIN\\");
    EXPECT_EQ(map.GetCount(), 8u);
}

TEST(LoadDestinations, AnEmptyPathFieldClearsAPredefinedPath)
{
    CTestProfile profile("[destinations]\r\n-4=TMP\r\n");
    CDestinationMap map;
    map.LoadDestinations(profile.Path());
    EXPECT_TRUE(map.GetDestinationPath(-4).IsEmpty());
}

TEST(LoadDestinations, NoDestinationsRaiseCode0)
{
    CScratchDirectory scratch;
    std::string missing = scratch.File("SETUP.ini");
    std::string noSection = scratch.WriteFile("NOSECT.ini", "[groups]\r\nMain=a|b|1|1|1\r\n");
    std::string emptySection =
        scratch.WriteFile("EMPTY.ini", "[destinations]\r\n; none\r\n[groups]\r\nMain=|\r\n");
    std::string emptyFile = scratch.WriteFile("ZERO.ini", "");
    for (const std::string& path : {missing, noSection, emptySection, emptyFile}) {
        CDestinationMap map;
        EXPECT_EQ(ProfileErrorCode([&] { map.LoadDestinations(path.c_str()); }),
                  CInstallProfileException::profileMissing)
            << path;
        EXPECT_EQ(map.GetCount(), 3u);
    }
    // A directory where the file should be reads as no profile either.
    CDestinationMap map;
    EXPECT_EQ(ProfileErrorCode([&] { map.LoadDestinations(scratch.Path().c_str()); }),
              CInstallProfileException::profileMissing);
}

TEST(LoadGroups, ReadsTextsAndSetupTypeFlags)
{
    CTestProfile profile("[groups]\r\n"
                         "Main=Program files|Main part|1|1|0\r\n"
                         "Other=Other|x|0|2|yes\r\n"
                         "System95=System|s|0|1|1\r\n"
                         "Bare=only text\r\n");
    CFileGroupMap groups;
    groups.LoadGroups(profile.Path());
    ASSERT_EQ(groups.GetCount(), 4u);

    const CFileGroup* main = groups.Lookup("Main");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->m_strName, "Main");
    EXPECT_EQ(main->m_strText0, "Program files");
    EXPECT_EQ(main->m_strText1, "Main part");
    EXPECT_TRUE(main->m_bInType1);
    EXPECT_TRUE(main->m_bInType2);
    EXPECT_FALSE(main->m_bInType3);
    EXPECT_FALSE(main->m_bSelected);

    const CFileGroup* other = groups.Lookup("Other");
    ASSERT_NE(other, nullptr);
    EXPECT_FALSE(other->m_bInType1);
    EXPECT_TRUE(other->m_bInType2);  // any non-zero number
    EXPECT_FALSE(other->m_bInType3); // no digits

    // Missing fields read as empty texts and cleared flags.
    const CFileGroup* bare = groups.Lookup("Bare");
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(bare->m_strText0, "only text");
    EXPECT_EQ(bare->m_strText1, "");
    EXPECT_FALSE(bare->m_bInType1 || bare->m_bInType2 || bare->m_bInType3);

    // In profile order.
    std::vector<std::string> order;
    for (const auto& group : groups)
        order.push_back(group->m_strName);
    EXPECT_EQ(order, (std::vector<std::string>{"Main", "Other", "System95", "Bare"}));
}

TEST(LoadGroups, NamesDifferingInCaseAreTwoGroups)
{
    CTestProfile profile("[groups]\r\nMain=a|b|1|1|1\r\nMAIN=c|d|0|0|0\r\n");
    CFileGroupMap groups;
    groups.LoadGroups(profile.Path());
    ASSERT_EQ(groups.GetCount(), 2u);
    const CFileGroup* main = groups.Lookup("Main");
    const CFileGroup* upper = groups.Lookup("MAIN");
    ASSERT_NE(main, nullptr);
    ASSERT_NE(upper, nullptr);
    EXPECT_NE(main, upper);
    EXPECT_EQ(upper->m_strName, "MAIN");
    EXPECT_EQ(groups.Lookup("main"), nullptr);
}

TEST(LoadGroups, ALaterLoadReplacesAGroupInPlace)
{
    CTestProfile first("[groups]\r\nMain=old|old|0|0|0\r\n");
    CTestProfile second("[groups]\r\nMain=new|new|1|1|1\r\nExtra=|\r\n");
    CFileGroupMap groups;
    groups.LoadGroups(first.Path());
    const CFileGroup* main = groups.Lookup("Main");
    groups.LoadGroups(second.Path());
    EXPECT_EQ(groups.Lookup("Main"), main);
    EXPECT_EQ(main->m_strText0, "new");
    EXPECT_TRUE(main->m_bInType3);
    EXPECT_EQ(groups.GetCount(), 2u);
}

TEST(LoadTargets, ReadsEveryField)
{
    CTestProfile profile("[targets]\r\n"
                         "saver.exe=2|7|1|Velmo Saver|/s|saver.ico|C:\\OLD\\saver.exe\r\n"
                         "README.TXT=0\r\n");
    CShortcutTargetMap targets;
    targets.LoadTargets(profile.Path());
    ASSERT_EQ(targets.GetCount(), 2u);

    const CShortcutTarget* saver = targets.FindTarget("SAVER.EXE");
    ASSERT_NE(saver, nullptr);
    EXPECT_EQ(saver->m_strFileName, "saver.exe");
    EXPECT_EQ(saver->m_nIconIndex, 2);
    EXPECT_EQ(saver->m_nField1, 7);
    EXPECT_TRUE(saver->m_bMinimized);
    EXPECT_EQ(saver->m_strName, "Velmo Saver");
    EXPECT_EQ(saver->m_strArguments, "/s");
    EXPECT_EQ(saver->m_strIconFile, "saver.ico");
    EXPECT_EQ(saver->m_commandPath.GetString(), "C:\\OLD\\saver.exe");

    const CShortcutTarget* readme = targets.FindTarget("readme.txt");
    ASSERT_NE(readme, nullptr);
    EXPECT_EQ(readme->m_strFileName, "README.TXT");
    EXPECT_EQ(readme->m_nIconIndex, 0);
    EXPECT_FALSE(readme->m_bMinimized);
    EXPECT_TRUE(readme->m_commandPath.IsEmpty());
    EXPECT_EQ(targets.FindTarget("other.exe"), nullptr);
}

TEST(LoadTargets, KeysDifferingInCaseAreOneRecordTheLaterKept)
{
    CTestProfile profile(
        "[targets]\r\nABC.EXE=1|0|0|First\r\nother.exe=\r\nabc.exe=2|0|0|Second\r\n");
    CShortcutTargetMap targets;
    targets.LoadTargets(profile.Path());
    ASSERT_EQ(targets.GetCount(), 2u);
    const CShortcutTarget* target = targets.FindTarget("Abc.Exe");
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->m_strFileName, "abc.exe");
    // It keeps the first record's place.
    EXPECT_EQ(targets.begin()->get(), target);

    std::unique_ptr<CShortcutTarget> later(new CShortcutTarget);
    later->m_strFileName = "ABC.exe";
    later->m_strName = "Later";
    targets.SetAt(std::move(later));
    ASSERT_EQ(targets.GetCount(), 2u);
    EXPECT_EQ(targets.FindTarget("abc.EXE")->m_strName, "Later");
}

TEST(LoadItems, ReadsEveryFieldOfAFileListEntry)
{
    CTestProfile profile("[groups]\r\nMain=|\r\n"
                         "[Main]\r\n"
                         "DATA.ARC=900|1|12|-2|0|note\r\n"
                         "SAVER.SCR=5000|0|1|1|-2\r\n");
    CFileGroupMap groups;
    groups.LoadGroups(profile.Path());
    CInstallItemList items;
    items.LoadItems(profile.Path(), groups);
    ASSERT_EQ(items.GetCount(), 2u);

    const CDisketteMultiFile& saver = **items.begin();
    EXPECT_EQ(saver.m_strSourceName, "SAVER.SCR");
    EXPECT_EQ(saver.m_nSize, 5000);
    EXPECT_EQ(saver.m_nKind, CDisketteMultiFile::kindFile);
    EXPECT_EQ(saver.m_nFileCount, 1);
    EXPECT_EQ(saver.m_nDiskette, 1);
    EXPECT_FALSE(saver.m_bMarked);
    EXPECT_EQ(saver.m_nDestination, -2);
    EXPECT_EQ(saver.m_strText5, "");
    EXPECT_EQ(&saver.GetGroup(), groups.Lookup("Main"));

    const CDisketteMultiFile& data = **std::next(items.begin());
    EXPECT_EQ(data.m_strSourceName, "DATA.ARC");
    EXPECT_EQ(data.m_nSize, 900);
    EXPECT_EQ(data.m_nKind, CDisketteMultiFile::kindArchive);
    EXPECT_EQ(data.m_nFileCount, 12);
    EXPECT_EQ(data.m_nDiskette, 2);
    EXPECT_TRUE(data.m_bMarked);
    EXPECT_EQ(data.m_strText5, "note");
}

TEST(LoadItems, SelectionFollowsTheGroup)
{
    CTestProfile profile("[groups]\r\nMain=|\r\nExtra=|\r\n[Main]\r\nA=1|0|1|1|0\r\n"
                         "[Extra]\r\nB=1|0|1|1|0\r\n");
    CFileGroupMap groups;
    groups.LoadGroups(profile.Path());
    CInstallItemList items;
    items.LoadItems(profile.Path(), groups);
    ASSERT_EQ(items.GetCount(), 2u);
    for (const auto& item : items)
        EXPECT_FALSE(item->IsSelected());
    groups.Lookup("Extra")->m_bSelected = true;
    EXPECT_EQ(SourceNames(items), (std::vector<std::string>{"A", "B"}));
    EXPECT_FALSE((*items.begin())->IsSelected());
    EXPECT_TRUE((*std::next(items.begin()))->IsSelected());
}

TEST(LoadItems, AGroupWithoutFileListAddsNothing)
{
    CTestProfile profile("[groups]\r\nMain=|\r\nGhost=|\r\n[Main]\r\nA=1|0|1|1|0\r\n");
    CFileGroupMap groups;
    groups.LoadGroups(profile.Path());
    CInstallItemList items;
    EXPECT_NO_THROW(items.LoadItems(profile.Path(), groups));
    EXPECT_EQ(SourceNames(items), std::vector<std::string>{"A"});
}

TEST(LoadItems, AddsToWhatTheListHolds)
{
    CTestProfile profile("[groups]\r\nMain=|\r\n[Main]\r\nA=1|0|1|2|0\r\n");
    CFileGroupMap groups;
    groups.LoadGroups(profile.Path());
    CInstallItemList items;
    items.LoadItems(profile.Path(), groups);
    items.LoadItems(profile.Path(), groups);
    EXPECT_EQ(items.GetCount(), 2u);
}

TEST(LoadDiskettes, StoresLabelsByNumber)
{
    CTestProfile profile("[diskettes]\r\n"
                         "1=Disk One|first\r\n"
                         "03=Disk Three\r\n"
                         "4=\r\n");
    CDisketteArray diskettes;
    diskettes.LoadDiskettes(profile.Path());
    ASSERT_NE(diskettes.GetDisketteLabel(1), nullptr);
    EXPECT_STREQ(diskettes.GetDisketteLabel(1), "Disk One");
    EXPECT_EQ(diskettes.GetDisketteLabel(2), nullptr);
    ASSERT_NE(diskettes.GetDisketteLabel(3), nullptr);
    EXPECT_STREQ(diskettes.GetDisketteLabel(3), "Disk Three");
    // An entry with an empty label is there, its label empty.
    ASSERT_NE(diskettes.GetDisketteLabel(4), nullptr);
    EXPECT_STREQ(diskettes.GetDisketteLabel(4), "");
    EXPECT_EQ(diskettes.GetDisketteLabel(0), nullptr);
    EXPECT_EQ(diskettes.GetDisketteLabel(5), nullptr);
    EXPECT_EQ(diskettes.GetSize(), 5);
}

TEST(LoadDiskettes, NoSectionNoLabels)
{
    CTestProfile profile("[destinations]\r\n0=APP\r\n");
    CDisketteArray diskettes;
    diskettes.LoadDiskettes(profile.Path());
    EXPECT_EQ(diskettes.GetSize(), 0);
    EXPECT_EQ(diskettes.GetDisketteLabel(1), nullptr);
}
