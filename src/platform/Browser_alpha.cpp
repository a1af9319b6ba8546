// The alpha test for the browser build: the emulation takes glAlphaFunc and GL_ALPHA_TEST and does
// nothing with them, so the layer keeps that state itself and, while the test rejects anything, draws
// through the program's alpha-tested twin (Browser_programs.cpp), whose fragment shader discards what
// the test would reject. Its main is wrapped by one that runs it and then compares gl_FragColor's
// alpha with the reference; a uniform tells it the test's function and reference, set whenever a
// program is used or the state changes under it. Drawing with no program of the program's own (the
// emulation's fixed function) is not alpha-tested. Built with KORVEL_BROWSER_CALLS_REAL_GL.
#include "platform/Browser.h"

#include <cctype>
#include <map>
#include <string>

namespace Browser {

namespace {

const char kUniform[] = "korvel_AlphaTest";

struct AlphaTest {
    bool enabled = false;
    GLenum function = GL_ALWAYS;
    GLfloat reference = 0.0f;
} test;

// Where each program keeps the uniform; -1 for a program without it.
std::map<GLuint, GLint> locations;
GLuint current = 0;

// The uniform's value: the reference, then whether a fragment passes when its alpha is greater than,
// equal to and less than the reference (all three when the test is off).
void Upload() {
    if (current == 0) {
        return;
    }
    auto found = locations.find(current);
    if (found == locations.end()) {
        GLint linked = GL_FALSE;
        glGetProgramiv(current, GL_LINK_STATUS, &linked);
        if (!linked) {
            return;
        }
        found = locations.emplace(current, glGetUniformLocation(current, kUniform)).first;
    }
    if (found->second < 0) {
        return;
    }
    GLenum f = test.enabled ? test.function : GL_ALWAYS;
    const bool greater = f == GL_GREATER || f == GL_GEQUAL || f == GL_NOTEQUAL || f == GL_ALWAYS;
    const bool equal = f == GL_EQUAL || f == GL_GEQUAL || f == GL_LEQUAL || f == GL_ALWAYS;
    const bool less = f == GL_LESS || f == GL_LEQUAL || f == GL_NOTEQUAL || f == GL_ALWAYS;
    glUniform4f(found->second, test.reference, greater, equal, less);
}

// Where the word `name` followed by an opening parenthesis starts in the text, from `from` on.
std::string::size_type FindCall(const std::string& text, const std::string& name,
                                std::string::size_type from) {
    auto word = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
    for (auto at = text.find(name, from); at != std::string::npos; at = text.find(name, at + 1)) {
        auto after = text.find_first_not_of(" \t\r\n", at + name.size());
        if ((at == 0 || !word(text[at - 1])) && after != std::string::npos && text[after] == '(') {
            return at;
        }
    }
    return std::string::npos;
}

} // namespace

std::string AlphaTestInShader(std::string text) {
    const std::string::size_type at = FindCall(text, "main", 0);
    if (at == std::string::npos) {
        return text;
    }
    text.replace(at, 4, "korvel_main");
    return text + "\nuniform highp vec4 " + kUniform +
           ";\n"
           "void main() {\n"
           "    korvel_main();\n"
           "    highp float a = clamp(gl_FragColor.a, 0.0, 1.0);\n"
           "    highp float pass = a > korvel_AlphaTest.x ? korvel_AlphaTest.y\n"
           "                     : a < korvel_AlphaTest.x ? korvel_AlphaTest.w : korvel_AlphaTest.z;\n"
           "    if (pass < 0.5) discard;\n"
           "}\n";
}

void AlphaTestFor(GLuint program) {
    current = program;
    Upload();
}

void ForgetAlphaTest(GLuint program) {
    locations.erase(program);
    if (current == program) {
        current = 0;
    }
}

bool AlphaTestPassesAll() {
    return !test.enabled || test.function == GL_ALWAYS;
}

void AlphaFunc(GLenum function, GLclampf reference) {
    test.function = function;
    test.reference = reference < 0.0f ? 0.0f : reference > 1.0f ? 1.0f : reference;
    Upload();
    AlphaTestChanged();
}

void Enable(GLenum capability) {
    if (capability != GL_ALPHA_TEST) {
        glEnable(capability);
        return;
    }
    test.enabled = true;
    Upload();
    AlphaTestChanged();
}

void Disable(GLenum capability) {
    if (capability != GL_ALPHA_TEST) {
        glDisable(capability);
        return;
    }
    test.enabled = false;
    Upload();
    AlphaTestChanged();
}

GLboolean IsEnabled(GLenum capability) {
    return capability == GL_ALPHA_TEST ? (test.enabled ? GL_TRUE : GL_FALSE) : glIsEnabled(capability);
}

void GetIntegerv(GLenum name, GLint* value) {
    if (name == GL_ALPHA_TEST_FUNC) {
        *value = static_cast<GLint>(test.function);
    } else if (name == GL_ALPHA_TEST) {
        *value = test.enabled;
    } else {
        glGetIntegerv(name, value);
    }
}

void GetFloatv(GLenum name, GLfloat* value) {
    if (name == GL_ALPHA_TEST_REF) {
        *value = test.reference;
    } else {
        glGetFloatv(name, value);
    }
}

} // namespace Browser
