// Frame decoding: packed byte vertices become model positions, and the raw tables become the frame
// meshes of the ModelData.
#include "models/LittleEndian.h"
#include "models/MD2Loader.h"

#include <algorithm>

namespace {

const int kNameOffset = 24;
const int kNameSize = 16;

} // namespace

void CMD2Loader::DecodeFrame(int i) {
    const uint8_t* frame = bytes + header.frameOffset + static_cast<size_t>(i) * header.frameSize;
    Vec3 scale(ReadFloatLE(frame), ReadFloatLE(frame + 4), ReadFloatLE(frame + 8));
    Vec3 translate(ReadFloatLE(frame + 12), ReadFloatLE(frame + 16), ReadFloatLE(frame + 20));

    // A name that fills all 16 bytes has no terminator; it is cut at the field's end.
    const char* name = reinterpret_cast<const char*>(frame + kNameOffset);
    RawFrame& raw = rawFrames[static_cast<size_t>(i)];
    raw.name.assign(name, std::find(name, name + kNameSize, '\0'));

    // The file's z axis is the model's up axis; the file's y axis, negated, points out of the screen.
    raw.positions.resize(static_cast<size_t>(header.vertexCount));
    const uint8_t* packed = frame + kFrameHeaderSize;
    for (int j = 0; j < header.vertexCount; ++j, packed += 4) {
        Vec3& p = raw.positions[j];
        p.x = static_cast<float>(packed[0]) * scale.x + translate.x;
        p.y = static_cast<float>(packed[2]) * scale.z + translate.z;
        p.z = -(static_cast<float>(packed[1]) * scale.y + translate.y);
    }
}

void CMD2Loader::ConvertFrames(ModelData& model) {
    model.frameCount = header.frameCount;
    ParseAnimations(model);
    model.frames.reserve(static_cast<size_t>(header.frameCount));
    frameNames.reserve(static_cast<size_t>(header.frameCount));
    for (int i = 0; i < header.frameCount; ++i) {
        frameNames.push_back(rawFrames[static_cast<size_t>(i)].name);
        FrameMesh mesh;
        mesh.vertexCount = header.vertexCount;
        mesh.triangleCount = header.triangleCount;
        mesh.texCoordCount = header.texCoordCount;
        // The decoded array is handed over rather than copied.
        mesh.positions = std::move(rawFrames[static_cast<size_t>(i)].positions);
        mesh.normals.resize(static_cast<size_t>(header.vertexCount));
        if (i == 0 && header.texCoordCount > 0) {
            mesh.texCoords.resize(static_cast<size_t>(header.texCoordCount));
            for (int k = 0; k < header.texCoordCount; ++k) {
                float s = rawTexCoords[2 * static_cast<size_t>(k)];
                float t = rawTexCoords[2 * static_cast<size_t>(k) + 1];
                mesh.texCoords[k].u = s / static_cast<float>(header.skinWidth);
                mesh.texCoords[k].v = 1.0f - t / static_cast<float>(header.skinHeight);
            }
        }
        if (i == 0 && header.triangleCount > 0) {
            mesh.triangles.resize(static_cast<size_t>(header.triangleCount));
            for (int k = 0; k < header.triangleCount; ++k) {
                const int16_t* raw = &rawTriangles[6 * static_cast<size_t>(k)];
                for (int j = 0; j < 3; ++j) {
                    mesh.triangles[k].vertexIndex[j] = raw[j];
                    mesh.triangles[k].texCoordIndex[j] = raw[3 + j];
                }
            }
        }
        model.frames.push_back(std::move(mesh));
    }
}
