// The graphics device wrapper.
#include "engine/GD3DDevice.h"

#include "engine/BaseSprite.h"
#include "engine/GQuadBatchScope.h"
#include "engine/GTexture9.h"
#include "engine/GTextureManager.h"
#include "engine/GVertexBuffer.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"
#include "platform/core/PDebugOutput.h"
#include "platform/core/PFile.h"
#include "platform/video/PGraphics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

GD3DDevice& GD3DDevice::Instance()
{
    return GLifetime::Get<GD3DDevice>();
}

GD3DDevice::~GD3DDevice()
{
    Release();
    m_displayModes.clear();
}

bool GD3DDevice::Init(int width, int height, bool windowed)
{
    const int adapter = 0;
    // A second start-up replaces the first device instead of leaking it.
    if (m_device || m_system)
        Release();
    PWindowHandle window = PGraphics::GetGameWindow();
    if (!window)
    {
        GDebugLog::Instance().LogError("Window NULL");
        return false;
    }
    WriteDrawDebugLine(windowed ? "Initialising 3D Engine in windowed mode"
                                : "Initialising 3D Engine in fullscreen mode");
    m_window = window;
    m_system = PGraphics::CreateSystem(window);
    if (!m_system)
    {
        GDebugLog::Instance().LogError("Direct3DCreate9 Failed");
        return false;
    }
    PAdapterIdentifier identifier;
    const PResult idResult = m_system->GetAdapterIdentifier(adapter, 0, identifier);
    if (PFailed(idResult))
    {
        LogD3DError(idResult, "GetAdapterIdentifier Failed");
    }
    else
    {
        WriteDrawDebugLine("Driver : " + identifier.driver);
        WriteDrawDebugLine("Description : " + identifier.description);
        WriteDrawDebugLine("DeviceName : " + identifier.deviceName);
    }

    m_presentParams = PPresentParams();
    if (windowed)
    {
        m_presentParams.backBufferWidth = 0;
        m_presentParams.backBufferHeight = 0;
        m_presentParams.backBufferFormat = PFormat::Unknown;
    }
    else
    {
        m_presentParams.backBufferWidth = static_cast<uint32_t>(width);
        m_presentParams.backBufferHeight = static_cast<uint32_t>(height);
        m_presentParams.backBufferFormat = PFormat::X8R8G8B8;
    }
    m_presentParams.backBufferCount = 1;
    m_presentParams.window = window;
    m_presentParams.windowed = windowed;
    m_presentParams.depthStencil = false;
    m_presentParams.vsync = true;

    CheckCaps();

    char text[256];
    std::snprintf(text, sizeof(text), "About to Create 3D Device with width: %d and height : %d", width, height);
    WriteDrawDebugLine(text);

    PResult result;
    PPresentParams params = m_presentParams;
    if (m_hardwareVertexProcessing)
    {
        WriteDrawDebugLine("Attempting hardware Vertex Processing");
        result = m_system->CreateDevice(adapter, window, true, params, &m_device);
    }
    else
    {
        WriteDrawDebugLine("Attempting software Vertex Processing");
        result = m_system->CreateDevice(adapter, window, false, params, &m_device);
    }
    if (PFailed(result))
    {
        LogD3DError(result, "CreateDevice");
        WriteDrawDebugLine("Attempting software Vertex Processing");
        params = m_presentParams;
        result = m_system->CreateDevice(adapter, window, false, params, &m_device);
        if (PFailed(result))
        {
            LogD3DError(result, "CreateDevice failed again");
            m_device = nullptr;
            return false;
        }
    }
    m_presentParams = params;
    m_ownerThread = std::this_thread::get_id();
    m_inScene = false;
    m_windowed = windowed;
    SetDefaultRenderStates();
    m_device->GetViewport(m_viewport);
    WriteDrawDebugLine("Finished initialising 3D Engine");
    return true;
}

