#include <gtest/gtest.h>

#include "ImportAllowlist.h"
#include "LoaderCheck.h"
#include "TestImage.h"

namespace {

const char kAllowlist[] = "# system DLLs\n"
                          "[KERNEL32.dll]\n"
                          "CloseHandle   # Windows 95 and NT 3.1\n"
                          "\n"
                          "[msvcrt.dll]\n"
                          "  malloc\n";

std::vector<std::string> Problems(const std::vector<TestImport>& imports,
                                  const TestImageOptions& options = {})
{
    return FindLoaderProblems(CPeImage(BuildImage(imports, options)), CImportAllowlist(kAllowlist));
}

TEST(ImportAllowlist, DllsMatchInAnyCaseFunctionsExactly)
{
    CImportAllowlist allowlist(kAllowlist);
    EXPECT_TRUE(allowlist.HasDll("kernel32.DLL"));
    EXPECT_TRUE(allowlist.Allows("KERNEL32.DLL", "CloseHandle"));
    EXPECT_TRUE(allowlist.Allows("MSVCRT.dll", "malloc"));
    EXPECT_FALSE(allowlist.Allows("KERNEL32.dll", "closehandle"));
    EXPECT_FALSE(allowlist.Allows("KERNEL32.dll", "malloc"));
    EXPECT_FALSE(allowlist.HasDll("USER32.dll"));
}

TEST(ImportAllowlist, LinesItCannotTakeAreNamedByNumber)
{
    const std::pair<const char*, const char*> cases[] = {
        {"CloseHandle\n", "line 1: 'CloseHandle' comes before any [DLL]"},
        {"# intro\n[KERNEL32.dll\n", "line 2: a DLL is written [NAME.dll]"},
        {"[ ]\n", "line 1: a DLL is written [NAME.dll]"},
        {"[KERNEL32.dll]\nCloseHandle Sleep\n", "line 2: one function a line"},
    };
    for (const auto& c : cases) {
        try {
            CImportAllowlist allowlist(c.first);
            ADD_FAILURE() << c.first << ": accepted";
        } catch (const std::invalid_argument& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.second, 0), 0u) << e.what();
        }
    }
}

// Each image and every problem the check names in it, in order.
TEST(LoaderCheck, NamesEachProblemOfAnImage)
{
    TestImageOptions newer, older;
    newer.os = {6, 0};
    newer.subsystem = {5, 1};
    older.subsystem = {3, 10};
    older.machine = 0x8664;
    older.delayImports = true;
    const struct {
        std::vector<TestImport> imports;
        TestImageOptions options;
        std::vector<std::string> problems;
    } cases[] = {
        // Listed imports (DLL names in any case) and version 4 headers: it loads.
        {{{"KERNEL32.dll", {"CloseHandle"}}, {"MSVCRT.DLL", {"malloc"}}}, {}, {}},
        {{{"KERNEL32.dll", {"CloseHandle", "GetTickCount64"}},
          {"msvcrt.dll", {"_stat64", "malloc"}}},
         {},
         {"imports KERNEL32.dll!GetTickCount64, which is not on the allowlist",
          "imports msvcrt.dll!_stat64, which is not on the allowlist"}},
        // A DLL that is not a system one is named once, whatever its functions.
        {{{"libwinpthread-1.dll", {"pthread_mutex_lock", "pthread_once"}}},
         {},
         {"depends on libwinpthread-1.dll, which is not a system DLL on the allowlist"}},
        // An ordinal import is a problem even from a listed DLL.
        {{{"KERNEL32.dll", {"#17"}}}, {}, {"imports KERNEL32.dll by ordinal 17"}},
        {{}, newer, {"operating-system version 6.0, not 4.0", "subsystem version 5.1, not 4.0"}},
        {{},
         older,
         {"machine 34404, not i386", "subsystem version 3.10, not 4.0",
          "has delay-load imports, which this check does not read"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Problems(c.imports, c.options), c.problems)
            << (c.imports.empty() ? "headers" : c.imports[0].dll);
}

} // namespace
