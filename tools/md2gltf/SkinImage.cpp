#include "SkinImage.h"

#include "graphics/PngWriter.h"
#include "textures/DecodedImage.h"

bool ReadSkinAsPng(const std::string& path, std::vector<uint8_t>& png, bool& cutOut, std::string& error) {
    DecodedImage picture = DecodedImage::Read(path, error);
    if (picture.Empty()) {
        return false;
    }
    cutOut = picture.HasAlpha();
    // PNG rows run top row first, with alpha in every pixel.
    picture.FlipRows();
    std::vector<uint8_t> rgba;
    rgba.reserve(picture.pixels.size() / static_cast<size_t>(picture.channels) * 4);
    for (size_t at = 0; at < picture.pixels.size(); at += static_cast<size_t>(picture.channels)) {
        rgba.insert(rgba.end(), &picture.pixels[at], &picture.pixels[at] + 3);
        rgba.push_back(cutOut ? picture.pixels[at + 3] : 255);
    }
    if (!CPngWriter::EncodeRGBA(picture.width, picture.height, rgba, png)) {
        error = "cannot convert the picture";
        return false;
    }
    return true;
}
