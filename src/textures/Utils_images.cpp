// The utilities' BMP records and skin textures, kept for their callers: the decoding and the upload
// are the textures' own (DecodedImage, CTexture).
#include "graphics/Utils.h"
#include "textures/Texture.h"

#include <cstdlib>
#include <cstring>
#include <iostream>

namespace {

// The record the BMP loader has always returned, allocated with malloc.
BMPImage* ToRecord(const DecodedImage& decoded, const char* file) {
    if (decoded.Empty()) {
        return nullptr;
    }
    BMPImage* image = static_cast<BMPImage*>(std::malloc(sizeof(BMPImage)));
    unsigned char* pixels = static_cast<unsigned char*>(std::malloc(decoded.pixels.size()));
    if (!image || !pixels) {
        std::free(image);
        std::free(pixels);
        std::cerr << " Failed loading " << file << " : out of memory" << std::endl;
        return nullptr;
    }
    image->channels = decoded.channels;
    image->width = decoded.width;
    image->height = decoded.height;
    image->pixels = pixels;
    std::memcpy(pixels, decoded.pixels.data(), decoded.pixels.size());
    return image;
}

} // namespace

BMPImage* CUtils::LoadBMP(const char* file) {
    return ToRecord(DecodedImage::FromBMP(file), file ? file : "");
}

BMPImage* CUtils::LoadBMPFromMemory(const void* bytes, size_t size, const char* name) {
    return ToRecord(DecodedImage::FromBMPMemory(bytes, size, name), name ? name : "");
}

void CUtils::FreeBMP(BMPImage* image) {
    if (image) {
        std::free(image->pixels);
        std::free(image);
    }
}

unsigned int CUtils::LoadBMPTexture(const char* file) {
    return CTexture::LoadSkin(file, ImageReader::BMP).Release();
}

unsigned int CUtils::LoadImageTexture(const char* file) {
    return CTexture::LoadSkin(file, ImageReader::SDLImage).Release();
}
