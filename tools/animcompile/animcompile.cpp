// fv_animcompile [--rebuild] [root]: compiles every data/animations/*.txt under root (default: the
// current folder) that has no ".anim" yet into data/animations/<file>.txt.anim and the sprite sheet
// data/bitmaps/animations/<name>.dds, exactly as the game does at start-up. --rebuild first removes
// the existing descriptions, so changed frames are compiled again. Needs a display; on a machine
// without one run it under xvfb-run. Exits 1 when an animation could not be compiled.
#include "engine/GD3DDevice.h"
#include "engine/GScreenSize.h"
#include "engine/GTextureManager.h"
#include "engine/core/GDebugLog.h"
#include "engine/core/GFileList.h"
#include "gui/toolkit/effects/GUI_AnimationCompressor.h"
#include "gui/toolkit/effects/GUI_PostProcessor.h"
#include "gui/toolkit/effects/GUI_TextureCache.h"
#include "platform/video/PGraphics.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace
{
constexpr int kToolSize = 64;

bool OpenToolDevice()
{
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return false;
    SDL_Window* window =
        SDL_CreateWindow("animcompile", 0, 0, kToolSize, kToolSize, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window)
        return false;
    PGraphics::SetGameWindow(window);
    GScreenSize::Set(kToolSize, kToolSize);
    return GD3DDevice::Instance().Init(kToolSize, kToolSize, true);
}

const char* ResultText(GUI_AnimationCompressor::Result result)
{
    switch (result)
    {
    case GUI_AnimationCompressor::Result::Skipped:
        return "already compiled";
    case GUI_AnimationCompressor::Result::Compiled:
        return "compiled";
    case GUI_AnimationCompressor::Result::Refused:
        return "NOT COMPILED";
    }
    return "";
}
} // namespace

int main(int argc, char** argv)
{
    bool rebuild = false;
    std::string root = ".";
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        if (arg == "--rebuild")
            rebuild = true;
        else if (arg == "--help" || arg == "-h")
        {
            std::cout << "usage: fv_animcompile [--rebuild] [root]\n";
            return 0;
        }
        else
            root = arg;
    }
    std::error_code ec;
    std::filesystem::current_path(root, ec);
    if (ec)
    {
        std::cerr << "cannot enter " << root << "\n";
        return 2;
    }
    const std::filesystem::path logs = std::filesystem::temp_directory_path() / "fv_animcompile_logs";
    std::filesystem::create_directories(logs, ec);
    GDebugLog::Instance().Open(logs.string());
    if (!OpenToolDevice())
    {
        std::cerr << "no display or no OpenGL 3.3 device (run under xvfb-run)\n";
        return 2;
    }
    // The same set-up the game makes before it compiles at start-up.
    GTextureManager::Instance().AddFolder("data/bitmaps");
    GD3DDevice::Instance().CreateRenderTarget("rt_car_sprite_cache", kToolSize, kToolSize, PFormat::A8R8G8B8);
    GUI_TextureCache::CreateRenderTargets(kToolSize, kToolSize);
    GUI_TextureCache::Init();
    GUI_PostProcessor::Init(kToolSize, kToolSize, kToolSize, kToolSize);

    GFileList sources;
    sources.Find("data/animations/*.txt");
    int refused = 0;
    GUI_AnimationCompressor compressor;
    for (const std::string& path : sources.GetFiles())
    {
        if (rebuild)
            std::filesystem::remove(path + ".anim", ec);
        const GUI_AnimationCompressor::Result result = compressor.CompileAnimation(path);
        std::cout << path << ": " << ResultText(result);
        if (result == GUI_AnimationCompressor::Result::Compiled)
            std::cout << ", " << compressor.GetFrameRecords().size() << " frames, " << compressor.GetStoredCellCount()
                      << " stored cells on a " << compressor.GetSheetWidth() << " x " << compressor.GetSheetHeight()
                      << " sheet";
        std::cout << "\n";
        refused += result == GUI_AnimationCompressor::Result::Refused;
    }
    GDebugLog::Instance().Close();
    std::ifstream errors(logs / "debug" / "errors.txt");
    std::string line;
    while (std::getline(errors, line))
        std::cerr << line << "\n";
    std::filesystem::remove_all(logs, ec);
    GD3DDevice::Instance().Release();
    SDL_Quit();
    return refused ? 1 : 0;
}
