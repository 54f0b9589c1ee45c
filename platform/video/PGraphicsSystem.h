// The graphics system of one machine: the adapter's identity, capabilities and display modes, and
// the factory of the device. Made through PGraphics::CreateSystem.
#pragma once

#include "platform/video/PGraphicsDevice.h"
#include "platform/video/PGraphicsTypes.h"

class PGraphicsSystem
{
public:
    virtual ~PGraphicsSystem() = default;

    virtual PResult GetAdapterIdentifier(int adapter, uint32_t flags, PAdapterIdentifier& out) = 0;
    virtual PResult GetDeviceCaps(int adapter, PDeviceCaps& out) = 0;
    virtual PResult GetAdapterDisplayMode(int adapter, PDisplayMode& out) = 0;
    virtual int GetAdapterModeCount(int adapter, uint32_t format) = 0;
    virtual PResult EnumAdapterModes(int adapter, uint32_t format, int index, PDisplayMode& out) = 0;
    virtual PResult CheckDeviceFormat(int adapter, uint32_t adapterFormat, bool renderTarget, PFormat format) = 0;
    // Creates the device presenting to window. A windowed request with a zero back-buffer size takes
    // the window's size; params receive the size actually used.
    virtual PResult CreateDevice(int adapter, PWindowHandle window, bool hardwareVertexProcessing,
                                 PPresentParams& params, PGraphicsDevice** out) = 0;

    void Release() { delete this; }
};
