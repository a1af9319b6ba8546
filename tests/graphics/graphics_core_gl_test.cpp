// The graphics core against a real GL context under X: projections, the 2D overlay, the caption.
#include "support/EngineFixture.h"

#include "app/Registry.h"
#include "graphics/GL.h"
#include "graphics/GraphicsCore.h"

#include <SDL.h>

using korvel::test::EngineTest;

class GraphicsCoreTest : public EngineTest {};

TEST_F(GraphicsCoreTest, Begin2DMapsWindowPixelsWithOriginTopLeft) {
    ClearFrame();
    gGraphicsCore->Begin2D();
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_SCISSOR_TEST);
    glColor4f(1, 0, 0, 1);
    glBegin(GL_QUADS);
    glVertex2f(0, 0);
    glVertex2f(4, 0);
    glVertex2f(4, 4);
    glVertex2f(0, 4);
    glEnd();
    auto topLeft = Pixel(1, 1);
    auto bottomLeft = Pixel(1, 766);
    gGraphicsCore->End2D();
    EXPECT_EQ(topLeft[0], 255);
    EXPECT_EQ(bottomLeft[0], 0);
}
