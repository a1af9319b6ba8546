// The browser build's GLU quadrics: the header declares them, but nothing in the page's GL supplies
// them. Spheres only, drawn through the layer's immediate mode, with GLU's conventions: slices around
// the z axis and stacks along it, s from 0 at +y through 0.25 at +x, t from 0 at z = -radius to 1 at
// z = +radius, and normals outward unless GLU_NONE is asked for.
#include "platform/Browser.h"

#include <GL/glu.h>
#include <cmath>

struct GLUquadric {
    GLenum normals = GLU_SMOOTH;
    bool texture = false;
};

namespace {

void SphereVertex(const GLUquadric& quad, double radius, int slice, int slices, int stack, int stacks) {
    const double pi = 3.14159265358979323846;
    const double rho = pi * stack / stacks;
    const double theta = 2.0 * pi * (slice == slices ? 0 : slice) / slices;
    const double x = std::sin(rho) * std::sin(theta), y = std::sin(rho) * std::cos(theta), z = std::cos(rho);
    if (quad.normals != GLU_NONE) {
        glNormal3f(static_cast<GLfloat>(x), static_cast<GLfloat>(y), static_cast<GLfloat>(z));
    }
    if (quad.texture) {
        glTexCoord2f(static_cast<GLfloat>(slice) / slices, 1.0f - static_cast<GLfloat>(stack) / stacks);
    }
    glVertex3f(static_cast<GLfloat>(x * radius), static_cast<GLfloat>(y * radius), static_cast<GLfloat>(z * radius));
}

} // namespace

extern "C" {

GLUquadric* gluNewQuadric() {
    return new GLUquadric;
}

void gluDeleteQuadric(GLUquadric* quad) {
    delete quad;
}

void gluQuadricNormals(GLUquadric* quad, GLenum normals) {
    if (quad) {
        quad->normals = normals;
    }
}

void gluQuadricTexture(GLUquadric* quad, GLboolean texture) {
    if (quad) {
        quad->texture = texture != GL_FALSE;
    }
}

// Each stack a band of triangles, from the +z pole down, each quad split along the same diagonal.
void gluSphere(GLUquadric* quad, GLdouble radius, GLint slices, GLint stacks) {
    if (!quad || slices < 2 || stacks < 1) {
        return;
    }
    glBegin(GL_TRIANGLES);
    for (int stack = 0; stack < stacks; ++stack) {
        for (int slice = 0; slice < slices; ++slice) {
            const int corners[6][2] = {{slice, stack},     {slice, stack + 1}, {slice + 1, stack + 1},
                                       {slice, stack},     {slice + 1, stack + 1}, {slice + 1, stack}};
            for (const auto& corner : corners) {
                SphereVertex(*quad, radius, corner[0], slices, corner[1], stacks);
            }
        }
    }
    glEnd();
}

} // extern "C"
