// Reading and checking: nothing is read from a table or frame before the header has shown that it
// lies inside the file and that every frame fits the frame buffer.
#include "models/LittleEndian.h"
#include "models/MD2Loader.h"

#include <algorithm>
#include <cstring>

namespace {

const int kTexCoordSize = 4;
const int kTriangleSize = 12;

// True when count items of itemSize bytes from offset on lie inside the file. An empty table is
// never read, so its offset does not matter.
bool TableFits(int32_t offset, int32_t count, int64_t itemSize, size_t fileSize) {
    if (count == 0) {
        return true;
    }
    if (offset < 0) {
        return false;
    }
    return static_cast<int64_t>(offset) + static_cast<int64_t>(count) * itemSize <=
           static_cast<int64_t>(fileSize);
}

} // namespace

MD2Header CMD2Loader::ParseHeader(const uint8_t* bytes) {
    int32_t fields[kHeaderSize / 4];
    static_assert(sizeof fields == sizeof(MD2Header), "the header is seventeen 32-bit fields");
    for (int i = 0; i < kHeaderSize / 4; ++i) {
        fields[i] = ReadInt32LE(bytes + 4 * i);
    }
    MD2Header parsed;
    std::memcpy(&parsed, fields, sizeof parsed);
    return parsed;
}

int64_t CMD2Loader::ReferencedEnd(const MD2Header& h) {
    int64_t end = kHeaderSize;
    // A file of another version is refused on its header alone.
    if (h.version != 8) {
        return end;
    }
    // Tables the header refuses (negative counts, offsets or sizes) are judged by ReadHeader on
    // whatever was read; they add nothing here.
    auto extend = [&end](int32_t offset, int32_t count, int64_t itemSize) {
        if (offset >= 0 && count > 0 && itemSize > 0) {
            end = std::max(end, static_cast<int64_t>(offset) + static_cast<int64_t>(count) * itemSize);
        }
    };
    extend(h.skinOffset, h.skinCount, kSkinNameSize);
    extend(h.texCoordOffset, h.texCoordCount, kTexCoordSize);
    extend(h.triangleOffset, h.triangleCount, kTriangleSize);
    extend(h.frameOffset, h.frameCount, h.frameSize);
    return end;
}

bool CMD2Loader::ReadHeader() {
    if (size < static_cast<size_t>(kHeaderSize)) {
        return Refuse("Header incomplete");
    }
    header = ParseHeader(bytes);
    const MD2Header& h = header;
    if (h.version != 8) {
        return Refuse("Version not 8");
    }
    if (h.skinCount < 0 || h.vertexCount < 0 || h.texCoordCount < 0 || h.triangleCount < 0 ||
        h.frameCount < 0) {
        return Refuse("Negative count");
    }
    if (h.vertexCount > kMaxVertices) {
        return Refuse("More than 2070 vertices");
    }
    if (h.frameCount > 0 && h.frameSize < kFrameHeaderSize + 4 * h.vertexCount) {
        return Refuse("Frame size too small for its vertices");
    }
    if (h.frameCount > 0 && h.frameSize > kFrameBufferSize) {
        return Refuse("Frame size over 8320 bytes");
    }
    if (!TableFits(h.texCoordOffset, h.texCoordCount, kTexCoordSize, size)) {
        return Refuse("Texture coordinates outside the file");
    }
    if (!TableFits(h.triangleOffset, h.triangleCount, kTriangleSize, size)) {
        return Refuse("Triangles outside the file");
    }
    if (!TableFits(h.frameOffset, h.frameCount, h.frameSize, size)) {
        return Refuse("Frames outside the file");
    }
    if (h.texCoordCount > 0 && (h.skinWidth <= 0 || h.skinHeight <= 0)) {
        return Refuse("Skin size not positive");
    }
    return true;
}

void CMD2Loader::ReadSkinNames() {
    if (!TableFits(header.skinOffset, header.skinCount, kSkinNameSize, size)) {
        return;
    }
    for (int i = 0; i < header.skinCount; ++i) {
        const char* name = reinterpret_cast<const char*>(bytes + header.skinOffset) + i * kSkinNameSize;
        // A name that fills all 64 bytes has no terminator; it is cut at the field's end.
        skinNames.emplace_back(name, std::find(name, name + kSkinNameSize, '\0'));
    }
}

bool CMD2Loader::ReadData() {
    ReadSkinNames();
    rawTexCoords.resize(static_cast<size_t>(header.texCoordCount) * 2);
    for (size_t i = 0; i < rawTexCoords.size(); ++i) {
        rawTexCoords[i] = ReadInt16LE(bytes + header.texCoordOffset + 2 * i);
    }
    rawTriangles.resize(static_cast<size_t>(header.triangleCount) * 6);
    for (size_t i = 0; i < rawTriangles.size(); ++i) {
        rawTriangles[i] = ReadInt16LE(bytes + header.triangleOffset + 2 * i);
    }
    for (size_t k = 0; k < rawTriangles.size(); k += 6) {
        for (int j = 0; j < 3; ++j) {
            int16_t vertex = rawTriangles[k + j];
            if (vertex < 0 || vertex >= header.vertexCount) {
                return Refuse("Vertex index out of range");
            }
            // Without texture coordinates the model draws untextured and the indices are never used.
            int16_t texCoord = rawTriangles[k + 3 + j];
            if (header.texCoordCount > 0 && (texCoord < 0 || texCoord >= header.texCoordCount)) {
                return Refuse("Texture coordinate index out of range");
            }
        }
    }
    rawFrames.resize(static_cast<size_t>(header.frameCount));
    for (int i = 0; i < header.frameCount; ++i) {
        DecodeFrame(i);
    }
    return true;
}
