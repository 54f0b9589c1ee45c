// Parsing of effect files and the GLSL preludes shared by every program the device compiles.
#include "platform/video/PEffectSource.h"

namespace
{
std::string EffectTrim(const std::string& s)
{
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r'))
        --e;
    return s.substr(b, e - b);
}

bool EffectHasMain(const std::string& body)
{
    return body.find("main") != std::string::npos;
}
} // namespace

bool PEffectSource::Parse(const std::string& text, PEffectSource& out, std::string& error)
{
    out.techniques.clear();
    error.clear();
    enum class Block
    {
        None,
        Vertex,
        Fragment
    } block = Block::None;
    std::string body;
    int lineNumber = 0;
    size_t pos = 0;
    while (pos <= text.size())
    {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        const std::string raw = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        const std::string line = EffectTrim(raw);
        if (block != Block::None)
        {
            if (line == "[end]")
            {
                Pass& pass = out.techniques.back().passes.back();
                (block == Block::Vertex ? pass.vertex : pass.fragment) = body;
                block = Block::None;
                body.clear();
            }
            else
            {
                body += raw;
                body += '\n';
            }
            if (end == text.size())
                break;
            continue;
        }
        if (line.empty() || line.rfind("//", 0) == 0)
        {
            if (end == text.size())
                break;
            continue;
        }
        if (line.rfind("technique", 0) == 0)
        {
            Technique t;
            t.name = EffectTrim(line.substr(9));
            out.techniques.push_back(t);
        }
        else if (line.rfind("pass", 0) == 0)
        {
            if (out.techniques.empty())
            {
                error = "line " + std::to_string(lineNumber) + ": pass outside a technique";
                return false;
            }
            Pass p;
            p.name = EffectTrim(line.substr(4));
            out.techniques.back().passes.push_back(p);
        }
        else if (line == "[vertex]" || line == "[fragment]")
        {
            if (out.techniques.empty() || out.techniques.back().passes.empty())
            {
                error = "line " + std::to_string(lineNumber) + ": stage outside a pass";
                return false;
            }
            block = line == "[vertex]" ? Block::Vertex : Block::Fragment;
        }
        else
        {
            error = "line " + std::to_string(lineNumber) + ": unexpected '" + line + "'";
            return false;
        }
        if (end == text.size())
            break;
    }
    if (block != Block::None)
    {
        error = "stage block not closed with [end]";
        return false;
    }
    if (out.techniques.empty())
    {
        error = "no technique";
        return false;
    }
    for (const Technique& t : out.techniques)
    {
        if (t.passes.empty())
        {
            error = "technique '" + t.name + "' has no pass";
            return false;
        }
        for (const Pass& p : t.passes)
        {
            if (!EffectHasMain(p.fragment))
            {
                error = "pass '" + p.name + "' has no fragment stage";
                return false;
            }
            if (!p.vertex.empty() && !EffectHasMain(p.vertex))
            {
                error = "pass '" + p.name + "' has a vertex stage without main";
                return false;
            }
        }
    }
    return true;
}

const char* PEffectSource::VertexPrelude()
{
    return "#version 330 core\n"
           "layout(location = 0) in vec4 aPosition;\n"
           "layout(location = 1) in vec4 aColour;\n"
           "layout(location = 2) in vec2 aTexCoord;\n"
           "uniform vec4 uScreenToClip;\n"
           "out vec4 vColour;\n"
           "out vec2 vTexCoord;\n"
           "vec4 fvScreenToClip(vec4 p)\n"
           "{\n"
           "    return vec4(p.x * uScreenToClip.x + uScreenToClip.y, p.y * uScreenToClip.z + uScreenToClip.w, 0.0, "
           "1.0);\n"
           "}\n"
           "#line 1\n";
}

const char* PEffectSource::FragmentPrelude()
{
    return "#version 330 core\n"
           "in vec4 vColour;\n"
           "in vec2 vTexCoord;\n"
           "uniform sampler2D uTexture0;\n"
           "uniform int uAlphaFunc;\n"
           "uniform float uAlphaRef;\n"
           "out vec4 fragColour;\n"
           "bool fvAlphaPasses(float a)\n"
           "{\n"
           "    float v = floor(a * 255.0 + 0.5);\n"
           "    if (uAlphaFunc == 1) return false;\n"
           "    if (uAlphaFunc == 2) return v < uAlphaRef;\n"
           "    if (uAlphaFunc == 3) return v == uAlphaRef;\n"
           "    if (uAlphaFunc == 4) return v <= uAlphaRef;\n"
           "    if (uAlphaFunc == 5) return v > uAlphaRef;\n"
           "    if (uAlphaFunc == 6) return v != uAlphaRef;\n"
           "    if (uAlphaFunc == 7) return v >= uAlphaRef;\n"
           "    return true;\n"
           "}\n"
           "void fvOutput(vec4 c)\n"
           "{\n"
           "    if (!fvAlphaPasses(c.a)) discard;\n"
           "    fragColour = c;\n"
           "}\n"
           "#line 1\n";
}

const char* PEffectSource::StandardVertexBody()
{
    return "void main()\n"
           "{\n"
           "    gl_Position = fvScreenToClip(aPosition);\n"
           "    vColour = aColour;\n"
           "    vTexCoord = aTexCoord;\n"
           "}\n";
}

const char* PEffectSource::FixedFragmentBody()
{
    // uStageOps: colour op, colour arg 1, colour arg 2, alpha op; uStageAlphaArgs: alpha args 1, 2.
    return "uniform ivec4 uStageOps;\n"
           "uniform ivec2 uStageAlphaArgs;\n"
           "vec4 fvArg(int a, vec4 tex) { return a == 2 ? tex : vColour; }\n"
           "void main()\n"
           "{\n"
           "    vec4 tex = texture(uTexture0, vTexCoord);\n"
           "    vec3 c = vColour.rgb;\n"
           "    if (uStageOps.x == 2) c = fvArg(uStageOps.y, tex).rgb;\n"
           "    else if (uStageOps.x == 3) c = fvArg(uStageOps.z, tex).rgb;\n"
           "    else if (uStageOps.x == 4) c = fvArg(uStageOps.y, tex).rgb * fvArg(uStageOps.z, tex).rgb;\n"
           "    float a = vColour.a;\n"
           "    if (uStageOps.w == 2) a = fvArg(uStageAlphaArgs.x, tex).a;\n"
           "    else if (uStageOps.w == 3) a = fvArg(uStageAlphaArgs.y, tex).a;\n"
           "    else if (uStageOps.w == 4) a = fvArg(uStageAlphaArgs.x, tex).a * fvArg(uStageAlphaArgs.y, tex).a;\n"
           "    fvOutput(vec4(c, a));\n"
           "}\n";
}
