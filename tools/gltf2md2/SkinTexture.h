// The skin's pictures from glTF images: images stay undecoded while the file is read, and only those
// of materials the scene draws are decoded (PNG or JPEG) into straight RGBA.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tinygltf {
struct Image;
class Model;
struct TextureInfo;
} // namespace tinygltf

// tinygltf's image callback: keeps the image file's bytes as they are.
bool KeepImageBytes(tinygltf::Image* image, const int index, std::string* error, std::string* warning,
                    int width, int height, const unsigned char* bytes, int size, void* user);

// Image `index` of the model decoded as 8-bit RGBA, top row first, with its size. False, with the
// reason in `error`, when it does not decode.
bool DecodeSkinImage(const tinygltf::Model& model, int index, std::vector<uint8_t>& rgba, int& width,
                     int& height, std::string& error);

// The texture's KHR_texture_transform as u' = a u + b v + c, v' = d u + e v + f (scale, then the
// rotation, then the offset), identity without one; its texCoord, when given, replaces `set`.
std::array<double, 6> TextureTransform(const tinygltf::TextureInfo& info, int& set);
