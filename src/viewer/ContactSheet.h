// A contact sheet: the models of an archive or folder drawn small in a grid, each with its path in
// two lines under it, saved as one PNG picture. The viewer draws one model a frame into the window's
// top-left corner; ReadCell copies that corner into the model's place in the grid.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class CContactSheet {
public:
    // A model's picture: the window's view at 5/16 of its size, the same aspect.
    static constexpr int kCellWidth = 320, kCellHeight = 240;
    // Two lines of the 12-pixel font under the picture: the folder, then the file name.
    static constexpr int kLabelHeight = 40;
    static constexpr int kSlotHeight = kCellHeight + kLabelHeight;
    // Characters of a label line that fit under a picture.
    static constexpr size_t kLabelChars = kCellWidth / 12 - 1;
    // The most pixels one sheet holds (1 GiB of them); a longer archive wants --limit.
    static constexpr uint64_t kMaxBytes = uint64_t(1) << 30;

    // A sheet of `cells` models in `columns` columns (fewer when there are fewer models), the
    // background colour of the scene. Empty (Valid() false) when it would exceed kMaxBytes.
    CContactSheet(size_t cells, int columns);
    bool Valid() const { return !pixels.empty(); }
    size_t Cells() const { return cells; }
    int Width() const { return columns * kCellWidth; }
    int Height() const { return rows * kSlotHeight; }

    // Copies the window's top-left kCellWidth x kSlotHeight pixels (from the back buffer of a window
    // windowHeight pixels tall) into cell i.
    void ReadCell(size_t i, int windowHeight);
    bool Write(const std::string& path, std::string* error) const;

    // The two lines under a model at this path inside the archive: its folder ("models/ogre/") and
    // its file name, each cut at the front to kLabelChars, "..." marking a cut.
    static std::pair<std::string, std::string> Label(const std::string& inner);

private:
    size_t cells;
    int columns;
    int rows;
    // RGBA, top row first.
    std::vector<uint8_t> pixels;
};
