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
