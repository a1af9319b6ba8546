// Generator "hobgoblin": the MD2 viewer's model and its skin, at the paths the viewer's scene loads
// them from. Every frame of every animation is the body posed and packed.
#include "Generator.h"
#include "Hobgoblin.h"
#include "FileBytes.h"
#include "Md2Writer.h"
#include "demo/ViewerScene.h"

#include <filesystem>

namespace hobgoblin {

namespace {

bool MakeHobgoblin(const std::string& dataDir) {
    const assetgen::SkinnedMesh body = BuildBody();
    assetgen::Md2Model model;
    model.skinWidth = kSkinSize;
    model.skinHeight = kSkinSize;
    model.skinName = std::filesystem::path(CViewerScene::kSkinPath).filename().string();
    model.texCoords = body.TexCoords();
    model.triangles = body.Triangles();
    for (const Animation& animation : Animations()) {
        for (int f = 0; f < animation.frames; ++f) {
            const std::string number = (f < 9 ? "0" : "") + std::to_string(f + 1);
            model.frames.push_back(
                {animation.name + number, PosedVertices(body, animation.pose(f, animation.frames))});
        }
    }
    const std::vector<uint8_t> skin = PaintSkin();
    const auto skinAt = [&](int x, int y) {
        const uint8_t* rgb = &skin[(size_t(y) * kSkinSize + size_t(x)) * 3];
        return korvel::files::BmpColour{rgb[0], rgb[1], rgb[2]};
    };
    return assetgen::WriteMd2(assetgen::InData(dataDir, CViewerScene::kModelPath), model) &&
           assetgen::WriteBytes(assetgen::InData(dataDir, CViewerScene::kSkinPath),
                                korvel::files::BmpBytes({kSkinSize, kSkinSize, 24, false}, skinAt));
}

assetgen::Registrar reg("hobgoblin", MakeHobgoblin);

} // namespace

} // namespace hobgoblin