void GD3DDevice::CheckCaps()
{
    WriteDrawDebugLine("Checking For Shader Support");
    m_shaderSupport = false;
    m_caps = PDeviceCaps();
    m_caps.pixelShaderVersion = 0;
    m_caps.hwTransformAndLight = false;
    if (!m_system)
        return;
    const PResult r = m_system->GetDeviceCaps(0, m_caps);
    if (PFailed(r))
    {
        LogD3DError(r, "Getting Device Caps Failed");
        m_caps = PDeviceCaps();
        m_caps.pixelShaderVersion = 0;
        m_caps.hwTransformAndLight = false;
    }
    if (m_caps.squareOnly)
        WriteDrawDebugLine("hal_caps.D3DPTEXTURECAPS_SQUAREONLY is true");
    if (m_caps.pow2)
    {
        WriteDrawDebugLine("hal_caps.D3DPTEXTURECAPS_POW2 is true");
        m_nonPowerOfTwo = false;
    }
    WriteDrawDebugLine("NumSimultaneousRTs:" + std::to_string(m_caps.numSimultaneousRTs));
    // Versions compare as numbers once the type tag of the upper half is the same.
    if (m_caps.pixelShaderVersion < PShaderVersion(2, 0))
    {
        WriteDrawDebugLine("hal_caps.PixelShaderVersion < D3DPS_VERSION(2, 0)");
    }
    else
    {
        WriteDrawDebugLine("hal_caps.PixelShaderVersion >= D3DPS_VERSION(2, 0)");
        m_shaderSupport = true;
        if (m_caps.pixelShaderVersion >= PShaderVersion(3, 0))
            WriteDrawDebugLine("hal_caps.PixelShaderVersion >= D3DPS_VERSION(3, 0)");
    }
    m_hardwareVertexProcessing = m_caps.hwTransformAndLight;
}

void GD3DDevice::SetDefaultRenderStates()
{
    PGraphicsDevice* d = m_device;
    if (!d)
        return;
    d->SetRenderState(PRenderState::AlphaFunc, PCMP_GREATER);
    d->SetTexture(0, nullptr);
    d->SetRenderState(PRenderState::Lighting, 0);
    for (int s = 0; s < 5; ++s)
    {
        d->SetSamplerState(s, PSamplerState::MinFilter, PTEXF_LINEAR);
        d->SetSamplerState(s, PSamplerState::MagFilter, PTEXF_LINEAR);
        d->SetSamplerState(s, PSamplerState::AddressU, PTADDRESS_CLAMP);
        d->SetSamplerState(s, PSamplerState::AddressV, PTADDRESS_CLAMP);
        d->SetSamplerState(s, PSamplerState::MipFilter, PTEXF_LINEAR);
    }
    d->SetRenderState(PRenderState::AlphaBlendEnable, 1);
    d->SetRenderState(PRenderState::AlphaTestEnable, 1);
    d->SetRenderState(PRenderState::SrcBlend, PBLEND_SRCALPHA);
    d->SetRenderState(PRenderState::DestBlend, PBLEND_INVSRCALPHA);
    if (m_blendMode != 0)
    {
        m_blendMode = 0;
        d->SetRenderState(PRenderState::SrcBlend, PBLEND_SRCALPHA);
        d->SetRenderState(PRenderState::DestBlend, PBLEND_INVSRCALPHA);
    }
    d->SetTextureStageState(0, PTextureStageState::AlphaOp, PTOP_MODULATE);
    d->SetTextureStageState(0, PTextureStageState::AlphaArg1, PTA_TEXTURE);
    d->SetTextureStageState(0, PTextureStageState::AlphaArg2, PTA_DIFFUSE);
    d->SetRenderState(PRenderState::SeparateAlphaBlendEnable, 1);
    d->SetRenderState(PRenderState::SrcBlendAlpha, PBLEND_SRCALPHA);
    d->SetRenderState(PRenderState::DestBlendAlpha, PBLEND_ONE);
    d->SetVertexFormat(PFVF_XYZRHW | PFVF_DIFFUSE | PFVF_TEX1);
}

bool GD3DDevice::IsLost()
{
    return m_device && m_device->TestCooperativeLevel() == PRES_DEVICELOST;
}

void GD3DDevice::BeginFrame()
{
    if (m_device)
    {
        const PResult r = m_device->BeginScene();
        if (PFailed(r))
            LogD3DError(r, "Begin Scene");
        else
            m_inScene = true;
    }
    // Every additive drawer returns to normal blending, so a frame starts in normal mode.
    m_blendMode = 0;
}

void GD3DDevice::EndFrame()
{
    if (!m_device)
        return;
    const PResult r = m_device->EndScene();
    if (PFailed(r))
        LogD3DError(r, "End Scene");
    else
        m_inScene = false;
}

void GD3DDevice::Present()
{
    if (m_screenshotRequested)
        SaveBackBuffer(m_screenshotFormat, nullptr, m_screenshotPath);
    if (!m_device)
        return;
    const PResult r = m_device->Present();
    if (PFailed(r))
        LogD3DError(r, "Flip");
}

