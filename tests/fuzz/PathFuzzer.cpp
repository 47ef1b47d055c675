// The path operations on arbitrary text, under the single-byte and a
// double-byte code page: a path from the input, then up to 16 operations, each
// an operation byte and an argument text.
//
// After every step, whatever the operations did (the rule tables of
// FilePathTest pin what each one does): a composed path is at most 260
// characters, a component at most 256; the directory with drive and the file
// name are made of the split parts.
#include <functional>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "support/FilePath.h"
#include "support/Mbcs.h"

namespace {

void CheckShape(const CFilePath& path, bool composed)
{
    std::string drive, dir, title, ext;
    path.Split(&drive, &dir, &title, &ext);
    if (composed)
        Require(path.GetString().size() <= CFilePath::kMaxPath,
                "a composed path fits 260 characters");
    Require(drive.size() <= 1, "the drive is one letter");
    Require(dir.size() <= CFilePath::kMaxComponent && title.size() <= CFilePath::kMaxComponent &&
                ext.size() <= CFilePath::kMaxComponent,
            "a component fits 256 characters");
    std::string directory;
    path.GetDirectory(directory);
    Require(directory == (drive.empty() ? std::string() : drive + ":" + dir),
            "the directory is drive, colon and directory, or nothing without a drive");
    std::string name;
    path.GetFileName(name);
    Require(name == title + (ext.empty() ? std::string() : "." + ext),
            "the file name is title and extension");
}

using Operation = std::function<void(CFilePath&, const std::string&)>;

const Operation kOperations[] = {
    [](CFilePath& p, const std::string& a) { p.SetFileTitle(a.c_str()); },
    [](CFilePath& p, const std::string& a) { p.SetExtension(a.c_str()); },
    [](CFilePath& p, const std::string& a) { p.AppendDir(a.c_str()); },
    [](CFilePath& p, const std::string&) {
        std::string last;
        p.UpOneLevel(&last);
    },
    [](CFilePath& p, const std::string&) { p.UpOneLevel(); },
    [](CFilePath& p, const std::string&) { p.SetRoot(); },
    [](CFilePath& p, const std::string& a) { p.SetDir(a.c_str()); },
    [](CFilePath& p, const std::string& a) { p.SetDirectory(a.c_str()); },
    [](CFilePath& p, const std::string& a) { p.SetFileName(a.c_str()); },
    [](CFilePath& p, const std::string& a) { p.SetDrive(a.empty() ? 'C' : a[0]); },
    [](CFilePath& p, const std::string& a) {
        p.MakePath(a.c_str(), a.c_str(), a.c_str(), a.c_str());
    },
    [](CFilePath& p, const std::string&) {
        std::string full;
        p.GetFullPath(full);
    },
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzInput in(data, size);
    Mbcs::SetCodePage(FuzzCodePage(in.Byte()));
    CFilePath path(in.Text());
    CheckShape(path, false);
    // Every operation that changes the text composes it anew.
    bool composed = false;
    for (int step = 0; step < 16 && !in.AtEnd(); ++step) {
        const uint8_t op = in.Byte();
        const std::string arg = in.Text();
        const std::string old = path.GetString();
        kOperations[op % (sizeof kOperations / sizeof kOperations[0])](path, arg);
        composed = composed || path.GetString() != old;
        CheckShape(path, composed);
    }
    Mbcs::SetCodePage(0);
    return 0;
}
