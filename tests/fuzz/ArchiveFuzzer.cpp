// The archive reader on arbitrary pieces: open the first piece, walk every
// entry as the copy engine does (a member for destination 0xFFFF is passed
// over, every other one extracted), and follow a continued member into the
// second piece, which the input also supplies.
//
// Promises checked: damage ends in CMultiFileException, CZLibException or
// CFileException and nothing else; the member's file is closed afterwards,
// whatever happened; a member extracted without complaint and with a
// checksum holds exactly its unpacked size, with that checksum.
#include <memory>
#include <string>

#include "archive/MultiFile.h"
#include "archive/MultiFileMember.h"
#include "errors/MultiFileException.h"
#include "errors/ZLibException.h"
#include "framework/FileException.h"
#include "fuzz/FuzzSupport.h"
#include "support/Checksum.h"

namespace {

const char kFirstPiece[] = "DATA.Z01";

// The diskette hook's protocol over the scratch directory: at the end of a
// piece, close it, and while the current member goes on open the next piece
// by the reader's naming rule (a missing one raises fileNotFound).
class CFuzzReader : public CMultiFile {
public:
    bool OnEndOfData() override
    {
        const std::string piece = GetFilePath();
        Close();
        const CMultiFileMember* member = GetCurrentMember();
        if (member == nullptr || !member->IsContinued())
            return true;
        OpenPiece(CFuzzScratch::Get().Path(NextPieceName(piece.c_str())).c_str());
        return false;
    }
};

void CheckExtracted(const CMultiFileMember& member)
{
    Require(!member.IsOpen(), "the member's file is closed after Extract");
    if (member.GetRecordCrc() == 0)
        return;
    const std::string out = ReadWholeFile(member.GetDestination());
    Require(out.size() == member.GetUnpackedSize(), "a checked member has its unpacked size");
    Require(UpdateChecksum(0, out.data(), out.size()) == member.GetRecordCrc(),
            "a checked member has its checksum");
}

void Walk(CFuzzReader& reader, std::unique_ptr<CMultiFileMember>& member)
{
    const CFuzzScratch& scratch = CFuzzScratch::Get();
    reader.OpenArchive(scratch.Path(kFirstPiece).c_str());
    member.reset(reader.CreateMember());
    bool seek = false;
    while (reader.ReadNextEntry(*member, seek)) {
        seek = member->GetDestinationId() == 0xFFFF;
        if (seek)
            continue;
        // An earlier member may have left the file read-only.
        scratch.Remove("out");
        member->SetDestination(scratch.Path("out").c_str());
        reader.Extract(*member);
        CheckExtracted(*member);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const CFuzzScratch& scratch = CFuzzScratch::Get();
    const CArchivePieces pieces(data, size);
    const std::string second = CMultiFile::NextPieceName(kFirstPiece);
    scratch.Write(kFirstPiece, pieces.first);
    scratch.Remove(second);
    if (pieces.hasSecond)
        scratch.Write(second, pieces.second);

    CFuzzReader reader;
    std::unique_ptr<CMultiFileMember> member;
    try {
        Walk(reader, member);
    } catch (CException* e) {
        ExpectKind(e, {RUNTIME_CLASS(CMultiFileException), RUNTIME_CLASS(CZLibException),
                       RUNTIME_CLASS(CFileException)});
        Require(member == nullptr || !member->IsOpen(),
                "the member's file is closed after a failure");
    }
    return 0;
}