void GD3DDevice::SetBlendMode(int mode)
{
    if (!m_device)
        return;
    if (mode == 1 && m_blendMode != 1)
    {
        m_blendMode = 1;
        m_device->SetRenderState(PRenderState::SrcBlend, PBLEND_SRCALPHA);
        m_device->SetRenderState(PRenderState::DestBlend, PBLEND_ONE);
    }
    else if (mode == 0 && m_blendMode != 0)
    {
        m_blendMode = 0;
        m_device->SetRenderState(PRenderState::SrcBlend, PBLEND_SRCALPHA);
        m_device->SetRenderState(PRenderState::DestBlend, PBLEND_INVSRCALPHA);
    }
}

void GD3DDevice::CreateRenderTarget(const std::string& name, int width, int height, PFormat format)
{
    char text[512];
    std::snprintf(text, sizeof(text), "Initialising Render target of %d X %d %s", width, height, name.c_str());
    WriteDrawDebugLine(text);
    GTextureManager& manager = GTextureManager::Instance();
    if (manager.IsLoaded(name))
    {
        GDebugLog::Instance().LogError("Error!, render target duplicate name [" + name + "]");
        return;
    }
    if (m_system)
    {
        const PResult check = m_system->CheckDeviceFormat(0, static_cast<uint32_t>(PFormat::X8R8G8B8), true, format);
        if (PFailed(check))
            LogD3DError(check, "Device format unsupported:[" + name + "]");
    }
    auto* texture = new GTexture9();
    texture->m_name = name;
    texture->m_height = height;
    texture->m_width = width;
    PResult r = PRES_INVALIDCALL;
    if (m_device)
        r = m_device->CreateTexture(width, height, 1, true, format, &texture->m_texture);
    if (PFailed(r))
    {
        texture->m_texture = nullptr;
        LogD3DError(r, "Error creating texture:[" + name + "]");
    }
    manager.AddTexture(texture);
    WriteDrawDebugLine(name);
}

void GD3DDevice::EnumerateDisplayModes()
{
    m_displayModes.clear();
    if (!m_system)
        return;
    PDisplayMode desktop;
    m_system->GetAdapterDisplayMode(0, desktop);
    const int count = m_system->GetAdapterModeCount(0, desktop.format);
    for (int i = 0; i < count; ++i)
    {
        PDisplayMode mode;
        if (!PFailed(m_system->EnumAdapterModes(0, desktop.format, i, mode)))
            m_displayModes.push_back(mode);
    }
    std::sort(m_displayModes.begin(), m_displayModes.end(),
              [](const PDisplayMode& a, const PDisplayMode& b) { return a.width > b.width; });
}

void GD3DDevice::RequestScreenshot(const std::string& path)
{
    m_screenshotPath = path;
    m_screenshotFormat = PImageFileFormat::Jpg;
    m_screenshotRequested = true;
}

void GD3DDevice::SaveBackBuffer(PImageFileFormat format, const PRect* source, const std::string& path)
{
    m_screenshotRequested = false;
    PImage image;
    const PResult r = m_device ? m_device->ReadBackBuffer(image) : PRES_INVALIDCALL;
    if (PFailed(r))
    {
        LogD3DError(r, "Error getting backbuffer");
        return;
    }
    if (source)
    {
        // Only the part of the rectangle that lies on the back buffer is saved.
        const PImageLevel& full = image.levels[0];
        const int left = std::clamp(source->left, 0, full.width), right = std::clamp(source->right, left, full.width);
        const int top = std::clamp(source->top, 0, full.height), bottom = std::clamp(source->bottom, top, full.height);
        PImageLevel cut;
        cut.width = right - left;
        cut.height = bottom - top;
        for (int y = top; y < bottom; ++y)
            cut.rgba.insert(cut.rgba.end(), full.rgba.begin() + (static_cast<ptrdiff_t>(y) * full.width + left) * 4,
                            full.rgba.begin() + (static_cast<ptrdiff_t>(y) * full.width + right) * 4);
        image.levels.clear();
        image.levels.push_back(std::move(cut));
    }
    if (!PImageCodec::SaveToFile(PFile::NormalisePath(path), image, format))
        LogD3DError(PRES_INVALIDCALL, "Error saving screenshot");
}

void GD3DDevice::UnbindForPrimitive()
{
    GTextureManager::Instance().BindTexture(nullptr);
}

