// TGA headers that claim gigabytes in a few bytes: the decoder allocates only what the rest of the
// file can encode, so such files fail with the message of the place they run dry, even where the
// process could never hold the image the header claims.
#include "support/TestSupport.h"
#include "support/TgaWriter.h"
#include "textures/TGATexture.h"

#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

using namespace korvel::test;

namespace {

#if defined(__SANITIZE_ADDRESS__)
const bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
const bool kAddressSanitizer = true;
#else
const bool kAddressSanitizer = false;
#endif
#else
const bool kAddressSanitizer = false;
#endif

// A 65530 x 12027 32-bit image (3.15 GB) whose data is one run packet: found by fuzzing, where its
// allocation broke the memory limit. It runs dry at the next packet header.
std::vector<uint8_t> ClaimsGigabytesRunLength() {
    std::vector<uint8_t> bytes = TgaHeader(10, 65530, 12027, 32);
    bytes.insert(bytes.end(), {0xFF, 1, 2, 3, 4});
    return bytes;
}

// A 30000 x 30000 24-bit raw image (2.7 GB) followed by ten bytes of pixels.
std::vector<uint8_t> ClaimsGigabytesRaw() {
    std::vector<uint8_t> bytes = TgaHeader(2, 30000, 30000, 24);
    bytes.resize(bytes.size() + 10, 0x7F);
    return bytes;
}

// In a child process whose address space is capped at 256 MB, far below what the header claims:
// decodes from the file and from memory, and ends with 0 when both failed with `expected`.
[[noreturn]] void DecodeUnderMemoryCap(const std::vector<uint8_t>& bytes, const std::string& path,
                                       const std::string& expected) {
    const rlimit cap{256u << 20, 256u << 20};
    setrlimit(RLIMIT_AS, &cap);
    bool sound = true;
    for (bool fromFile : {true, false}) {
        CaptureStream out(STDOUT_FILENO);
        CTGATexture tga;
        const bool decoded = fromFile ? tga.DecodeFile(path.c_str())
                                      : tga.DecodeMemory(bytes.data(), bytes.size(), path.c_str());
        const std::string said = out.Text();
        if (decoded || !tga.image.Empty() || said != expected + path + "\n") {
            std::fprintf(stderr, "%s: %s", fromFile ? "file" : "memory", said.c_str());
            sound = false;
        }
    }
    std::exit(sound ? 0 : 1);
}

void ExpectFailureUnderMemoryCap(const std::vector<uint8_t>& bytes, const std::string& expected) {
    TempDir dir;
    const std::string path = dir.File("big.tga");
    WriteFile(path, bytes);
    EXPECT_EXIT(DecodeUnderMemoryCap(bytes, path, expected), ::testing::ExitedWithCode(0), "");
}

TEST(TGAOversizedTest, RunLengthClaimingGigabytesFailsWhereItRunsDry) {
    if (kAddressSanitizer) {
        GTEST_SKIP() << "the sanitizer's shadow memory does not fit under an address-space cap";
    }
    ExpectFailureUnderMemoryCap(ClaimsGigabytesRunLength(), "Could not read RLE header: ");
}

TEST(TGAOversizedTest, RawClaimingGigabytesFailsAsShortImageData) {
    if (kAddressSanitizer) {
        GTEST_SKIP() << "the sanitizer's shadow memory does not fit under an address-space cap";
    }
    ExpectFailureUnderMemoryCap(ClaimsGigabytesRaw(), "Could not read image data: ");
}

TEST(TGAOversizedTest, RunsThatFillTheirImageStillDecodeWhole) {
    // 300 x 2 pixels from five run packets of 20 bytes in all: the buffer sized from the file's length
    // holds every pixel.
    std::vector<uint8_t> bytes = TgaHeader(10, 300, 2, 24);
    for (int packet = 0; packet < 5; ++packet) {
        const uint8_t count = packet < 4 ? 128 : 600 - 4 * 128;
        bytes.insert(bytes.end(), {static_cast<uint8_t>(127 + count), static_cast<uint8_t>(packet), 20, 30});
    }
    CTGATexture tga;
    ASSERT_TRUE(tga.DecodeMemory(bytes.data(), bytes.size(), "runs.tga"));
    ASSERT_EQ(tga.imageSize, 300u * 2 * 3);
    EXPECT_EQ(tga.image.pixels[0], 30);
    EXPECT_EQ(tga.image.pixels[2], 0);
    EXPECT_EQ(tga.image.pixels[tga.imageSize - 1], 4);
}

} // namespace
