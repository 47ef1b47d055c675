#include "PackedMember.h"

#include <cstdio>

#include "PathText.h"
#include "archive/ArchiveFormat.h"
#include "archive/StoredCodec.h"
#include "archive/ZLibCodec.h"
#include "framework/FileException.h"
#include "support/XBlockFile.h"

CPackedMember::CPackedMember(const std::string& temporaryName) : m_strData(temporaryName) {}

CPackedMember::~CPackedMember()
{
    remove(m_strData.c_str());
}

std::string CPackedMember::Pack(const std::string& file, const Options& options)
{
    const std::string name = PathText::FileName(file);
    if (name.empty() || name.size() >= ArchiveFormat::kNameSize)
        return "'" + file + "' has no file name of 1 to 259 characters";
    CFileStatus status;
    if (!CStdioFile::GetStatus(file.c_str(), status))
        AfxThrowFileException(CFileException::fileNotFound, -1, file.c_str());
    if (status.m_size > 0x7FFFFFFF)
        return "'" + file + "' is larger than 2 GiB";

    uint32_t method = options.method == methodAuto ? ArchiveFormat::methodZLib : options.method;
    Packed packed = PackWith(file, method);
    // Data that zlib cannot shrink is stored: the archive is no larger, and
    // the setup program copies it instead of inflating it.
    if (options.method == methodAuto && packed.packed >= packed.unpacked) {
        method = ArchiveFormat::methodStored;
        packed = PackWith(file, method);
    }

    m_member.SetName(name.c_str());
    m_member.SetText(options.text.c_str());
    m_member.SetModificationTime(options.fixedTime ? options.mtime
                                                   : static_cast<uint32_t>(status.m_mtime));
    m_member.SetUnpackedSize(packed.unpacked);
    m_member.SetPackedSize(packed.packed);
    m_member.SetRecordCrc(packed.crc);
    m_member.SetMethod(method);
    m_member.SetMethodParameter(0);
    m_member.SetDestinationId(options.dest);
    m_member.SetAttributes(status.m_attribute & (CStdioFile::readOnly | CStdioFile::hidden |
                                                 CStdioFile::system | CStdioFile::archive));
    return std::string();
}

CPackedMember::Packed CPackedMember::PackWith(const std::string& file, uint32_t method)
{
    CXBlockFile source;
    CXBlockFile data;
    source.OpenRead(file.c_str(), true);
    data.OpenWrite(m_strData.c_str(), true);
    std::unique_ptr<CCodec> codec;
    if (method == ArchiveFormat::methodStored)
        codec.reset(new CStoredCodec);
    else
        codec.reset(new CZLibCodec);
    codec->RunCompress(&source, &data);
    data.Close();
    source.Close();
    return Packed{static_cast<uint32_t>(source.GetCount(CXBlockFile::dirRead)),
                  static_cast<uint32_t>(data.GetCount(CXBlockFile::dirWrite)), source.GetCrc()};
}
