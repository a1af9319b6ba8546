// What the tests know of the viewer and its screen, taken from the viewer's scene so that they follow
// it: the program of this build, its caption, and its window, which is also the GL tests' window and
// the end-to-end tests' virtual screen.
#pragma once

#include "demo/ViewerScene.h"

#include <string>

namespace korvel::test {

constexpr int kScreenWidth = CViewerScene::kWidth, kScreenHeight = CViewerScene::kHeight;
// "WIDTHxHEIGHT", as Xvfb and ImageMagick write a size.
inline const std::string kScreenSize = std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight);

// md2viewer of this build, its caption, and the caption while it runs (the kernel adds the rate).
inline const std::string kViewer = std::string(KORVEL_BIN_DIR) + "/md2viewer";
inline const std::string kViewerTitle = CViewerScene::kCaption;
inline const std::string kViewerRunning = kViewerTitle + " Current FPS: ";

} // namespace korvel::test
