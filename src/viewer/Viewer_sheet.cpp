// The contact sheet (--sheet): one model of the archive or folder a frame, drawn into the window's
// top-left corner at the sheet's cell size with its path under it, and copied into the grid.
#include "viewer/Viewer.h"

#include "base/GL.h"
#include "base/Registry.h"
#include "demo/ViewerScene.h"
#include "graphics/GraphicsCore.h"
#include "models/MD2Model.h"
#include "text/Font.h"
#include "text/FontManager.h"

#include <iostream>

bool CViewer::StartSheet() {
    if (!OpenCatalog()) {
        return false;
    }
    const size_t count =
        options.limit > 0 ? std::min(catalog.Count(), static_cast<size_t>(options.limit)) : catalog.Count();
    sheet = std::make_unique<CContactSheet>(count, options.columns);
    if (!sheet->Valid()) {
        std::cerr << "md2viewer: " << count << " models make too large a sheet; choose fewer with --limit"
                  << std::endl;
        return false;
    }
    return true;
}

bool CViewer::DrawSheetCell() {
    const size_t i = sheetDrawn;
    if (i >= sheet->Cells()) {
        std::string error;
        if (!sheet->Write(options.sheet, &error)) {
            std::cerr << "md2viewer: " << error << std::endl;
            exitStatus = 1;
            return false;
        }
        // On a line of its own: the last model's loading line ends with "done." and no end of line.
        std::cout << "\nContact sheet of " << sheet->Cells() << " models saved to " << options.sheet
                  << std::endl;
        return false;
    }
    const std::string inner = catalog.Inner(i);
    // A long archive takes minutes: the counter and the model go to standard error as they are drawn.
    std::cerr << "[" << i + 1 << "/" << sheet->Cells() << "] " << inner << std::endl;
    const bool loaded = Open(catalog.Path(i));
    if (loaded) {
        model->SetPaused(true);
    }
    const int width = static_cast<int>(gGraphicsCore->width),
              height = static_cast<int>(gGraphicsCore->height);
    CViewerScene::Clear();
    glViewport(0, height - CContactSheet::kCellHeight, CContactSheet::kCellWidth, CContactSheet::kCellHeight);
    CViewerScene::DrawGround();
    if (loaded) {
        model->Render();
    }
    glViewport(0, 0, width, height);
    if (CFont* font = gFontManager->GetFont(1)) {
        const auto label = CContactSheet::Label(inner);
        const int y = CContactSheet::kCellHeight + 2;
        font->PrintColor(4, y, 0, 0.75f, 0.75f, 0.75f, "%s", label.first.c_str());
        // A model the loader refused keeps its place, its name in red.
        font->PrintColor(4, y + 18, 0, 1.0f, loaded ? 1.0f : 0.3f, loaded ? 1.0f : 0.3f, "%s",
                         label.second.c_str());
    }
    sheet->ReadCell(i, height);
    ++sheetDrawn;
    return true;
}
