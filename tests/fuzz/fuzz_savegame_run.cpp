// fuzz-links: fv_save
// fuzz-max-len: 120000
// fuzz-flags: -entropic=0 -reload=0 -close_fd_mask=2
// fuzz-corpus: savegame savegame_run
// The game a damaged savegame leaves must run for a few frames, and writing it again must work.
// Loading alone is fuzz_savegame's, which gets through many more inputs in the same time; this
// one starts from the same seeds and from a busy factory a day in.
#include "FuzzSavegame.h"

#include "save/SIM_SaveGame.h"
#include "sim/SIM_Presentation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (fuzzsave::Load(data, size))
    {
        for (int frame = 0; frame < 5; ++frame)
        {
            PClock::AdvanceManual(16000000ull);
            SIM_Game::Instance().Update();
            SIM_Presentation::Instance().ApplyPosted();
        }
        SIM_SaveGame::Instance().BuildSaveText();
    }
    fuzzsave::TearDown();
    return 0;
}
