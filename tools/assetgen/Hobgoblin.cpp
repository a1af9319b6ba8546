// Generator "hobgoblin": the MD2 viewer's model, Data/Models/MD2/tris.md2, and its skin,
// Data/Models/MD2/hobgoblin.bmp. Every frame of every animation is the body posed and packed.
#include "BmpWriter.h"
#include "Generator.h"
#include "Hobgoblin.h"
#include "Md2Writer.h"

#include <cstdio>

namespace hobgoblin {

namespace {

bool MakeHobgoblin(const std::string& dataDir) {
    const assetgen::SkinnedMesh body = BuildBody();
    assetgen::Md2Model model;
    model.skinWidth = kSkinSize;
    model.skinHeight = kSkinSize;
    model.skinName = "hobgoblin.bmp";
    model.texCoords = body.TexCoords();
    for (const assetgen::MeshTriangle& t : body.Triangles()) {
        model.triangles.push_back(
            {{t.vertex[0], t.vertex[1], t.vertex[2]}, {t.texCoord[0], t.texCoord[1], t.texCoord[2]}});
    }
    for (const Animation& animation : Animations()) {
        for (int f = 0; f < animation.frames; ++f) {
            char number[12];
            std::snprintf(number, sizeof number, "%02d", f + 1);
            model.frames.push_back(
                {animation.name + number, PosedVertices(body, animation.pose(f, animation.frames))});
        }
    }
    const std::string folder = dataDir + "/Models/MD2/";
    return assetgen::WriteMd2(folder + "tris.md2", model) &&
           assetgen::WriteBmpRGB(folder + "hobgoblin.bmp", kSkinSize, kSkinSize, PaintSkin());
}

assetgen::Registrar reg("hobgoblin", MakeHobgoblin);

} // namespace

} // namespace hobgoblin
