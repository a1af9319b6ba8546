#include "text/FontManager.h"

#include "text/Font.h"

#include <iostream>

CFontManager::CFontManager() : count(0) {}

CFontManager::~CFontManager() {
    for (CFont* font : created) {
        delete font;
    }
    created.clear();
    fonts.clear();
    count = 0;
}

void CFontManager::LoadFont(const char* file) {
    CFont* font = new CFont;
    std::cout << "Loading Font: " << (file ? file : "") << std::endl;
    font->Load(file);
    created.push_back(font);
    AddFont(font);
}

void CFontManager::AddFont(CFont* font) {
    fonts.push_back(font);
    ++count;
}

CFont* CFontManager::GetFont(unsigned int n) {
    if (count == 0) {
        return nullptr;
    }
    if (n >= 1 && n <= count) {
        return fonts[n - 1];
    }
    return fonts[count - 1];
}
