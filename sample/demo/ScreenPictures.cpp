#include "ScreenPictures.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <vector>

namespace {

struct ScreenDcRelease {
    void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
struct DcDelete {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct GdiObjectDelete {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

void PutLittleEndian(std::vector<char>& out, unsigned long value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

} // namespace

CScreenPictures::CScreenPictures()
{
    char folder[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("SETUP_PICTURES", folder, sizeof folder);
    if (length > 0 && length < sizeof folder) {
        m_folder = folder;
        if (m_folder.back() != '\\' && m_folder.back() != '/')
            m_folder += '\\';
        CreateDirectoryA(m_folder.c_str(), nullptr);
    }
}

bool CScreenPictures::Take(const char* name)
{
    if (!Enabled())
        return true;
    // Let the last click's painting reach the screen first.
    Sleep(700);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    std::unique_ptr<HDC__, ScreenDcRelease> screen(GetDC(nullptr));
    std::unique_ptr<HDC__, DcDelete> memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // bottom-up, as a BMP file stores rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    std::unique_ptr<HBITMAP__, GdiObjectDelete> bitmap(
        CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!screen || !memory || !bitmap || bits == nullptr)
        return false;
    HGDIOBJ old = SelectObject(memory.get(), bitmap.get());
    const bool copied =
        BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY) != FALSE;
    GdiFlush();
    SelectObject(memory.get(), old);
    if (!copied)
        return false;

    // The file: BITMAPFILEHEADER (14 bytes), BITMAPINFOHEADER (40), rows padded to 4 bytes.
    const unsigned long rowSize = (static_cast<unsigned long>(width) * 3 + 3) & ~3UL;
    const unsigned long dataSize = rowSize * static_cast<unsigned long>(height);
    std::vector<char> header;
    header.push_back('B');
    header.push_back('M');
    PutLittleEndian(header, 14 + 40 + dataSize, 4);
    PutLittleEndian(header, 0, 4);
    PutLittleEndian(header, 14 + 40, 4);
    PutLittleEndian(header, 40, 4);
    PutLittleEndian(header, static_cast<unsigned long>(width), 4);
    PutLittleEndian(header, static_cast<unsigned long>(height), 4);
    PutLittleEndian(header, 1, 2);
    PutLittleEndian(header, 24, 2);
    PutLittleEndian(header, BI_RGB, 4);
    PutLittleEndian(header, dataSize, 4);
    PutLittleEndian(header, 2835, 4); // 72 dots per inch
    PutLittleEndian(header, 2835, 4);
    PutLittleEndian(header, 0, 4);
    PutLittleEndian(header, 0, 4);

    char number[8];
    std::snprintf(number, sizeof number, "%02d-", ++m_count);
    const std::string path = m_folder + number + name + ".bmp";
    std::ofstream out(path, std::ios::binary);
    out.write(header.data(), static_cast<std::streamsize>(header.size()));
    out.write(static_cast<const char*>(bits), static_cast<std::streamsize>(dataSize));
    std::printf("picture %s\n", path.c_str());
    std::fflush(stdout);
    return static_cast<bool>(out);
}
