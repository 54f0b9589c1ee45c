// The slot state history: recording changes, giving up when full, and the share of time per state.
#include <gtest/gtest.h>

#include "sim/slots/SIM_SlotStateHistory.h"
#include "sim/slots/SlotState.h"

#include <algorithm>
#include <random>

namespace
{
int ValidEntries(const SIM_SlotStateHistory& history)
{
    int count = 0;
    for (int i = 0; i < SIM_SlotStateHistory::kEntryCount; ++i)
        count += history.GetEntry(i).valid ? 1 : 0;
    return count;
}
} // namespace

TEST(SlotStateHistory, FirstChangeOpensEntryZeroWithoutClosingAnything)
{
    SIM_SlotStateHistory history;
    EXPECT_EQ(history.GetCurrentIndex(), -1);
    history.Record(RUNNING, 100.0f);
    EXPECT_EQ(history.GetCurrentIndex(), 0);
    EXPECT_EQ(history.GetEntry(0).state, RUNNING);
    EXPECT_FLOAT_EQ(history.GetEntry(0).start, 100.0f);
    EXPECT_FLOAT_EQ(history.GetEntry(0).end, -1.0f);
    history.Record(INSUFFICIENT_RESOURCES, 400.0f);
    EXPECT_FLOAT_EQ(history.GetEntry(0).end, 400.0f);
    EXPECT_EQ(history.GetCurrentIndex(), 1);
}

TEST(SlotStateHistory, FullTableGivesUpWithoutReopeningTheClosedEntry)
{
    SIM_SlotStateHistory history;
    for (int i = 0; i < SIM_SlotStateHistory::kEntryCount; ++i)
        history.Record(i % 2 ? RUNNING : INSUFFICIENT_RESOURCES, static_cast<float>(i));
    EXPECT_EQ(ValidEntries(history), 128);

    // The 129th change within 30 s: nothing can be pruned, nothing is recorded, and nothing is
    // left open that a later change could rewrite.
    history.Record(NO_EXPORT_ROOM, 200.0f);
    EXPECT_EQ(history.GetCurrentIndex(), -1);
    EXPECT_FLOAT_EQ(history.GetEntry(127).end, 200.0f);
    history.Record(RUNNING, 300.0f);
    EXPECT_FLOAT_EQ(history.GetEntry(127).end, 200.0f) << "a closed entry was rewritten";
    for (int s = 0; s < NUM_SLOT_STATES; ++s)
    {
        const float share = history.GetStateFraction(s, 10000.0f, 300.0f);
        EXPECT_GE(share, 0.0f);
        EXPECT_LE(share, 1.0f);
    }
}

TEST(SlotStateHistory, LaterChangeReusesLowestEntryThatEndedLongAgo)
{
    SIM_SlotStateHistory history;
    for (int i = 0; i < SIM_SlotStateHistory::kEntryCount; ++i)
        history.Record(i % 2 ? RUNNING : INSUFFICIENT_RESOURCES, static_cast<float>(i) * 10.0f);
    // Entry 0 ended at 10 ms; exactly 30000 ms later it is still kept, a moment later it is not.
    history.Record(NO_EXPORT_ROOM, 30010.0f);
    EXPECT_EQ(history.GetCurrentIndex(), -1);
    history.Record(NO_EXPORT_ROOM, 30011.0f);
    EXPECT_EQ(history.GetCurrentIndex(), 0);
    EXPECT_EQ(history.GetEntry(0).state, NO_EXPORT_ROOM);
}

