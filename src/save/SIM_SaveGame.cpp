// The save procedure and the autosave.
#include "save/SIM_SaveGame.h"

#include "engine/core/GDebugLog.h"
#include "engine/core/GLifetime.h"
#include "engine/core/GOptions.h"
#include "save/GameSection.h"
#include "save/HeaderSection.h"
#include "save/SaveFileOps.h"
#include "save/SaveFolder.h"
#include "save/SaveSection.h"
#include "save/SaveWriter.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_Presentation.h"

SIM_SaveGame& SIM_SaveGame::Instance()
{
    return GLifetime::Get<SIM_SaveGame>();
}

std::string SIM_SaveGame::BuildSaveText()
{
    SIM_PresentationListener& listener = SIM_Presentation::Instance().Listener();
    SaveWriter out;
    out.Open("xml");
    HeaderSection::Write(out, m_version, m_clock ? m_clock() : SaveDate::Now());
    GameSection::Write(out);
    for (const SaveSection& section : SaveSection::All())
    {
        if (section.saveStage)
            listener.ShowLoadingStage(section.saveStage, section.saveFraction);
        section.write(out);
    }
    out.Close("xml");
    return out.TakeOutput();
}

bool SIM_SaveGame::SaveGame(const std::string& name)
{
    GDebugLog::Instance().Log("Saving game: [" + name + "]");
    if (!SIM_Game::Instance().GetFactory())
    {
        GDebugLog::Instance().LogError("Save game refused: no game is running");
        return false;
    }
    const std::string text = BuildSaveText();
    const std::string path = SaveFolder::PathFor(name);
    std::string reason;
    std::string cause;
    SaveFileOps& ops = m_ops ? *m_ops : SaveFileOps::Default();
    if (!ops.WriteAtomically(path, text, reason, cause))
    {
        // The previous save stays as it was; the player is told why (on a full disk the logs may
        // not be written at all), and nothing says "complete".
        GDebugLog::Instance().LogError("Save game failed: " + path + ": " + reason);
        FV_ERROR_BOX("Failed to write save game file: " + cause);
        return false;
    }
    SIM_Presentation::Instance().Listener().ShowLoadingStage("LS_SAVING_COMPLETE", 0.95f);
    GDebugLog::Instance().Log("Game Save complete");
    return true;
}

bool SIM_SaveGame::QuickSave()
{
    return SaveGame(SaveFolder::kQuickSaveName);
}

void SIM_SaveGame::CheckAutosave()
{
    // A missing option reads as off, without a trace line every frame.
    const GOptionFloat* option = GOptions::Instance().FindFloat("OPT_AUTOSAVE");
    if (!option || !(option->value > 0.0f))
    {
        // Time with the option off does not count: switched on, the first autosave is a full
        // interval away, not due at once.
        m_autosaveTimer.Start();
        return;
    }
    m_autosaveTimer.Update();
    if (!(m_autosaveTimer.m_total > kAutosaveIntervalMs))
        return;
    if (!SIM_Game::Instance().GetFactory() || SIM_Presentation::Instance().Listener().IsAutosaveBlocked())
        return;
    SaveGame(SaveFolder::kQuickSaveName);
    // Also after a failed save: the next attempt follows after the full interval, not every frame.
    RestartAutosaveTimer();
}

void SIM_SaveGame::RestartAutosaveTimer()
{
    m_autosaveTimer.Start();
}
