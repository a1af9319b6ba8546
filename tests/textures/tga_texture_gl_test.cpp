// LoadTGA on a live context: the texture holds the decoded rows and stays bound, and the unpack
// alignment is only borrowed.
#include "support/EngineFixture.h"
#include "support/TestSupport.h"
#include "support/TgaWriter.h"

#include "base/GL.h"
#include "textures/TGATexture.h"

using namespace korvel::test;

class TgaTextureTest : public EngineTest {};

TEST_F(TgaTextureTest, UploadsOddRowsAndRestoresTheUnpackAlignment) {
    TempDir dir;
    for (int bytesPerPixel : {3, 4}) {
        SCOPED_TRACE(bytesPerPixel);
        const int width = 5, height = 3;
        std::vector<uint8_t> picture = TestPicture(width, height, bytesPerPixel);
        std::string path = dir.File("odd.tga");
        WriteFile(path, MakeTga(width, height, bytesPerPixel, picture, {true, true, 3}));
        glPixelStorei(GL_UNPACK_ALIGNMENT, 8);

        CTGATexture tga;
        ASSERT_TRUE(tga.LoadTGA(path.c_str()));
        ASSERT_NE(tga.texID, 0u);
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(static_cast<GLuint>(bound), tga.texID);
        GLint alignment = 0;
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
        EXPECT_EQ(alignment, 8);

        std::vector<uint8_t> texels(picture.size());
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, bytesPerPixel == 4 ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE,
                      texels.data());
        EXPECT_TRUE(texels == picture);
        GLint filter = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
        EXPECT_EQ(filter, GL_LINEAR);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TgaTextureTest, AFailedLoadCreatesNoTexture) {
    TempDir dir;
    WriteFile(dir.File("bad.tga"), TgaHeader(3, 2, 2, 8));
    CTGATexture tga;
    CaptureStream out(1);
    EXPECT_FALSE(tga.LoadTGA(dir.File("bad.tga").c_str()));
    EXPECT_FALSE(tga.LoadTGA(dir.File("none.tga").c_str()));
    EXPECT_EQ(out.Text(), "TGA file be type 2 or type 10, Invalid Image: " + dir.File("bad.tga") +
                              "\nCould not open texture file: " + dir.File("none.tga") + "\n");
    EXPECT_EQ(tga.texID, 0u);
    EXPECT_TRUE(tga.image.Empty());
}

TEST_F(TgaTextureTest, AnImageWiderThanTheDriverTakesIsRefused) {
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    ASSERT_GT(largest, 0);
    ASSERT_LT(largest, 65535) << "the widest TGA would fit this driver";
    TempDir dir;
    const int width = largest + 1;
    std::string path = dir.File("wide.tga");
    WriteFile(path, MakeTga(width, 1, 4, std::vector<uint8_t>(size_t(width) * 4, 0x80), {true}));
    CTGATexture tga;
    CaptureStream out(1);
    EXPECT_FALSE(tga.LoadTGA(path.c_str()));
    EXPECT_EQ(out.Text(), "Invalid texture information: " + path + "\n");
    EXPECT_EQ(tga.texID, 0u);
    EXPECT_TRUE(tga.image.Empty());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
