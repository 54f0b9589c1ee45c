// What the frame loop needs of the graphics device: whether it is lost, the begin and end
// of the scene, and presenting the finished frame (saving a requested screenshot first).
#pragma once

class GFrameDevice
{
public:
    virtual ~GFrameDevice() = default;
    // True while the device is lost; the frame is skipped then.
    virtual bool IsLost() = 0;
    virtual void BeginFrame() = 0;
    virtual void EndFrame() = 0;
    virtual void Present() = 0;
};
