// The device wrapper on the recording back end: creation paths, fixed state, blend cache, display
// modes, render targets, error names and screenshots.
#include "RenderTestSupport.h"

#include "engine/GD3DDevice.h"
#include "engine/GTextureManager.h"
#include "platform/video/PGraphics.h"

#include <algorithm>

namespace
{
bool DeviceLogHas(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}
} // namespace

using DeviceTest = RecordingRenderTest;

TEST_F(DeviceTest, NullWindowFailsBeforeCreatingAnything)
{
    PGraphics::SetGameWindow(nullptr);
    EXPECT_FALSE(InitDevice());
    EXPECT_TRUE(DeviceLogHas(ErrorMessages(), "Window NULL"));
    EXPECT_TRUE(m_rec->Calls("CreateSystem").empty());
}

TEST_F(DeviceTest, FailedSystemCreationIsReported)
{
    m_rec->failCreateSystem = true;
    EXPECT_FALSE(InitDevice());
    EXPECT_TRUE(DeviceLogHas(ErrorMessages(), "Direct3DCreate9 Failed"));
}

TEST_F(DeviceTest, WindowedAndFullscreenPassTheirBackBuffers)
{
    struct Case
    {
        bool windowed;
        std::string call;
    } cases[] = {
        {true, "CreateDevice 0 hardware 0x0 format 0 windowed"},
        {false, "CreateDevice 0 hardware 800x600 format 22 fullscreen"},
    };
    for (const Case& c : cases)
    {
        m_rec->Clear();
        ASSERT_TRUE(InitDevice(c.windowed));
        EXPECT_EQ(m_rec->Calls("CreateDevice"), std::vector<std::string>{c.call});
        EXPECT_EQ(GD3DDevice::Instance().IsWindowed(), c.windowed);
        GD3DDevice::Instance().Release();
    }
}

TEST_F(DeviceTest, VertexProcessingAttempts)
{
    struct Case
    {
        bool hwCaps;
        int failures;
        bool ok;
        std::vector<std::string> calls;
    } cases[] = {
        {false, 0, true, {"CreateDevice 0 software 0x0 format 0 windowed"}},
        {true,
         1,
         true,
         {"CreateDevice 0 hardware 0x0 format 0 windowed", "CreateDevice 0 software 0x0 format 0 windowed"}},
        {true,
         2,
         false,
         {"CreateDevice 0 hardware 0x0 format 0 windowed", "CreateDevice 0 software 0x0 format 0 windowed"}},
    };
    for (const Case& c : cases)
    {
        m_rec->Clear();
        m_rec->caps.hwTransformAndLight = c.hwCaps;
        m_rec->createDeviceFailures = c.failures;
        EXPECT_EQ(InitDevice(), c.ok);
        EXPECT_EQ(m_rec->Calls("CreateDevice"), c.calls);
        GD3DDevice::Instance().Release();
    }
    EXPECT_TRUE(DeviceLogHas(ErrorMessages(), "CreateDevice failed again"));
}

TEST_F(DeviceTest, CapabilitiesDecideShaderSupportAndTextureSizes)
{
    m_rec->caps.pixelShaderVersion = PShaderVersion(1, 4);
    m_rec->caps.pow2 = true;
    ASSERT_TRUE(InitDevice());
    EXPECT_FALSE(GD3DDevice::Instance().HasShaderSupport());
    EXPECT_FALSE(GD3DDevice::Instance().AllowsNonPowerOfTwo());
    const std::string log = DrawDebugLog();
    EXPECT_NE(log.find("hal_caps.D3DPTEXTURECAPS_POW2 is true"), std::string::npos);
    EXPECT_NE(log.find("hal_caps.PixelShaderVersion < D3DPS_VERSION(2, 0)"), std::string::npos);
    EXPECT_NE(log.find("Driver : Recorder"), std::string::npos);
}

TEST_F(DeviceTest, DefaultStatesInOrder)
{
    ASSERT_TRUE(InitDevice());
    std::vector<std::string> states;
    for (const std::string& line : m_rec->log)
        if (line.rfind("Set", 0) == 0 && line.find("SetSamplerState 1") == std::string::npos &&
            line.find("SetSamplerState 2") == std::string::npos &&
            line.find("SetSamplerState 3") == std::string::npos && line.find("SetSamplerState 4") == std::string::npos)
            states.push_back(line);
    const std::vector<std::string> expected = {
        "SetRenderState AlphaFunc 5",
        "SetTexture 0 null",
        "SetRenderState Lighting 0",
        "SetSamplerState 0 MinFilter 2",
        "SetSamplerState 0 MagFilter 2",
        "SetSamplerState 0 AddressU 3",
        "SetSamplerState 0 AddressV 3",
        "SetSamplerState 0 MipFilter 2",
        "SetRenderState AlphaBlendEnable 1",
        "SetRenderState AlphaTestEnable 1",
        "SetRenderState SrcBlend 5",
        "SetRenderState DestBlend 6",
        "SetTextureStageState 0 AlphaOp 4",
        "SetTextureStageState 0 AlphaArg1 2",
        "SetTextureStageState 0 AlphaArg2 0",
        "SetRenderState SeparateAlphaBlendEnable 1",
        "SetRenderState SrcBlendAlpha 5",
        "SetRenderState DestBlendAlpha 2",
        "SetVertexFormat 324",
    };
    EXPECT_EQ(states, expected);
    EXPECT_EQ(m_rec->Calls("SetSamplerState 4").size(), 5u);
}

