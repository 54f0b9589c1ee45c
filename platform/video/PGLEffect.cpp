// OpenGL effects: programs per pass, technique handles and parameter upload.
#include "platform/video/PGLEffect.h"

#include "platform/video/PGLDevice.h"

PGLEffect::~PGLEffect()
{
    if (m_device)
        m_device->OnEffectDestroyed(this);
}

bool PGLEffect::Build(const std::string& text, std::string& error)
{
    if (!PEffectSource::Parse(text, m_source, error))
        return false;
    m_programs.clear();
    for (const PEffectSource::Technique& technique : m_source.techniques)
    {
        m_programs.emplace_back();
        for (const PEffectSource::Pass& pass : technique.passes)
        {
            auto program = std::make_unique<PGLProgram>();
            if (!program->Build(pass.vertex, pass.fragment, error))
            {
                error.insert(0, technique.name + "/" + pass.name + ": ");
                return false;
            }
            m_programs.back().push_back(std::move(program));
        }
    }
    return true;
}

PResult PGLEffect::FindNextValidTechnique(PEffectHandle previous, PEffectHandle* next)
{
    if (!next)
        return PRES_INVALIDCALL;
    *next = nullptr;
    size_t start = 0;
    if (previous)
    {
        for (size_t i = 0; i < m_source.techniques.size(); ++i)
            if (&m_source.techniques[i] == previous)
                start = i + 1;
    }
    if (start < m_source.techniques.size())
        *next = &m_source.techniques[start];
    return PRES_OK;
}

PResult PGLEffect::SetTechnique(PEffectHandle technique)
{
    for (size_t i = 0; i < m_source.techniques.size(); ++i)
    {
        if (&m_source.techniques[i] == technique)
        {
            m_technique = static_cast<int>(i);
            return PRES_OK;
        }
    }
    return PRES_INVALIDCALL;
}

PResult PGLEffect::Begin(unsigned* passes, uint32_t)
{
    if (m_technique < 0)
        m_technique = 0;
    if (passes)
        *passes = static_cast<unsigned>(m_source.techniques[static_cast<size_t>(m_technique)].passes.size());
    m_begun = true;
    return PRES_OK;
}

PResult PGLEffect::BeginPass(unsigned pass)
{
    if (!m_device || m_technique < 0)
        return PRES_INVALIDCALL;
    const auto& programs = m_programs[static_cast<size_t>(m_technique)];
    if (pass >= programs.size())
        return PRES_INVALIDCALL;
    m_device->SetEffectProgram(this, programs[pass].get());
    return PRES_OK;
}

PResult PGLEffect::EndPass()
{
    if (m_device)
        m_device->SetEffectProgram(nullptr, nullptr);
    return PRES_OK;
}

PResult PGLEffect::End()
{
    // Restores the fixed drawing whether or not Begin ran.
    if (m_device)
        m_device->SetEffectProgram(nullptr, nullptr);
    m_begun = false;
    return PRES_OK;
}
