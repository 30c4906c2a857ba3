// Compiling and linking the glow renderer's shader programs, with no log kept:
// a program that does not build leaves the caller on its fixed-function path.
#include "glow/split/glow_program.h"

#include <epoxy/gl.h>

namespace {

GLuint Compile(GLenum kind, const char* source) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok) return shader;
    glDeleteShader(shader);
    return 0;
}

}  // namespace

unsigned LinkGlowProgram(const char* vertexSource, const char* fragmentSource, const char* sampler) {
    if (epoxy_gl_version() < 20) return 0;
    const GLuint vs = Compile(GL_VERTEX_SHADER, vertexSource);
    const GLuint fs = Compile(GL_FRAGMENT_SHADER, fragmentSource);
    GLuint program = 0;
    if (vs && fs) {
        program = glCreateProgram();
        glAttachShader(program, vs);
        glAttachShader(program, fs);
        glLinkProgram(program);
        GLint ok = 0;
        glGetProgramiv(program, GL_LINK_STATUS, &ok);
        if (!ok) glDeleteProgram(program), program = 0;
    }
    if (vs) glDeleteShader(vs);
    if (fs) glDeleteShader(fs);
    if (program) {
        glUseProgram(program);
        glUniform1i(glGetUniformLocation(program, sampler), 0);
        glUseProgram(0);
    }
    return program;
}
