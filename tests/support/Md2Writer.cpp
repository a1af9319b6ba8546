#include "support/Md2Writer.h"

#include <fstream>
#include <random>

namespace korvel::test {

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
