#include "FileBytes.h"

#include <cmath>
#include <cstring>

namespace korvel::files {

namespace {

// The low `bytes` bytes of `value`, lowest first.
void PutLE(std::vector<uint8_t>& out, uint32_t value, int bytes = 4) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

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

// Palette entry i of a file with 2^bits colours: for 1 bit black and white, otherwise a grey ramp.
BmpColour PaletteColour(int i, int bits) {
    const int colours = 1 << bits;
    const auto level = static_cast<uint8_t>(i * 255 / (colours - 1));
    return {level, level, level};
}

// The palette index whose grey is nearest the colour's green.
int PaletteIndex(BmpColour c, int bits) {
    const int colours = 1 << bits;
    return (c.g * (colours - 1) + 127) / 255;
}

void PutPixel(std::vector<uint8_t>& row, int x, int bits, BmpColour c) {
    if (bits <= 8) {
        const int bit = x * bits;
        const int shift = 8 - bits - bit % 8;
        row[bit / 8] |= static_cast<uint8_t>(PaletteIndex(c, bits) << shift);
    } else if (bits == 16) {
        const auto v = static_cast<uint16_t>((c.r >> 3) << 10 | (c.g >> 3) << 5 | (c.b >> 3));
        row[x * 2] = static_cast<uint8_t>(v);
        row[x * 2 + 1] = static_cast<uint8_t>(v >> 8);
    } else {
        const int bytes = bits / 8;
        row[x * bytes] = c.b;
        row[x * bytes + 1] = c.g;
        row[x * bytes + 2] = c.r;
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

std::vector<uint8_t> TagFile::Bytes() const {
    const auto tagCount = static_cast<int32_t>(names.size());
    const int32_t namesOffset = 32;
    const int32_t transformsOffset = namesOffset + 64 * tagCount;
    const int32_t endOffset = transformsOffset + 48 * static_cast<int32_t>(transforms.size());
    std::vector<uint8_t> out{'J', 'D', 'P', '2'};
    for (int32_t value : {1, tagCount, frameCount, namesOffset, transformsOffset, endOffset, endOffset}) {
        PutLE(out, static_cast<uint32_t>(value));
    }
    for (const std::string& name : names) {
        PutText(out, name, 64);
    }
    for (const Transform& t : transforms) {
        for (float f : t) {
            PutFloat(out, f);
        }
    }
    return out;
}

void TagFile::AddRiding(const Md2File& model, const std::string& name, const std::array<int, 3>& corners) {
    using V = std::array<float, 3>;
    const auto minus = [](V a, V b) { return V{{a[0] - b[0], a[1] - b[1], a[2] - b[2]}}; };
    const auto unit = [](V a) {
        const float length = std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
        return length > 0.0f ? V{{a[0] / length, a[1] / length, a[2] / length}} : V{{1.0f, 0.0f, 0.0f}};
    };
    const auto cross = [](V a, V b) {
        return V{{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]}};
    };
    names.push_back(name);
    frameCount = static_cast<int32_t>(model.frames.size());
    for (const Md2Frame& frame : model.frames) {
        V p[3];
        for (int i = 0; i < 3; ++i) {
            for (int k = 0; k < 3; ++k) {
                p[i][k] =
                    frame.vertices[static_cast<size_t>(corners[i])][k] * frame.scale[k] + frame.translate[k];
            }
        }
        const V x = unit(minus(p[1], p[0]));
        const V z = unit(cross(x, minus(p[2], p[0])));
        const V y = cross(z, x);
        transforms.push_back(
            {{x[0], x[1], x[2], y[0], y[1], y[2], z[0], z[1], z[2], p[0][0], p[0][1], p[0][2]}});
    }
}

std::vector<uint8_t> BmpBytes(const BmpShape& shape, const std::function<BmpColour(int x, int y)>& colourAt) {
    const int bits = shape.bitsPerPixel;
    const uint32_t paletteColours = bits <= 8 ? (1u << bits) : 0;
    const uint32_t rowBytes = ((static_cast<uint32_t>(shape.width) * bits + 31) / 32) * 4;
    const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(shape.height);
    const uint32_t dataOffset = 14 + 40 + paletteColours * 4;

    std::vector<uint8_t> out{'B', 'M'};
    PutLE(out, dataOffset + pixelBytes);
    PutLE(out, 0);
    PutLE(out, dataOffset);
    PutLE(out, 40);
    PutLE(out, static_cast<uint32_t>(shape.width));
    PutLE(out, static_cast<uint32_t>(shape.topDown ? -shape.height : shape.height));
    PutLE(out, 1, 2);
    PutLE(out, static_cast<uint32_t>(bits), 2);
    PutLE(out, 0); // uncompressed
    PutLE(out, pixelBytes);
    PutLE(out, 2835); // 72 dpi
    PutLE(out, 2835);
    PutLE(out, paletteColours);
    PutLE(out, 0);
    for (uint32_t i = 0; i < paletteColours; ++i) {
        BmpColour c = PaletteColour(static_cast<int>(i), bits);
        out.insert(out.end(), {c.b, c.g, c.r, 0});
    }

    for (int stored = 0; stored < shape.height; ++stored) {
        const int y = shape.topDown ? stored : shape.height - 1 - stored;
        std::vector<uint8_t> row(rowBytes, 0);
        for (int x = 0; x < shape.width; ++x) {
            PutPixel(row, x, bits, colourAt(x, y));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

} // namespace korvel::files
