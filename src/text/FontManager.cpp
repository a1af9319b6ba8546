#include "text/FontManager.h"

#include "text/Font.h"

#include <iostream>

CFontManager::CFontManager() = default;

CFontManager::~CFontManager() = default;

void CFontManager::LoadFont(const char* file) {
    auto font = std::make_unique<CFont>();
    std::cout << "Loading Font: " << (file ? file : "") << std::endl;
    font->Load(file);
    AddFont(font.get());
    created.push_back(std::move(font));
}

void CFontManager::AddFont(CFont* font) {
    fonts.push_back(font);
}

CFont* CFontManager::GetFont(unsigned int n) {
    if (fonts.empty()) {
        return nullptr;
    }
    return n >= 1 && n <= fonts.size() ? fonts[n - 1] : fonts.back();
}
