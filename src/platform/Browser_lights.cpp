// The fixed-function light state GLSL's built-ins read, for WebGL's GLSL, which has none of them: the
// layer keeps light 0, the front material and the light model's ambient colour as OpenGL would
// (starting from its defaults, positions in eye space as of the call), rewrites the built-in names a
// shader reads into uniforms of its own, and sets those uniforms whenever a program that has them is
// used or the state changes under it. Built with KORVEL_BROWSER_CALLS_REAL_GL.
#include "platform/Browser.h"

#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace Browser {

namespace {

struct LightState {
    GLfloat position[4] = {0, 0, 1, 0};
    GLfloat ambient[4] = {0, 0, 0, 1};
    GLfloat diffuse[4] = {1, 1, 1, 1};
    GLfloat specular[4] = {1, 1, 1, 1};
    GLfloat spotDirection[3] = {0, 0, -1};
    GLfloat spotExponent = 0, spotCutoff = 180;
    GLfloat constantAttenuation = 1, linearAttenuation = 0, quadraticAttenuation = 0;
};

struct MaterialState {
    GLfloat ambient[4] = {0.2f, 0.2f, 0.2f, 1};
    GLfloat diffuse[4] = {0.8f, 0.8f, 0.8f, 1};
    GLfloat specular[4] = {0, 0, 0, 1};
    GLfloat emission[4] = {0, 0, 0, 1};
    GLfloat shininess = 0;
};

LightState light;
MaterialState material;
GLfloat modelAmbient[4] = {0.2f, 0.2f, 0.2f, 1};

// One built-in a shader may read: its name in GLSL, the uniform that stands for it, and its value.
struct BuiltIn {
    const char* name;
    const char* uniform;
    int size;
    void (*value)(GLfloat* out);
};

void Copy(const GLfloat* from, int n, GLfloat* out) {
    for (int i = 0; i < n; ++i) {
        out[i] = from[i];
    }
}

void Product(const GLfloat* a, const GLfloat* b, GLfloat* out) {
    for (int i = 0; i < 4; ++i) {
        out[i] = a[i] * b[i];
    }
}

const BuiltIn kBuiltIns[] = {
    {"gl_LightSource[0].position", "korvel_Light0_position", 4, [](GLfloat* o) { Copy(light.position, 4, o); }},
    {"gl_LightSource[0].ambient", "korvel_Light0_ambient", 4, [](GLfloat* o) { Copy(light.ambient, 4, o); }},
    {"gl_LightSource[0].diffuse", "korvel_Light0_diffuse", 4, [](GLfloat* o) { Copy(light.diffuse, 4, o); }},
    {"gl_LightSource[0].specular", "korvel_Light0_specular", 4, [](GLfloat* o) { Copy(light.specular, 4, o); }},
    {"gl_LightSource[0].spotDirection", "korvel_Light0_spotDirection", 3,
     [](GLfloat* o) { Copy(light.spotDirection, 3, o); }},
    {"gl_LightSource[0].spotExponent", "korvel_Light0_spotExponent", 1, [](GLfloat* o) { *o = light.spotExponent; }},
    {"gl_LightSource[0].spotCutoff", "korvel_Light0_spotCutoff", 1, [](GLfloat* o) { *o = light.spotCutoff; }},
    {"gl_LightSource[0].spotCosCutoff", "korvel_Light0_spotCosCutoff", 1,
     [](GLfloat* o) { *o = std::cos(light.spotCutoff * 3.14159265f / 180.0f); }},
    {"gl_LightSource[0].constantAttenuation", "korvel_Light0_constantAttenuation", 1,
     [](GLfloat* o) { *o = light.constantAttenuation; }},
    {"gl_LightSource[0].linearAttenuation", "korvel_Light0_linearAttenuation", 1,
     [](GLfloat* o) { *o = light.linearAttenuation; }},
    {"gl_LightSource[0].quadraticAttenuation", "korvel_Light0_quadraticAttenuation", 1,
     [](GLfloat* o) { *o = light.quadraticAttenuation; }},
    {"gl_FrontMaterial.ambient", "korvel_Material_ambient", 4, [](GLfloat* o) { Copy(material.ambient, 4, o); }},
    {"gl_FrontMaterial.diffuse", "korvel_Material_diffuse", 4, [](GLfloat* o) { Copy(material.diffuse, 4, o); }},
    {"gl_FrontMaterial.specular", "korvel_Material_specular", 4, [](GLfloat* o) { Copy(material.specular, 4, o); }},
    {"gl_FrontMaterial.emission", "korvel_Material_emission", 4, [](GLfloat* o) { Copy(material.emission, 4, o); }},
    {"gl_FrontMaterial.shininess", "korvel_Material_shininess", 1, [](GLfloat* o) { *o = material.shininess; }},
    {"gl_FrontLightProduct[0].ambient", "korvel_LightProduct0_ambient", 4,
     [](GLfloat* o) { Product(material.ambient, light.ambient, o); }},
    {"gl_FrontLightProduct[0].diffuse", "korvel_LightProduct0_diffuse", 4,
     [](GLfloat* o) { Product(material.diffuse, light.diffuse, o); }},
    {"gl_FrontLightProduct[0].specular", "korvel_LightProduct0_specular", 4,
     [](GLfloat* o) { Product(material.specular, light.specular, o); }},
    {"gl_LightModel.ambient", "korvel_LightModel_ambient", 4, [](GLfloat* o) { Copy(modelAmbient, 4, o); }},
};

// Each program's uniforms that stand for built-ins: where they are and which built-in each is.
std::map<GLuint, std::vector<std::pair<GLint, const BuiltIn*>>> programs;
GLuint current = 0;

const std::vector<std::pair<GLint, const BuiltIn*>>& UniformsOf(GLuint program) {
    auto found = programs.find(program);
    if (found != programs.end()) {
        return found->second;
    }
    std::vector<std::pair<GLint, const BuiltIn*>>& uniforms = programs[program];
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    for (const BuiltIn& builtIn : kBuiltIns) {
        const GLint location = linked ? glGetUniformLocation(program, builtIn.uniform) : -1;
        if (location >= 0) {
            uniforms.emplace_back(location, &builtIn);
        }
    }
    if (!linked) {
        // Asked again once the program has been linked.
        programs.erase(program);
        static const std::vector<std::pair<GLint, const BuiltIn*>> none;
        return none;
    }
    return uniforms;
}

// Sets the current program's built-in uniforms from the state.
void Upload() {
    if (current == 0) {
        return;
    }
    for (const auto& uniform : UniformsOf(current)) {
        GLfloat value[4];
        uniform.second->value(value);
        switch (uniform.second->size) {
        case 1:
            glUniform1f(uniform.first, value[0]);
            break;
        case 3:
            glUniform3f(uniform.first, value[0], value[1], value[2]);
            break;
        default:
            glUniform4f(uniform.first, value[0], value[1], value[2], value[3]);
            break;
        }
    }
}

// What the model-view matrix makes of a point (w given) or a direction (w 0), as GL does to a light's
// position and spot direction when they are set.
void ToEye(const GLfloat* in, GLfloat w, GLfloat* out, int n) {
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    for (int row = 0; row < n; ++row) {
        out[row] = m[row] * in[0] + m[4 + row] * in[1] + m[8 + row] * in[2] + m[12 + row] * w;
    }
}

} // namespace

