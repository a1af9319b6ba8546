#include "graphics/Utils.h"

#include "base/GL.h"
#include "base/Registry.h"
#include "graphics/GraphicsCore.h"

#include <SDL.h>
#include <cstdio>
#include <string>

namespace {

// One set of timing state for the whole process, shared by every CUtils. The times are the clock's
// own millisecond ticks: seconds in a float lose whole milliseconds after a few hours, and only the
// unsigned difference of two ticks stays right across the wrap of the 32-bit counter (49.7 days).
uint32_t lastFrameTick = 0;
uint32_t lastReportTick = 0;
float framesSinceReport = 0.0f;

uint32_t (*tickSource)() = nullptr;

uint32_t Ticks() {
    return tickSource ? tickSource() : SDL_GetTicks();
}

} // namespace

CUtils::CUtils() : fps(0), frameTime(0.0f), fpsText{} {}

CUtils::~CUtils() = default;

void CUtils::ResetTiming() {
    lastFrameTick = 0;
    lastReportTick = 0;
    framesSinceReport = 0.0f;
}

void CUtils::SetTickSource(uint32_t (*source)()) {
    tickSource = source;
}

void CUtils::UpdateFPS() {
    const uint32_t now = Ticks();
    frameTime = static_cast<float>(now - lastFrameTick) * 0.001f;
    lastFrameTick = now;
    framesSinceReport = framesSinceReport + 1.0f;
    // More than one second since the last report.
    if (now - lastReportTick > 1000u) {
        lastReportTick = now;
        fps = static_cast<int32_t>(framesSinceReport);
        std::snprintf(fpsText, sizeof fpsText, " Current FPS: %d", fps);
        // The stored caption stays as it is, so the suffix never accumulates.
        std::string text = gGraphicsCore ? gGraphicsCore->GetCaption() : std::string();
        text += fpsText;
        SDL_WM_SetCaption(text.c_str(), nullptr);
        framesSinceReport = 0.0f;
    }
}

float CUtils::GetFrameTime() const {
    return frameTime;
}

int CUtils::GetFPS() const {
    return fps;
}

const char* CUtils::GetFPSText() const {
    return fpsText;
}

void CUtils::SwapBytes(unsigned char* a, unsigned char* b) {
    unsigned char t = *a;
    *a = *b;
    *b = t;
}

void CUtils::DrawGrid(float x, float y, float z) {
    glDisable(GL_TEXTURE_2D);
    glPushMatrix();
    glTranslatef(x, y, z);
    glColor3f(0.5f, 0.5f, 0.5f);
    glBegin(GL_LINES);
    for (int i = -30; i <= 30; ++i) {
        float f = static_cast<float>(i);
        glVertex3f(f, 0.0f, -30.0f);
        glVertex3f(f, 0.0f, 30.0f);
        glVertex3f(30.0f, 0.0f, f);
        glVertex3f(-30.0f, 0.0f, f);
    }
    glEnd();
    glPopMatrix();
}

void CUtils::DrawCube(float x, float y, float z) {
    // Each face: its colour, then its four corners.
    struct Face {
        float colour[3];
        float corners[4][3];
    };
    static const Face faces[] = {
        {{0.0f, 1.0f, 0.0f}, {{1, 1, -1}, {-1, 1, -1}, {-1, 1, 1}, {1, 1, 1}}},     // top
        {{1.0f, 0.5f, 0.0f}, {{1, -1, 1}, {-1, -1, 1}, {-1, -1, -1}, {1, -1, -1}}}, // bottom
        {{1.0f, 0.0f, 0.0f}, {{1, 1, 1}, {-1, 1, 1}, {-1, -1, 1}, {1, -1, 1}}},     // front
        {{1.0f, 1.0f, 0.0f}, {{1, -1, -1}, {-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}}}, // back
        {{0.0f, 0.0f, 1.0f}, {{-1, 1, 1}, {-1, 1, -1}, {-1, -1, -1}, {-1, -1, 1}}}, // left
        {{1.0f, 0.0f, 1.0f}, {{1, 1, -1}, {1, 1, 1}, {1, -1, 1}, {1, -1, -1}}},     // right
    };
    glDisable(GL_TEXTURE_2D);
    glTranslatef(x, y, z);
    glBegin(GL_QUADS);
    for (const Face& face : faces) {
        glColor3fv(face.colour);
        for (const float* corner : face.corners) {
            glVertex3fv(corner);
        }
    }
    glEnd();
    glTranslatef(-x, -y, -z);
    glColor3f(1.0f, 1.0f, 1.0f);
}

void CUtils::DrawQuad(float x, float y, float z) {
    glDisable(GL_TEXTURE_2D);
    glTranslatef(x, y, z);
    glBegin(GL_QUADS);
    glColor3f(0.3f, 1.0f, 0.2f);
    glVertex3f(1, 1, 1);
    glVertex3f(-1, 1, 1);
    glVertex3f(-1, -1, 1);
    glVertex3f(1, -1, 1);
    glEnd();
    glTranslatef(-x, -y, -z);
}

void CUtils::DrawAxes() {
    glDisable(GL_TEXTURE_2D);
    glPushMatrix();
    glLoadIdentity();
    glBegin(GL_LINES);
    glColor3f(1, 0, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(10, 0, 0);
    glColor3f(0, 1, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(0, 10, 0);
    glColor3f(0, 0, 1);
    glVertex3f(0, 0, 0);
    glVertex3f(0, 0, 10);
    glEnd();
    glPopMatrix();
}
