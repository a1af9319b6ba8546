// MD2 output for the model generators: version 8 files with one skin name, texture coordinates,
// triangles and key frames whose vertices are packed into bytes with a per-frame scale and translate.
#pragma once

#include "MeshMath.h"

#include <string>
#include <vector>

namespace assetgen {

struct Md2Triangle {
    int vertex[3]; // clockwise seen from outside, the MD2 winding
    int texCoord[3];
};

struct Md2Frame {
    std::string name;         // at most 15 characters, such as "stand01"
    std::vector<V3> vertices; // file axes: x forward, y left, z up
};

struct Md2Model {
    int skinWidth = 256;
    int skinHeight = 256;
    std::string skinName;
    std::vector<int> texCoords; // s0, t0, s1, t1, ... in skin pixels, t from the top row
    std::vector<Md2Triangle> triangles;
    std::vector<Md2Frame> frames;
};

// Writes the model; false after a message when it does not fit the format or cannot be written.
bool WriteMd2(const std::string& path, const Md2Model& model);

} // namespace assetgen