void GD3DDevice::FillRect(const PRect& rect, uint32_t colour)
{
    if (!m_device)
        return;
    PVertex v[4];
    const float l = static_cast<float>(rect.left) - 0.5f, r = static_cast<float>(rect.right) - 0.5f;
    const float t = static_cast<float>(rect.top) - 0.5f, b = static_cast<float>(rect.bottom) - 0.5f;
    v[0] = {l, t, 0.0f, 1.0f, colour, 0.0f, 0.0f};
    v[1] = {r, t, 0.0f, 1.0f, colour, 1.0f, 0.0f};
    v[2] = {l, b, 0.0f, 1.0f, colour, 0.0f, 1.0f};
    v[3] = {r, b, 0.0f, 1.0f, colour, 1.0f, 1.0f};
    if (GQuadBatchScope* scope = GQuadBatchScope::Current(); scope && scope->Add(nullptr, v))
        return;
    UnbindForPrimitive();
    m_device->DrawPrimitiveUP(PPrimitive::TriangleStrip, 2, v, sizeof(PVertex));
}

void GD3DDevice::DrawFrame(const PRect& rect, uint32_t colour, float thickness)
{
    const float half = thickness * 0.5f;
    auto bar = [&](float l, float t, float r, float b) {
        FillRect(
            PRect{static_cast<int32_t>(l), static_cast<int32_t>(t), static_cast<int32_t>(r), static_cast<int32_t>(b)},
            colour);
    };
    const float l = static_cast<float>(rect.left), t = static_cast<float>(rect.top);
    const float r = static_cast<float>(rect.right), b = static_cast<float>(rect.bottom);
    bar(l - half, t - half, r + half, t + half);
    bar(l - half, b - half, r + half, b + half);
    bar(l - half, t - half, l + half, b + half);
    bar(r - half, t - half, r + half, b + half);
}

void GD3DDevice::DrawRectLines(const PRect& rect, uint32_t colour)
{
    if (!m_device)
        return;
    GQuadBatchScope::FlushCurrent();
    UnbindForPrimitive();
    const float l = static_cast<float>(rect.left), t = static_cast<float>(rect.top);
    const float r = static_cast<float>(rect.right), b = static_cast<float>(rect.bottom);
    PVertex v[5] = {{l, t, 0.0f, 1.0f, colour, 0.0f, 0.0f},
                    {r, t, 0.0f, 1.0f, colour, 0.0f, 0.0f},
                    {r, b, 0.0f, 1.0f, colour, 0.0f, 0.0f},
                    {l, b, 0.0f, 1.0f, colour, 0.0f, 0.0f},
                    {l, t, 0.0f, 1.0f, colour, 0.0f, 0.0f}};
    m_device->DrawPrimitiveUP(PPrimitive::LineStrip, 4, v, sizeof(PVertex));
}

void GD3DDevice::DrawLine(float x1, float y1, float x2, float y2)
{
    if (!m_device)
        return;
    GQuadBatchScope::FlushCurrent();
    UnbindForPrimitive();
    const uint32_t grey = 0xFFD3D3D3u;
    PVertex v[2] = {{x1, y1, 0.0f, 1.0f, grey, 0.0f, 0.0f}, {x2, y2, 0.0f, 1.0f, grey, 0.0f, 0.0f}};
    m_device->DrawPrimitiveUP(PPrimitive::LineList, 1, v, sizeof(PVertex));
}

void GD3DDevice::Release()
{
    if (!m_device && !m_system)
        return;
    GDebugLog::Instance().Log("releasing D3D engine");
    // At the end of the run the textures and batches may be gone already; they are not made
    // again only to be emptied.
    if (GTextureManager* textures = GLifetime::Find<GTextureManager>())
        textures->DestroyAll();
    // Buffers made on this device cannot outlive it.
    if (const std::vector<GVertexBuffer*>* buffers = FindVertexBufferList())
        for (GVertexBuffer* buffer : std::vector<GVertexBuffer*>(*buffers))
            buffer->ReleaseBuffers();
    if (m_device)
    {
        m_device->Release();
        m_device = nullptr;
    }
    if (m_system)
    {
        m_system->Release();
        m_system = nullptr;
    }
    m_inScene = false;
    m_window = nullptr;
    m_blendMode = 0;
    m_shaderSupport = false;
    m_nonPowerOfTwo = true;
    m_hardwareVertexProcessing = true;
    m_screenshotRequested = false;
    GDebugLog::Instance().Log("D3D released");
    CloseDrawDebugFile();
}

