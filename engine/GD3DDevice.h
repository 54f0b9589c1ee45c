// The one graphics device of the game: created for the game window at start-up, it sets the fixed
// 2D state the renderer relies on, frames each scene, caches the blend mode, makes the named render
// targets, saves screenshots, lists display modes and draws plain rectangles and lines.
#pragma once
#include "engine/GFrameDevice.h"

#include "platform/video/PGraphicsDevice.h"
#include "platform/video/PGraphicsSystem.h"
#include "platform/video/PImageCodec.h"

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

class GD3DDevice : public GFrameDevice
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static GD3DDevice& Instance();
    ~GD3DDevice() override;

    bool Init(int width, int height, bool windowed);
    void CheckCaps();
    void SetDefaultRenderStates();
    // The frame loop's calls: a lost device skips the frame.
    bool IsLost() override;
    void BeginFrame() override;
    void EndFrame() override;
    void Present() override;
    void SetBlendMode(int mode);
    void CreateRenderTarget(const std::string& name, int width, int height, PFormat format);
    void EnumerateDisplayModes();
    // Asks the next Present to save the back buffer to path as a JPEG.
    void RequestScreenshot(const std::string& path);
    void SaveBackBuffer(PImageFileFormat format, const PRect* source, const std::string& path);
    void FillRect(const PRect& rect, uint32_t colour);
    void DrawFrame(const PRect& rect, uint32_t colour, float thickness);
    void DrawRectLines(const PRect& rect, uint32_t colour);
    void DrawLine(float x1, float y1, float x2, float y2);
    void Release();

    PGraphicsDevice* GetDevice() const { return m_device; }
    // The size of the picture the device presents. In full screen it is the mode the display
    // switched to, which is not always the size asked for.
    void GetBackBufferSize(int& width, int& height) const
    {
        width = static_cast<int>(m_presentParams.backBufferWidth);
        height = static_cast<int>(m_presentParams.backBufferHeight);
    }
    bool IsInScene() const { return m_inScene; }
    bool IsWindowed() const { return m_windowed; }
    bool HasShaderSupport() const { return m_shaderSupport; }
    bool AllowsNonPowerOfTwo() const { return m_nonPowerOfTwo; }
    int GetBlendMode() const { return m_blendMode; }
    const PViewport& GetViewport() const { return m_viewport; }
    const std::vector<PDisplayMode>& GetDisplayModes() const { return m_displayModes; }
    const PDeviceCaps& GetCaps() const { return m_caps; }
    // True on the thread that made the device (the main thread), or while there is no device.
    bool IsOnDeviceThread() const { return !m_device || std::this_thread::get_id() == m_ownerThread; }
    bool IsScreenshotRequested() const { return m_screenshotRequested; }

private:
    GD3DDevice() = default;
    GD3DDevice(const GD3DDevice&) = delete;
    GD3DDevice& operator=(const GD3DDevice&) = delete;
    void UnbindForPrimitive();

    std::vector<PDisplayMode> m_displayModes;
    PGraphicsSystem* m_system = nullptr;
    PGraphicsDevice* m_device = nullptr;
    PWindowHandle m_window = nullptr;
    bool m_inScene = false;
    bool m_windowed = false;
    PPresentParams m_presentParams;
    int m_blendMode = 0;
    bool m_shaderSupport = false;
    bool m_nonPowerOfTwo = true;
    bool m_hardwareVertexProcessing = true;
    PImageFileFormat m_screenshotFormat = PImageFileFormat::Jpg;
    bool m_screenshotRequested = false;
    std::string m_screenshotPath;
    PViewport m_viewport;
    PDeviceCaps m_caps;
    std::thread::id m_ownerThread;
};

// Writes the name of a graphics result code and then the context, as two error-log lines.
void LogD3DError(PResult code, const std::string& context);
// The name LogD3DError writes for a code.
std::string D3DErrorName(PResult code);
// One line to debug/drawdebug.txt (emptied at the first line of a run) and the debugger output.
void WriteDrawDebugLine(const std::string& text);
// Closes the draw-debug file; the next line starts it afresh.
void CloseDrawDebugFile();
// A line drawn as a turned quad of the given width, appended to the shared batch.
void BatchLineSprite(uint32_t colour, float x1, float y1, float x2, float y2, float width);
// The same quad drawn at once without a texture.
void DrawLineSprite(uint32_t colour, float x1, float y1, float x2, float y2, float width);
