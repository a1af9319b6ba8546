// The viewer's generated images read back through SDL_image, as the engine reads them: the pointer's
// tip sits at its top-left pixel, and both images keep their background transparent.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <string>

namespace {

struct Rgba {
    Uint8 r, g, b, a;
};

class LoadedImage {
public:
    explicit LoadedImage(const std::string& relative)
        : surface(IMG_Load((std::string(KORVEL_RUNTIME_DIR) + "/" + relative).c_str())) {}
    ~LoadedImage() { SDL_FreeSurface(surface); }
    LoadedImage(const LoadedImage&) = delete;
    LoadedImage& operator=(const LoadedImage&) = delete;

    SDL_Surface* surface;
    Rgba At(int x, int y) const {
        const Uint8* p = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * 4;
        Uint32 value = Uint32(p[0]) | Uint32(p[1]) << 8 | Uint32(p[2]) << 16 | Uint32(p[3]) << 24;
        Rgba c;
        SDL_GetRGBA(value, surface->format, &c.r, &c.g, &c.b, &c.a);
        return c;
    }
    // Opaque pixels and their mean brightness over a rectangle.
    int CountOpaque(int x0, int y0, int x1, int y1) const {
        int n = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                n += At(x, y).a > 200;
            }
        }
        return n;
    }
};

TEST(ArtImages, PointerIsAnOutlinedArrowWithItsTipAtTheTopLeftPixel) {
    LoadedImage pointer("Data/MousePointer.png");
    ASSERT_NE(pointer.surface, nullptr) << IMG_GetError();
    ASSERT_EQ(pointer.surface->w, 32);
    ASSERT_EQ(pointer.surface->h, 32);
    ASSERT_EQ(pointer.surface->format->BytesPerPixel, 4);
    ASSERT_NE(pointer.surface->format->Amask, 0u);

    const Rgba tip = pointer.At(0, 0);
    EXPECT_EQ(tip.a, 255);
    EXPECT_LT(tip.r, 64) << "the tip belongs to the dark outline";
    EXPECT_EQ(pointer.At(31, 0).a, 0);
    EXPECT_EQ(pointer.At(31, 31).a, 0);
    EXPECT_EQ(pointer.At(0, 31).a, 0);
    // Inside the arrow: white; along its slanted edge: dark.
    EXPECT_GT(pointer.At(4, 10).r, 200);
    EXPECT_EQ(pointer.At(4, 10).a, 255);
    EXPECT_LT(pointer.At(9, 9).r, 100);
    // The arrow is a wedge from the tip: wider further down, and nothing right of the diagonal.
    EXPECT_LT(pointer.CountOpaque(0, 0, 32, 4), pointer.CountOpaque(0, 10, 32, 14));
    EXPECT_EQ(pointer.CountOpaque(20, 0, 32, 16), 0);
}

TEST(ArtImages, LogoIsLetteringOnATransparentBackground) {
    LoadedImage logo("Data/Logo/kvxlogo.png");
    ASSERT_NE(logo.surface, nullptr) << IMG_GetError();
    const int w = logo.surface->w, h = logo.surface->h;
    EXPECT_NEAR(w, 200, 40);
    EXPECT_NEAR(h, 60, 20);
    ASSERT_EQ(logo.surface->format->BytesPerPixel, 4);

    int border = 0;
    for (int x = 0; x < w; ++x) {
        border += logo.At(x, 0).a + logo.At(x, h - 1).a;
    }
    for (int y = 0; y < h; ++y) {
        border += logo.At(0, y).a + logo.At(w - 1, y).a;
    }
    EXPECT_EQ(border, 0) << "the lettering stays clear of the edges";
    const int opaque = logo.CountOpaque(0, 0, w, h);
    EXPECT_GT(opaque, w * h / 10) << "the lettering is readable";
    EXPECT_LT(opaque, w * h / 2) << "the background stays transparent";
    // Both lines carry lettering: the title in the upper part, the subtitle below it.
    EXPECT_GT(logo.CountOpaque(0, 0, w, h * 2 / 3), 0);
    EXPECT_GT(logo.CountOpaque(0, h * 3 / 4, w, h), 0);
}

} // namespace
