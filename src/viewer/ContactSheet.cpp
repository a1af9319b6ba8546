#include "viewer/ContactSheet.h"

#include "graphics/PngWriter.h"
#include "graphics/Screenshot.h"

#include <algorithm>
#include <cstring>

namespace {

// The front of a line that does not fit gives way to "...".
std::string CutFront(const std::string& line) {
    const size_t room = CContactSheet::kLabelChars;
    return line.size() <= room ? line : "..." + line.substr(line.size() - (room - 3));
}

} // namespace

CContactSheet::CContactSheet(size_t count, int wanted) : cells(count), columns(1), rows(0) {
    if (count == 0 || wanted < 1) {
        return;
    }
    columns = static_cast<int>(std::min<size_t>(count, static_cast<size_t>(wanted)));
    const size_t rowCount = (count + static_cast<size_t>(columns) - 1) / static_cast<size_t>(columns);
    const uint64_t bytes = uint64_t(rowCount) * kSlotHeight * uint64_t(columns) * kCellWidth * 4;
    if (bytes > kMaxBytes) {
        return;
    }
    rows = static_cast<int>(rowCount);
    // The scene's background, 0.1 grey, opaque.
    pixels.assign(static_cast<size_t>(bytes), 26);
    for (size_t alpha = 3; alpha < pixels.size(); alpha += 4) {
        pixels[alpha] = 255;
    }
}

void CContactSheet::ReadCell(size_t i, int windowHeight) {
    if (i >= cells || !Valid()) {
        return;
    }
    const std::vector<uint8_t> corner =
        CScreenshot::ReadBackBuffer(0, windowHeight - kSlotHeight, kCellWidth, kSlotHeight);
    const size_t column = i % static_cast<size_t>(columns), row = i / static_cast<size_t>(columns);
    const size_t rowBytes = static_cast<size_t>(kCellWidth) * 4;
    const size_t stride = static_cast<size_t>(Width()) * 4;
    for (size_t y = 0; y < static_cast<size_t>(kSlotHeight); ++y) {
        std::memcpy(pixels.data() + (row * kSlotHeight + y) * stride + column * rowBytes,
                    corner.data() + y * rowBytes, rowBytes);
    }
}

bool CContactSheet::Write(const std::string& path, std::string* error) const {
    return CPngWriter::WriteRGBA(path, Width(), Height(), pixels, error);
}

std::pair<std::string, std::string> CContactSheet::Label(const std::string& inner) {
    const size_t slash = inner.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "" : inner.substr(0, slash + 1);
    return {CutFront(folder), CutFront(inner.substr(slash == std::string::npos ? 0 : slash + 1))};
}
