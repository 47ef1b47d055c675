// An install item is the archive reader of its own source file.
#include <gtest/gtest.h>

#include <memory>

#include "archive/MultiFileMember.h"
#include "errors/MultiFileException.h"
#include "profile/DisketteMultiFile.h"
#include "profile/FileGroup.h"
#include "unit/support/ScratchDirectory.h"

namespace {

std::unique_ptr<CDisketteMultiFile> ArchiveItem(const CFileGroup& group)
{
    CDisketteMultiFile::Entry entry;
    entry.sourceName = "SAVER.ARC";
    entry.kind = CDisketteMultiFile::kindArchive;
    entry.diskette = 2;
    return std::unique_ptr<CDisketteMultiFile>(new CDisketteMultiFile(entry, group));
}

} // namespace

TEST(DisketteMultiFile, OpensItsSourceAsAnArchive)
{
    CScratchDirectory scratch;
    // A piece of nothing but its header: it opens and holds no member.
    std::string empty = scratch.WriteFile("SAVER.ARC", std::string("mflh\0\0\0\0", 8));
    CFileGroup group;
    std::unique_ptr<CDisketteMultiFile> item = ArchiveItem(group);
    EXPECT_FALSE(item->IsOpen());
    EXPECT_EQ(item->GetBlockSize(), 4096);
    item->OpenArchive(empty.c_str());
    EXPECT_TRUE(item->IsOpen());
    std::unique_ptr<CMultiFileMember> member(item->CreateMember());
    EXPECT_FALSE(item->ReadNextEntry(*member, false));
}

TEST(DisketteMultiFile, RefusesAFileThatIsNoArchive)
{
    CScratchDirectory scratch;
    std::string text = scratch.WriteFile("SAVER.ARC", "not an archive at all");
    CFileGroup group;
    std::unique_ptr<CDisketteMultiFile> item = ArchiveItem(group);
    try {
        item->OpenArchive(text.c_str());
        FAIL() << "no exception";
    } catch (CMultiFileException* e) {
        EXPECT_EQ(e->m_nCode, CMultiFileException::notArchive);
        e->Delete();
    }
}
