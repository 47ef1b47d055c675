#pragma once
// What every fuzz target shares: the checks that turn a wrong result into a
// finding, the scratch directory for targets that work on real files, a
// reader that takes a target's parameters from the front of its input, and
// the exception classes a parser may raise on damaged data.
//
// A target's entry point is LLVMFuzzerTestOneInput; libFuzzer drives it for
// make fuzz, ReplayMain.cpp for the corpus replay of make test.

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>

#include "common/TestFiles.h"
#include "framework/Exception.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);

extern "C" __attribute__((weak)) void __sanitizer_report_error_summary(const char* summary);

// A broken promise: reported and the process aborted, so that libFuzzer keeps
// the input as a crash and the replay fails. The sanitizers' report channel
// also carries it, as standard error may be closed while fuzzing.
[[noreturn]] inline void FuzzFail(const char* what)
{
    fprintf(stderr, "fuzz check failed: %s\n", what);
    fflush(stderr);
    if (__sanitizer_report_error_summary != nullptr)
        __sanitizer_report_error_summary((std::string("fuzz check failed: ") + what).c_str());
    abort();
}

inline void Require(bool ok, const char* what)
{
    if (!ok)
        FuzzFail(what);
}

// An exception raised by code under test: it must be one of the kinds the
// parser promises for damaged input; any other kind is a finding. Deletes it.
inline void ExpectKind(CException* e, std::initializer_list<const CRuntimeClass*> allowed)
{
    bool known = false;
    for (const CRuntimeClass* kind : allowed)
        known = known || e->IsKindOf(kind);
    const char* name = e->GetRuntimeClass()->m_lpszClassName;
    e->Delete();
    if (!known) {
        fprintf(stderr, "unexpected exception %s\n", name);
        FuzzFail("an exception of a kind the parser does not promise");
    }
}

// A directory of the process's own for targets that read and write real
// files: on the memory file system when the machine has one, removed with its
// contents when the process ends.
class CFuzzScratch {
public:
    static CFuzzScratch& Get()
    {
        static CFuzzScratch s_scratch;
        return s_scratch;
    }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        WriteWholeFile(Path(name), bytes);
        return Path(name);
    }
    // Removes a file, read-only or not; a missing one is no error.
    void Remove(const std::string& name) const
    {
        std::error_code ignored;
        std::filesystem::remove(Path(name), ignored);
    }

private:
    CFuzzScratch()
    {
        std::error_code error;
        std::filesystem::path base = "/dev/shm";
        if (!std::filesystem::is_directory(base, error))
            base = std::filesystem::temp_directory_path();
        m_dir = base / ("setup-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(m_dir, error);
        if (error)
            FuzzFail("cannot make the scratch directory");
    }
    ~CFuzzScratch()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
    std::filesystem::path m_dir;
};

// Takes a target's parameters from the front of its input; what is left is
// the data proper. Past the end every byte reads as 0.
class CFuzzInput {
public:
    CFuzzInput(const uint8_t* data, size_t size) : m_pData(data), m_nSize(size) {}
    uint8_t Byte() { return m_nPos < m_nSize ? m_pData[m_nPos++] : 0; }
    uint32_t Le32()
    {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value |= static_cast<uint32_t>(Byte()) << (8 * i);
        return value;
    }
    // Text up to the next zero byte (which is taken too) or the end.
    std::string Text()
    {
        std::string text;
        while (m_nPos < m_nSize && m_pData[m_nPos] != 0)
            text += static_cast<char>(m_pData[m_nPos++]);
        if (m_nPos < m_nSize)
            ++m_nPos;
        return text;
    }
    std::string Bytes(size_t count)
    {
        count = std::min(count, m_nSize - m_nPos);
        std::string bytes(reinterpret_cast<const char*>(m_pData) + m_nPos, count);
        m_nPos += count;
        return bytes;
    }
    std::string Rest() { return Bytes(m_nSize - m_nPos); }
    bool AtEnd() const { return m_nPos >= m_nSize; }

private:
    const uint8_t* m_pData;
    size_t m_nSize;
    size_t m_nPos = 0;
};

// The archive targets' input: the length of the first piece (four bytes,
// little-endian), the first piece, then the second piece (what is left). A
// length beyond the input gives the whole rest to the first piece and no
// second piece.
struct CArchivePieces {
    std::string first;
    std::string second;
    bool hasSecond = false;

    CArchivePieces(const uint8_t* data, size_t size)
    {
        CFuzzInput in(data, size);
        const uint32_t length = in.Le32();
        first = in.Bytes(length);
        second = in.Rest();
        hasSecond = size >= 4 && length <= size - 4;
    }
};

// The code page a target runs under, from one input byte: the single-byte
// default or Shift-JIS, whose trail bytes include '\\' and '|'.
inline unsigned FuzzCodePage(uint8_t selector)
{
    return (selector & 1) != 0 ? 932 : 0;
}
