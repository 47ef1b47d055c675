// mkdisks: lays out a product's diskette set from a description and a payload.
//
//   mkdisks [options] DESCRIPTION PAYLOAD OUT
//
// Exit status: 0 success, 1 bad input or I/O failure, 2 usage error.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "DisketteSetMaker.h"
#include "FloppyImage.h"
#include "InputError.h"
#include "PathText.h"
#include "errors/XException.h"
#include "framework/FileException.h"

namespace {

const char kUsage[] = "usage: mkdisks [--setup FILE] [--status-library FILE] [--capacity BYTES]\n"
                      "               [--time SECONDS] [--images] DESCRIPTION PAYLOAD OUT\n"
                      "       mkdisks --help\n";

const char kHelp[] =
    "\n"
    "Lays out a diskette set: OUT/DISK01, OUT/DISK02, ... with the setup program, the\n"
    "finished install profile and every file and archive the description lists.\n"
    "\n"
    "DESCRIPTION  an install profile whose file-list entries may leave the size, the\n"
    "             kind, the file count and the diskette number empty (fields 0 to 3);\n"
    "             an archive's members are listed in a section [archive NAME]:\n"
    "               [Main]\n"
    "               SAVER.ARC=||||0|the screen saver\n"
    "               [archive SAVER.ARC]\n"
    "               velmosaver.scr=-3          member=destination[|stored|text]\n"
    "             A given diskette number places the item there (negative: after the\n"
    "             other items of that diskette).\n"
    "PAYLOAD      the directory holding the files the entries and members name\n"
    "OUT          where DISKnn (and DISKnn.IMG) are written; a set made there before\n"
    "             is replaced, nothing else is touched\n"
    "\n"
    "  --setup FILE           the setup program, first on diskette 1; the profile is\n"
    "                         named like it with extension ini (PAYLOAD/SETUP.EXE)\n"
    "  --status-library FILE  the status library, put on diskette 1 as ismif32.dll\n"
    "  --capacity BYTES       bytes per diskette, counted in 512-byte clusters\n"
    "                         (1457664, a formatted 1.44 MB floppy)\n"
    "  --time SECONDS         the time of every file, member and image entry, seconds\n"
    "                         since 1970 (SOURCE_DATE_EPOCH when set; else each payload\n"
    "                         file's own, and the newest input's for what mkdisks makes)\n"
    "  --images               also OUT/DISKnn.IMG, a 1.44 MB FAT12 floppy image per\n"
    "                         diskette, volume-labelled from [diskettes] (needs mtools)\n"
    "\n"
    "Items are placed in the order the setup program installs them; an archive that\n"
    "does not fit is cut across diskettes, a plain file that does not fit starts the\n"
    "next one. The finished profile is read back with the setup program's reader.\n"
    "Exit status: 0 success, 1 bad input or I/O failure, 2 usage error.\n";

struct UsageError {
    std::string message;
};

bool ParseNumber(const char* text, long long low, long long high, long long& out)
{
    if (text == nullptr || *text == '\0')
        return false;
    char* end = nullptr;
    errno = 0;
    const long long value = strtoll(text, &end, 10);
    if (errno != 0 || *end != '\0' || value < low || value > high)
        return false;
    out = value;
    return true;
}

std::string Describe(CException* e)
{
    CXException* x = e->IsKindOf(RUNTIME_CLASS(CXException)) ? static_cast<CXException*>(e)
                                                             : TranslateToXException(e);
    x->PrepareErrorTexts();
    std::string text = g_strXErrorTitle;
    if (x != e)
        x->Delete();
    if (e->IsKindOf(RUNTIME_CLASS(CFileException))) {
        const CFileException* f = static_cast<CFileException*>(e);
        if (!f->m_strFileName.empty())
            text = f->m_strFileName + ": " + text;
    }
    return text;
}

int Run(const std::vector<std::string>& args)
{
    CDisketteSetMaker::Options options;
    bool images = false;
    bool timeGiven = false;
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const char* {
            if (i + 1 >= args.size())
                throw UsageError{a + " needs a value"};
            return args[++i].c_str();
        };
        long long n = 0;
        if (a == "--help" || a == "-h") {
            fputs(kUsage, stdout);
            fputs(kHelp, stdout);
            return 0;
        } else if (a == "--setup") {
            options.setup = value();
        } else if (a == "--status-library") {
            options.statusLibrary = value();
        } else if (a == "--capacity") {
            if (!ParseNumber(value(), 1024, 0x7FFFFFFF, n))
                throw UsageError{"--capacity takes a number of bytes from 1024"};
            options.capacity = static_cast<uint64_t>(n);
        } else if (a == "--time") {
            if (!ParseNumber(value(), 0, 0xFFFFFFFFLL, n))
                throw UsageError{"--time takes seconds since 1970, from 0 to 4294967295"};
            options.fixedTime = true;
            options.time = static_cast<uint32_t>(n);
            timeGiven = true;
        } else if (a == "--images") {
            images = true;
        } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
            throw UsageError{"unknown option " + a};
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 3)
        throw UsageError{"a description, a payload directory and an output directory are needed"};
    options.description = positional[0];
    options.payload = positional[1];
    options.out = positional[2];
    if (options.setup.empty())
        options.setup = PathText::Join(options.payload, "SETUP.EXE");
    const char* epoch = getenv("SOURCE_DATE_EPOCH");
    long long n = 0;
    if (!timeGiven && epoch != nullptr && *epoch != '\0') {
        if (!ParseNumber(epoch, 0, 0xFFFFFFFFLL, n))
            throw UsageError{"SOURCE_DATE_EPOCH is not seconds since 1970"};
        options.fixedTime = true;
        options.time = static_cast<uint32_t>(n);
    }
    if (images && options.capacity > CDiskettePlan::kFloppyCapacity)
        throw UsageError{"--images: a 1.44 MB floppy holds at most 1457664 bytes"};

