// Game and zones sections.
#include "save/GameSection.h"

#include <climits>

#include "save/SaveCommaList.h"
#include "save/SaveReader.h"
#include "save/SaveText.h"
#include "save/SaveWriter.h"
#include "sim/SIM_Game.h"
#include "sim/world/SIM_BuildingZone.h"
#include "sim/world/SIM_Mission.h"

void GameSection::Write(SaveWriter& out)
{
    const SIM_Game& game = SIM_Game::Instance();
    out.Open("game");
    out.Int("hour", game.GetCurrentHour());
    // Whole milliseconds; a clock past the int range (about 25 days of game time) stays at its end.
    out.Int("gametime", savetext::TruncateToInt(game.GetGameTime()));
    out.Text("mission", game.GetMission() ? game.GetMission()->m_name : std::string());
    out.Close("game");
}

bool GameSection::Read(SaveReader& in, Values& values)
{
    if (!in.NextTagIs("game"))
        return false;
    in.FindTag("game");
    values.hour = in.PlayedInt("hour", 0, kMaxHour);
    values.gameTime = in.PlayedInt("gametime", 0, INT_MAX);
    values.mission = in.Name("mission");
    return in.FindClosing("game");
}

void GameSection::Apply(const Values& values)
{
    SIM_Game& game = SIM_Game::Instance();
    game.SetCurrentHour(values.hour);
    game.SetGameTime(static_cast<float>(values.gameTime));
}

void GameSection::WriteZones(SaveWriter& out)
{
    std::string names;
    if (const SIM_Mission* mission = SIM_Game::Instance().GetMission())
        for (const auto& zone : mission->m_zones)
            if (zone && zone->m_state == SIM_BuildingZone::STATE_UNLOCKED && !zone->m_guiName.empty())
                out.AppendName(names, zone->m_guiName);
    out.Open("zones");
    out.List("unlocked", names);
    out.Close("zones");
}

void GameSection::ReadZones(SaveReader& in)
{
    in.FindTag("zones");
    SIM_Mission* mission = SIM_Game::Instance().GetMission();
    SaveCommaList items(in.Value("unlocked"));
    while (mission && items.HasNext())
    {
        const std::string& name = in.NextName(items, "zone");
        if (name.empty())
            continue;
        // The first zone of the name is opened: its tiles become usable, nothing is paid. A zone
        // already open (by the mission, or named before) is not walked again: unlocking it changes
        // nothing, and a list naming it a million times would hold the load for a minute.
        if (SIM_BuildingZone* zone = mission->GetZoneByName(name))
        {
            if (zone->m_state != SIM_BuildingZone::STATE_UNLOCKED)
                zone->Unlock(SIM_Game::Instance().GetFactory(), true);
        }
        else
            in.LogDropped("Save game: the mission has no zone named " + savetext::Quote(name));
    }
    in.FindClosing("zones");
}
