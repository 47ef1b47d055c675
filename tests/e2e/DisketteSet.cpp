#include "DisketteSet.h"

#include <windows.h>

#include <algorithm>
#include <cctype>

#include "SetupRun.h"

namespace {

const size_t kBigSize = 200000;
const char kReadme[] = "Read me first.\r\n";
const char kOldReadme[] = "The user's old read-me.\r\n";
const char kNotes[] = "Notes from the diskette.\r\n";
const char kOldNotes[] = "The user's own notes, newer than any diskette.\r\n";
const char kLicense[] = "Velmo Screen Saver licence: use it, enjoy it.\r\n";
const char kSys95[] = "For Windows 95 only.\r\n";
const FILETIME kYear2030 = {0xA005C000, 0x01E0F6C0};

// Every file a row may meet where the installation goes, old and new.
struct CFile {
    const char* path;
    unsigned bit;        // 0: the user's own
    std::string oldText; // empty: the user has no such file
    std::string newText; // empty: the set brings no such file
};

const std::vector<CFile>& Files()
{
    static const std::vector<CFile> files = {
        {"README.TXT", fileReadme, kOldReadme, kReadme},
        {"BIG.DAT", fileBig, Payload(50000, 7), CDisketteSet::Big()},
        {"DOCS\\LICENSE.TXT", fileLicense, "", kLicense},
        {"NOTES.TXT", fileNotes, kOldNotes, kNotes}, // the user's copy is newer
        {"MYWORK.DOC", 0, Payload(100000, 9), ""},
        {"SYS95.TXT", fileSys95, "", kSys95},
        {"BIGPLAIN.DAT", fileBigPlain, "", CDisketteSet::Big()},
    };
    return files;
}

// A name that the engine gives a file while it waits: eight hex digits and
// the extension of its target.
bool IsTemporaryName(const std::string& name)
{
    const size_t dot = name.find('.');
    return (dot == std::string::npos ? name.size() : dot) == 8 &&
           std::all_of(name.begin(), name.begin() + 8,
                       [](char ch) { return std::isxdigit(static_cast<unsigned char>(ch)) != 0; });
}

// The files below dir, as paths relative to it.
void ListFiles(const std::string& dir, const std::string& relative, std::vector<std::string>& out)
{
    for (const std::string& name : ListDirectory(dir + relative)) {
        const std::string path = relative + name;
        if (GetFileAttributesA((dir + path).c_str()) & FILE_ATTRIBUTE_DIRECTORY)
            ListFiles(dir, path + "\\", out);
        else
            out.push_back(path);
    }
}

std::string ShortcutFile(const std::string& caption)
{
    return ProgramsFolder() + "\\My PM Group\\" + caption + ".lnk";
}

} // namespace

std::string CDisketteSet::Big()
{
    return Payload(kBigSize, 1);
}

