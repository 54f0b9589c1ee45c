// One linked GLSL program of the OpenGL back end with the uniforms the device feeds every draw.
#pragma once

#include <epoxy/gl.h>

#include <string>

class PGLProgram
{
public:
    PGLProgram() = default;
    ~PGLProgram();
    PGLProgram(const PGLProgram&) = delete;
    PGLProgram& operator=(const PGLProgram&) = delete;

    // Compiles the bodies after the preludes and links them; false with the compiler's log in error.
    bool Build(const std::string& vertexBody, const std::string& fragmentBody, std::string& error);

    GLuint Id() const { return m_program; }
    GLint screenToClip = -1;
    GLint alphaFunc = -1;
    GLint alphaRef = -1;
    GLint texture0 = -1;
    GLint stageOps = -1;
    GLint stageAlphaArgs = -1;

private:
    GLuint m_program = 0;
};
