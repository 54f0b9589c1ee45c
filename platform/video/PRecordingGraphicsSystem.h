// The recording graphics back end: no GL, every call is written to a shared PRecordingState so that
// tests can check the exact state sequences the renderer issues.
#pragma once

#include "platform/video/PGraphicsSystem.h"
#include "platform/video/PRecordingState.h"

#include <memory>

class PRecordingGraphicsSystem : public PGraphicsSystem
{
public:
    explicit PRecordingGraphicsSystem(std::shared_ptr<PRecordingState> state) : m_state(std::move(state)) {}

    // Installs the recording back end as the graphics system factory.
    static void Install(const std::shared_ptr<PRecordingState>& state);

    PResult GetAdapterIdentifier(int adapter, uint32_t flags, PAdapterIdentifier& out) override;
    PResult GetDeviceCaps(int adapter, PDeviceCaps& out) override;
    PResult GetAdapterDisplayMode(int adapter, PDisplayMode& out) override;
    int GetAdapterModeCount(int adapter, uint32_t format) override;
    PResult EnumAdapterModes(int adapter, uint32_t format, int index, PDisplayMode& out) override;
    PResult CheckDeviceFormat(int adapter, uint32_t adapterFormat, bool renderTarget, PFormat format) override;
    PResult CreateDevice(int adapter, PWindowHandle window, bool hardwareVertexProcessing, PPresentParams& params,
                         PGraphicsDevice** out) override;

private:
    std::shared_ptr<PRecordingState> m_state;
};
