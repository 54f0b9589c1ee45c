// Recording effects.
#include "platform/video/PRecordingEffect.h"

bool PRecordingEffect::Build(const std::string& text, std::string& error)
{
    if (!PEffectSource::Parse(text, m_source, error))
        return false;
    for (const auto& technique : m_source.techniques)
    {
        for (const auto& pass : technique.passes)
        {
            if (pass.fragment.find("#error") != std::string::npos || pass.vertex.find("#error") != std::string::npos)
            {
                error = technique.name + "/" + pass.name + ": #error";
                return false;
            }
        }
    }
    return true;
}

PResult PRecordingEffect::FindNextValidTechnique(PEffectHandle previous, PEffectHandle* next)
{
    Record("FindNextValidTechnique");
    if (!next)
        return PRES_INVALIDCALL;
    *next = nullptr;
    size_t start = 0;
    for (size_t i = 0; previous && i < m_source.techniques.size(); ++i)
        if (&m_source.techniques[i] == previous)
            start = i + 1;
    if (start < m_source.techniques.size())
        *next = &m_source.techniques[start];
    return PRES_OK;
}

PResult PRecordingEffect::SetTechnique(PEffectHandle technique)
{
    for (size_t i = 0; i < m_source.techniques.size(); ++i)
    {
        if (&m_source.techniques[i] == technique)
        {
            m_technique = static_cast<int>(i);
            Record("SetTechnique " + m_source.techniques[i].name);
            return PRES_OK;
        }
    }
    Record("SetTechnique invalid");
    return PRES_INVALIDCALL;
}

PResult PRecordingEffect::Begin(unsigned* passes, uint32_t flags)
{
    Record("Begin " + std::to_string(flags));
    if (m_technique < 0)
        m_technique = 0;
    if (passes)
        *passes = static_cast<unsigned>(m_source.techniques[static_cast<size_t>(m_technique)].passes.size());
    return PRES_OK;
}

PResult PRecordingEffect::BeginPass(unsigned pass)
{
    Record("BeginPass " + std::to_string(pass));
    return PRES_OK;
}

PResult PRecordingEffect::EndPass()
{
    Record("EndPass");
    return PRES_OK;
}

PResult PRecordingEffect::End()
{
    Record("End");
    return PRES_OK;
}
