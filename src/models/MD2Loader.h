/// \class CMD2Loader
/// Reads one MD2 model file (version 8) into a ModelData: every count, offset and size of the header
/// is checked against the file first, then the frames are decoded with the axis swap, the animations
/// are cut from the frame names and per-vertex normals are built. A refused file gets one line on
/// standard error and leaves the model empty.
#pragma once

#include "models/ModelData.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

/// The 68-byte file header, seventeen little-endian 32-bit integers in file order.
struct MD2Header {
    int32_t magic;           ///< "IDP2".
    int32_t version;         ///< 8.
    int32_t skinWidth;       ///< Skin width in pixels.
    int32_t skinHeight;      ///< Skin height in pixels.
    int32_t frameSize;       ///< Bytes per frame.
    int32_t skinCount;       ///< Entries of the skin table.
    int32_t vertexCount;     ///< Vertices per frame.
    int32_t texCoordCount;   ///< Texture coordinates.
    int32_t triangleCount;   ///< Triangles.
    int32_t glCommandCount;  ///< 32-bit words of GL commands.
    int32_t frameCount;      ///< Key frames.
    int32_t skinOffset;      ///< Offset of the skin table.
    int32_t texCoordOffset;  ///< Offset of the texture coordinates.
    int32_t triangleOffset;  ///< Offset of the triangles.
    int32_t frameOffset;     ///< Offset of the frames.
    int32_t glCommandOffset; ///< Offset of the GL commands.
    int32_t endOffset;       ///< Size of the file.
};

class CMD2Loader {
public:
    static const int kHeaderSize = 68; ///< Bytes of the file header.
    /// A frame holds scale, translate and name (40 bytes) and then 4 bytes per vertex; the largest
    /// frame is 8,320 bytes, so it holds at most 2,070 vertices.
    static const int kFrameHeaderSize = 40;
    static const int kFrameBufferSize = 8320; ///< Bytes of the largest frame.
    /// The most vertices a frame holds.
    static const int kMaxVertices = (kFrameBufferSize - kFrameHeaderSize) / 4;
    static const int kSkinNameSize = 64; ///< Bytes of a skin name.

    CMD2Loader();
    ~CMD2Loader();
    CMD2Loader(const CMD2Loader&) = delete;
    CMD2Loader& operator=(const CMD2Loader&) = delete;

    /// Reads the file at path into model; the skin path (or null) becomes its single material. The path
    /// may name a file inside an archive (see CFileSystem).
    bool Load(ModelData& model, const char* path, const char* skinPath);
    /// Reads the model at path, then its animation table (tableFile when not empty, else the one
    /// beside the model: CAnimationTable::ForModel), whose animations then replace those of the frame
    /// names. False, after one line, when the model or the table given cannot be read. `source`, when
    /// given, receives the table's path (empty without one).
    bool LoadWithAnimations(ModelData& model, const std::string& path, const std::string& tableFile,
                            std::string* source = nullptr);
    /// Reads a model held in memory; name stands for the file in messages.
    bool LoadFromMemory(ModelData& model, const uint8_t* bytes, size_t size, const char* name,
                        const char* skinPath);
    /// The header of the file read last (zero before the first load).
    const MD2Header& GetHeader() const { return header; }
    /// The skin names of the file read last, in table order; empty when its table lies outside it.
    const std::vector<std::string>& GetSkinNames() const { return skinNames; }
    /// The name of every frame of the file read last, in file order.
    const std::vector<std::string>& GetFrameNames() const { return frameNames; }

private:
    struct RawFrame {
        std::string name;
        std::vector<Vec3> positions;
    };

    /// The seventeen header fields from the first 68 bytes.
    static MD2Header ParseHeader(const uint8_t* bytes);
    /// Where the last table or frame the header names ends: no byte past it is ever read.
    static int64_t ReferencedEnd(const MD2Header& header);
    /// Reads the header and checks it against the file size.
    bool ReadHeader();
    /// Reads the tables and the frames; refuses triangles that index outside the tables.
    bool ReadData();
    /// Reads the skin names when their table lies inside the file; the model itself never needs them.
    void ReadSkinNames();
    /// Decodes frame i's vertices (scaled, translated, axis-swapped) and name.
    void DecodeFrame(int i);
    void ConvertFrames(ModelData& model);
    void ParseAnimations(ModelData& model);
    void ComputeNormals(ModelData& model);
    /// Releases the raw tables and frames.
    void CleanUp();
    /// Reports "Invalid file format (REASON): PATH!" and returns false.
    bool Refuse(const char* reason);

    MD2Header header;
    const uint8_t* bytes;
    size_t size;
    std::string path;
    std::vector<int16_t> rawTexCoords;
    std::vector<int16_t> rawTriangles;
    std::vector<RawFrame> rawFrames;
    std::vector<std::string> skinNames;
    std::vector<std::string> frameNames;
};
