#include "SkinTexture.h"

#include <tiny_gltf.h>

#include <cctype>
#include <cmath>
#include <cstring>

bool KeepImageBytes(tinygltf::Image* image, const int, std::string*, std::string*, int, int,
                    const unsigned char* bytes, int size, void*) {
    image->image.assign(bytes, bytes + size);
    image->width = image->height = image->component = image->bits = -1;
    return true;
}

namespace {

// A file name as a URI spells it, its %XX escapes turned back into bytes ("my%20skin.png").
std::string FileName(const std::string& uri) {
    std::string name;
    for (size_t i = 0; i < uri.size(); ++i) {
        if (uri[i] == '%' && i + 2 < uri.size() && std::isxdigit(static_cast<unsigned char>(uri[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(uri[i + 2]))) {
            name += static_cast<char>(std::stoi(uri.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            name += uri[i];
        }
    }
    return name;
}

} // namespace

bool DecodeSkinImage(const tinygltf::Model& model, int index, std::vector<uint8_t>& rgba, int& width,
                     int& height, std::string& error) {
    const tinygltf::Image& source = model.images[static_cast<size_t>(index)];
    const std::string which =
        "image " + std::to_string(index) + (source.name.empty() ? "" : " (" + source.name + ")");
    if (source.image.empty()) {
        // An image file that was not found beside the model (moved without it) is named.
        const bool file = !source.uri.empty() && source.uri.compare(0, 5, "data:") != 0;
        error = which + (file ? " is a file not found: " + FileName(source.uri) : " holds no picture");
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
