#pragma once
// Pictures of the whole screen, for the demo: when the environment variable
// SETUP_PICTURES names a folder, Take saves the screen there as a 24-bit BMP
// named NN-NAME.bmp (NN counts the pictures of the run); without it, Take does
// nothing. The driver takes them itself (the screen DC copied into a DIB):
// it runs on the same Wine desktop as SETUP.EXE, and a script could not know
// when a page has settled.
#include <string>

class CScreenPictures {
public:
    CScreenPictures();

    bool Enabled() const { return !m_folder.empty(); }
    // Saves the screen as it is now; true when saved or when pictures are off.
    bool Take(const char* name);

private:
    std::string m_folder;
    int m_count = 0;
};
