// archive_bench: how fast the archive reader extracts a large zlib member,
// against plain zlib inflating the same stream through 4096-byte buffers
// into a file, in the same run. Also the checksum alone, table-sliced and one
// byte per step.
//
//   archive_bench [MEGABYTES] [DIRECTORY]     (defaults: 128, the current directory)
//
// Prints both throughputs in megabytes (10^6 bytes) of unpacked data per
// second and their ratio. Each pipeline runs five times, alternating; the
// best run of each counts.

#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "archive/ArchiveFormat.h"
#include "archive/MultiFile.h"
#include "archive/MultiFileMember.h"
#include "archive/ZLibCodec.h"
#include "support/Checksum.h"
#include "support/XBlockFile.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// Text-like data that deflates about 3 to 1, made piece by piece.
void FillChunk(std::vector<unsigned char>& chunk, uint32_t& state)
{
    static const char* const kWords[] = {"screen ",   "saver ",   "velmo ",  "setup ",
                                         "diskette ", "archive ", "member ", "\r\n"};
    size_t i = 0;
    while (i < chunk.size()) {
        state = state * 1103515245u + 12345u;
        const char* word = kWords[(state >> 16) & 7];
        for (; *word != '\0' && i < chunk.size(); ++word)
            chunk[i++] = static_cast<unsigned char>(*word);
        if (i < chunk.size() && ((state >> 8) & 3) == 0)
            chunk[i++] = static_cast<unsigned char>('0' + ((state >> 20) % 10));
    }
}

// Writes the plain data file of the given size.
void MakePlainFile(const std::string& name, uint64_t size)
{
    CXFile file;
    file.OpenWrite(name.c_str());
    std::vector<unsigned char> chunk(1 << 20);
    uint32_t state = 1;
    for (uint64_t done = 0; done < size; done += chunk.size()) {
        FillChunk(chunk, state);
        file.Write(chunk.data(),
                   static_cast<unsigned>(std::min<uint64_t>(chunk.size(), size - done)));
    }
}

// Packs the plain file into a one-member archive and a bare zlib stream.
void MakeArchive(const std::string& plain, const std::string& stream, const std::string& archive)
{
    CXBlockFile source, packed;
    source.OpenRead(plain.c_str());
    packed.OpenWrite(stream.c_str());
    CZLibCodec codec;
    codec.RunCompress(&source, &packed);
    packed.Close();

    CMultiFileMember member;
    member.SetName("bench.dat");
    member.SetMethod(ArchiveFormat::methodZLib);
    member.SetUnpackedSize(static_cast<uint32_t>(source.GetCount(CXBlockFile::dirRead)));
    member.SetPackedSize(static_cast<uint32_t>(packed.GetCount(CXBlockFile::dirWrite)));
    member.SetRecordCrc(source.GetCrc());

    CXFile out, data;
    out.OpenWrite(archive.c_str());
    const uint8_t header[ArchiveFormat::kHeaderSize] = {'m', 'f', 'l', 'h', 0, 0, 0, 0};
    out.Write(header, sizeof header);
    out.Write(member.GetRecord(), static_cast<unsigned>(ArchiveFormat::kRecordSize));
    data.OpenRead(stream.c_str());
    std::vector<unsigned char> buffer(1 << 16);
    for (;;) {
        const unsigned got = data.Read(buffer.data(), static_cast<unsigned>(buffer.size()));
        if (got == 0)
            break;
        out.Write(buffer.data(), got);
    }
}

// The reader: OpenArchive, ReadNextEntry, Extract (checksum checked).
double RunReader(const std::string& archive, const std::string& output)
{
    const Clock::time_point start = Clock::now();
    CMultiFile reader;
    reader.OpenArchive(archive.c_str());
    CMultiFileMember member(&reader);
    if (!reader.ReadNextEntry(member, false))
        throw "no member";
    member.SetDestination(output.c_str());
    reader.Extract(member);
    return Seconds(start);
}

