// The root of the factory simulation: the game clock and its speed, the mission being played
// and the factory floor. Sets a game up from a mission, steps everything once per drawn frame,
// runs the hourly step and tears the game down again.
#pragma once
#include "engine/core/GTimer.h"
#include "sim/SIM_Clock.h"

#include <memory>

class SIM_Factory;
class SIM_Mission;

class SIM_Game
{
    friend class GLifetime; // the program's owner creates and destroys it

public:
    static constexpr float FRAME_CAP_MS = 16.666666f;

    static SIM_Game& Instance();

    SIM_Game();
    virtual ~SIM_Game();
    SIM_Game(const SIM_Game&) = delete;
    SIM_Game& operator=(const SIM_Game&) = delete;

    // What a new game does with the definitions (props, resources, component types, upgrades,
    // tasks, facilities, global upgrades). Every game the player starts reads them again, so that
    // an edit in the task editor takes effect. Kept leaves them as the last set-up read them and
    // the last game left them (research unlocks included): only for callers that set up many
    // games from unchanged data without playing them, such as the fuzzing of mission files and
    // savegames. The research tree and the features end with each game and are always read.
    enum class Definitions
    {
        Reload,
        Kept,
    };
    // Sets up a new game for the mission. False (nothing built) when there is no mission or its
    // floor size cannot be built.
    bool InitSimulation(SIM_Mission* mission, Definitions definitions = Definitions::Reload);
    // One simulation step per drawn frame; does nothing outside a game.
    void Update();
    // Posts the step's cars and power jobs to the workers; the caller waits for them.
    void PostFrameJobs();
    void UpdateClock();
    void OnNewHour();
    void TogglePause();
    // Chooses a speed directly (0.0 stops the clock); the speed saved by the pause is kept.
    void SetSpeed(float speed);
    // Share of the current game hour that has passed, 0.0 .. 1.0.
    float GetHourProgress() const;
    // Ends the running game and frees what belongs to it.
    void Reset();
    // True while a game is being taken down (its end, and the slots a set-up clears): whatever
    // shows the floor starts no effect for what goes then, however the game ended.
    bool IsEnding() const { return m_ending > 0; }

    int GetCurrentHour() const { return m_clock.currentHour; }
    void SetCurrentHour(int hour) { m_clock.currentHour = hour; }
    float GetGameTime() const { return m_clock.gameTime; }
    void SetGameTime(float time) { m_clock.gameTime = time; }
    float GetFrameTime() const { return m_clock.frameTime; }
    float GetSpeed() const { return m_clock.speed; }
    // The game's one clock, which it hands to the floor and the ledger.
    const SIM_Clock& Clock() const { return m_clock; }
    float GetSavedSpeed() const { return m_savedSpeed; }
    // The windows that hold the game (save, options, research, a new design) stop the clock
    // while they are open. Holds nest: the first keeps the speed as the saved speed, and the
    // speed comes back when the last one is released, however many were open in between.
    void Hold();
    void Release();
    SIM_Mission* GetMission() const { return m_mission; }
    void SetMission(SIM_Mission* mission) { m_mission = mission; }
    SIM_Factory* GetFactory() const { return m_factory.get(); }

    GTimer& HourTimer() { return m_hourTimer; }
    GTimer& FrameTimer() { return m_frameTimer; }

private:
    // Removes every placed slot (set-up and teardown).
    void RemoveAllSlots();
    // The clock of a new game: speed 1, hour 0, timers running, the demand of an empty market.
    void StartClock();

    SIM_Clock m_clock;
    GTimer m_hourTimer;
    GTimer m_frameTimer;
    GTimer m_frameCapTimer;
    std::unique_ptr<SIM_Factory> m_factory; // the floor of the running game
    float m_savedSpeed = 0.0f;
    int m_holds = 0;  // windows holding the game now
    int m_ending = 0; // take-downs under way (a reset's removal of the slots runs inside it)
    SIM_Mission* m_mission = nullptr;
    bool m_definitionsLoaded = false; // a set-up has read the definitions once
};
