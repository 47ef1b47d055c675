// The install profile reader fuzzed under Windows (it reads through the
// system's private-profile functions, which a native fuzzer cannot reach).
//
// From a fixed seed, thousands of profiles: the sample profile mutated byte by
// byte; profiles put together from nasty parts (huge lines,
// missing separators, numbers out of range, duplicate keys and sections)
// (binary garbage, and deep, circular and dangling destination chains, are
// cases of the profile's unit tests). Each goes
// through the real loaders in the reading page's order, then through the
// destination page's resolution. Every step either succeeds or raises
// CInstallProfileException; nothing else, no crash, no hang (CTest's timeout).
// What loads must hold together: the item list in diskette order, and after a
// resolution every derived destination with a path.
//
// PROFILE_FUZZ_COUNT sets how many profiles (default 500, a few seconds under
// Wine); PROFILE_FUZZ_SEED another seed. A profile that fails is kept as
// profile-fuzz-failure-N.ini in the current directory.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "errors/InstallProfileException.h"
#include "profile/DestinationMap.h"
#include "profile/DisketteArray.h"
#include "profile/FileGroupMap.h"
#include "profile/InstallItemList.h"
#include "profile/ShortcutTargetMap.h"
#include "common/ScratchDirectory.h"

namespace {

// The sample product's profile, sizes filled in.
const char kSampleProfile[] =
    "; Install profile of the Velmo Screen Saver sample diskette set.\r\n"
    "[destinations]\r\n0=VELMO\r\n1=DOCS|0\r\n\r\n"
    "[groups]\r\nMain=Velmo Screen Saver|The screen saver itself|1|1|1\r\n"
    "Docs=Documentation|Read-me and licence|0|1|1\r\n\r\n"
    "[Main]\r\nSAVER.ARC=41233|1|2|1|0|screen saver and licence\r\n\r\n"
    "[Docs]\r\nREADME.TXT=376|0|1|1|1|read-me\r\n\r\n"
    "[targets]\r\nvelmosaver.scr=0|0|0|Velmo Screen Saver|/s||\r\n"
    "readme.txt=0|0|0|Velmo Read Me|||\r\n\r\n"
    "[diskettes]\r\n1=Velmo Screen Saver Disk 1|\r\n2=Velmo Screen Saver Disk 2|\r\n";

// std::mt19937's sequence is fixed by the standard: a seed gives the same
// profiles everywhere.
struct CRandom : std::mt19937 {
    explicit CRandom(uint32_t seed) : std::mt19937(seed) {}
    uint32_t Next() { return static_cast<uint32_t>((*this)()); }
    uint32_t Below(uint32_t n) { return n == 0 ? 0 : Next() % n; }
    bool OneIn(uint32_t n) { return Below(n) == 0; }
    template <class T> const T& Pick(const std::vector<T>& items)
    {
        return items[Below(static_cast<uint32_t>(items.size()))];
    }
};

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

const std::vector<std::string> kSections = {"destinations", "groups", "targets",      "diskettes",
                                            "Main",         "Docs",   "DESTINATIONS", "main"};
// Numbers and texts out of range or of the wrong kind, one per line of each.
const std::vector<std::string> kNumbers = Lines("0\n1\n-1\n2\n-2\n-3\n-4\n07\n32767\n-32768\n"
                                                "32768\n65535\n65536\n70000\n2147483647\n"
                                                "-2147483648\n2147483648\n4294967296\n"
                                                "99999999999999999999\n+5\n 12\n12abc\nabc\n\n-\n"
                                                "0x10\n1e3");
const std::vector<std::string> kTexts =
    Lines("\nAPP\nC:\\APP\\\nD:\\FIXED\\\n..\\..\\\n\\\\server\\share\\\nA:\n"
          "a very long name with blanks\n\"quoted\"\n;not a comment\n[notasection]\nx=y\n=\n"
          "|\n||||||||\n\xE9\xE8\x83\x5C\nCON\nNUL:\n*?<>\n" +
          std::string(300, 'L'));

std::string Number(CRandom& random)
{
    return random.OneIn(4) ? std::to_string(static_cast<int32_t>(random.Next()))
                           : random.Pick(kNumbers);
}

std::string Field(CRandom& random)
{
    return random.OneIn(2) ? Number(random) : random.Pick(kTexts);
}

std::string Value(CRandom& random)
{
    std::string value;
    const uint32_t fields = random.Below(9);
    for (uint32_t i = 0; i < fields; ++i)
        value += (i > 0 ? "|" : "") + Field(random);
    return value;
}

// Sections put together from the parts above, repeated and overlapping.
std::string Assembled(CRandom& random)
{
    std::string text;
    const uint32_t sections = random.Below(8);
    for (uint32_t s = 0; s < sections; ++s) {
        text += "[" + random.Pick(kSections) + "]\r\n";
        const uint32_t entries = random.Below(random.OneIn(40) ? 1500 : 12);
        for (uint32_t e = 0; e < entries; ++e) {
            const std::string key = random.OneIn(2) ? Number(random) : random.Pick(kTexts);
            text += key + (random.OneIn(20) ? "" : "=") + Value(random) + "\r\n";
            if (random.OneIn(8))
                text += key + "=" + Value(random) + "\r\n"; // the same key again
        }
    }
    return text;
}

// The sample profile with a few mutations: bytes changed, inserted or
// deleted, a huge line, a number out of range, assembled sections (with
// their repeated keys and missing separators) put in.
std::string Mutated(CRandom& random)
{
    std::string text = kSampleProfile;
    const uint32_t mutations = 1 + random.Below(8);
    for (uint32_t m = 0; m < mutations && !text.empty(); ++m) {
        const size_t at = random.Below(static_cast<uint32_t>(text.size()));
        switch (random.Below(6)) {
        case 0:
            text[at] = static_cast<char>(random.Next());
            break;
        case 1:
            text.insert(at, 1, static_cast<char>(random.Next()));
            break;
        case 2:
            text.erase(at, random.Below(40));
            break;
        case 3: // a huge line
            text.insert(at, std::string(random.OneIn(4) ? 70000 : 300,
                                        static_cast<char>('A' + random.Below(26))));
            break;
        case 4:
            text.insert(at, Number(random));
            break;
        default:
            text.insert(at, "\r\n" + Assembled(random));
            break;
        }
    }
    return text;
}

// Runs step: it succeeds or raises CInstallProfileException, nothing else.
bool Step(const char* what, const std::function<void()>& step)
{
    try {
        step();
        return true;
    } catch (CInstallProfileException* e) {
        e->Delete();
    } catch (CException* e) {
        ADD_FAILURE() << what << " raised " << e->GetRuntimeClass()->m_lpszClassName;
        e->Delete();
    }
    return false;
}

// Loads one profile as the reading and destination pages do.
void LoadProfile(const std::string& path)
{
    CDestinationMap destinations;
    CFileGroupMap groups;
    CShortcutTargetMap targets;
    CInstallItemList items;
    CDisketteArray diskettes;
    const bool loaded =
        Step("LoadDestinations", [&] { destinations.LoadDestinations(path.c_str()); });
    Step("LoadGroups", [&] { groups.LoadGroups(path.c_str()); });
    Step("LoadTargets", [&] { targets.LoadTargets(path.c_str()); });
    Step("LoadItems", [&] { items.LoadItems(path.c_str(), groups); });
    Step("LoadDiskettes", [&] { diskettes.LoadDiskettes(path.c_str()); });

    const CDisketteMultiFile* previous = nullptr;
    for (const auto& item : items) {
        EXPECT_GE(item->m_nDiskette, 0);
        EXPECT_TRUE(previous == nullptr || previous->m_nDiskette < item->m_nDiskette ||
                    (previous->m_nDiskette == item->m_nDiskette &&
                     (!previous->m_bMarked || item->m_bMarked)))
            << "items in diskette order, unmarked first";
        diskettes.GetDisketteLabel(item->m_nDiskette);
        previous = item.get();
    }
    items.RequiredBytes(4096, true);
    items.RequiredBytes(0, false);
    for (const auto& target : targets)
        EXPECT_NE(targets.FindTarget(target->m_strFileName.c_str()), nullptr)
            << "every target is found by its file name";

    if (loaded && Step("ResolveDestinations", [&] {
            destinations.SetDestinationPath(CDestinationMap::kMain, "C:\\PROG\\");
            destinations.ResolveDestinations();
        })) {
        for (const auto& entry : destinations)
            EXPECT_TRUE(entry.second->m_nParent == CDestination::kNoParent ||
                        !entry.second->m_path.IsEmpty())
                << "after resolution every derived destination has a path";
    }
}

uint32_t FromEnvironment(const char* name, uint32_t fallback)
{
    const char* text = getenv(name);
    return text != nullptr && *text != '\0' ? static_cast<uint32_t>(strtoul(text, nullptr, 10))
                                            : fallback;
}

} // namespace

TEST(ProfileFuzz, EveryProfileLoadsOrRaisesTheProfileException)
{
    const uint32_t count = FromEnvironment("PROFILE_FUZZ_COUNT", 500);
    CRandom random(FromEnvironment("PROFILE_FUZZ_SEED", 1));
    CScratchDirectory scratch;
    for (uint32_t i = 0; i < count && !HasFailure(); ++i) {
        const std::string text = random.OneIn(3) ? Assembled(random) : Mutated(random);
        // A new name each time: the system may cache a profile it has read.
        const std::string path = scratch.WriteFile("SETUP" + std::to_string(i) + ".ini", text);
        LoadProfile(path);
        DeleteFileA(path.c_str());
        if (HasFailure()) {
            const std::string kept = "profile-fuzz-failure-" + std::to_string(i) + ".ini";
            std::ofstream(kept, std::ios::binary) << text;
            ADD_FAILURE() << "profile " << i << " failed, kept as " << kept;
        }
    }
}
