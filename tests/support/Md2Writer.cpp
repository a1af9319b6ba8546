#include "support/Md2Writer.h"

#include <cstring>
#include <fstream>
#include <random>

namespace korvel::test {

namespace {

const int kHeaderSize = 68;

void PutInt32(std::vector<uint8_t>& out, int32_t value) {
    uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
}

void PutInt16(std::vector<uint8_t>& out, int16_t value) {
    uint16_t v = static_cast<uint16_t>(value);
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutFloat(std::vector<uint8_t>& out, float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    PutInt32(out, static_cast<int32_t>(bits));
}

void PutText(std::vector<uint8_t>& out, const std::string& text, size_t width) {
    for (size_t i = 0; i < width; ++i) {
        out.push_back(i < text.size() ? static_cast<uint8_t>(text[i]) : 0);
    }
}

} // namespace

std::vector<uint8_t> Md2Writer::Bytes() const {
    const int32_t vertexCount = frames.empty() ? 0 : static_cast<int32_t>(frames[0].vertices.size());
    const int32_t frameSize = 40 + 4 * vertexCount;
    const int32_t skinOffset = kHeaderSize;
    const int32_t texCoordOffset = skinOffset + 64 * static_cast<int32_t>(skins.size());
    const int32_t triangleOffset = texCoordOffset + 4 * static_cast<int32_t>(texCoords.size());
    const int32_t frameOffset = triangleOffset + 12 * static_cast<int32_t>(triangles.size());
    const int32_t endOffset = frameOffset + frameSize * static_cast<int32_t>(frames.size());

    std::vector<uint8_t> out;
    out.insert(out.end(), {'I', 'D', 'P', '2'});
    for (int32_t value : {8, skinWidth, skinHeight, frameSize, static_cast<int32_t>(skins.size()),
                          vertexCount, static_cast<int32_t>(texCoords.size()),
                          static_cast<int32_t>(triangles.size()), 0, static_cast<int32_t>(frames.size()),
                          skinOffset, texCoordOffset, triangleOffset, frameOffset, endOffset, endOffset}) {
        PutInt32(out, value);
    }
    for (const std::string& skin : skins) {
        PutText(out, skin, 64);
    }
    for (const auto& st : texCoords) {
        PutInt16(out, st[0]);
        PutInt16(out, st[1]);
    }
    for (const Md2Triangle& t : triangles) {
        for (int16_t v : t.vertex) {
            PutInt16(out, v);
        }
        for (int16_t v : t.texCoord) {
            PutInt16(out, v);
        }
    }
    for (const Md2Frame& frame : frames) {
        for (float f : frame.scale) {
            PutFloat(out, f);
        }
        for (float f : frame.translate) {
            PutFloat(out, f);
        }
        PutText(out, frame.name, 16);
        for (const auto& v : frame.vertices) {
            out.insert(out.end(), {v[0], v[1], v[2], 0});
        }
    }
    return out;
}

bool Md2Writer::Write(const std::string& path) const {
    std::vector<uint8_t> bytes = Bytes();
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

Md2Writer Md2Writer::NamedFrames(const std::vector<std::string>& names) {
    Md2Writer writer;
    writer.texCoords = {{{0, 0}}, {{256, 0}}, {{0, 256}}};
    writer.triangles = {{{{0, 1, 2}}, {{0, 1, 2}}}};
    for (size_t i = 0; i < names.size(); ++i) {
        Md2Frame frame;
        frame.name = names[i];
        uint8_t shift = static_cast<uint8_t>(i % 200);
        frame.vertices = {{{shift, 0, 0}}, {{static_cast<uint8_t>(shift + 10), 0, 0}}, {{shift, 0, 10}}};
        writer.frames.push_back(frame);
    }
    return writer;
}

Md2Writer Md2Writer::Box(const std::array<float, 3>& size, const std::vector<std::string>& skins) {
    Md2Writer writer;
    writer.skinWidth = writer.skinHeight = 64;
    writer.skins = skins;
    writer.texCoords = {{{0, 0}}, {{64, 0}}, {{0, 64}}, {{64, 64}}};
    // Corner c has x from bit 0, y from bit 1 and z from bit 2; each side is two triangles.
    const int16_t sides[6][4] = {{0, 1, 3, 2}, {4, 6, 7, 5}, {0, 4, 5, 1},
                                 {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 5, 7, 3}};
    for (const auto& q : sides) {
        writer.triangles.push_back({{{q[0], q[1], q[2]}}, {{0, 1, 3}}});
        writer.triangles.push_back({{{q[0], q[2], q[3]}}, {{0, 3, 2}}});
    }
    for (int n = 1; n <= 2; ++n) {
        Md2Frame frame;
        frame.name = "box" + std::to_string(n);
        frame.scale = {{size[0] / 255.0f, size[1] / 255.0f, size[2] / 255.0f}};
        for (int c = 0; c < 8; ++c) {
            frame.vertices.push_back(
                {{static_cast<uint8_t>(c & 1 ? 255 : 0), static_cast<uint8_t>(c & 2 ? 255 : 0),
                  static_cast<uint8_t>(c & 4 ? 255 : 0)}});
        }
        writer.frames.push_back(frame);
    }
    return writer;
}

Md2Writer Md2Writer::RandomMesh(int vertexCount, int triangleCount, int frameCount, uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> vertex(0, vertexCount - 1);
    std::uniform_real_distribution<float> scale(0.01f, 0.5f);
    Md2Writer writer;
    writer.texCoords = {{{0, 0}}, {{128, 64}}, {{255, 255}}};
    for (int k = 0; k < triangleCount; ++k) {
        Md2Triangle t{};
        for (int j = 0; j < 3; ++j) {
            t.vertex[j] = static_cast<int16_t>(vertex(random));
            t.texCoord[j] = static_cast<int16_t>(j);
        }
        // Now and then a triangle names one vertex twice, which must count once for that vertex.
        if (k % 50 == 0) {
            t.vertex[2] = t.vertex[0];
        }
        writer.triangles.push_back(t);
    }
    for (int f = 0; f < frameCount; ++f) {
        Md2Frame frame;
        frame.name = "frame" + std::to_string(f % 100);
        frame.scale = {{scale(random), scale(random), scale(random)}};
        frame.translate = {{-scale(random) * 100, -scale(random) * 100, scale(random)}};
        for (int v = 0; v < vertexCount; ++v) {
            frame.vertices.push_back({{static_cast<uint8_t>(byte(random)), static_cast<uint8_t>(byte(random)),
                                       static_cast<uint8_t>(byte(random))}});
        }
        writer.frames.push_back(frame);
    }
    return writer;
}

int32_t GetHeaderField(const std::vector<uint8_t>& file, Md2Field field) {
    size_t at = 4 * static_cast<size_t>(field);
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
        v |= static_cast<uint32_t>(file.at(at + i)) << (8 * i);
    }
    return static_cast<int32_t>(v);
}

void SetHeaderField(std::vector<uint8_t>& file, Md2Field field, int32_t value) {
    size_t at = 4 * static_cast<size_t>(field);
    uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        file.at(at + i) = static_cast<uint8_t>(v >> (8 * i));
    }
}

} // namespace korvel::test
