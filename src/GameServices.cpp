// Start-up, frame and shutdown services of the game, section by section.
#include "GameServices.h"

#include "Game.h"
#include "gui/toolkit/charts/PieChartColours.h"
#include "gui/toolkit/effects/GUI_AnimationCompressor.h"
#include "gui/toolkit/effects/GUI_ParticleConfig.h"
#include "gui/toolkit/effects/GUI_ParticleEmmiter.h"
#include "gui/toolkit/effects/GUI_PostProcessor.h"
#include "gui/toolkit/effects/GUI_TextureCache.h"

void GameServices::InstallForGame()
{
    static GameServices services;
    GGameServices::Install(&services);
}

// --- effects ---

void GameServices::InitTextureCache()
{
    const Game& game = Game::Instance();
    GUI_TextureCache::CreateRenderTargets(game.GetRenderTargetWidth(), game.GetRenderTargetHeight());
    GUI_TextureCache::Init();
}

void GameServices::InitPostProcessor()
{
    const Game& game = Game::Instance();
    GUI_PostProcessor::Init(static_cast<int>(game.GetScreenWidth()), static_cast<int>(game.GetScreenHeight()),
                            game.GetRenderTargetWidth(), game.GetRenderTargetHeight());
}

void GameServices::CompileAnimations()
{
    ::CompileAnimations();
}

void GameServices::InitPieChartColours()
{
    ::InitPieChartColours();
}

void GameServices::ClearParticleEmitters()
{
    ::ClearParticleEmitters();
}

void GameServices::ClearParticleConfigs()
{
    ::ClearParticleConfigs();
}

void GameServices::LoadParticleConfigs()
{
    ::LoadParticleConfigs();
}