std::string D3DErrorName(PResult code)
{
    switch (code)
    {
    case PRES_OUTOFVIDEOMEMORY:
        return "D3DERR_OUTOFVIDEOMEMORY";
    case PRES_WRONGTEXTUREFORMAT:
        return "D3DERR_WRONGTEXTUREFORMAT";
    case PRES_UNSUPPORTEDCOLOROPERATION:
        return "D3DERR_UNSUPPORTEDCOLOROPERATION";
    case PRES_UNSUPPORTEDCOLORARG:
        return "D3DERR_UNSUPPORTEDCOLORARG";
    case PRES_UNSUPPORTEDALPHAOPERATION:
        return "D3DERR_UNSUPPORTEDALPHAOPERATION ";
    case PRES_UNSUPPORTEDALPHAARG:
        return "D3DERR_UNSUPPORTEDALPHAARG";
    case PRES_DRIVERINTERNALERROR:
        return "D3DERR_DRIVERINTERNALERROR";
    case PRES_DEVICELOST:
        return "D3DERR_DEVICELOST";
    case PRES_DEVICENOTRESET:
        return "D3DERR_DEVICENOTRESET";
    case PRES_NOTAVAILABLE:
        return "D3DERR_NOTAVAILABLE";
    case PRES_INVALIDDEVICE:
        return "D3DERR_INVALIDDEVICE";
    case PRES_INVALIDCALL:
        return "D3DERR_INVALIDCALL";
    case PRES_DEVICEREMOVED:
        return "D3DERR_DEVICEREMOVED";
    case PRES_DEVICEHUNG:
        return "D3DERR_DEVICEHUNG";
    case PRES_INVALIDDATA:
        return "D3DXERR_INVALIDDATA";
    default:
        break;
    }
    char text[256];
    std::snprintf(text, sizeof(text), "Untranslated HRESULT [%d]", static_cast<int>(code));
    return text;
}

void LogD3DError(PResult code, const std::string& context)
{
    GDebugLog::Instance().LogError(D3DErrorName(code));
    GDebugLog::Instance().LogError(context);
}

namespace
{
FILE*& DrawDebugFile()
{
    static FILE* file = nullptr;
    return file;
}
} // namespace

void WriteDrawDebugLine(const std::string& text)
{
    FILE*& file = DrawDebugFile();
    if (!file)
    {
        // Until the debug log knows the user folder there is nowhere to write.
        const std::string& base = GDebugLog::Instance().GetBaseFolder();
        if (base.empty())
            return;
        file = PFile::Open(base + "/debug/drawdebug.txt", "wt");
        if (!file)
            return;
    }
    std::fprintf(file, "%s\n", text.c_str());
    std::fflush(file);
    PDebugOutput::Write(text + "\n");
}

namespace
{
// The quad of a line: as wide as the line, as long as the segment, turned along it, centred on its middle.
void DeviceMakeLineSprite(BaseSprite& sprite, uint32_t colour, float x1, float y1, float x2, float y2, float width)
{
    const float dx = x2 - x1, dy = y2 - y1;
    sprite.m_width = width;
    sprite.m_height = std::sqrt(dx * dx + dy * dy);
    for (PVertex& v : sprite.m_vertices)
        v.colour = colour;
    float angle = (std::atan2(dy, dx) + 3.14159265f) * (180.0f / 3.14159265f) - 90.0f;
    if (angle < 0.0f)
        angle += 360.0f;
    sprite.m_angle = angle;
    sprite.SetPosition((x1 + x2) * 0.5f, (y1 + y2) * 0.5f);
}
} // namespace

void CloseDrawDebugFile()
{
    FILE*& file = DrawDebugFile();
    if (file)
        std::fclose(file);
    file = nullptr;
}

void BatchLineSprite(uint32_t colour, float x1, float y1, float x2, float y2, float width)
{
    BaseSprite sprite;
    DeviceMakeLineSprite(sprite, colour, x1, y1, x2, y2, width);
    sprite.AddToBatch();
}

void DrawLineSprite(uint32_t colour, float x1, float y1, float x2, float y2, float width)
{
    BaseSprite sprite;
    DeviceMakeLineSprite(sprite, colour, x1, y1, x2, y2, width);
    if (GQuadBatchScope* scope = GQuadBatchScope::Current())
    {
        // Off screen it draws nothing, gathered or not.
        if (!sprite.IsOnScreen() || scope->Add(nullptr, sprite.m_vertices))
            return;
    }
    GTextureManager::Instance().BindTexture(nullptr);
    sprite.Draw();
}
