// The engine font, Data/Font/font.tga: a 256x256 32-bit TGA of 16x16 cells, white everywhere with the
// glyph shapes in alpha, rows stored bottom-up. Glyph g sits in column g % 16 and row g / 16 counted
// from the top. Glyphs 0-95 are the characters 32-127 in DejaVu Sans Mono, glyphs 128-223 the same
// characters in DejaVu Sans Mono Bold; the rest stay empty.
#include "Generator.h"

#include <cstdio>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <vector>

namespace {

const char* const kRegularFace = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
const char* const kBoldFace = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf";

const int kAtlasSize = 256;
const int kCell = 16;
// DejaVu Sans Mono at 14 pixels high and 17 wide spans at most 12 rows above the baseline and 3
// below, and advances 10 pixels, so it fills the 12-pixel pen step without crowding. With the
// baseline on cell row 12 and the advance centred in the pen step, every glyph keeps a clear
// bottom row and right edge, and filtering never reaches a neighbouring cell.
const int kPixelHeight = 14;
const int kPixelWidth = 17;
const int kBaseline = 12;
const int kPenAdvance = 12;

// Alpha coverage of the whole atlas, top row first.
using Coverage = std::vector<uint8_t>;

// Rasterises one character into its cell; clips (and says so) anything that would leave the cell.
bool DrawGlyph(FT_Face face, int character, int glyph, Coverage& atlas) {
    if (FT_Load_Char(face, static_cast<FT_ULong>(character), FT_LOAD_RENDER) != 0) {
        std::fprintf(stderr, "assetgen: no glyph for character %d\n", character);
        return false;
    }
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    const int advance = static_cast<int>(slot->advance.x >> 6);
    const int left = (glyph % 16) * kCell + (kPenAdvance - advance) / 2 + slot->bitmap_left;
    const int top = (glyph / 16) * kCell + kBaseline - slot->bitmap_top;
    const int cellLeft = (glyph % 16) * kCell;
    const int cellTop = (glyph / 16) * kCell;
    bool clipped = false;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        for (unsigned column = 0; column < bitmap.width; ++column) {
            uint8_t value = bitmap.buffer[row * static_cast<unsigned>(bitmap.pitch) + column];
            int x = left + static_cast<int>(column);
            int y = top + static_cast<int>(row);
            if (x < cellLeft || x >= cellLeft + kCell - 1 || y < cellTop || y >= cellTop + kCell - 1) {
                clipped = clipped || value != 0;
                continue;
            }
            atlas[static_cast<size_t>(y) * kAtlasSize + static_cast<size_t>(x)] = value;
        }
    }
    if (clipped) {
        std::fprintf(stderr, "assetgen: character %d does not fit its cell\n", character);
    }
    return !clipped;
}

// Draws the printable characters 32-127 of one face as glyphs first..first+95.
bool DrawSet(FT_Library library, const char* file, int first, Coverage& atlas) {
    FT_Face face = nullptr;
    if (FT_New_Face(library, file, 0, &face) != 0) {
        std::fprintf(stderr, "assetgen: cannot read the font %s (package fonts-dejavu-core)\n", file);
        return false;
    }
    bool ok = FT_Set_Pixel_Sizes(face, kPixelWidth, kPixelHeight) == 0;
    // 127 (delete) has no picture and stays empty.
    for (int character = 32; ok && character < 127; ++character) {
        ok = DrawGlyph(face, character, first + character - 32, atlas);
    }
    FT_Done_Face(face);
    return ok;
}

// An uncompressed 32-bit TGA (type 2) with bottom-left origin: rows bottom-up, pixels B,G,R,A.
bool WriteAtlas(const std::string& path, const Coverage& atlas) {
    std::vector<uint8_t> bytes = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 32, 8};
    for (int row = kAtlasSize - 1; row >= 0; --row) {
        for (int x = 0; x < kAtlasSize; ++x) {
            bytes.insert(bytes.end(), {255, 255, 255, atlas[static_cast<size_t>(row) * kAtlasSize + x]});
        }
    }
    return assetgen::WriteBytes(path, bytes);
}

bool MakeFontAtlas(const std::string& dataDir) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        std::fprintf(stderr, "assetgen: FreeType does not start\n");
        return false;
    }
    Coverage atlas(static_cast<size_t>(kAtlasSize) * kAtlasSize, 0);
    bool ok = DrawSet(library, kRegularFace, 0, atlas) && DrawSet(library, kBoldFace, 128, atlas);
    FT_Done_FreeType(library);
    return ok && WriteAtlas(dataDir + "/Font/font.tga", atlas);
}

assetgen::Registrar reg("font", MakeFontAtlas);

} // namespace
