#include "support/FileVersion.h"

#include <windows.h>

#include <cstring>

CFileVersion::~CFileVersion() = default;

bool CFileVersion::Load(const char* fileName)
{
    m_pBlock.reset();
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(fileName, &handle);
    if (size == 0)
        return false;
    // One byte more than asked for, zeroed: a block cut short still ends in a zero.
    std::unique_ptr<unsigned char[]> block(new unsigned char[size + 1]());
    if (!GetFileVersionInfoA(fileName, 0, size, block.get()))
        return false;
    m_pBlock = std::move(block);
    return true;
}

bool CFileVersion::GetFixedVersion(uint16_t* major, uint16_t* minor, uint16_t* build,
                                   uint16_t* revision) const
{
    if (m_pBlock == nullptr)
        return false;
    void* data = nullptr;
    UINT length = 0;
    char root[] = "\\";
    if (!VerQueryValueA(m_pBlock.get(), root, &data, &length) || data == nullptr)
        return false;
    VS_FIXEDFILEINFO info;
    static_assert(sizeof info == 52, "the fixed-version record is 52 bytes");
    if (length < sizeof info)
        return false;
    std::memcpy(&info, data, sizeof info);
    if (major != nullptr)
        *major = HIWORD(info.dwFileVersionMS);
    if (minor != nullptr)
        *minor = LOWORD(info.dwFileVersionMS);
    if (build != nullptr)
        *build = HIWORD(info.dwFileVersionLS);
    if (revision != nullptr)
        *revision = LOWORD(info.dwFileVersionLS);
    return true;
}

bool CFileVersion::IsNewerThan(const CFileVersion& other) const
{
    uint16_t mine[4];
    if (!GetFixedVersion(&mine[0], &mine[1], &mine[2], &mine[3]))
        return false;
    uint16_t theirs[4];
    if (!other.GetFixedVersion(&theirs[0], &theirs[1], &theirs[2], &theirs[3]))
        return true;
    for (int i = 0; i < 4; ++i) {
        if (mine[i] != theirs[i])
            return mine[i] > theirs[i];
    }
    return false;
}
