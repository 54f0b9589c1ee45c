// The frame loop's view of the graphics device.
#include "GameFrameDevice.h"

#include "engine/GD3DDevice.h"

GameFrameDevice& GameFrameDevice::Instance()
{
    static GameFrameDevice instance;
    return instance;
}

bool GameFrameDevice::IsLost()
{
    PGraphicsDevice* device = GD3DDevice::Instance().GetDevice();
    return device && device->TestCooperativeLevel() == PRES_DEVICELOST;
}

void GameFrameDevice::BeginFrame()
{
    GD3DDevice::Instance().BeginFrame();
}

void GameFrameDevice::EndFrame()
{
    GD3DDevice::Instance().EndFrame();
}

void GameFrameDevice::Present()
{
    GD3DDevice::Instance().Present();
}
