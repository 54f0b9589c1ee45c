// Rendering test set-up.
#include "RenderTestSupport.h"

#include "engine/CLoadedTexture.h"
#include "engine/GD3DDevice.h"
#include "engine/GFontManager.h"
#include "engine/GScreenSize.h"
#include "engine/GTextureManager.h"
#include "engine/GUI_ShaderManager.h"
#include "engine/GVertexBuffer.h"
#include "engine/core/GDebugLog.h"
#include "platform/video/PGraphics.h"
#include "platform/video/PImageCodec.h"
#include "platform/video/PRecordingGraphicsSystem.h"
#include "tests/support/FreshState.h"

#include <SDL.h>
#include <dlfcn.h>
#include <link.h>

#include <cstdlib>
#include <sstream>

namespace
{
// Keeps every library loaded now mapped until the process ends. Closing the display unloads the
// GL driver, and the leak checker at exit could then neither read the driver's globals (so what
// they hold looks leaked) nor name its frames (so no suppression matches).
void KeepLoadedLibrariesMapped()
{
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) {
            if (info->dlpi_name && info->dlpi_name[0] != '\0')
                dlopen(info->dlpi_name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}

// After the last test of a program that drew with OpenGL, the program ends as the game does: the
// device goes and the display closes, so the driver joins its worker threads. Left running, they
// would sit in the driver's code while exit runs the libraries' destructors beneath them and the
// leak checker stops them to scan their stacks and thread-local blocks.
class CloseDisplayAfterLastTest : public ::testing::Environment
{
public:
    void TearDown() override
    {
        if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
            return;
        RenderResetAll();
        KeepLoadedLibrariesMapped();
        SDL_Quit();
    }
};
[[maybe_unused]] ::testing::Environment* const g_closeDisplay =
    ::testing::AddGlobalTestEnvironment(new CloseDisplayAfterLastTest);
} // namespace

void RenderResetAll()
{
    FreshState::Forget<GFontManager>();
    GUI_ShaderManager::Instance().ReleaseAll();
    SharedVertexBatch().ReleaseBuffers();
    GD3DDevice::Instance().Release();
    GTextureManager::Instance().DestroyAll();
    // A test's folders (some of its own, some listed from another current folder) would hide
    // the sub-folders another test adds under the same name.
    GTextureManager::Instance().ForgetFolders();
    CLoadedTexture::DeleteAll();
    CloseDrawDebugFile();
    PGraphics::SetSystemFactory(nullptr);
    PGraphics::SetGameWindow(nullptr);
}

void RecordingRenderTest::SetUp()
{
    RenderResetAll();
    GDebugLog::Instance().Open(m_files.Folder());
    m_rec = std::make_shared<PRecordingState>();
    PRecordingGraphicsSystem::Install(m_rec);
    PGraphics::SetGameWindow(reinterpret_cast<PWindowHandle>(static_cast<uintptr_t>(0x1000)));
    GScreenSize::Set(800, 600);
}

void RecordingRenderTest::TearDown()
{
    RenderResetAll();
    GDebugLog::Instance().Close();
}

bool RecordingRenderTest::InitDevice(bool windowed)
{
    return GD3DDevice::Instance().Init(800, 600, windowed);
}

std::string RecordingRenderTest::ErrorLog() const
{
    return EngineTestFiles::ReadAll(m_files.Path("debug/errors.txt"));
}

std::string RecordingRenderTest::DrawDebugLog() const
{
    return EngineTestFiles::ReadAll(m_files.Path("debug/drawdebug.txt"));
}

std::string RecordingRenderTest::DebugLog() const
{
    return EngineTestFiles::ReadAll(m_files.Path("debug/debug.txt"));
}

std::vector<std::string> RecordingRenderTest::ErrorMessages() const
{
    std::vector<std::string> out;
    std::istringstream in(ErrorLog());
    std::string line;
    while (std::getline(in, line))
    {
        const size_t at = line.rfind(" - ");
        out.push_back(at == std::string::npos ? line : line.substr(at + 3));
    }
    return out;
}

void GLRenderTest::SetUp()
{
    RenderResetAll();
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        GTEST_SKIP() << "no display: " << SDL_GetError();
    SDL_Window* window =
        SDL_CreateWindow("render test", 0, 0, ViewWidth(), ViewHeight(), SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window)
        GTEST_SKIP() << "no OpenGL window: " << SDL_GetError();
    m_window = window;
    GDebugLog::Instance().Open(m_files.Folder());
    PGraphics::SetGameWindow(window);
    GScreenSize::Set(ViewWidth(), ViewHeight());
    if (!GD3DDevice::Instance().Init(ViewWidth(), ViewHeight(), true))
        GTEST_SKIP() << "no OpenGL 3.3 device";
    GD3DDevice::Instance().GetDevice()->Clear(0xFF000000u);
}

void GLRenderTest::TearDown()
{
    RenderResetAll();
    if (m_window)
        SDL_DestroyWindow(static_cast<SDL_Window*>(m_window));
    m_window = nullptr;
    GDebugLog::Instance().Close();
}

PImage GLRenderTest::ReadBack()
{
    PImage image;
    GD3DDevice::Instance().GetDevice()->ReadBackBuffer(image);
    return image;
}

uint32_t GLRenderTest::Pixel(const PImage& image, int x, int y)
{
    const PImageLevel& l = image.levels[0];
    const uint8_t* p = &l.rgba[(static_cast<size_t>(y) * l.width + x) * 4];
    return static_cast<uint32_t>(p[3]) << 24 | static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 |
           p[2];
}

void GLRenderTest::CompareWithReference(const PImage& picture, const std::string& path, int tolerance)
{
    if (std::getenv("FV_WRITE_REFERENCES") != nullptr)
    {
        ASSERT_TRUE(PImageCodec::SaveToFile(path, picture, PImageFileFormat::Png)) << path;
        return;
    }
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(PImageCodec::ReadFile(path, bytes)) << path;
    PImage reference;
    ASSERT_TRUE(PImageCodec::Decode(bytes.data(), bytes.size(), reference));
    ASSERT_EQ(reference.Width(), picture.Width());
    ASSERT_EQ(reference.Height(), picture.Height());
    int differing = 0;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
        {
            const uint32_t a = Pixel(picture, x, y), b = Pixel(reference, x, y);
            for (int shift = 0; shift < 24; shift += 8)
                if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
                {
                    ++differing;
                    break;
                }
        }
    EXPECT_LE(differing, picture.Width() * picture.Height() / 200) << path << ": " << differing << " pixels differ";
}
