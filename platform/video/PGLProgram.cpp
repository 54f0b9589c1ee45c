// Compiling and linking the device's GLSL programs.
#include "platform/video/PGLProgram.h"

#include "platform/video/PEffectSource.h"
#include "platform/video/PGLDevice.h"

#include <vector>

namespace
{
GLuint GLProgramCompile(GLenum type, const std::string& prelude, const std::string& body, std::string& error)
{
    GLuint shader = glCreateShader(type);
    const char* parts[2] = {prelude.c_str(), body.c_str()};
    glShaderSource(shader, 2, parts, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok)
    {
        GLint length = 0;
        glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
        std::vector<char> log(static_cast<size_t>(length > 1 ? length : 1), '\0');
        glGetShaderInfoLog(shader, static_cast<GLsizei>(log.size()), nullptr, log.data());
        error = std::string(type == GL_VERTEX_SHADER ? "vertex: " : "fragment: ") + log.data();
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}
} // namespace

PGLProgram::~PGLProgram()
{
    if (m_program && PGLDevice::ContextUsable())
        glDeleteProgram(m_program);
}

bool PGLProgram::Build(const std::string& vertexBody, const std::string& fragmentBody, std::string& error)
{
    const std::string vbody = vertexBody.empty() ? PEffectSource::StandardVertexBody() : vertexBody;
    GLuint vs = GLProgramCompile(GL_VERTEX_SHADER, PEffectSource::VertexPrelude(), vbody, error);
    if (!vs)
        return false;
    GLuint fs = GLProgramCompile(GL_FRAGMENT_SHADER, PEffectSource::FragmentPrelude(), fragmentBody, error);
    if (!fs)
    {
        glDeleteShader(vs);
        return false;
    }
    GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glBindAttribLocation(program, 0, "aPosition");
    glBindAttribLocation(program, 1, "aColour");
    glBindAttribLocation(program, 2, "aTexCoord");
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok)
    {
        GLint length = 0;
        glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
        std::vector<char> log(static_cast<size_t>(length > 1 ? length : 1), '\0');
        glGetProgramInfoLog(program, static_cast<GLsizei>(log.size()), nullptr, log.data());
        error = std::string("link: ") + log.data();
        glDeleteProgram(program);
        return false;
    }
    if (m_program)
        glDeleteProgram(m_program);
    m_program = program;
    screenToClip = glGetUniformLocation(program, "uScreenToClip");
    alphaFunc = glGetUniformLocation(program, "uAlphaFunc");
    alphaRef = glGetUniformLocation(program, "uAlphaRef");
    texture0 = glGetUniformLocation(program, "uTexture0");
    stageOps = glGetUniformLocation(program, "uStageOps");
    stageAlphaArgs = glGetUniformLocation(program, "uStageAlphaArgs");
    return true;
}
