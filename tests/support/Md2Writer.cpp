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

Md2Writer Md2Writer::Octahedron() {
    Md2Writer writer;
    writer.skinWidth = 8;
    writer.skinHeight = 6;
    writer.skins = {"models/octa/skin.bmp"};
    writer.texCoords = {{{0, 0}}, {{8, 0}}, {{4, 3}}, {{0, 6}}, {{8, 6}}, {{2, 5}}};
    const int faces[8][3] = {{0, 2, 4}, {2, 1, 4}, {1, 3, 4}, {3, 0, 4},
                             {2, 0, 5}, {1, 2, 5}, {3, 1, 5}, {0, 3, 5}};
    const int axis[6][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    for (int f = 0; f < 8; ++f) {
        // The engine's front normal (p0 - p2) x (p2 - p1) must point away from the centre.
        const int* a = axis[faces[f][0]];
        const int* b = axis[faces[f][1]];
        const int* c = axis[faces[f][2]];
        const int u[3] = {a[0] - c[0], a[1] - c[1], a[2] - c[2]};
        const int v[3] = {c[0] - b[0], c[1] - b[1], c[2] - b[2]};
        const int n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
        const bool outward =
            n[0] * (a[0] + b[0] + c[0]) + n[1] * (a[1] + b[1] + c[1]) + n[2] * (a[2] + b[2] + c[2]) > 0;
        Md2Triangle t{};
        t.vertex = {{static_cast<int16_t>(faces[f][0]), static_cast<int16_t>(faces[f][outward ? 1 : 2]),
                     static_cast<int16_t>(faces[f][outward ? 2 : 1])}};
        // The top (vertex 4) takes texture coordinate 2 on four faces and 5 on the rest.
        for (int j = 0; j < 3; ++j) {
            t.texCoord[j] = static_cast<int16_t>(t.vertex[j] == 4 ? (f % 2 ? 5 : 2) : t.vertex[j] % 5);
        }
        writer.triangles.push_back(t);
    }
    const char* names[] = {"stand1", "stand2", "stand3", "run1", "run2", "run3", "run4", "jump1", "jump2"};
    for (int k = 0; k < 9; ++k) {
        Md2Frame frame;
        frame.name = names[k];
        frame.scale = {{0.5f + 0.01f * k, 0.25f, 0.75f - 0.02f * k}};
        frame.translate = {{-32.0f + k, 1.5f * k, -10.0f}};
        for (int v = 0; v < 6; ++v) {
            const int r = 60 + 7 * k + 3 * v;
            frame.vertices.push_back(
                {{static_cast<uint8_t>(128 + axis[v][0] * r), static_cast<uint8_t>(128 + axis[v][1] * r),
                  static_cast<uint8_t>(128 + axis[v][2] * r)}});
        }
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
