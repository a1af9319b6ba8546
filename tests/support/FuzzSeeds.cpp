// Seed corpora: small valid files of each kind and the malformed variants the loaders must refuse.
#include "support/ArchiveWriter.h"
#include "support/BmpBytes.h"
#include "support/FuzzTargets.h"
#include "support/Md2Writer.h"
#include "support/TestSupport.h"
#include "support/TgaWriter.h"

namespace korvel::fuzz {

namespace {

using Bytes = std::vector<uint8_t>;

// A copy with the little-endian number of `count` bytes at offset replaced.
Bytes Patched(Bytes bytes, size_t offset, uint32_t value, int count = 4) {
    for (int i = 0; i < count; ++i) {
        bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
    }
    return bytes;
}

Bytes Cut(Bytes bytes, size_t size) {
    bytes.resize(size);
    return bytes;
}

Bytes Padded(Bytes bytes, size_t extra, uint8_t fill) {
    bytes.resize(bytes.size() + extra, fill);
    return bytes;
}

} // namespace

std::vector<Seed> BMPSeeds() {
    using test::MakeBmp;
    const Bytes base = MakeBmp({4, 3, 24, false});
    const Bytes pal = MakeBmp({3, 3, 8, false});
    const Bytes rgb16 = MakeBmp({7, 4, 16, false});
    // BMP header offsets: 10 pixel data, 18 width, 22 height, 28 depth (16 bits).
    return {
        {"rgb24-4x3", base, true},
        {"rgb24-3x3-padded", MakeBmp({3, 3, 24, false}), true},
        {"rgb24-3x2-topdown", MakeBmp({3, 2, 24, true}), true},
        {"rgb32-2x2", MakeBmp({2, 2, 32, false}), true},
        {"rgb16-7x4", rgb16, true},
        {"pal8-3x3", pal, true},
        {"pal4-5x2", MakeBmp({5, 2, 4, false}), true},
        {"pal1-9x2", MakeBmp({9, 2, 1, false}), true},
        {"rgb24-1x1", MakeBmp({1, 1, 24, false}), true},
        {"empty", {}, false},
        {"cut-in-file-header", Cut(base, 10), false},
        {"cut-in-info-header", Cut(base, 30), false},
        {"cut-in-palette", Cut(pal, 14 + 40 + 100), false},
        {"cut-in-pixels", Cut(base, base.size() - 5), false},
        {"rgb16-cut-in-pixels", Cut(rgb16, rgb16.size() - 3), false},
        {"bad-magic", Patched(base, 0, 'X', 1), false},
        {"depth-7", Patched(base, 28, 7, 2), false},
        // SDL keeps the depth's low byte: 4096 bits per pixel is read as 0, 0xFA18 as 24 bits of 67 bytes.
        {"depth-4096", Patched(rgb16, 28, 0x1000, 2), false},
        {"depth-0xFA18", Patched(Padded(MakeBmp({1, 1, 24, false}), 64, 0x30), 28, 0xFA18, 2), false},
        {"zero-width", Patched(base, 18, 0), false},
        {"negative-width", Patched(base, 18, static_cast<uint32_t>(-4)), false},
        // Found by fuzzing: SDL asks calloc for a negative size and reports "Out of memory".
        {"depth-6400-top-down",
         Patched(Patched(Patched(base, 18, 1538), 22, static_cast<uint32_t>(-48784)), 28, 0x1900, 2), false},
        // SDL hands back a surface of height -2^31 for a top-down file of that height.
        {"height-minus-2^31", Patched(MakeBmp({1, 1, 32, false}), 22, 0x80000000u), false},
        {"huge-dimensions", Patched(Patched(base, 18, 30000), 22, 30000), false},
        {"row-over-64k", Patched(Patched(base, 18, 70000), 22, 1), false},
        {"rgb16-claims-1792x65024", Patched(Patched(rgb16, 18, 1792), 22, 65024), false},
        {"pixels-offset-past-end", Patched(base, 10, 100000), false},
    };
}

std::vector<Seed> TGASeeds() {
    using test::MakeTga;
    using test::TestPicture;
    using test::TgaHeader;
    const Bytes raw24 = MakeTga(4, 3, 3, TestPicture(4, 3, 3));
    const Bytes rle24 = MakeTga(20, 7, 3, TestPicture(20, 7, 3), {true});
    const Bytes rle32 = MakeTga(9, 4, 4, TestPicture(9, 4, 4), {true});
    // One run packet of 128 pixels fills a 16 x 8 image.
    Bytes oneRun = TgaHeader(10, 16, 8, 24);
    oneRun.insert(oneRun.end(), {0xFF, 0x10, 0x20, 0x30});
    // The same image needs 128 pixels: 127 from a run, then a raw packet of two.
    Bytes overrun = TgaHeader(10, 16, 8, 24);
    overrun.insert(overrun.end(), {0xFE, 1, 2, 3, 0x01, 4, 5, 6, 7, 8, 9});
    // TGA header offsets: 1 colour-map type, 2 image type, 3..7 colour map, 8..11 origin, 12 width,
    // 14 height, 16 depth.
    return {
        {"raw24-4x3", raw24, true},
        {"raw32-3x2", MakeTga(3, 2, 4, TestPicture(3, 2, 4)), true},
        {"raw24-5x3-topdown", MakeTga(5, 3, 3, TestPicture(5, 3, 3), {false, true}), true},
        {"raw24-2x2-id", MakeTga(2, 2, 3, TestPicture(2, 2, 3), {false, false, 5}), true},
        {"rle24-20x7", rle24, true},
        {"rle32-9x4", rle32, true},
        {"rle32-6x5-topdown-id", MakeTga(6, 5, 4, TestPicture(6, 5, 4), {true, true, 3}), true},
        {"rle24-one-run", oneRun, true},
        {"empty", {}, false},
        {"cut-in-header", Cut(raw24, 5), false},
        {"cut-in-info", Cut(raw24, 14), false},
        {"raw-one-byte-short", Cut(raw24, raw24.size() - 1), false},
        {"rle-cut-after-packet", Cut(oneRun, 18), false},
        {"rle-cut-in-raw-packet", Cut(rle32, rle32.size() - 2), false},
        {"rle-cut-in-run-packet", Cut(oneRun, oneRun.size() - 1), false},
        {"rle-too-many-pixels", overrun, false},
        {"colour-mapped-type-1", Patched(raw24, 2, 1, 1), false},
        {"grey-type-3", Patched(raw24, 2, 3, 1), false},
        {"rle-colour-mapped-type-11", Patched(rle24, 2, 11, 1), false},
        {"colour-map-present", Patched(raw24, 1, 1, 1), false},
        {"colour-map-length", Patched(raw24, 5, 16, 2), false},
        {"x-origin", Patched(raw24, 8, 1, 2), false},
        {"depth-16", Patched(raw24, 16, 16, 1), false},
        {"rle-depth-8", Patched(rle24, 16, 8, 1), false},
        {"zero-width", Patched(raw24, 12, 0, 2), false},
        {"zero-height", Patched(rle24, 14, 0, 2), false},
        {"huge-65535x65535x32", TgaHeader(2, 65535, 65535, 32), false},
        {"rle-large-from-few-bytes", Patched(Patched(oneRun, 12, 4000, 2), 14, 4000, 2), false},
        // Found by fuzzing: 3 GB claimed by 22 bytes, allocated whole before the fix.
        {"rle-claims-3GB", Patched(Patched(Patched(oneRun, 12, 65530, 2), 14, 12027, 2), 16, 32, 1), false},
    };
}

std::vector<Seed> MD2Seeds() {
    using test::Md2Field;
    using test::Md2Writer;
    const Bytes named =
        Md2Writer::NamedFrames({"stand01", "stand02", "stand03", "run1", "run2", "pain101"}).Bytes();
    const Bytes mesh = Md2Writer::RandomMesh(24, 40, 5, 7).Bytes();
    Md2Writer untextured = Md2Writer::RandomMesh(6, 5, 2, 3);
    untextured.texCoords.clear();
    Md2Writer longNames = Md2Writer::NamedFrames({"abcdefghijklmnop", "abcdefghijklmnop"});
    longNames.skins = {"models/skin.pcx"};
    const int32_t frames = test::GetHeaderField(mesh, Md2Field::FrameOffset);
    const int32_t triangles = test::GetHeaderField(mesh, Md2Field::TriangleOffset);
    const int32_t texCoords = test::GetHeaderField(mesh, Md2Field::TexCoordOffset);
    auto with = [](Bytes bytes, Md2Field field, int32_t value) {
        test::SetHeaderField(bytes, field, value);
        return bytes;
    };
    // A triangle's first vertex index, and its first texture-coordinate index.
    auto triangleField = [&](size_t at, int16_t value) {
        return Patched(mesh, static_cast<size_t>(triangles) + at, static_cast<uint16_t>(value), 2);
    };
    return {
        {"named-frames", named, true},
        {"random-mesh", mesh, true},
        {"untextured", untextured.Bytes(), true},
        {"names-without-terminator", longNames.Bytes(), true},
        {"one-frame", Md2Writer::NamedFrames({"idle"}).Bytes(), true},
        {"no-frames", Md2Writer().Bytes(), true},
        {"other-magic", Patched(mesh, 0, 0x12345678), true},
        {"empty", {}, false},
        {"cut-in-header", Cut(mesh, 60), false},
        {"cut-in-texture-coordinates", Cut(mesh, static_cast<size_t>(texCoords) + 6), false},
        {"cut-in-triangles", Cut(mesh, static_cast<size_t>(triangles) + 30), false},
        {"cut-in-frames", Cut(mesh, mesh.size() - 1), false},
        {"version-7", with(mesh, Md2Field::Version, 7), false},
        {"negative-frame-count", with(mesh, Md2Field::FrameCount, -1), false},
        {"negative-triangle-count", with(mesh, Md2Field::TriangleCount, -5), false},
        {"negative-vertex-count", with(mesh, Md2Field::VertexCount, -24), false},
        {"negative-texture-coordinate-count", with(mesh, Md2Field::TexCoordCount, -3), false},
        {"negative-skin-count", with(mesh, Md2Field::SkinCount, -1), false},
        {"huge-frame-count", with(mesh, Md2Field::FrameCount, 0x7FFFFFFF), false},
        {"huge-triangle-count", with(mesh, Md2Field::TriangleCount, 0x40000000), false},
        {"over-2048-vertices", with(mesh, Md2Field::VertexCount, 2049), false},
        {"frame-size-too-small", with(mesh, Md2Field::FrameSize, 40), false},
        {"frame-size-over-buffer", with(mesh, Md2Field::FrameSize, 9000), false},
        {"frames-past-end", with(mesh, Md2Field::FrameOffset, frames + 100000), false},
        {"negative-triangle-offset", with(mesh, Md2Field::TriangleOffset, -12), false},
        {"skins-past-end", with(with(mesh, Md2Field::SkinCount, 3), Md2Field::SkinOffset, 0x7FFFFFF0), true},
        {"zero-skin-width", with(mesh, Md2Field::SkinWidth, 0), false},
        {"vertex-index-out-of-range", triangleField(0, 24), false},
        {"negative-vertex-index", triangleField(2, -1), false},
        {"texture-coordinate-index-out-of-range", triangleField(6, 3), false},
    };
}

std::vector<Seed> ArchiveSeeds() {
    using test::Md2Writer;
    // Models in nested folders with a skin beside them, as a game keeps them.
    test::PakWriter pak;
    pak.entries = {{"models/ogre/tris.md2", Md2Writer::RandomMesh(12, 20, 3, 5).Bytes()},
                   {"models/ogre/skin.pcx", Bytes(64, 7)},
                   {"models/items/Crate.MD2", Md2Writer::NamedFrames({"idle01", "idle02"}).Bytes()},
                   {"readme.txt", Bytes(10, 'a')}};
    const Bytes pakBytes = pak.Bytes();
    Bytes zipBytes;
    test::TempDir dir;
    for (const auto& entry : pak.entries) {
        test::WriteFile(dir.File("tree/" + entry.first), entry.second);
    }
    if (test::ZipFolder(dir.File("tree"), dir.File("game.zip"))) {
        zipBytes = test::ReadFile(dir.File("game.zip"));
    }
    const size_t directory = pak.DirectoryOffset();
    return {
        {"pak", pakBytes, true},
        {"zip", zipBytes, !zipBytes.empty()},
        {"pak-directory-past-the-end", Patched(pakBytes, 4, static_cast<uint32_t>(pakBytes.size())), false},
        {"pak-entry-past-the-end", Patched(pakBytes, directory + 56 + 4, 1u << 30), false},
        {"pak-cut", Cut(pakBytes, pakBytes.size() - 10), false},
        {"zip-cut", Cut(zipBytes, zipBytes.size() / 2), false},
        {"empty", {}, false},
    };
}

std::vector<Seed> TagSeeds() {
    files::TagFile file;
    file.AddRiding(test::Md2Writer::Octahedron(), "tag_head", {{4, 0, 2}});
    file.AddRiding(test::Md2Writer::Octahedron(), "tag_weapon", {{1, 3, 5}});
    const Bytes tags = file.Bytes();
    Bytes unended = tags;
    std::fill(unended.begin() + 32, unended.begin() + 96, 'a');
    return {
        {"two-tags", tags, true},
        {"huge-counts", Patched(Patched(tags, 8, 0x7fffffff), 12, 0x7fffffff), false},
        {"cut", Cut(tags, tags.size() - 4), false},
        {"name-without-end", unended, false},
        {"empty", {}, false},
    };
}

std::vector<Seed> TableSeeds() {
    const auto text = [](const std::string& lines) { return Bytes(lines.begin(), lines.end()); };
    return {
        {"anm", text("// soldier\r\nstand 0 19 10\r\n  run\t20 25 12.5 // a comment\nidle 39 39 2"), true},
        {"framegroups", text("0 20 10 1 // stand still\n20 6 15 0\n26 14 8.5 0 //  fall  \n"), true},
        {"every-line-bad", text("shoot 31 x 10\npain 30 29 10\nsalute 32 39 1001\n"), false},
    };
}

} // namespace korvel::fuzz
