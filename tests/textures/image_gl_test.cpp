// Images against a real GL context: PNG files written by ImageMagick, drawn in the 2D overlay and
// judged from the back buffer.
#include "support/EngineFixture.h"
#include "support/TestSupport.h"

#include "base/GL.h"
#include "base/Registry.h"
#include "graphics/GraphicsCore.h"
#include "textures/Image.h"
#include "textures/TextureManager.h"

#include <SDL.h>
#include <algorithm>
#include <string>

using korvel::test::CaptureStream;
using korvel::test::EngineTest;
using korvel::test::RunCommand;
using korvel::test::TempDir;

namespace {

using Rgb = std::array<int, 3>;
const Rgb Red{255, 0, 0}, Green{0, 255, 0}, Blue{0, 0, 255}, White{255, 255, 255}, Black{0, 0, 0};

// A 64x32 picture in four quadrants: red top-left, green top-right, blue bottom-left, white
// bottom-right. `format` is ImageMagick's output prefix (PNG32:, PNG24:, BMP3: ...).
std::string MakeQuadrants(const TempDir& dir, const std::string& format, const std::string& file) {
    std::string path = dir.File(file);
    std::string command = "convert -size 64x32 xc:white -fill red -draw 'rectangle 0,0 31,15' "
                          "-fill lime -draw 'rectangle 32,0 63,15' -fill blue -draw 'rectangle 0,16 31,31' " +
                          format + path;
    EXPECT_EQ(RunCommand(command), 0) << command;
    return path;
}

class ImageTest : public EngineTest {
protected:
    void SetUp() override {
        ClearFrame();
        gGraphicsCore->Begin2D();
        glLoadIdentity();
    }
    void TearDown() override { gGraphicsCore->End2D(); }

    static Rgb At(int x, int y) {
        auto p = Pixel(x, y);
        return {p[0], p[1], p[2]};
    }

    TempDir dir;
};

GLint TextureInternalFormat(const CImage& image) {
    GLint format = 0;
    glBindTexture(GL_TEXTURE_2D, image.texID);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    return format;
}

} // namespace

TEST_F(ImageTest, LoadsPngWithItsSizeLayoutAndRegistration) {
    std::string rgbaPath = MakeQuadrants(dir, "PNG32:", "rgba.png");
    std::string rgbPath = MakeQuadrants(dir, "PNG24:", "rgb.png");
    CaptureStream out(1);
    CImage rgba(rgbaPath);
    CImage rgb(rgbPath, 0.25f);
    EXPECT_EQ(out.Text(), "Loading Texture: " + rgbaPath + "\nLoading Texture: " + rgbPath + "\n");

    EXPECT_EQ(rgba.GetWidth(), 64.0f);
    EXPECT_EQ(rgba.GetHeight(), 32.0f);
    EXPECT_EQ(rgba.name, rgbaPath);
    EXPECT_EQ(rgba.GetAlpha(), 1.0f);
    EXPECT_EQ(rgb.GetAlpha(), 0.25f);
    EXPECT_NE(rgba.texID, 0u);
    EXPECT_EQ(TextureInternalFormat(rgba), GL_RGBA);
    EXPECT_EQ(TextureInternalFormat(rgb), GL_RGB);

    const auto& listed = gTextureManager->GetImages();
    EXPECT_NE(std::find(listed.begin(), listed.end(), &rgba), listed.end());
    EXPECT_NE(std::find(listed.begin(), listed.end(), &rgb), listed.end());
}

TEST_F(ImageTest, DrawsUprightAtItsPositionAndStretchesToItsWidth) {
    CImage image(MakeQuadrants(dir, "PNG32:", "q.png"));
    image.Draw(10, 20, 1, 0, 1, 1, 1, 1);
    EXPECT_EQ(At(12, 22), Red);
    EXPECT_EQ(At(72, 22), Green);
    EXPECT_EQ(At(12, 50), Blue);
    EXPECT_EQ(At(72, 50), White);
    EXPECT_EQ(At(9, 30), Black);
    EXPECT_EQ(At(74, 30), Black);
    EXPECT_EQ(At(30, 19), Black);
    EXPECT_EQ(At(30, 52), Black);

    ClearFrame();
    gGraphicsCore->Begin2D();
    glLoadIdentity();
    image.SetWidth(128);
    image.x = 10;
    image.y = 20;
    image.Draw(1, 0, 1, 1, 1, 1);
    EXPECT_EQ(At(70, 22), Red);
    EXPECT_EQ(At(135, 22), Green);
    EXPECT_EQ(At(139, 30), Black);
}

