// Textures named from a worker thread: the device is the main thread's, so a texture that is not
// loaded yet is refused there and stays free for the main thread to load.
#include "engine/CLoadedTexture.h"
#include "engine/GD3DDevice.h"
#include "engine/GTextureManager.h"
#include "engine/core/GDebugLog.h"
#include "platform/video/PGraphics.h"
#include "platform/video/PRecordingGraphicsSystem.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

TEST(TextureThreaded, AWorkerCannotLoadATexture)
{
    char folder[] = "/tmp/fv_texture_thread_XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    GDebugLog::Instance().Open(folder);
    auto rec = std::make_shared<PRecordingState>();
    PRecordingGraphicsSystem::Install(rec);
    PGraphics::SetGameWindow(reinterpret_cast<PWindowHandle>(static_cast<uintptr_t>(0x1000)));
    ASSERT_TRUE(GD3DDevice::Instance().Init(800, 600, true));

    GTextureManager& m = GTextureManager::Instance();
    m.AddFolder("data/bitmaps");
    PTexture* fromWorker = reinterpret_cast<PTexture*>(static_cast<uintptr_t>(1));
    std::thread worker([&] { fromWorker = m.GetTexture("loading_gear.dds"); });
    worker.join();
    EXPECT_EQ(fromWorker, nullptr);
    EXPECT_FALSE(m.IsLoaded("loading_gear.dds"));
    EXPECT_TRUE(rec->Calls("CreateTextureFromImage").empty());
    std::ifstream errors(std::string(folder) + "/debug/errors.txt");
    std::stringstream text;
    text << errors.rdbuf();
    EXPECT_NE(text.str().find("Texture requested off the main thread: loading_gear.dds"), std::string::npos);
    EXPECT_NE(m.GetTexture("loading_gear.dds"), nullptr);

    GD3DDevice::Instance().Release();
    CLoadedTexture::DeleteAll();
    PGraphics::SetSystemFactory(nullptr);
    PGraphics::SetGameWindow(nullptr);
    GDebugLog::Instance().Close();
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}