TEST(SlotStateHistory, StateFractionCases)
{
    struct Case
    {
        const char* name;
        std::vector<std::pair<int, float>> changes; // state, time
        int state;
        float window;
        float now;
        float expected;
    };
    const Case cases[] = {
        {"no entries", {}, RUNNING, 10000.0f, 5000.0f, 0.0f},
        {"open entry counts up to now", {{RUNNING, 0.0f}}, RUNNING, 10000.0f, 5000.0f, 1.0f},
        {"half and half", {{RUNNING, 0.0f}, {INSUFFICIENT_VEHICLE, 500.0f}}, RUNNING, 10000.0f, 1000.0f, 0.5f},
        {"start clipped to the window", {{RUNNING, 0.0f}, {NO_EXPORT_ROOM, 9000.0f}}, RUNNING, 2000.0f, 10000.0f, 0.5f},
        {"entry ended before the window is left out",
         {{RUNNING, 0.0f}, {NO_EXPORT_ROOM, 100.0f}},
         RUNNING,
         1000.0f,
         5000.0f,
         0.0f},
        {"other state", {{RUNNING, 0.0f}, {NO_EXPORT_ROOM, 250.0f}}, NO_EXPORT_ROOM, 10000.0f, 1000.0f, 0.75f},
    };
    for (const Case& c : cases)
    {
        SIM_SlotStateHistory history;
        for (const auto& change : c.changes)
            history.Record(change.first, change.second);
        EXPECT_NEAR(history.GetStateFraction(c.state, c.window, c.now), c.expected, 1e-5f) << c.name;
    }
}

TEST(SlotStateHistory, FindCurrentEntryTakesTheLastOpenEntry)
{
    SIM_SlotStateHistory history;
    history.EditEntry(3) = {0.0f, -1.0f, RUNNING, 1};
    history.EditEntry(7) = {10.0f, -1.0f, NO_EXPORT_ROOM, 1};
    history.EditEntry(9) = {20.0f, 30.0f, RUNNING, 1};
    history.FindCurrentEntry();
    EXPECT_EQ(history.GetCurrentIndex(), 7);
    SIM_SlotStateHistory empty;
    empty.FindCurrentEntry();
    EXPECT_EQ(empty.GetCurrentIndex(), -1);
}

namespace
{
// The share of every state as a walk over the whole history gives it: every valid entry in
// index order, the time inside the window summed per state and in all.
void ShareByWholeWalk(const SIM_SlotStateHistory& history, float window, float now, float shares[7])
{
    const float from = now - window;
    float total = 0.0f;
    float inState[7] = {};
    for (int i = 0; i < SIM_SlotStateHistory::kEntryCount; ++i)
    {
        const SIM_SlotStateHistory::Entry& entry = history.GetEntry(i);
        const bool open = entry.end == -1.0f;
        if (!entry.valid || (!open && entry.end < from))
            continue;
        const float length = (open ? now : entry.end) - (entry.start < from ? from : entry.start);
        if (length <= 0.0f)
            continue;
        total += length;
        if (entry.state >= 0 && entry.state < 7)
            inState[entry.state] += length;
    }
    for (int s = 0; s < 7; ++s)
        shares[s] = total > 0.0f ? std::min(1.0f, inState[s] / total) : 0.0f;
}
} // namespace

// Reading only the entries a window reaches gives, to the last bit, what reading all of them
// gives: over long runs that prune and reuse entries, after a restored history, and when a caller
// records at times that go back.
TEST(SlotStateHistory, SharesFromTheWindowEqualSharesFromTheWholeHistory)
{
    std::mt19937 random(177);
    for (int round = 0; round < 40; ++round)
    {
        SIM_SlotStateHistory history;
        float now = 0.0f;
        for (int change = 0; change < 600; ++change)
        {
            // Mostly forward in time, now and then at the same moment or (round 7) back in time.
            const float step = static_cast<float>(random() % 4000) * (round == 7 && change % 50 == 49 ? -1.0f : 1.0f);
            now += change % 9 == 0 ? 0.0f : step;
            history.Record(static_cast<int>(random() % 7), now);
            if ((round == 5 && change == 300) || change % 97 == 13)
            {
                // A savegame writes the entries back, then finds the current one: before the
                // ring wrapped, after it, and once entries were reused out of order.
                const SIM_SlotStateHistory::Entry kept = history.GetEntry(0);
                history.EditEntry(0) = kept;
                history.FindCurrentEntry();
            }
            const float window = change % 2 ? 10000.0f : 30000.0f;
            const float at = now + static_cast<float>(random() % 3000);
            float expected[7];
            float shares[7];
            ShareByWholeWalk(history, window, at, expected);
            history.GetStateFractions(shares, 7, window, at);
            for (int s = 0; s < 7; ++s)
            {
                ASSERT_EQ(shares[s], expected[s]) << "round " << round << " change " << change << " state " << s;
                ASSERT_EQ(history.GetStateFraction(s, window, at), expected[s]);
            }
        }
    }
}