TEST_F(ImageTest, DrawRegionScaleAndRotation) {
    CImage image(MakeQuadrants(dir, "PNG32:", "q.png"));
    // The left half only, 32 units wide.
    image.DrawRegion(10, 20, TexRect{1.0f, 0.5f, 0.0f, 0.0f}, 1, 0, 1, 1, 1, 1);
    EXPECT_EQ(At(12, 22), Red);
    EXPECT_EQ(At(40, 50), Blue);
    EXPECT_EQ(At(44, 22), Black);

    // Twice the size from the same corner.
    image.Draw(300, 20, 2, 0, 1, 1, 1, 1);
    EXPECT_EQ(At(302, 22), Red);
    EXPECT_EQ(At(420, 80), White);
    EXPECT_EQ(At(430, 30), Black);

    // A quarter turn about the centre (132, 116): x now spans 116..148 and y 84..148.
    image.Draw(100, 100, 1, 90, 1, 1, 1, 1);
    EXPECT_EQ(At(140, 100), Red);
    EXPECT_EQ(At(140, 132), Green);
    EXPECT_EQ(At(124, 100), Blue);
    EXPECT_EQ(At(124, 132), White);
    EXPECT_EQ(At(110, 116), Black);
    EXPECT_EQ(At(154, 116), Black);
}

TEST_F(ImageTest, ColourAndAlphaTintThePicture) {
    CImage image(MakeQuadrants(dir, "PNG32:", "q.png"), 0.5f);
    image.Draw(10, 20, 1, 0, 1, 0, 0, 1);
    EXPECT_EQ(At(72, 50), Red);
    // The three-colour overload blends with the image's own alpha over the black frame.
    image.Draw(200, 20, 1, 0, 1, 1, 1);
    Rgb half = At(202, 22);
    EXPECT_NEAR(half[0], 128, 3);
    EXPECT_EQ(half[1], 0);
}

TEST_F(ImageTest, DrawingLeavesColourProgramAndMatricesAsFound) {
    CImage image(MakeQuadrants(dir, "PNG32:", "q.png"));
    GLint depthBefore = 0, depthAfter = 0, program = -1;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthBefore);
    image.Draw(10, 20, 2, 45, 0.5f, 0.25f, 0.125f, 0.5f);
    image.DrawRegion(10, 20, TexRect{0.5f, 1.0f, 0.0f, 0.5f}, 1, 30, 0, 1, 0, 1);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthAfter);
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(depthAfter, depthBefore);
    EXPECT_EQ(program, 0);
    EXPECT_EQ(colour[0], 1.0f);
    EXPECT_EQ(colour[1], 1.0f);
    EXPECT_EQ(colour[2], 1.0f);
    GLfloat matrix[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    EXPECT_EQ(matrix[12], 0.0f);
    EXPECT_EQ(matrix[0], 1.0f);
}

TEST_F(ImageTest, AMissingFileIsReportedAndDrawsNothing) {
    std::string path = dir.File("absent.png");
    size_t listed = gTextureManager->GetImages().size();
    CaptureStream out(1);
    CImage image(path);
    std::string log = out.Text();
    EXPECT_EQ(log.rfind("Loading Texture: " + path + "\nFailed to load the image: " + path + ", Error: ", 0),
              0u)
        << log;
    EXPECT_EQ(log.back(), '\n');
    EXPECT_EQ(image.texID, 0u);
    EXPECT_EQ(image.GetWidth(), 0.0f);
    EXPECT_TRUE(image.name.empty());
    EXPECT_EQ(gTextureManager->GetImages().size(), listed);

    image.Draw(0, 0, 1, 0, 1, 1, 1, 1);
    image.SetWidth(50);
    image.SetHeight(50);
    image.Draw(0, 0, 1, 0, 1, 1, 1, 1);
    EXPECT_EQ(At(10, 10), Black);
}

TEST_F(ImageTest, OtherPixelLayoutsArriveWithTheirColours) {
    // Palette, grey and BGR surfaces do not match the upload's layout and are converted first.
    std::string palette = MakeQuadrants(dir, "PNG8:", "palette.png");
    std::string bmp = MakeQuadrants(dir, "BMP3:", "bgr.bmp");
    std::string grey = dir.File("grey.png");
    ASSERT_EQ(RunCommand("convert -size 8x8 xc:gray50 PNG8:" + grey), 0);
    std::string keyed = dir.File("keyed.png");
    ASSERT_EQ(RunCommand("convert -size 16x16 xc:none -fill red -draw 'rectangle 0,0 7,15' PNG8:" + keyed),
              0);

    CImage a(palette), b(bmp), c(grey), d(keyed);
    a.Draw(0, 0, 1, 0, 1, 1, 1, 1);
    b.Draw(100, 0, 1, 0, 1, 1, 1, 1);
    c.Draw(200, 0, 1, 0, 1, 1, 1, 1);
    EXPECT_EQ(At(2, 2), Red);
    EXPECT_EQ(At(62, 30), White);
    EXPECT_EQ(At(162, 2), Green);
    EXPECT_EQ(At(102, 30), Blue);
    EXPECT_NEAR(At(204, 4)[0], 127, 2);

    // The palette's transparent entry becomes alpha 0: the blue background shows through.
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    d.Draw(300, 0, 1, 0, 1, 1, 1, 1);
    EXPECT_EQ(TextureInternalFormat(d), GL_RGBA);
    EXPECT_EQ(At(302, 8), Red);
    EXPECT_EQ(At(313, 8), Blue);
}
