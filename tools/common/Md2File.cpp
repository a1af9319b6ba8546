#include "Md2File.h"

#include "PutBytes.h"

#include <cstring>

namespace korvel::files {

namespace {

const int32_t kHeaderBytes = 68, kSkinNameBytes = 64, kFrameNameBytes = 16;

void PutFloat(std::vector<uint8_t>& out, float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    PutLE(out, bits);
}

void PutText(std::vector<uint8_t>& out, const std::string& text, size_t width) {
    for (size_t i = 0; i < width; ++i) {
        out.push_back(i < text.size() ? static_cast<uint8_t>(text[i]) : 0);
    }
}

void PutShorts(std::vector<uint8_t>& out, const int16_t* values, int count) {
    for (int i = 0; i < count; ++i) {
        PutLE(out, static_cast<uint16_t>(values[i]), 2);
    }
}

} // namespace

std::vector<uint8_t> Md2File::Bytes() const {
    const auto count = [](const auto& list) { return static_cast<int32_t>(list.size()); };
    const int32_t vertexCount = frames.empty() ? 0 : count(frames[0].vertices);
    const int32_t frameSize = 40 + 4 * vertexCount;
    const int32_t skinOffset = kHeaderBytes;
    const int32_t texCoordOffset = skinOffset + kSkinNameBytes * count(skins);
    const int32_t triangleOffset = texCoordOffset + 4 * count(texCoords);
    const int32_t frameOffset = triangleOffset + 12 * count(triangles);
    const int32_t endOffset = frameOffset + frameSize * count(frames);

    std::vector<uint8_t> out{'I', 'D', 'P', '2'};
    for (int32_t value :
         {8, skinWidth, skinHeight, frameSize, count(skins), vertexCount, count(texCoords), count(triangles),
          0, count(frames), skinOffset, texCoordOffset, triangleOffset, frameOffset, endOffset, endOffset}) {
        PutLE(out, static_cast<uint32_t>(value));
    }
    for (const std::string& skin : skins) {
        PutText(out, skin, kSkinNameBytes);
    }
    for (const auto& st : texCoords) {
        PutShorts(out, st.data(), 2);
    }
    for (const Md2Triangle& t : triangles) {
        PutShorts(out, t.vertex.data(), 3);
        PutShorts(out, t.texCoord.data(), 3);
    }
    for (const Md2Frame& frame : frames) {
        for (float f : frame.scale) {
            PutFloat(out, f);
        }
        for (float f : frame.translate) {
            PutFloat(out, f);
        }
        PutText(out, frame.name, kFrameNameBytes);
        for (const auto& v : frame.vertices) {
            out.insert(out.end(), {v[0], v[1], v[2], 0});
        }
    }
    return out;
}

} // namespace korvel::files
