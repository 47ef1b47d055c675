#include "FloppyImage.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "RunProgram.h"

std::string CFloppyImage::VolumeLabel(const std::string& label)
{
    std::string upper;
    for (unsigned char c : label) {
        const bool allowed = isalnum(c) || c == ' ' || strchr("!#$%&'()-@^_`{}~", c) != nullptr;
        upper += static_cast<char>(c < 0x80 && allowed ? toupper(c) : '_');
    }
    if (upper.size() > 11) {
        std::string packed;
        for (char c : upper) {
            if (c != ' ')
                packed += c;
        }
        upper = packed;
    }
    upper = upper.substr(0, 11);
    while (!upper.empty() && upper.back() == ' ')
        upper.pop_back();
    while (!upper.empty() && upper.front() == ' ')
        upper.erase(0, 1);
    return upper;
}

std::string CFloppyImage::Make(const std::string& image, const std::string& label, uint32_t serial,
                               const std::vector<std::string>& files, uint32_t time)
{
    // mtools takes every time it writes from SOURCE_DATE_EPOCH.
    const std::string epoch = "SOURCE_DATE_EPOCH=" + std::to_string(time);
    char serialText[16];
    snprintf(serialText, sizeof serialText, "%08X", serial);
    std::vector<std::string> format = {"mformat", "-i", image, "-f",
                                       "1440",    "-C", "-N",  serialText};
    const std::string volume = VolumeLabel(label);
    if (!volume.empty()) {
        format.push_back("-v");
        format.push_back(volume);
    }
    format.push_back("::");
    int status = RunProgram(format, epoch);
    if (status < 0)
        return "mformat could not be run: the images need mtools (Debian package mtools), "
               "which only the Linux build of mkdisks runs";
    if (status != 0)
        return "mformat failed with status " + std::to_string(status);
    if (files.empty())
        return std::string();
    // -m keeps each file's time, which mkdisks has set.
    std::vector<std::string> copy = {"mcopy", "-i", image, "-m"};
    copy.insert(copy.end(), files.begin(), files.end());
    copy.push_back("::/");
    status = RunProgram(copy, epoch);
    if (status != 0)
        return "mcopy failed with status " + std::to_string(status) +
               " (does the diskette's "
               "content fit on a 1.44 MB floppy?)";
    return std::string();
}
