#include "SkinTexture.h"

#include <tiny_gltf.h>

#include <cmath>
#include <cstring>

bool KeepImageBytes(tinygltf::Image* image, const int, std::string*, std::string*, int, int,
                    const unsigned char* bytes, int size, void*) {
    image->image.assign(bytes, bytes + size);
    image->width = image->height = image->component = image->bits = -1;
    return true;
}

bool DecodeSkinImage(const tinygltf::Model& model, int index, std::vector<uint8_t>& rgba, int& width,
                     int& height, std::string& error) {
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
    rgba.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
    if (decoded.bits == 16) {
        for (size_t i = 0; i < rgba.size() && 2 * i + 1 < decoded.image.size(); ++i) {
            uint16_t value;
            std::memcpy(&value, &decoded.image[2 * i], 2);
            rgba[i] = static_cast<uint8_t>(value >> 8);
        }
    } else if (decoded.image.size() == rgba.size()) {
        rgba.assign(decoded.image.begin(), decoded.image.end());
    }
    return true;
}

std::array<double, 6> TextureTransform(const tinygltf::TextureInfo& info, int& set) {
    const auto found = info.extensions.find("KHR_texture_transform");
    if (found == info.extensions.end() || !found->second.IsObject()) {
        return {{1, 0, 0, 0, 1, 0}};
    }
    const tinygltf::Value& transform = found->second;
    // A pair of numbers, or its default.
    const auto pair = [&transform](const char* name, double fallback) {
        std::array<double, 2> value{{fallback, fallback}};
        const tinygltf::Value& given = transform.Get(name);
        for (int i = 0; i < 2 && given.IsArray() && given.ArrayLen() == 2; ++i) {
            if (given.Get(i).IsNumber() || given.Get(i).IsInt()) {
                value[static_cast<size_t>(i)] = given.Get(i).GetNumberAsDouble();
            }
        }
        return value;
    };
    const std::array<double, 2> offset = pair("offset", 0), scale = pair("scale", 1);
    const tinygltf::Value& turn = transform.Get("rotation");
    const double r = turn.IsNumber() || turn.IsInt() ? turn.GetNumberAsDouble() : 0;
    const tinygltf::Value& texCoord = transform.Get("texCoord");
    if (texCoord.IsInt() && texCoord.Get<int>() >= 0) {
        set = texCoord.Get<int>();
    }
    // The rotation turns coordinates counter-clockwise as the texture is seen (v grows downwards).
    const double c = std::cos(r), s = std::sin(r);
    return {{c * scale[0], s * scale[1], offset[0], -s * scale[0], c * scale[1], offset[1]}};
}