TEST_F(DeviceTest, BlendModeCache)
{
    ASSERT_TRUE(InitDevice());
    GD3DDevice& d = GD3DDevice::Instance();
    m_rec->Clear();
    d.SetBlendMode(1);
    d.SetBlendMode(1);
    EXPECT_EQ(m_rec->log, (std::vector<std::string>{"SetRenderState SrcBlend 5", "SetRenderState DestBlend 2"}));
    m_rec->Clear();
    d.SetBlendMode(2);
    EXPECT_TRUE(m_rec->log.empty());
    EXPECT_EQ(d.GetBlendMode(), 1);
    d.BeginFrame();
    EXPECT_EQ(d.GetBlendMode(), 0);
    EXPECT_EQ(m_rec->log, std::vector<std::string>{"BeginScene"});
    d.SetBlendMode(0);
    EXPECT_EQ(m_rec->log.size(), 1u);
}

TEST_F(DeviceTest, SceneFlagFollowsTheDevice)
{
    ASSERT_TRUE(InitDevice());
    GD3DDevice& d = GD3DDevice::Instance();
    m_rec->beginSceneResult = PRES_INVALIDCALL;
    d.BeginFrame();
    EXPECT_FALSE(d.IsInScene());
    m_rec->beginSceneResult = PRES_OK;
    d.BeginFrame();
    EXPECT_TRUE(d.IsInScene());
    m_rec->endSceneResult = PRES_DEVICELOST;
    d.EndFrame();
    EXPECT_TRUE(d.IsInScene());
    const auto errors = ErrorMessages();
    EXPECT_TRUE(DeviceLogHas(errors, "Begin Scene"));
    EXPECT_TRUE(DeviceLogHas(errors, "D3DERR_DEVICELOST"));
    EXPECT_TRUE(DeviceLogHas(errors, "End Scene"));
}

TEST_F(DeviceTest, DisplayModesWidestFirst)
{
    m_rec->displayModes = {{800, 600, 60, 22}, {1920, 1080, 60, 22}, {1280, 720, 60, 22}};
    ASSERT_TRUE(InitDevice());
    GD3DDevice::Instance().EnumerateDisplayModes();
    std::vector<uint32_t> widths;
    for (const PDisplayMode& m : GD3DDevice::Instance().GetDisplayModes())
        widths.push_back(m.width);
    EXPECT_EQ(widths, (std::vector<uint32_t>{1920, 1280, 800}));
    GD3DDevice::Instance().EnumerateDisplayModes();
    EXPECT_EQ(GD3DDevice::Instance().GetDisplayModes().size(), 3u);
}

TEST_F(DeviceTest, RenderTargetsByName)
{
    ASSERT_TRUE(InitDevice());
    GD3DDevice& d = GD3DDevice::Instance();
    d.CreateRenderTarget("rt_car_sprite_cache", 4096, 2048, PFormat::A8R8G8B8);
    d.CreateRenderTarget("rt_car_sprite_cache", 64, 64, PFormat::A8R8G8B8);
    EXPECT_EQ(m_rec->Calls("CreateTexture").size(), 1u);
    EXPECT_TRUE(DeviceLogHas(ErrorMessages(), "Error!, render target duplicate name [rt_car_sprite_cache]"));
    GTexture9* rt = GTextureManager::Instance().FindTexture("rt_car_sprite_cache");
    ASSERT_NE(rt, nullptr);
    EXPECT_EQ(rt->m_width, 4096);
    EXPECT_EQ(rt->m_height, 2048);
    ASSERT_NE(rt->m_texture, nullptr);
    EXPECT_TRUE(rt->m_texture->IsRenderTarget());

    // A failed creation still registers the name, and an unsupported format is still attempted.
    m_rec->checkDeviceFormatResult = PRES_NOTAVAILABLE;
    m_rec->createTextureResult = PRES_OUTOFVIDEOMEMORY;
    d.CreateRenderTarget("rt_offscreen", 128, 128, PFormat::A8R8G8B8);
    EXPECT_TRUE(GTextureManager::Instance().IsLoaded("rt_offscreen"));
    EXPECT_EQ(GTextureManager::Instance().FindTexture("rt_offscreen")->m_texture, nullptr);
    const auto errors = ErrorMessages();
    EXPECT_TRUE(DeviceLogHas(errors, "Device format unsupported:[rt_offscreen]"));
    EXPECT_TRUE(DeviceLogHas(errors, "Error creating texture:[rt_offscreen]"));
}

