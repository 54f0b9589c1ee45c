// Helpers of the savegame tests: a world with the game's own data, a hand-driven clock and a
// scratch savegame folder; a presentation that forwards the autosave hooks as the screens will
// and records what the savegames asked of it; and the player's moves, made through the
// simulation's own placement operations.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "sim/SIM_PresentationListener.h"

class SIM_FacilitySlot;
class SIM_ProductionSlot;
class SIM_SupplyStockpile;
class SIM_Tile;

namespace savetest
{
// Forwards the autosave hooks to the savegame writer and records the stages and load calls.
class SaveTestListener : public SIM_PresentationListener
{
public:
    void ShowLoadingStage(const char* textKey, float progress) override;
    void RestartAutosaveTimer() override;
    void CheckAutosave() override;
    void PrepareForLoad() override { ++prepareForLoad; }
    bool IsAutosaveBlocked() override { return autosaveBlocked; }
    void StartAmbience() override { ++ambience; }
    void UpdateCashText() override { ++cashText; }
    void ShowGameOver() override { ++gameOver; }
    void SyncSpeedButtons() override { ++speedSyncs; }
    void SpawnSlotPlaceParticles(SIM_Tile*) override { ++sparkles; }
    void PlayEffectSound(const char* name) override { sounds.push_back(name); }
    void ShowErrorBox(const std::string& text) override { errorBoxes.push_back(text); }

    std::vector<std::string> stages;
    int prepareForLoad = 0;
    int ambience = 0;
    int cashText = 0;
    int gameOver = 0;
    int speedSyncs = 0;
    int sparkles = 0;
    std::vector<std::string> sounds;
    std::vector<std::string> errorBoxes;
    bool autosaveBlocked = false;
};

// The world of one test: data, clock, worker threads, a scratch savegame folder (with the debug
// and error logs in its "debug" folder, unless a test has opened them elsewhere) and the listener.
class SaveWorld
{
public:
    SaveWorld();
    ~SaveWorld();
    SaveWorld(const SaveWorld&) = delete;
    SaveWorld& operator=(const SaveWorld&) = delete;

    // A new game on a shipped mission; false when it could not be started.
    bool StartGame(const char* mission = "m01_first_factory");

    SIM_Tile* Tile(int x, int y) const;
    // The player's moves, paid as the tools pay.
    SIM_ProductionSlot* Place(const char* task, int x, int y, int facing = 1);
    SIM_FacilitySlot* PlaceFacility(const char* task, int x, int y, int facing = 1);
    bool LayConveyor(int x, int y, int facing = 1);
    // An import bay on a site: its importer slot, its bay and its conveyor piece.
    SIM_ProductionSlot* PlaceImportBay(int x, int y);

    // The whole factory of the scripted game on the first mission: an import bay, overhead
    // conveyors to every stockpile, the assembly line from chassis to paint, the car export, a
    // power plant and a research office researching. False when something could not be placed.
    bool BuildAssemblyLine();
    // Beside the line: an axle shop and a wheel shop whose output stockpiles the line draws from,
    // and a supply stockpile keeping steel, all on conveyors from the bay. The supply stockpile,
    // or null when something could not be placed.
    SIM_SupplyStockpile* BuildPartShopsAndSupply();

    // Frames of 16 ms; whole game hours (new designs named and priced at their value, as the
    // player would in the new-design dialog).
    void Frames(int count);
    void PlayHours(int hours);

    std::string SavePath(const std::string& name) const;
    std::string ReadSave(const std::string& name) const;
    void WriteSave(const std::string& name, const std::string& text) const;
    const std::filesystem::path& Folder() const { return m_folder; }
    std::string DebugLog() const;
    std::string ErrorLog() const;

    SaveTestListener listener;

private:
    std::filesystem::path m_folder;
    bool m_ownsLogs = false;
};

// The heap as the address sanitizer counts it: the most bytes held at once since StartPeak,
// beyond what was held then. Not available (and always 0) in a build without the sanitizer.
class HeapMeter
{
public:
    static bool Available();
    static void StartPeak();
    static long long PeakSinceStart();
    // Bytes held now beyond what was held at StartPeak (negative when fewer).
    static long long HeldSinceStart();
};

// The savegame text without its date line, which differs between two saves of the same game.
std::string WithoutDate(const std::string& text);
} // namespace savetest
