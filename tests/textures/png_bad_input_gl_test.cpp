// Damaged PNG files through CImage (SDL_image and libpng underneath): every cut of a real file,
// corrupted chunks and impossible header values either load into a texture of the size the header
// states or fail with the usual two lines and leave the image empty; nothing crashes.
#include "support/EngineFixture.h"
#include "support/TestSupport.h"

#include "base/GL.h"
#include "base/Registry.h"
#include "graphics/GraphicsCore.h"
#include "textures/Image.h"

#include <algorithm>

#include <cstring>
#include <string>
#include <vector>

using korvel::test::CaptureStream;
using korvel::test::EngineTest;
using korvel::test::TempDir;

namespace {

using Bytes = std::vector<uint8_t>;

// PNG chunk layout: length (4, big-endian), type (4), data, CRC over type and data (4).
const size_t kSignature = 8;
const size_t kIhdrData = kSignature + 8; // width 0..3, height 4..7, depth 8, colour type 9

uint32_t Crc32(const uint8_t* bytes, size_t count) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < count; ++i) {
        crc ^= bytes[i];
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void PutBE32(Bytes& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
    }
}

uint32_t GetBE32(const Bytes& bytes, size_t at) {
    return static_cast<uint32_t>(bytes[at]) << 24 | static_cast<uint32_t>(bytes[at + 1]) << 16 |
           static_cast<uint32_t>(bytes[at + 2]) << 8 | bytes[at + 3];
}

// The header chunk changed at `at` (an offset inside its data) and its CRC made right again, so the
// value itself is what the reader has to judge.
Bytes WithHeader(Bytes bytes, size_t at, const Bytes& value) {
    std::memcpy(&bytes[kIhdrData + at], value.data(), value.size());
    PutBE32(bytes, kIhdrData + 13, Crc32(&bytes[kSignature + 4], 4 + 13));
    return bytes;
}

Bytes BE32(uint32_t value) {
    Bytes bytes(4);
    PutBE32(bytes, 0, value);
    return bytes;
}

// The offsets where each chunk starts, the end of the file last.
std::vector<size_t> ChunkStarts(const Bytes& png) {
    std::vector<size_t> starts;
    for (size_t at = kSignature; at + 12 <= png.size(); at += 12 + GetBE32(png, at)) {
        starts.push_back(at);
    }
    starts.push_back(png.size());
    return starts;
}

// Where the first IDAT chunk starts, and where the last one ends.
size_t StartOfImageData(const Bytes& png) {
    for (size_t start : ChunkStarts(png)) {
        if (start + 8 <= png.size() && std::memcmp(&png[start + 4], "IDAT", 4) == 0) {
            return start;
        }
    }
    return 0;
}

size_t EndOfImageData(const Bytes& png) {
    size_t end = 0;
    for (size_t start : ChunkStarts(png)) {
        if (start + 8 <= png.size() && std::memcmp(&png[start + 4], "IDAT", 4) == 0) {
            end = start + 12 + GetBE32(png, start);
        }
    }
    return end;
}

void AppendChunk(Bytes& png, const char* type, const Bytes& data) {
    const size_t at = png.size();
    png.resize(at + 12 + data.size());
    PutBE32(png, at, static_cast<uint32_t>(data.size()));
    std::memcpy(&png[at + 4], type, 4);
    std::copy(data.begin(), data.end(), png.begin() + static_cast<long>(at + 8));
    PutBE32(png, at + 8 + data.size(), Crc32(&png[at + 4], 4 + data.size()));
}

class PngBadInputTest : public EngineTest {
protected:
    void SetUp() override {
        const std::string source = dir.File("source.png");
        ASSERT_EQ(korvel::test::RunCommand("convert -size 24x10 gradient:red-blue PNG24:" + source), 0);
        png = korvel::test::ReadFile(source);
        ASSERT_GT(png.size(), 60u);
    }

    // Loads the bytes; answers "" when they made a texture, else the reason the failure line gives.
    // Either outcome must be whole: a texture of the header's size, or the two lines and an empty image.
    std::string Load(const Bytes& bytes, const std::string& what) {
        const std::string path = dir.File("damaged.png");
        korvel::test::WriteFile(path, bytes);
        CaptureStream out(1);
        CImage image(path);
        const std::string log = out.Text();
        if (image.texID != 0) {
            EXPECT_EQ(image.GetWidth(), static_cast<float>(GetBE32(bytes, kIhdrData))) << what;
            EXPECT_EQ(image.GetHeight(), static_cast<float>(GetBE32(bytes, kIhdrData + 4))) << what;
            EXPECT_EQ(log, "Loading Texture: " + path + "\n") << what;
            return "";
        }
        EXPECT_EQ(
            log.rfind("Loading Texture: " + path + "\nFailed to load the image: " + path + ", Error: ", 0),
            0u)
            << what << ": " << log;
        EXPECT_EQ(image.GetWidth(), 0.0f) << what;
        EXPECT_TRUE(image.name.empty()) << what;
        const size_t reason = log.find(", Error: ") + 9;
        return reason < log.size() ? log.substr(reason, log.size() - reason - 1) : "?";
    }

    TempDir dir;
    Bytes png;
};

