// fuzz-links: fv_save
// fuzz-max-len: 400000
// Savegames are files players keep, copy and edit: any bytes read as a savegame must load or be
// refused without a crash, the game that results must run for a few frames, and writing it again
// must work. The seeds are real saves, from a new game to a busy factory with objects waiting at
// its outlets, sales on its books and a bought zone.
#include "engine/core/GRandom.h"
#include "platform/core/PClock.h"
#include "save/SIM_LoadGame.h"
#include "save/SIM_SaveGame.h"
#include "sim/SIM_Game.h"
#include "sim/SIM_Presentation.h"
#include "sim/definitions/SIM_SimConfig.h"
#include "tests/support/FreshState.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool ready = [] {
        setenv("FERROVANE_HEADLESS", "1", 1);
        // A hand-driven clock keeps every run of an input the same.
        PClock::SetManual(true, 1000000000ull);
        GRandom::Init();
        SIM_SimConfig::UseFile(SIM_SimConfig::DEFAULT_FILE);
        // The definitions are the shipped ones for every input: read by the first load only, not
        // per input, which would spend most of the run on the task files.
        SIM_LoadGame::Instance().SetDefinitions(SIM_Game::Definitions::Kept);
        return true;
    }();
    (void)ready;

    // A file without its closing root tag is refused before anything is read; closing every
    // input lets the fuzzer reach the sections instead.
    std::string text(reinterpret_cast<const char*>(data), size);
    text += "\n</xml>\n";
    SIM_LoadGame::Instance().LoadFromText(std::move(text), "fuzz");
    SIM_Game& game = SIM_Game::Instance();
    if (game.GetFactory())
    {
        for (int frame = 0; frame < 5; ++frame)
        {
            PClock::AdvanceManual(16000000ull);
            game.Update();
            SIM_Presentation::Instance().ApplyPosted();
        }
        SIM_SaveGame::Instance().BuildSaveText();
    }
    // Every input starts from the main menu: ending the game frees all it made (bays, designs and
    // stock included), so the fuzzer has no cause to look for a leak after it.
    FreshState::EndGame();
    return 0;
}
