// The destination map: the predefined destinations, records made and changed
// by number, and the derivation of paths from parents.
#include <gtest/gtest.h>

#include "profile/DestinationMap.h"
#include "unit/profile/ProfileTestHelpers.h"

namespace {

std::string PathOf(const CDestinationMap& map, int16_t number)
{
    return map.GetDestinationPath(number).GetString();
}

} // namespace

TEST(DestinationMap, StartsWithTheSystemDirectories)
{
    CDestinationMap map;
    EXPECT_EQ(map.GetCount(), 3u);
    EXPECT_EQ(PathOf(map, CDestinationMap::kWindows), CFilePath(CFilePath::locWindows).GetString());
    EXPECT_EQ(PathOf(map, CDestinationMap::kSystem), CFilePath(CFilePath::locSystem).GetString());
    EXPECT_EQ(PathOf(map, CDestinationMap::kTemp), CFilePath(CFilePath::locTemp).GetString());
    for (int16_t number : {-2, -3, -4}) {
        const CDestination* d = map.Lookup(number);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->m_nNumber, number);
        EXPECT_EQ(d->m_strName, "");
        EXPECT_EQ(d->m_nParent, CDestination::kNoParent);
    }
    // The predefined ones are settled as they are.
    EXPECT_NO_THROW(map.ResolveDestinations());
}

TEST(DestinationMap, UnknownNumbers)
{
    CDestinationMap map;
    EXPECT_EQ(map.Lookup(5), nullptr);
    EXPECT_EQ(map.GetDestinationName(5), "");
    // A file placed in a destination the profile lacks cannot go anywhere.
    EXPECT_EQ(ProfileErrorCode([&] { map.GetDestinationPath(5); }),
              CInstallProfileException::badDestination);
    EXPECT_EQ(map.Lookup(5), nullptr);
}

TEST(DestinationResolve, DerivesChainsWhateverTheMapOrder)
{
    // The same chain numbered upward and downward: the map visits the
    // destinations in number order, so one of the two runs against the chain.
    struct {
        int16_t app, data;
    } numberings[] = {{1, 2}, {20, 10}};
    for (const auto& n : numberings) {
        CDestinationMap map;
        map.SetDestinationLink(n.data, "DATA", n.app);
        map.SetDestinationLink(n.app, "APP", 0);
        map.SetDestinationLink(0, "PROG", -1);
        map.SetDestinationPath(0, "C:\\PROG\\");
        map.ResolveDestinations();
        EXPECT_EQ(PathOf(map, n.app), "C:\\PROG\\APP\\");
        EXPECT_EQ(PathOf(map, n.data), "C:\\PROG\\APP\\DATA\\");
        EXPECT_EQ(PathOf(map, 0), "C:\\PROG\\");
    }
}

TEST(DestinationResolve, ChainsAsDeepAsTheMapResolve)
{
    // 1 <- 2 <- ... <- 40, every link against the map's order but the first:
    // destination k has parent k - 1 numbered downward.
    CDestinationMap map;
    const int kDepth = 40;
    for (int k = 1; k <= kDepth; ++k)
        map.SetDestinationLink(static_cast<int16_t>(-100 - k), "D",
                               static_cast<int16_t>(k == 1 ? 0 : -100 - (k - 1)));
    map.SetDestinationPath(0, "C:\\");
    map.ResolveDestinations();
    std::string expected = "C:\\";
    for (int k = 0; k < kDepth; ++k)
        expected += "D\\";
    EXPECT_EQ(PathOf(map, -100 - kDepth), expected);
}

TEST(DestinationResolve, AFixedPathIsKept)
{
    CDestinationMap map;
    map.SetDestinationLink(3, "SUB", 0);
    map.SetDestinationPath(3, "D:\\FIXED\\");
    map.SetDestinationPath(0, "C:\\PROG\\");
    map.ResolveDestinations();
    EXPECT_EQ(PathOf(map, 3), "D:\\FIXED\\");
}

TEST(DestinationResolve, NoParentAndNoPathStaysEmpty)
{
    CDestinationMap map;
    map.SetDestinationLink(4, "LOOSE", -1);
    EXPECT_TRUE(map.Lookup(4)->ResolveDestination(false));
    EXPECT_NO_THROW(map.ResolveDestinations());
    EXPECT_TRUE(map.Lookup(4)->m_path.IsEmpty());
}

TEST(DestinationResolve, UnsettledDestinationsRaiseCode1)
{
    {
        SCOPED_TRACE("parent that does not exist");
        CDestinationMap map;
        map.SetDestinationPath(0, "C:\\PROG\\");
        map.SetDestinationLink(5, "X", 9);
        EXPECT_EQ(ProfileErrorCode([&] { map.ResolveDestinations(); }),
                  CInstallProfileException::badDestination);
        EXPECT_TRUE(map.Lookup(5)->m_path.IsEmpty());
    }
    {
        SCOPED_TRACE("two destinations naming each other");
        CDestinationMap map;
        map.SetDestinationLink(1, "A", 2);
        map.SetDestinationLink(2, "B", 1);
        EXPECT_EQ(ProfileErrorCode([&] { map.ResolveDestinations(); }),
                  CInstallProfileException::badDestination);
    }
    {
        SCOPED_TRACE("own parent");
        CDestinationMap map;
        map.SetDestinationLink(1, "A", 1);
        EXPECT_EQ(ProfileErrorCode([&] { map.ResolveDestinations(); }),
                  CInstallProfileException::badDestination);
    }
    {
        SCOPED_TRACE("chain ending without path");
        CDestinationMap map;
        map.SetDestinationLink(1, "A", 0); // destination 0 not chosen yet
        map.SetDestinationLink(0, "PROG", -1);
        EXPECT_EQ(ProfileErrorCode([&] { map.ResolveDestinations(); }),
                  CInstallProfileException::badDestination);
    }
    {
        SCOPED_TRACE("the others still resolve");
        CDestinationMap map;
        map.SetDestinationPath(0, "C:\\PROG\\");
        map.SetDestinationLink(1, "APP", 0);
        map.SetDestinationLink(5, "X", 9);
        EXPECT_NE(ProfileErrorCode([&] { map.ResolveDestinations(); }), -1);
        EXPECT_EQ(PathOf(map, 1), "C:\\PROG\\APP\\");
    }
}
