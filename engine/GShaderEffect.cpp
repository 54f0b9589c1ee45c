// Loading and using one effect.
#include "engine/GShaderEffect.h"

#include "engine/GD3DDevice.h"
#include "engine/core/GDebugLog.h"
#include "platform/core/PFile.h"

#include <cstdio>

void GShaderEffect::Load(const std::string& path)
{
    m_active = false;
    GD3DDevice& device = GD3DDevice::Instance();
    if (!device.HasShaderSupport())
        return;
    const size_t slash = path.find_last_of("\\/");
    m_name = slash == std::string::npos ? path : path.substr(slash + 1);
    WriteDrawDebugLine("Creating shader from file:[" + path + "]");
    std::string source;
    PResult r = PRES_INVALIDCALL;
    std::string errors;
    if (!PFile::ReadAll(path, source))
        r = PRES_NOTAVAILABLE;
    else if (device.GetDevice())
        r = device.GetDevice()->CreateEffect(source, &m_effect, &errors);
    if (PFailed(r))
    {
        m_effect = nullptr;
        LogD3DError(r, "D3DXCreateEffectFromFile failed [" + path + "]");
        if (!errors.empty())
            GDebugLog::Instance().LogError(errors);
    }
}

void GShaderEffect::Begin()
{
    if (!GD3DDevice::Instance().HasShaderSupport())
    {
        WriteDrawDebugLine("Shaders not supported!");
        return;
    }
    if (!m_effect)
    {
        WriteDrawDebugLine("Shader [" + m_name + "] starting when it is not loaded");
        return;
    }
    if (!m_technique)
    {
        // A failed search usually leaves no technique either: both are reported.
        const PResult r = m_effect->FindNextValidTechnique(nullptr, &m_technique);
        if (!m_technique)
            LogD3DError(r, "Shader Effect failed to find technique");
        if (PFailed(r))
            LogD3DError(r, "failed");
    }
    PResult r = m_effect->SetTechnique(m_technique);
    if (PFailed(r))
        LogD3DError(r, "failed");
    unsigned passes = 0;
    r = m_effect->Begin(&passes, 0);
    if (PFailed(r))
        LogD3DError(r, "failed");
    m_effect->BeginPass(0);
    m_active = true;
}

void GShaderEffect::End()
{
    if (GD3DDevice::Instance().HasShaderSupport() && m_effect)
    {
        m_effect->EndPass();
        m_effect->End();
        m_active = false;
    }
}

void GShaderEffect::Release()
{
    if (m_effect)
    {
        m_effect->Release();
        m_effect = nullptr;
    }
    m_technique = nullptr;
    m_active = false;
}
