// Lets the graphics device and every texture go at the end of a drawing benchmark, so the next
// benchmark starts from nothing and the leak checker sees nothing left.
#pragma once

#include "engine/CLoadedTexture.h"
#include "engine/GD3DDevice.h"
#include "engine/GTextureManager.h"
#include "engine/GVertexBuffer.h"
#include "platform/video/PGraphics.h"

inline void ReleaseBenchDevice()
{
    SharedVertexBatch().ReleaseBuffers();
    GD3DDevice::Instance().Release();
    GTextureManager::Instance().DestroyAll();
    CLoadedTexture::DeleteAll();
    PGraphics::SetSystemFactory(nullptr);
}