// Plain zlib: fread 4096, inflate into 4096, fwrite 4096.
double RunPlain(const std::string& stream, const std::string& output)
{
    const Clock::time_point start = Clock::now();
    FILE* in = fopen(stream.c_str(), "rb");
    FILE* out = fopen(output.c_str(), "wb");
    if (in == nullptr || out == nullptr)
        throw "cannot open the plain pipeline's files";
    unsigned char input[4096], result[4096];
    z_stream z = z_stream();
    inflateInit(&z);
    int status = Z_OK;
    while (status != Z_STREAM_END) {
        if (z.avail_in == 0) {
            z.avail_in = static_cast<uInt>(fread(input, 1, sizeof input, in));
            z.next_in = input;
            if (z.avail_in == 0)
                break;
        }
        z.next_out = result;
        z.avail_out = sizeof result;
        status = inflate(&z, Z_NO_FLUSH);
        if (status != Z_OK && status != Z_STREAM_END)
            throw "inflate failed";
        fwrite(result, 1, sizeof result - z.avail_out, out);
    }
    inflateEnd(&z);
    fclose(in);
    fclose(out);
    return Seconds(start);
}

double Megabytes(uint64_t bytes)
{
    return static_cast<double>(bytes) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    const uint64_t megabytes = argc > 1 ? strtoull(argv[1], nullptr, 10) : 128;
    const std::string dir = argc > 2 ? std::string(argv[2]) + "/" : std::string();
    if (megabytes == 0 || megabytes > 1500) {
        fprintf(stderr, "usage: archive_bench [MEGABYTES 1..1500] [DIRECTORY]\n");
        return 2;
    }
    const uint64_t size = megabytes << 20;
    const std::string plain = dir + "bench_plain.dat";
    const std::string stream = dir + "bench_stream.z";
    const std::string archive = dir + "bench.arc";
    const std::string output = dir + "bench_out.dat";

    try {
        printf("preparing %llu MiB of data...\n", static_cast<unsigned long long>(megabytes));
        fflush(stdout);
        MakePlainFile(plain, size);
        MakeArchive(plain, stream, archive);
        remove(plain.c_str());

        double reader = 1e30, zlib = 1e30;
        for (int run = 0; run < 5; ++run) {
            zlib = std::min(zlib, RunPlain(stream, output));
            remove(output.c_str());
            reader = std::min(reader, RunReader(archive, output));
            remove(output.c_str());
        }

        // The checksum alone over 16 MiB held in memory.
        std::vector<unsigned char> block(16 << 20);
        uint32_t state = 7;
        FillChunk(block, state);
        Clock::time_point start = Clock::now();
        const uint32_t fast = UpdateChecksum(0, block.data(), block.size());
        const double fastSeconds = Seconds(start);
        start = Clock::now();
        const uint32_t slow = UpdateChecksumBytewise(0, block.data(), block.size());
        const double slowSeconds = Seconds(start);

        const double mb = Megabytes(size);
        printf("unpacked data:               %.1f MB\n", mb);
        printf("plain zlib, 4096-byte buffers: %8.1f MB/s\n", mb / zlib);
        printf("archive reader (Extract):      %8.1f MB/s\n", mb / reader);
        printf("ratio reader / plain:          %8.2f\n", zlib / reader);
        printf("checksum, sliced:              %8.1f MB/s\n",
               Megabytes(block.size()) / fastSeconds);
        printf("checksum, one byte per step:   %8.1f MB/s%s\n",
               Megabytes(block.size()) / slowSeconds, fast == slow ? "" : "  (DIFFERENT RESULT)");
    } catch (CException* e) {
        fprintf(stderr, "archive_bench: failed (%s)\n", e->GetRuntimeClass()->m_lpszClassName);
        e->Delete();
        return 1;
    } catch (const char* message) {
        fprintf(stderr, "archive_bench: %s\n", message);
        return 1;
    }
    remove(stream.c_str());
    remove(archive.c_str());
    return 0;
}
