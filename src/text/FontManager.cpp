#include "text/FontManager.h"

CFontManager::CFontManager() = default;

CFontManager::~CFontManager() = default;

void CFontManager::LoadFont(const char* file) {
    (void)file;
}

CFont* CFontManager::GetFont(unsigned int n) {
    (void)n;
    return nullptr;
}