CDisketteSet::CDisketteSet(const CSetupRun& setup, const CSetOptions& options)
    : m_options(options), m_name(setup.Name()), m_disk1(setup.Dir() + "DISK01\\"),
      m_disk2(setup.Dir() + "DISK02\\"), m_exe(options.platform ? m_name + ".EXE" : "SETUP.EXE"),
      m_top(options.mounted ? std::string() : "C:\\" + m_name), m_shortcut(m_name)
{
    const std::string destination =
        options.mounted ? "velmo-fault-disk"
                        : m_name + (options.below.empty() ? "" : "\\" + options.below);
    m_target = "C:\\" + destination + "\\";
    RemoveTree(m_top.empty() ? m_target : m_top);
    DeleteFileA(ShortcutFile(m_shortcut).c_str());
    DeleteFileA(ShortcutFile(m_shortcut + " Read Me").c_str());

    const std::string work = setup.Dir() + "work\\";
    for (const std::string& dir : {work, m_disk1, m_disk2})
        CreateDirectoryA(dir.c_str(), nullptr);
    WriteWholeFile(work + "BIG.DAT", Big());
    WriteWholeFile(work + "SKIPPED.BIN", Payload(100000, 2));
    WriteWholeFile(work + "LICENSE.TXT", kLicense);
    // BIG.DAT runs across the cut between the pieces, unless in one piece.
    const std::string pack =
        "\"" + setup.Programs().mkarc + "\" pack --mtime 865166400 --method zlib --piece-size " +
        (options.onePiece ? "1000000" : "160000") +
        " SAVER.ARC --dest 0 BIG.DAT --dest -1 SKIPPED.BIN --dest 1 LICENSE.TXT";
    m_ready = RunProgram(pack, work) &&
              MoveFileA((work + "SAVER.ARC").c_str(), (m_disk1 + "SAVER.ARC").c_str()) &&
              (options.onePiece ||
               MoveFileA((work + "saver.ard").c_str(), (m_disk2 + "saver.ard").c_str()));
    std::string archive = ReadWholeFile(m_disk1 + "SAVER.ARC");
    if (options.damage == CSetOptions::damageFlipped) {
        for (size_t i = 30000; i < 30064 && i < archive.size(); ++i)
            archive[i] = static_cast<char>(archive[i] ^ 0x5A);
    } else if (options.damage == CSetOptions::damageCut) {
        archive.resize(archive.size() / 2);
    }
    WriteWholeFile(m_disk1 + "SAVER.ARC", archive);
    WriteWholeFile(m_disk1 + "README.TXT", kReadme);
    WriteWholeFile(m_disk1 + "SYS95.TXT", kSys95);
    WriteWholeFile(m_disk2 + "NOTES.TXT", kNotes);
    CopyFileA((setup.Dir() + "SETUP.EXE").c_str(), (m_disk1 + m_exe).c_str(), FALSE);
    for (const std::string& disk : {m_disk1, m_disk2})
        CopyFileA((setup.Dir() + "ismif32.dll").c_str(), (disk + "ismif32.dll").c_str(), FALSE);
    WriteProfile();
    if (options.disk2Away)
        m_ready = MoveFileA(m_disk2.c_str(), (setup.Dir() + "SPARE").c_str()) && m_ready;

    if (options.platform != nullptr) {
        // Wine reports this version to the program of this name.
        m_appDefaults = "Software\\Wine\\AppDefaults\\" + m_exe;
        HKEY key;
        m_ready = RegCreateKeyExA(HKEY_CURRENT_USER, m_appDefaults.c_str(), 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS &&
                  m_ready;
        RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(options.platform),
                       static_cast<DWORD>(strlen(options.platform) + 1));
        RegCloseKey(key);
    }
    if (options.userFiles && !options.seeded) {
        for (size_t end = 3; (end = m_target.find('\\', end)) != std::string::npos; ++end)
            CreateDirectoryA(m_target.substr(0, end).c_str(), nullptr);
        m_ready = WriteUserFiles(m_target) && m_ready;
    }
}

CDisketteSet::~CDisketteSet()
{
    RemoveTree(m_top.empty() ? m_target : m_top);
    DeleteFileA(ShortcutFile(m_shortcut).c_str());
    DeleteFileA(ShortcutFile(m_shortcut + " Read Me").c_str());
    if (!m_appDefaults.empty())
        RegDeleteKeyA(HKEY_CURRENT_USER, m_appDefaults.c_str());
}

