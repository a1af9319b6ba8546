// Loads fonts and hands them out by 1-based number.
#pragma once

class CFont;

class CFontManager {
public:
    CFontManager();
    ~CFontManager();

    // Creates, loads and appends a font.
    void LoadFont(const char* file);
    // Font n (1-based); null while no font is loaded.
    CFont* GetFont(unsigned int n);
};
