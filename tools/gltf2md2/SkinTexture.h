// The skin from a glTF image: images stay undecoded while the file is read, and only the one the
// skin comes from is decoded (PNG or JPEG) and written as PNG.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tinygltf {
struct Image;
class Model;
} // namespace tinygltf

// tinygltf's image callback: keeps the image file's bytes as they are.
bool KeepImageBytes(tinygltf::Image* image, const int index, std::string* error, std::string* warning,
                    int width, int height, const unsigned char* bytes, int size, void* user);

// Image `index` of the model decoded and encoded as PNG, with its size. False, with the reason in
// `error`, when it does not decode.
bool SkinPng(const tinygltf::Model& model, int index, std::vector<uint8_t>& png, int& width, int& height,
             std::string& error);
