// A whole profile of the kind a product ships, loaded in the reading page's
// order into exactly the collections it describes.
#include <gtest/gtest.h>

#include <vector>

#include "profile/DestinationMap.h"
#include "profile/DisketteArray.h"
#include "profile/FileGroupMap.h"
#include "profile/InstallItemList.h"
#include "profile/ShortcutTargetMap.h"
#include "unit/profile/ProfileTestHelpers.h"

namespace {

const char kProfile[] = "; Velmo Screen Saver install profile\r\n"
                        "[destinations]\r\n"
                        "0=VELMO\r\n"
                        "1=SAVER|0\r\n"
                        "2=DATA|1\r\n"
                        "3=FIXED|0|D:\\FIXED\\\r\n"
                        "\r\n"
                        "[groups]\r\n"
                        "Main=Program files|Velmo Screen Saver|1|1|1\r\n"
                        "System95=System files|Windows 95 only|0|1|1\r\n"
                        "Extras=Pictures|More pictures|0|0|1\r\n"
                        "\r\n"
                        "[targets]\r\n"
                        "saver.exe=1|0|0|Velmo Screen Saver|/s|saver.ico|\r\n"
                        "README.TXT=0|0|1|Read Me|||\r\n"
                        "\r\n"
                        "[Main]\r\n"
                        "SAVER.ARC=900|1|3|2|0|\r\n"
                        "SAVER.EXE=20480|0|1|1|1|\r\n"
                        "README.TXT=1200|0|1|1|0|\r\n"
                        "\r\n"
                        "[System95]\r\n"
                        "VELMO.DLL=30000|0|1|-1|-3|\r\n"
                        "\r\n"
                        "[Extras]\r\n"
                        "PICS.ARC=50000|1|12|-2|2|\r\n"
                        "\r\n"
                        "[diskettes]\r\n"
                        "1=Velmo Screen Saver Disk 1|\r\n"
                        "2=Velmo Screen Saver Disk 2|\r\n";

struct Collections {
    CDestinationMap destinations;
    CFileGroupMap groups;
    CShortcutTargetMap targets;
    CInstallItemList items;
    CDisketteArray diskettes;

    void Load(const char* path)
    {
        destinations.LoadDestinations(path);
        groups.LoadGroups(path);
        targets.LoadTargets(path);
        items.LoadItems(path, groups);
        diskettes.LoadDiskettes(path);
    }
};

} // namespace

TEST(RealisticProfile, LoadsIntoTheFiveCollections)
{
    CTestProfile profile(kProfile);
    Collections c;
    c.Load(profile.Path());

    // Destinations: the three predefined ones and four of the profile, none of
    // them resolved but the fixed one.
    EXPECT_EQ(c.destinations.GetCount(), 7u);
    EXPECT_EQ(c.destinations.GetDestinationName(0), "VELMO");
    EXPECT_TRUE(c.destinations.GetDestinationPath(0).IsEmpty());
    EXPECT_TRUE(c.destinations.GetDestinationPath(2).IsEmpty());
    EXPECT_EQ(c.destinations.GetDestinationPath(3).GetString(), "D:\\FIXED\\");

    // Groups, all deselected.
    ASSERT_EQ(c.groups.GetCount(), 3u);
    for (const auto& group : c.groups)
        EXPECT_FALSE(group->m_bSelected) << group->m_strName;
    ASSERT_NE(c.groups.Lookup("System95"), nullptr);
    EXPECT_TRUE(c.groups.Lookup("System95")->m_bInType2);

    // Targets, found in any case, their command paths still empty.
    ASSERT_EQ(c.targets.GetCount(), 2u);
    const CShortcutTarget* saver = c.targets.FindTarget("SAVER.EXE");
    ASSERT_NE(saver, nullptr);
    EXPECT_EQ(saver->m_strName, "Velmo Screen Saver");
    EXPECT_EQ(saver->m_strIconFile, "saver.ico");
    EXPECT_TRUE(saver->m_commandPath.IsEmpty());
    ASSERT_NE(c.targets.FindTarget("readme.txt"), nullptr);
    EXPECT_TRUE(c.targets.FindTarget("readme.txt")->m_bMinimized);

    // Items in diskette order, marked ones last on their diskette.
    std::vector<std::string> order;
    for (const auto& item : c.items)
        order.push_back(item->m_strSourceName + "@" + std::to_string(item->m_nDiskette) +
                        (item->m_bMarked ? "*" : ""));
    EXPECT_EQ(order, (std::vector<std::string>{"SAVER.EXE@1", "README.TXT@1", "VELMO.DLL@1*",
                                               "SAVER.ARC@2", "PICS.ARC@2*"}));

    // Diskette labels.
    EXPECT_STREQ(c.diskettes.GetDisketteLabel(1), "Velmo Screen Saver Disk 1");
    EXPECT_STREQ(c.diskettes.GetDisketteLabel(2), "Velmo Screen Saver Disk 2");
    EXPECT_EQ(c.diskettes.GetDisketteLabel(3), nullptr);
}

TEST(RealisticProfile, AfterTheDestinationIsChosen)
{
    CTestProfile profile(kProfile);
    Collections c;
    c.Load(profile.Path());

    // What the destination page does on Next: destination 0, resolution, the
    // typical setup's groups.
    c.destinations.SetDestinationPath(0, "C:\\VELMO\\");
    c.destinations.ResolveDestinations();
    EXPECT_EQ(c.destinations.GetDestinationPath(1).GetString(), "C:\\VELMO\\SAVER\\");
    EXPECT_EQ(c.destinations.GetDestinationPath(2).GetString(), "C:\\VELMO\\SAVER\\DATA\\");
    EXPECT_EQ(c.destinations.GetDestinationPath(3).GetString(), "D:\\FIXED\\");
    for (const auto& group : c.groups)
        group->m_bSelected = group->IsInSetupType(CFileGroup::typeTypical);

    EXPECT_EQ(c.items.RequiredBytes(0, false), 900 + 20480 + 1200 + 30000);
    EXPECT_EQ(c.items.RequiredBytes(4096, false), (900 + 6144) + 20480 + 4096 + 32768);
    EXPECT_EQ(c.items.RequiredBytes(0, true), 900 + 20480 + 1200 + 30000 + 50000);
}