std::string LightBuiltInsAsUniforms(std::string text) {
    std::string declarations;
    for (const BuiltIn& builtIn : kBuiltIns) {
        const std::string name = builtIn.name;
        bool used = false;
        for (std::string::size_type at = text.find(name); at != std::string::npos; at = text.find(name, at)) {
            text.replace(at, name.size(), builtIn.uniform);
            used = true;
        }
        if (used) {
            const char* type = builtIn.size == 1 ? "float" : builtIn.size == 3 ? "vec3" : "vec4";
            // Declared highp in both stages: a uniform both read must agree on its precision.
            declarations += std::string("uniform highp ") + type + " " + builtIn.uniform + ";\n";
        }
    }
    return declarations + text;
}

void LightsFor(GLuint program) {
    current = program;
    Upload();
}

void ForgetProgram(GLuint program) {
    programs.erase(program);
    if (current == program) {
        current = 0;
    }
}

void Lightfv(GLenum which, GLenum name, const GLfloat* v) {
    if (which != GL_LIGHT0) {
        return;
    }
    switch (name) {
    case GL_POSITION:
        ToEye(v, v[3], light.position, 3);
        light.position[3] = v[3];
        break;
    case GL_SPOT_DIRECTION:
        ToEye(v, 0.0f, light.spotDirection, 3);
        break;
    case GL_AMBIENT:
        Copy(v, 4, light.ambient);
        break;
    case GL_DIFFUSE:
        Copy(v, 4, light.diffuse);
        break;
    case GL_SPECULAR:
        Copy(v, 4, light.specular);
        break;
    default:
        Lightf(which, name, v[0]);
        return;
    }
    Upload();
}

void Lightf(GLenum which, GLenum name, GLfloat v) {
    if (which != GL_LIGHT0) {
        return;
    }
    switch (name) {
    case GL_SPOT_EXPONENT:
        light.spotExponent = v;
        break;
    case GL_SPOT_CUTOFF:
        light.spotCutoff = v;
        break;
    case GL_CONSTANT_ATTENUATION:
        light.constantAttenuation = v;
        break;
    case GL_LINEAR_ATTENUATION:
        light.linearAttenuation = v;
        break;
    case GL_QUADRATIC_ATTENUATION:
        light.quadraticAttenuation = v;
        break;
    default:
        return;
    }
    Upload();
}

void Materialfv(GLenum face, GLenum name, const GLfloat* v) {
    if (face == GL_BACK) {
        return;
    }
    switch (name) {
    case GL_AMBIENT:
        Copy(v, 4, material.ambient);
        break;
    case GL_DIFFUSE:
        Copy(v, 4, material.diffuse);
        break;
    case GL_AMBIENT_AND_DIFFUSE:
        Copy(v, 4, material.ambient);
        Copy(v, 4, material.diffuse);
        break;
    case GL_SPECULAR:
        Copy(v, 4, material.specular);
        break;
    case GL_EMISSION:
        Copy(v, 4, material.emission);
        break;
    case GL_SHININESS:
        material.shininess = v[0];
        break;
    default:
        return;
    }
    Upload();
}

void Materialf(GLenum face, GLenum name, GLfloat v) {
    Materialfv(face, name, &v);
}

void LightModelfv(GLenum name, const GLfloat* v) {
    if (name == GL_LIGHT_MODEL_AMBIENT) {
        Copy(v, 4, modelAmbient);
        Upload();
    }
}

} // namespace Browser
