// The utilities' BMP records and skin textures, kept for their callers: the decoding and the upload
// are the textures' own (DecodedImage, CTexture).
#include "graphics/Utils.h"

#include "textures/Texture.h"

#include <new>
#include <utility>

namespace {

BMPImage* ToRecord(DecodedImage&& decoded) {
    return decoded.Empty() ? nullptr : new (std::nothrow) BMPImage(std::move(decoded));
}

} // namespace

BMPImage* CUtils::LoadBMP(const char* file) {
    return ToRecord(DecodedImage::FromBMP(file));
}

BMPImage* CUtils::LoadBMPFromMemory(const void* bytes, size_t size, const char* name) {
    return ToRecord(DecodedImage::FromBMPMemory(bytes, size, name));
}

void CUtils::FreeBMP(BMPImage* image) {
    delete image;
}

unsigned int CUtils::LoadBMPTexture(const char* file) {
    return CTexture::LoadSkin(file, ImageReader::BMP).Release();
}

unsigned int CUtils::LoadImageTexture(const char* file) {
    return CTexture::LoadSkin(file, ImageReader::SDLImage).Release();
}
