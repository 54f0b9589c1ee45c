// The recording graphics system.
#include "platform/video/PRecordingGraphicsSystem.h"

#include "platform/video/PGraphics.h"
#include "platform/video/PRecordingDevice.h"

void PRecordingGraphicsSystem::Install(const std::shared_ptr<PRecordingState>& state)
{
    PGraphics::SetSystemFactory([state](PWindowHandle) -> PGraphicsSystem* {
        state->log.push_back("CreateSystem");
        if (state->failCreateSystem)
            return nullptr;
        return new PRecordingGraphicsSystem(state);
    });
}

PResult PRecordingGraphicsSystem::GetAdapterIdentifier(int adapter, uint32_t flags, PAdapterIdentifier& out)
{
    m_state->log.push_back("GetAdapterIdentifier " + std::to_string(adapter) + " " + std::to_string(flags));
    if (PFailed(m_state->adapterIdentifierResult))
        return m_state->adapterIdentifierResult;
    out = m_state->adapterIdentifier;
    return PRES_OK;
}

PResult PRecordingGraphicsSystem::GetDeviceCaps(int adapter, PDeviceCaps& out)
{
    m_state->log.push_back("GetDeviceCaps " + std::to_string(adapter));
    if (PFailed(m_state->capsResult))
        return m_state->capsResult;
    out = m_state->caps;
    return PRES_OK;
}

PResult PRecordingGraphicsSystem::GetAdapterDisplayMode(int adapter, PDisplayMode& out)
{
    m_state->log.push_back("GetAdapterDisplayMode " + std::to_string(adapter));
    out = m_state->desktopMode;
    return PRES_OK;
}

int PRecordingGraphicsSystem::GetAdapterModeCount(int adapter, uint32_t format)
{
    m_state->log.push_back("GetAdapterModeCount " + std::to_string(adapter) + " " + std::to_string(format));
    return format == m_state->desktopMode.format ? static_cast<int>(m_state->displayModes.size()) : 0;
}

PResult PRecordingGraphicsSystem::EnumAdapterModes(int adapter, uint32_t format, int index, PDisplayMode& out)
{
    m_state->log.push_back("EnumAdapterModes " + std::to_string(adapter) + " " + std::to_string(format) + " " +
                           std::to_string(index));
    if (index < 0 || index >= static_cast<int>(m_state->displayModes.size()))
        return PRES_INVALIDCALL;
    out = m_state->displayModes[static_cast<size_t>(index)];
    return PRES_OK;
}

PResult PRecordingGraphicsSystem::CheckDeviceFormat(int adapter, uint32_t adapterFormat, bool renderTarget,
                                                    PFormat format)
{
    m_state->log.push_back("CheckDeviceFormat " + std::to_string(adapter) + " " + std::to_string(adapterFormat) +
                           (renderTarget ? " rendertarget " : " texture ") +
                           std::to_string(static_cast<uint32_t>(format)));
    return m_state->checkDeviceFormatResult;
}

PResult PRecordingGraphicsSystem::CreateDevice(int adapter, PWindowHandle window, bool hardwareVertexProcessing,
                                               PPresentParams& params, PGraphicsDevice** out)
{
    m_state->log.push_back(std::string("CreateDevice ") + std::to_string(adapter) +
                           (hardwareVertexProcessing ? " hardware" : " software") + " " +
                           std::to_string(params.backBufferWidth) + "x" + std::to_string(params.backBufferHeight) +
                           " format " + std::to_string(static_cast<uint32_t>(params.backBufferFormat)) +
                           (params.windowed ? " windowed" : " fullscreen"));
    m_state->lastPresentParams = params;
    if (!out)
        return PRES_INVALIDCALL;
    *out = nullptr;
    if (m_state->createDeviceFailures > 0)
    {
        --m_state->createDeviceFailures;
        return m_state->createDeviceFailure;
    }
    if (!window)
        return PRES_INVALIDCALL;
    int w = static_cast<int>(params.backBufferWidth), h = static_cast<int>(params.backBufferHeight);
    if (params.windowed && (w == 0 || h == 0))
    {
        w = m_state->windowWidth;
        h = m_state->windowHeight;
    }
    params.backBufferWidth = static_cast<uint32_t>(w);
    params.backBufferHeight = static_cast<uint32_t>(h);
    *out = new PRecordingDevice(m_state, w, h);
    return PRES_OK;
}
