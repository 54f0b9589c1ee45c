// fuzz-links: fv_save
// fuzz-max-len: 65536
// fuzz-flags: -entropic=0 -reload=0 -close_fd_mask=2
// Savegames are files players keep, copy and edit: any bytes read as a savegame must load or be
// refused without a crash. This target only loads, so that its seconds go to the reader: running
// and saving a loaded game is fuzz_savegame_run's. The seeds are real saves: a new game, and a
// factory with objects waiting at its outlets, sales on its books and a bought zone, whose
// stations have used up what they had stored (a load's cost follows the objects; the busy
// factory a day in is fuzz_savegame_run's). The length limit stays a little above the largest
// seed: longer inputs bring no section the seeds lack, only more of the same to read, and so
// fewer inputs a second. A save reaches tens of thousands of features; weighing each of them for
// rarity after every input took the fuzzer more time than the load itself, so inputs are chosen
// without that weighing. One process owns its corpus folder, so it is not read back every
// second, and the game's log lines for each damaged input go nowhere (the fuzzer's and the
// sanitizers' own reports still do).
#include "FuzzSavegame.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzsave::Load(data, size);
    fuzzsave::TearDown();
    return 0;
}
