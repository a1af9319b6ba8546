// The programs the engine links, and their alpha-tested twins. A fragment shader that may discard
// keeps SwiftShader from testing depth before shading, so the engine's own program runs its fragment
// shader as written, and the first time it is to draw with an alpha test that rejects anything, the
// layer links a twin from the same texts whose fragment shader discards what the test rejects
// (Browser_alpha.cpp); the twin draws whenever the test rejects anything, the program otherwise.
//
// Uniforms belong to one program each. The engine's locations are its program's: each value set
// through one is kept, with the uniform's name, and reaches the other of the pair when that one is
// bound. The emulation sets its own (the matrices) on whichever program draws, and the layer's light
// and alpha-test uniforms are set on every bind. Built with KORVEL_BROWSER_CALLS_REAL_GL.
#include "platform/Browser.h"

#include <cstdio>
#include <map>
#include <string>

namespace Browser {

namespace {

struct Value {
    int size = 0; // 1 for an integer, 3 or 4 for floats; 0 for none
    GLint integer = 0;
    GLfloat floats[4] = {};
};

// A uniform the engine asked for, and the value it last set through it.
struct Uniform {
    std::string name;
    Value value;
    GLint twinLocation = -1;
    bool onProgram = false, onTwin = false; // which of the pair holds the value
};

struct Program {
    std::string vertex, fragment; // the texts the program was linked from
    GLuint twin = 0;
    bool twinTried = false;
    std::map<GLint, Uniform> uniforms; // by the engine's location
};

std::map<GLuint, std::string> shaderTexts;
std::map<GLuint, Program> programs;
GLuint used = 0;  // the engine's program
GLuint bound = 0; // what draws: that program or its twin

void Apply(GLint location, const Value& value) {
    if (location < 0) {
        return;
    }
    const GLfloat* f = value.floats;
    if (value.size == 1) {
        glUniform1i(location, value.integer);
    } else if (value.size == 3) {
        glUniform3f(location, f[0], f[1], f[2]);
    } else if (value.size == 4) {
        glUniform4f(location, f[0], f[1], f[2], f[3]);
    }
}

GLuint Compiled(GLenum type, const std::string& text) {
    const GLuint shader = glCreateShader(type);
    const GLchar* source = text.c_str();
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

// The twin of `program`, linked now if it has not been tried; 0 when it cannot be.
GLuint TwinOf(GLuint program) {
    auto found = programs.find(program);
    if (found == programs.end()) {
        return 0;
    }
    Program& p = found->second;
    if (p.twinTried) {
        return p.twin;
    }
    p.twinTried = true;
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (!linked || p.vertex.empty() || p.fragment.empty()) {
        return 0;
    }
    const GLuint vertex = Compiled(GL_VERTEX_SHADER, p.vertex);
    const GLuint fragment = Compiled(GL_FRAGMENT_SHADER, AlphaTestInShader(p.fragment));
    const GLuint twin = glCreateProgram();
    glAttachShader(twin, vertex);
    glAttachShader(twin, fragment);
    glLinkProgram(twin);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    glGetProgramiv(twin, GL_LINK_STATUS, &linked);
    if (!linked) {
        char log[512] = "";
        glGetProgramInfoLog(twin, sizeof log, nullptr, log);
        std::printf("Cannot link the alpha-tested form of program %u, drawn without the test: %s\n", program,
                    log);
        std::fflush(stdout);
        glDeleteProgram(twin);
        return 0;
    }
    for (auto& entry : p.uniforms) {
        entry.second.twinLocation = glGetUniformLocation(twin, entry.second.name.c_str());
    }
    return p.twin = twin;
}

// Makes `program` (0, the engine's program or its twin) the one that draws.
void Bind(GLuint program) {
    glUseProgram(program);
    bound = program;
    LightsFor(program);
    AlphaTestFor(program);
    auto found = programs.find(used);
    if (found == programs.end()) {
        return;
    }
    const bool twin = program != used;
    for (auto& entry : found->second.uniforms) {
        Uniform& u = entry.second;
        bool& held = twin ? u.onTwin : u.onProgram;
        if (u.value.size != 0 && !held) {
            Apply(twin ? u.twinLocation : entry.first, u.value);
            held = true;
        }
    }
}

// The engine's program, or its twin while the alpha test rejects anything.
GLuint Drawing() {
    if (used == 0 || AlphaTestPassesAll()) {
        return used;
    }
    const GLuint twin = TwinOf(used);
    return twin ? twin : used;
}

// Keeps a value the engine set through `location` of its program and sets it on the one bound.
void Set(GLint location, const Value& value) {
    auto program = programs.find(used);
    Uniform* kept = nullptr;
    if (program != programs.end()) {
        auto found = program->second.uniforms.find(location);
        kept = found == program->second.uniforms.end() ? nullptr : &found->second;
    }
    if (!kept) {
        // A location the engine did not ask the layer for (-1, or another program's): as GL takes it.
        Apply(location, value);
        return;
    }
    Uniform& u = *kept;
    const bool twin = bound != used;
    u.value = value;
    u.onProgram = !twin;
    u.onTwin = twin;
    Apply(twin ? u.twinLocation : location, value);
}

// Forgets what was kept of `program` and deletes its twin.
void ForgetLinked(GLuint program) {
    auto found = programs.find(program);
    if (found == programs.end()) {
        return;
    }
    const GLuint twin = found->second.twin;
    programs.erase(found);
    if (twin) {
        DeleteProgramObject(twin);
    }
}

} // namespace

void RememberShaderText(GLuint shader, const std::string& text) {
    shaderTexts[shader] = text;
}

void LinkProgram(GLuint program) {
    glLinkProgram(program);
    ForgetLinked(program);
    Program& p = programs[program];
    GLuint shaders[2] = {0, 0};
    GLsizei count = 0;
    glGetAttachedShaders(program, 2, &count, shaders);
    for (GLsizei i = 0; i < count; ++i) {
        GLint type = 0;
        glGetShaderiv(shaders[i], GL_SHADER_TYPE, &type);
        (type == GL_VERTEX_SHADER ? p.vertex : p.fragment) = shaderTexts[shaders[i]];
    }
}

void UseProgramObject(GLhandleARB program) {
    used = program;
    Bind(Drawing());
}

void AlphaTestChanged() {
    const GLuint drawing = Drawing();
    if (drawing != bound) {
        Bind(drawing);
    }
}

GLint GetUniformLocation(GLuint program, const GLchar* name) {
    const GLint location = glGetUniformLocation(program, name);
    auto found = programs.find(program);
    if (location >= 0 && found != programs.end()) {
        Uniform& u = found->second.uniforms[location];
        u.name = name;
        if (found->second.twin) {
            u.twinLocation = glGetUniformLocation(found->second.twin, name);
        }
    }
    return location;
}

void Uniform1i(GLint location, GLint value) {
    Set(location, Value{1, value, {}});
}

void Uniform3f(GLint location, GLfloat x, GLfloat y, GLfloat z) {
    Set(location, Value{3, 0, {x, y, z, 0.0f}});
}

void Uniform4f(GLint location, GLfloat x, GLfloat y, GLfloat z, GLfloat w) {
    Set(location, Value{4, 0, {x, y, z, w}});
}

void DeleteShaderObject(GLuint shader) {
    shaderTexts.erase(shader);
    glDeleteShader(shader);
}

void DeleteProgramObject(GLuint program) {
    ForgetLinked(program);
    if (used == program) {
        used = 0;
    }
    if (bound == program) {
        bound = 0;
    }
    ForgetProgram(program);
    ForgetAlphaTest(program);
    glDeleteProgram(program);
}

} // namespace Browser
