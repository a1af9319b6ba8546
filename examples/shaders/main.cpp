// shaders-example: the ten built-in GLSL programs, each on a sphere of its own in the bottom row, and
// the chosen one on the large sphere above; Space or the arrow keys choose another.
#include "../common/Example.h"

#include <memory>

namespace {

// The built-in programs in the shader manager's order.
const char* const kPrograms[] = {
    "simple texture", "colour",     "height field", "directional per pixel", "directional per vertex",
    "point light",    "spot light", "toon",         "per vertex, textured",  "per pixel, textured"};
const int kProgramCount = 10;

} // namespace

class ShadersExample : public example::App {
public:
    ShadersExample() : App("Shaders - Korvel example") {}
    ~ShadersExample() override { gluDeleteQuadric(sphere); }

private:
    void Load() override {
        skin = std::make_unique<CImage>("Data/Models/MD2/hobgoblin.bmp");
        sphere = gluNewQuadric();
        gluQuadricNormals(sphere, GLU_SMOOTH);
        gluQuadricTexture(sphere, GL_TRUE);
    }

    void Frame(uint32_t ms) override {
        if (example::Pressed(SDLK_SPACE) || example::Pressed(SDLK_RIGHT)) {
            chosen = (chosen + 1) % kProgramCount;
        }
        if (example::Pressed(SDLK_LEFT)) {
            chosen = (chosen + kProgramCount - 1) % kProgramCount;
        }
        glClearColor(0.15f, 0.15f, 0.18f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        Light();
        const float turn = static_cast<float>(ms) * 0.03f;
        DrawSphere(chosen, 0.0f, 1.0f, -8.0f, 2.2f, turn);
        for (int i = 0; i < kProgramCount; ++i) {
            DrawSphere(i, -5.85f + 1.3f * static_cast<float>(i), -3.3f, -9.0f, 0.55f, turn);
        }
        glDisable(GL_LIGHTING);

        CFont* font = gFontManager->GetFont(1);
        font->Print(10, 10, 1, "Program %d: %s - Space or arrows for another", chosen, kPrograms[chosen]);
        for (int i = 0; i < kProgramCount; ++i) {
            font->Print(55 + 75 * i, 560, 0, "%d", i);
        }
    }

    // One white light, from above and behind the viewer, in eye space; it is the point light's and the
    // spot light's position too.
    void Light() {
        const GLfloat position[] = {-3.0f, 4.0f, 2.0f, 1.0f};
        const GLfloat direction[] = {0.3f, -0.4f, -1.0f};
        const GLfloat white[] = {1.0f, 1.0f, 1.0f, 1.0f};
        const GLfloat ambient[] = {0.15f, 0.15f, 0.15f, 1.0f};
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        glLightfv(GL_LIGHT0, GL_POSITION, position);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
        glLightfv(GL_LIGHT0, GL_SPECULAR, white);
        glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
        glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, direction);
        glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, 25.0f);
        glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, 4.0f);
        const GLfloat orange[] = {1.0f, 0.6f, 0.25f, 1.0f};
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, orange);
        glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, white);
        glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 30.0f);
    }

    // A sphere through built-in program `index`, textured with the skin and coloured orange.
    void DrawSphere(int index, float x, float y, float z, float radius, float turn) {
        CShader* shader = gShaderManager->GetShader(index);
        shader->Enable();
        // The simple-texture program multiplies its texels by this colour (the font sets its own).
        glUniform4f(glGetUniformLocation(shader->GetProgram(), "colors"), 1.0f, 1.0f, 1.0f, 1.0f);
        glEnable(GL_TEXTURE_2D);
        skin->BindToUnit(0);
        glColor3f(1.0f, 0.6f, 0.25f);
        glPushMatrix();
        glTranslatef(x, y, z);
        glRotatef(turn, 0.0f, 1.0f, 0.0f);
        glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
        gluSphere(sphere, radius, 32, 24);
        glPopMatrix();
        glDisable(GL_TEXTURE_2D);
        shader->Disable();
    }

    std::unique_ptr<CImage> skin;
    GLUquadric* sphere = nullptr;
    int chosen = 7;
};

int main() {
    return example::Main([] { return new ShadersExample; });
}
