#include "textures/Image.h"

CImage::CImage() = default;

CImage::CImage(const std::string& path) {
    (void)path;
}

CImage::~CImage() = default;

void CImage::Draw(float x, float y, float scale, float angle, float r, float g, float b, float a) {
    (void)x, (void)y, (void)scale, (void)angle, (void)r, (void)g, (void)b, (void)a;
}

void CImage::Draw(float scale, float angle, float r, float g, float b, float a) {
    Draw(x, y, scale, angle, r, g, b, a);
}