void CDisketteSet::WriteProfile() const
{
    const std::string profile = m_disk1 + m_exe.substr(0, m_exe.size() - 3) + "ini";
    switch (m_options.profile) {
    case CSetOptions::profileMissing:
        return;
    case CSetOptions::profileUnresolvable:
        // Destinations whose chain ends nowhere: a missing parent, a cycle.
        WriteWholeFile(profile, "[destinations]\r\n0=" + m_target.substr(3, m_target.size() - 4) +
                                    "\r\n1=DOCS|7\r\n2=A|3\r\n3=B|2\r\n"
                                    "[groups]\r\nMain=Velmo|The saver|1|1|1\r\n"
                                    "[Main]\r\nREADME.TXT=16|0|1|1|0|\r\n");
        return;
    case CSetOptions::profileGood:
        break;
    }
    auto size = [](const std::string& text) { return std::to_string(text.size()); };
    const size_t archived = kBigSize + 100000 + sizeof kLicense - 1;
    std::string text = "[destinations]\r\n0=" + m_target.substr(3, m_target.size() - 4) +
                       "\r\n1=DOCS|0\r\n"
                       "[groups]\r\nMain=Velmo|The saver|1|1|1\r\n"
                       "Extras=Extras|Not typical|1|0|1\r\n"
                       "System95=System files|For Windows 95|1|1|1\r\n[Main]\r\n";
    if (m_options.missingPlain)
        text += "BIGPLAIN.DAT=" + std::to_string(kBigSize) + "|0|1|1|0|\r\n";
    text +=
        "README.TXT=" + size(kReadme) + "|0|1|1|0|\r\nSAVER.ARC=" + std::to_string(archived) +
        "|1|3|1|0|\r\nNOTES.TXT=" + size(kNotes) +
        "|0|1|2|0|\r\n[Extras]\r\nEXTRA.TXT=5|0|1|1|0|\r\n[System95]\r\nSYS95.TXT=" + size(kSys95) +
        "|0|1|1|0|\r\n[targets]\r\nbig.dat=0|0|0|" + m_shortcut + "|/s||\r\nextra.txt=0|0|0|" +
        m_shortcut + " Extra|||\r\nreadme.txt=2|0|1|" + m_shortcut +
        " Read Me||saver.ico|\r\n[diskettes]\r\n1=E2E Disk 1|\r\n2=E2E Disk 2|\r\n";
    WriteWholeFile(profile, text);
}

bool CDisketteSet::WriteUserFiles(const std::string& dir)
{
    bool ok = CreateDirectoryA((dir + "DOCS").c_str(), nullptr) != FALSE;
    for (const CFile& file : Files()) {
        if (file.oldText.empty())
            continue;
        const std::string path = dir + file.path;
        ok = WriteWholeFile(path, file.oldText) && ok;
        // The user's notes are newer than the diskette's; the rest older.
        ok = SetWriteTime(path, file.bit == fileNotes ? kYear2030 : kYear1990) && ok;
    }
    return ok;
}

bool CDisketteSet::Ready() const
{
    return Check(m_ready, "mkarc packs the diskette set and the user's files are in place");
}

bool CDisketteSet::Holds(unsigned mask, size_t scheduled) const
{
    const std::string dir = Installed();
    const bool userHad = m_options.userFiles && m_options.into.empty();
    std::vector<std::string> found;
    ListFiles(dir, "", found);
    size_t waiting = 0;
    std::string unexpected;
    for (const std::string& path : found) {
        const auto known = std::find_if(Files().begin(), Files().end(),
                                        [&](const CFile& file) { return path == file.path; });
        if (known == Files().end() && IsTemporaryName(path.substr(path.rfind('\\') + 1)))
            ++waiting;
        else if (known == Files().end())
            unexpected += path + " ";
    }
    bool ok = Check(unexpected.empty(), "no file but the set's and the user's", unexpected);
    ok = Check(waiting == scheduled,
               scheduled == 0 ? "no temporary file is left"
                              : "the file scheduled for the restart waits, no other",
               std::to_string(waiting) + " temporary files") &&
         ok;
    for (const CFile& file : Files()) {
        const bool exists = FileExists(dir + file.path);
        const std::string text = exists ? ReadWholeFile(dir + file.path) : std::string();
        const bool hadOld = userHad && !file.oldText.empty();
        const bool isOld = exists && hadOld && text == file.oldText;
        const bool isNew = exists && !file.newText.empty() && text == file.newText;
        // Whatever the row: a file the user had is whole, old or new.
        if (hadOld)
            ok = Check(isOld || isNew, std::string(file.path) + " is whole, old or new",
                       exists ? std::to_string(text.size()) + " other bytes" : "it is gone") &&
                 ok;
        const bool installed = (mask & file.bit) != 0 && !(hadOld && file.bit == fileNotes);
        const char* want = installed ? "the new version" : hadOld ? "the user's" : "absent";
        ok = Check(installed ? isNew
                   : hadOld  ? isOld
                             : !exists,
                   std::string(file.path) + " is " + want) &&
             ok;
    }
    return ok;
}