TEST_F(PngBadInputTest, CutsInsideTheImageFailAndCutsAfterItLoad) {
    EXPECT_EQ(Load(png, "whole file"), "");
    // ImageMagick writes text chunks between the image data and IEND; losing any of those loses nothing
    // of the image.
    const size_t imageEnd = EndOfImageData(png);
    ASSERT_LT(imageEnd + 12, png.size());
    // SDL_image's reader looped for ever on a file cut inside an ancillary chunk: every cut before the
    // end of the image data is refused before it gets there.
    for (size_t cut = 0; cut < png.size(); ++cut) {
        const std::string what = "cut at " + std::to_string(cut) + " of " + std::to_string(png.size());
        const std::string reason = Load(Bytes(png.begin(), png.begin() + static_cast<long>(cut)), what);
        // SDL_image recognises a PNG by its first four bytes.
        if (cut >= imageEnd) {
            EXPECT_EQ(reason, "") << what;
        } else if (cut >= kSignature) {
            EXPECT_EQ(reason, "PNG file cut short") << what;
        } else {
            EXPECT_EQ(reason, cut < 4 ? "Unsupported image format" : "Error reading the PNG file.") << what;
        }
    }
}

TEST_F(PngBadInputTest, ImageDataCutAtAChunkBoundaryIsRefusedAndWholeDataIsDrawn) {
    // The pixels' stream split over two IDAT chunks, then the file ended after the first or the second.
    const size_t pixels = StartOfImageData(png);
    ASSERT_NE(pixels, 0u);
    const uint32_t length = GetBE32(png, pixels);
    const Bytes head(png.begin(), png.begin() + static_cast<long>(pixels));
    const Bytes stream(png.begin() + static_cast<long>(pixels + 8),
                       png.begin() + static_cast<long>(pixels + 8 + length));
    Bytes firstHalf = head;
    AppendChunk(firstHalf, "IDAT", Bytes(stream.begin(), stream.begin() + length / 2));
    Bytes bothHalves = firstHalf;
    AppendChunk(bothHalves, "IDAT", Bytes(stream.begin() + length / 2, stream.end()));
    EXPECT_EQ(Load(firstHalf, "half the image data"), "PNG file cut short");

    const std::string path = dir.File("no-end.png");
    korvel::test::WriteFile(path, bothHalves);
    CImage image(path);
    ASSERT_NE(image.texID, 0u);
    ClearFrame();
    gGraphicsCore->Begin2D();
    glLoadIdentity();
    image.Draw(0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    // The gradient runs from red at the top row to blue at the bottom row.
    const auto top = Pixel(12, 0), bottom = Pixel(12, 9);
    gGraphicsCore->End2D();
    EXPECT_GT(top[0], top[2] + 150);
    EXPECT_GT(bottom[2], bottom[0] + 150);
}

TEST_F(PngBadInputTest, ImpossibleHeaderValuesAreRefused) {
    const std::string unreadable = "Error reading the PNG file.";
    EXPECT_EQ(Load(WithHeader(png, 0, BE32(0)), "zero width"), unreadable);
    EXPECT_EQ(Load(WithHeader(png, 4, BE32(0)), "zero height"), unreadable);
    EXPECT_EQ(Load(WithHeader(png, 0, BE32(0x80000000u)), "width past 2^31"), unreadable);
    EXPECT_EQ(Load(WithHeader(png, 8, {3}), "bit depth 3"), unreadable);
    EXPECT_EQ(Load(WithHeader(png, 9, {5}), "colour type 5"), unreadable);
    EXPECT_EQ(Load(WithHeader(png, 12, {7}), "interlace method 7"), unreadable);
    // Sizes libpng accepts but no surface can hold.
    EXPECT_EQ(Load(WithHeader(png, 0, BE32(70000)), "row over 64k pixels"), "Out of memory");
    EXPECT_EQ(Load(WithHeader(WithHeader(png, 0, BE32(30000)), 4, BE32(30000)), "30000 x 30000"),
              "Out of memory");
}

TEST_F(PngBadInputTest, DamagedBytesAreRefused) {
    Bytes signature = png;
    signature[1] = 'Q';
    EXPECT_EQ(Load(signature, "bad signature"), "Unsupported image format");
    Bytes headerCrc = png;
    headerCrc[kIhdrData + 13] ^= 0xFF;
    EXPECT_EQ(Load(headerCrc, "header CRC"), "Error reading the PNG file.");
    // The IDAT chunk holds the pixels' zlib stream; flip a byte in its middle and make its CRC right.
    const size_t pixels = StartOfImageData(png);
    ASSERT_NE(pixels, 0u);
    const uint32_t length = GetBE32(png, pixels);
    Bytes stream = png;
    stream[pixels + 8 + length / 2] ^= 0x55;
    PutBE32(stream, pixels + 8 + length, Crc32(&stream[pixels + 4], 4 + length));
    EXPECT_EQ(Load(stream, "damaged pixel data"), "Error reading the PNG file.");
    EXPECT_EQ(Load(Bytes(), "empty file"), "Unsupported image format");
    const std::string text = "not a picture\n";
    EXPECT_EQ(Load(Bytes(text.begin(), text.end()), "text file"), "Unsupported image format");
}

} // namespace
