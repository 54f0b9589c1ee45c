// Random floats in [0, 1) for effects and small chances: two tables of 1000 values made once
// at start-up and read round and round (the sequence repeats every 1000 draws).
#pragma once

class GRandom
{
public:
    static constexpr int TABLE_SIZE = 1000;

    // Seeds the 15-bit generator from the millisecond clock and fills both tables.
    static void Init();
    // The next value of the first table. Before Init: logs "Random not ready" and returns 0.
    static float NextFloat();
    // The next value of the second table, with its own read position.
    static float NextFloat2();
    static bool IsReady();
    // Frees the tables (Init makes them again).
    static void Release();
};
