#include "text/Font.h"

CFont::CFont() = default;

CFont::~CFont() = default;

bool CFont::Print(int x, int y, int set, const char* format, ...) {
    (void)x;
    (void)y;
    (void)set;
    (void)format;
    return true;
}

bool CFont::PrintAt(float x, float y, int set, const char* format, ...) {
    (void)x, (void)y, (void)set, (void)format;
    return true;
}

bool CFont::PrintEx(int x, int y, int set, float red, float green, float blue, float alpha, float sx,
                    float sy, const char* format, ...) {
    (void)x, (void)y, (void)set, (void)red, (void)green, (void)blue, (void)alpha, (void)sx, (void)sy,
        (void)format;
    return true;
}