    CDisketteSetMaker maker(options);
    try {
        maker.Make();
    } catch (CException* e) {
        const std::string text = Describe(e);
        e->Delete();
        fprintf(stderr, "mkdisks: %s\n", text.c_str());
        return 1;
    }
    for (const std::string& warning : maker.GetDescription().GetWarnings())
        fprintf(stderr, "mkdisks: %s\n", warning.c_str());

    const CDiskettePlan& plan = maker.GetPlan();
    for (int d = 1; d <= plan.GetCount(); ++d) {
        uint64_t used = 0;
        std::string names;
        std::vector<std::string> files;
        for (const CDiskettePlan::File& file : plan.GetFiles(d)) {
            used += CDiskettePlan::Clusters(file.bytes) * CDiskettePlan::kCluster;
            names += " " + file.name;
            files.push_back(PathText::Join(maker.DisketteDirectory(d), file.name));
        }
        const std::string label = maker.GetDescription().GetLabel(d);
        printf("%s:%s (%llu of %llu bytes)\n", maker.DisketteDirectory(d).c_str(), names.c_str(),
               static_cast<unsigned long long>(used),
               static_cast<unsigned long long>(plan.GetCapacity()));
        if (!images)
            continue;
        char image[16];
        snprintf(image, sizeof image, "DISK%02d.IMG", d);
        const std::string path = PathText::Join(options.out, image);
        const std::string reason = CFloppyImage::Make(
            path, label.empty() ? "DISK " + std::to_string(d) : label,
            maker.GetMadeTime() + static_cast<uint32_t>(d), files, maker.GetMadeTime());
        if (!reason.empty()) {
            fprintf(stderr, "mkdisks: %s: %s\n", path.c_str(), reason.c_str());
            return 1;
        }
        printf(
            "%s: volume %s\n", path.c_str(),
            CFloppyImage::VolumeLabel(label.empty() ? "DISK " + std::to_string(d) : label).c_str());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    try {
        return Run(args);
    } catch (const UsageError& e) {
        fprintf(stderr, "mkdisks: %s\n%s", e.message.c_str(), kUsage);
        return 2;
    } catch (const CInputError& e) {
        fprintf(stderr, "mkdisks: %s\n", e.Text().c_str());
        return 1;
    }
}
