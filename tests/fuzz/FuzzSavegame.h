// What the two savegame fuzz targets share: the game set up once per process with the shipped
// definitions, each input loaded as a savegame, and the game taken down again after it.
#pragma once

#include "engine/core/GRandom.h"
#include "platform/core/PClock.h"
#include "save/SIM_LoadGame.h"
#include "sim/SIM_Game.h"
#include "sim/definitions/SIM_SimConfig.h"
#include "tests/support/FreshState.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

namespace fuzzsave
{
inline void SetUpOnce()
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
}

// The input read as a savegame; true when a game runs afterwards.
inline bool Load(const uint8_t* data, size_t size)
{
    SetUpOnce();
    // A file without its closing root tag is refused before anything is read; closing every
    // input lets the fuzzer reach the sections instead.
    // Made at its full length at once: growing a copy of a large save doubles what each input
    // writes to fresh memory.
    constexpr std::string_view kClosing = "\n</xml>\n";
    std::string text;
    text.reserve(size + kClosing.size());
    text.append(reinterpret_cast<const char*>(data), size);
    text += kClosing;
    SIM_LoadGame::Instance().LoadFromText(std::move(text), "fuzz");
    return SIM_Game::Instance().GetFactory() != nullptr;
}

// Every input starts from the main menu: ending the game frees all it made (bays, designs and
// stock included), so the fuzzer has no cause to look for a leak after it.
inline void TearDown()
{
    FreshState::EndGame();
}
} // namespace fuzzsave
