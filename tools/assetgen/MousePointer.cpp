// The viewer's software mouse pointer, Data/MousePointer.png: a 32x32 white arrow with a dark outline
// on a transparent background. The arrow's tip is the top-left pixel, which is where the graphics
// core places the pointer's position.
#include "Canvas.h"
#include "Generator.h"
#include "Png.h"
#include "demo/ViewerScene.h"

namespace {

bool MakeMousePointer(const std::string& dataDir) {
    // Tip first, then down the left edge, round the tail and back up the slanted edge.
    const assetgen::Shape arrow =
        assetgen::Polygon({0, 0, 0, 25, 6, 19.5f, 10.5f, 29, 14.5f, 27.2f, 10.4f, 18, 18, 18});
    assetgen::Canvas canvas(32, 32);
    canvas.Fill(assetgen::Grow(arrow, 0.6f), assetgen::Rgba{0.06f, 0.06f, 0.06f, 1});
    canvas.Fill(assetgen::Grow(arrow, -1.4f), assetgen::Rgba{1, 1, 1, 1});
    return assetgen::WritePngRGBA(assetgen::InData(dataDir, CViewerScene::kPointerPath), canvas.Width(),
                                  canvas.Height(), canvas.Bytes());
}

assetgen::Registrar reg("pointer", MakeMousePointer);

} // namespace
