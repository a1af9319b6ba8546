/// \struct MD2Corners
/// The corners an MD2 model is drawn from: one entry per distinct (vertex, texture coordinate) pair of
/// frame 0's triangles, so that a corner shared by several triangles is stored once. The vertex arrays
/// draw from it and the glTF export writes it.
#pragma once

#include "models/ModelData.h"

#include <cstdint>
#include <vector>

struct MD2Corners {
    /// Model vertex of each corner.
    std::vector<int32_t> vertex;
    /// Two floats (u, v) per corner; empty for a model without texture coordinates.
    std::vector<float> texCoords;
    /// Three corners per triangle, in the file's triangle and corner order.
    std::vector<uint32_t> indices;
};

/// The corner table of the model's frame 0; empty for a model without frames or triangles.
MD2Corners BuildCorners(const ModelData& data);