TEST_F(DeviceTest, ErrorNames)
{
    struct Case
    {
        PResult code;
        const char* name;
    } cases[] = {
        {PRES_DEVICELOST, "D3DERR_DEVICELOST"},
        {PRES_UNSUPPORTEDALPHAOPERATION, "D3DERR_UNSUPPORTEDALPHAOPERATION "},
        {PRES_INVALIDDATA, "D3DXERR_INVALIDDATA"},
        {PRES_OUTOFVIDEOMEMORY, "D3DERR_OUTOFVIDEOMEMORY"},
        {static_cast<PResult>(0x80004005u), "Untranslated HRESULT [-2147467259]"},
        {-1, "Untranslated HRESULT [-1]"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(D3DErrorName(c.code), c.name);
    LogD3DError(static_cast<PResult>(0x80070057u), "Somewhere");
    const auto errors = ErrorMessages();
    ASSERT_GE(errors.size(), 2u);
    EXPECT_EQ(errors[errors.size() - 2], "Untranslated HRESULT [-2147024809]");
    EXPECT_EQ(errors.back(), "Somewhere");
}

TEST_F(DeviceTest, ScreenshotServedOncePerRequest)
{
    ASSERT_TRUE(InitDevice());
    GD3DDevice& d = GD3DDevice::Instance();
    const std::string path = m_files.Path("shot.jpg");
    d.RequestScreenshot(path);
    d.Present();
    d.Present();
    EXPECT_EQ(m_rec->Calls("ReadBackBuffer").size(), 1u);
    EXPECT_EQ(m_rec->Calls("Present").size(), 2u);
    EXPECT_FALSE(EngineTestFiles::ReadAll(path).empty());

    // The request is cleared even when the back buffer cannot be read.
    m_rec->readBackBufferResult = PRES_INVALIDCALL;
    d.RequestScreenshot(m_files.Path("lost.jpg"));
    d.Present();
    EXPECT_FALSE(d.IsScreenshotRequested());
    d.Present();
    EXPECT_EQ(m_rec->Calls("ReadBackBuffer").size(), 2u);
    EXPECT_TRUE(DeviceLogHas(ErrorMessages(), "Error getting backbuffer"));

    // A file that cannot be written is reported, not claimed.
    m_rec->readBackBufferResult = PRES_OK;
    d.RequestScreenshot(m_files.Path("no/such/folder/shot.jpg"));
    d.Present();
    EXPECT_TRUE(DeviceLogHas(ErrorMessages(), "Error saving screenshot"));
}

TEST_F(DeviceTest, PrimitivesUnbindAndAlignToPixelCentres)
{
    ASSERT_TRUE(InitDevice());
    GD3DDevice& d = GD3DDevice::Instance();
    m_rec->Clear();
    d.FillRect(PRect{10, 20, 30, 40}, 0x80FF0000u);
    d.FillRect(PRect{0, 0, 1, 1}, 0xFFFFFFFFu);
    // The first untextured primitive unbinds once; nothing was bound since.
    EXPECT_EQ(m_rec->Calls("SetTexture").size(), 1u);
    ASSERT_EQ(m_rec->draws.size(), 2u);
    const auto& v = m_rec->draws[0].vertices;
    ASSERT_EQ(v.size(), 4u);
    EXPECT_FLOAT_EQ(v[0].x, 9.5f);
    EXPECT_FLOAT_EQ(v[0].y, 19.5f);
    EXPECT_FLOAT_EQ(v[3].x, 29.5f);
    EXPECT_FLOAT_EQ(v[3].y, 39.5f);
    EXPECT_EQ(v[2].colour, 0x80FF0000u);

    m_rec->Clear();
    d.DrawFrame(PRect{10, 10, 20, 20}, 0xFFFFFFFFu, 3.0f);
    ASSERT_EQ(m_rec->draws.size(), 4u);
    // Top bar: (10 - 1.5, 10 - 1.5, 20 + 1.5, 10 + 1.5) truncated to (8, 8, 21, 11).
    EXPECT_FLOAT_EQ(m_rec->draws[0].vertices[0].x, 7.5f);
    EXPECT_FLOAT_EQ(m_rec->draws[0].vertices[3].x, 20.5f);
    EXPECT_FLOAT_EQ(m_rec->draws[0].vertices[3].y, 10.5f);

    m_rec->Clear();
    d.DrawLine(0, 0, 5, 5);
    d.DrawRectLines(PRect{1, 2, 3, 4}, 0xFF00FF00u);
    EXPECT_EQ(m_rec->log, (std::vector<std::string>{"DrawPrimitiveUP LineList 1", "DrawPrimitiveUP LineStrip 4"}));
    EXPECT_EQ(m_rec->draws[0].vertices[0].colour, 0xFFD3D3D3u);
    EXPECT_FLOAT_EQ(m_rec->draws[1].vertices[4].y, 2.0f);
}
