// The frame loop's view of the graphics device: device loss, the scene and presenting, passed
// straight to the game's one device.
#pragma once
#include "engine/GFrameDevice.h"

class GameFrameDevice : public GFrameDevice
{
public:
    static GameFrameDevice& Instance();

    bool IsLost() override;
    void BeginFrame() override;
    void EndFrame() override;
    void Present() override;
};
