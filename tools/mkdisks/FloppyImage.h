#pragma once
// A 1.44 MB FAT12 floppy image holding a diskette's files, made with mtools
// (mformat, mcopy; no mounting). Its volume serial number and every time in
// it come from the caller, so the same files give the same image.

#include <cstdint>
#include <string>
#include <vector>

class CFloppyImage {
public:
    // The volume label FAT can hold for a diskette label: upper case, the
    // characters a label may have (others become '_'), at most 11; a longer
    // label loses its blanks first, so "Velmo Disk 1" keeps its number as
    // "VELMODISK1".
    static std::string VolumeLabel(const std::string& label);

    // Writes the image; "" or the reason it could not be made.
    static std::string Make(const std::string& image, const std::string& label, uint32_t serial,
                            const std::vector<std::string>& files, uint32_t time);
};
