#include "SkinTexture.h"

#include "graphics/PngWriter.h"

#include <tiny_gltf.h>

#include <cstring>

bool KeepImageBytes(tinygltf::Image* image, const int, std::string*, std::string*, int, int,
                    const unsigned char* bytes, int size, void*) {
    image->image.assign(bytes, bytes + size);
    image->width = image->height = image->component = image->bits = -1;
    return true;
}

bool SkinPng(const tinygltf::Model& model, int index, std::vector<uint8_t>& png, int& width, int& height,
             std::string& error) {
    const tinygltf::Image& source = model.images[static_cast<size_t>(index)];
    const std::string which =
        "image " + std::to_string(index) + (source.name.empty() ? "" : " (" + source.name + ")");
    if (source.image.empty()) {
        error = which + " holds no picture";
        return false;
    }
    tinygltf::Image decoded;
    std::string warning, reason;
    // Four 8- or 16-bit channels, top row first.
    if (!tinygltf::LoadImageData(&decoded, index, &reason, &warning, 0, 0, source.image.data(),
                                 static_cast<int>(source.image.size()), nullptr) ||
        decoded.component != 4) {
        error = which + " does not decode as PNG or JPEG";
        return false;
    }
    width = decoded.width;
    height = decoded.height;
    std::vector<uint8_t> rgba(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    if (decoded.bits == 16) {
        for (size_t i = 0; i < rgba.size() && 2 * i + 1 < decoded.image.size(); ++i) {
            uint16_t value;
            std::memcpy(&value, &decoded.image[2 * i], 2);
            rgba[i] = static_cast<uint8_t>(value >> 8);
        }
    } else if (decoded.image.size() == rgba.size()) {
        rgba.assign(decoded.image.begin(), decoded.image.end());
    }
    if (!CPngWriter::EncodeRGBA(width, height, rgba, png)) {
        error = which + " cannot be written as PNG";
        return false;
    }
    return true;
}
