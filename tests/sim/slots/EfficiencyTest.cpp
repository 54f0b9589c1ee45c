// The efficiency history: when samples are taken, how they age and what a reset keeps.
#include "sim/SIM_Game.h"
#include "sim/definitions/SIM_ProductionTask.h"
#include "sim/slots/SIM_Efficiency.h"
#include "sim/slots/SIM_PlaceableSlot.h"
#include "sim/slots/SlotQueries.h"
#include "sim/views/SIM_SlotView.h"

#include "tests/sim/MoneyTestListener.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
class EfficiencyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SIM_Game::Instance().SetGameTime(0.0f);
        eff() = SIM_Efficiency();
        eff().Reset(0.0f);
    }
    void TearDown() override { SIM_Game::Instance().SetGameTime(0.0f); }
    static SIM_Efficiency& eff() { return SIM_Efficiency::Instance(); }
    // Runs the per-frame check at the given running game time.
    static void FrameAt(float time)
    {
        SIM_Game::Instance().SetGameTime(time);
        eff().Update(time);
    }
    MoneyTestListener screens;
};

TEST_F(EfficiencyTest, SamplesOnlyWhenMoreThanTheIntervalHasPassed)
{
    const struct
    {
        float time;
        bool sampled;
    } frames[] = {
        {5000.0f, false}, {10000.0f, false}, {10000.5f, true}, {20000.0f, false}, {20001.0f, true},
    };
    int samples = 0;
    for (const auto& f : frames)
    {
        FrameAt(f.time);
        if (f.sampled)
            ++samples;
        EXPECT_EQ(screens.efficiency.load(), samples) << f.time;
        EXPECT_EQ(eff().samples[0].valid, samples > 0 ? 1 : 0) << f.time;
    }
    EXPECT_FLOAT_EQ(eff().samples[0].time, 20001.0f);
    EXPECT_FLOAT_EQ(eff().samples[1].time, 10000.5f);
    EXPECT_FLOAT_EQ(eff().lastSampleTime, 20001.0f);
}

TEST_F(EfficiencyTest, NoCountedSlotsGiveAValidSampleOfZeroShares)
{
    for (float& s : eff().samples[0].shares)
        s = 0.7f;
    FrameAt(10001.0f);
    const auto& s = eff().samples[0];
    EXPECT_EQ(s.valid, 1);
    for (float share : s.shares)
        EXPECT_FLOAT_EQ(share, 0.0f);
}

TEST_F(EfficiencyTest, OldestSampleFallsOffAfterTheLast)
{
    for (int i = 1; i <= SIM_Efficiency::NUM_SAMPLES + 1; ++i)
        FrameAt(10001.0f * i);
    // 257 samples: the first is gone and the last place holds the second.
    EXPECT_FLOAT_EQ(eff().samples[SIM_Efficiency::NUM_SAMPLES - 1].time, 10001.0f * 2);
    EXPECT_FLOAT_EQ(eff().samples[0].time, 10001.0f * (SIM_Efficiency::NUM_SAMPLES + 1));
    for (const auto& s : eff().samples)
        EXPECT_EQ(s.valid, 1);
}

TEST_F(EfficiencyTest, ResetInvalidatesButKeepsOldValuesUntilOverwritten)
{
    FrameAt(10001.0f);
    FrameAt(20002.0f);
    SIM_Game::Instance().SetGameTime(50000.0f);
    eff().Reset(50000.0f);
    EXPECT_FLOAT_EQ(eff().lastSampleTime, 50000.0f);
    for (const auto& s : eff().samples)
        EXPECT_EQ(s.valid, 0);
    EXPECT_FLOAT_EQ(eff().samples[0].time, 20002.0f);
    EXPECT_FLOAT_EQ(eff().samples[1].time, 10001.0f);
    FrameAt(60000.0f); // only 10000 since the reset
    EXPECT_EQ(eff().samples[0].valid, 0);
}

// A slot view that may or may not hold its main tile yet.
class EfficiencyTestView : public SIM_SlotView
{
public:
    explicit EfficiencyTestView(bool placed) : m_placed(placed) {}
    bool HasMainTile() const override { return m_placed; }

private:
    bool m_placed;
};

// A placed slot of a chosen kind, on the list of all slots until the test ends.
class EfficiencyTestSlot : public SIM_PlaceableSlot
{
public:
    EfficiencyTestSlot(bool facility, SIM_BaseTask* task, SIM_SlotView* view) : m_view(view)
    {
        m_facilityFlag = facility ? 1 : 0;
        m_task = task;
        SetClock(SIM_Game::Instance().Clock());
    }
    SIM_SlotView* GetGuiSlot() const override { return m_view; }

    static EfficiencyTestSlot& Place(bool facility, SIM_BaseTask* task, SIM_SlotView* view)
    {
        return static_cast<EfficiencyTestSlot&>(
            *SlotQueries::Instance().Adopt(std::make_unique<EfficiencyTestSlot>(facility, task, view)));
    }
    static void RemoveAll()
    {
        while (!SlotQueries::Instance().GetAllSlots().empty())
            SlotQueries::Instance().Destroy(SlotQueries::Instance().GetAllSlots().front());
    }

private:
    SIM_SlotView* m_view;
};

TEST_F(EfficiencyTest, SampleAveragesTheProductionSlotsStateShares)
{
    SIM_ProductionTask station;
    SIM_ProductionTask conveyor;
    conveyor.m_isConveyor = true;
    EfficiencyTestView placed(true), beingPlaced(false);
    EfficiencyTestSlot& a = EfficiencyTestSlot::Place(false, &station, nullptr); // no view at all: counts
    EfficiencyTestSlot& b = EfficiencyTestSlot::Place(false, &station, nullptr);
    EfficiencyTestSlot& c = EfficiencyTestSlot::Place(false, &station, &placed);      // placed view: counts
    EfficiencyTestSlot& facility = EfficiencyTestSlot::Place(true, nullptr, nullptr); // never counts
    EfficiencyTestSlot& belt = EfficiencyTestSlot::Place(false, &conveyor, nullptr);  // conveyors never count
    EfficiencyTestSlot& ghost = EfficiencyTestSlot::Place(false, &station, &beingPlaced);

    SIM_Game::Instance().SetGameTime(1.0f);
    a.SetState(1);
    b.SetState(1);
    c.SetState(6);
    facility.SetState(3);
    belt.SetState(4);
    ghost.SetState(5);
    SIM_Game::Instance().SetGameTime(5001.0f);
    b.SetState(2);
    FrameAt(10001.0f);

    // Over the last 10000 ms: a all in 1, b half in 1 and half in 2, c all in 6.
    const float expected[SIM_Efficiency::NUM_STATES] = {0.0f, 0.5f, 1.0f / 6.0f, 0.0f, 0.0f, 0.0f, 1.0f / 3.0f};
    for (int s = 0; s < SIM_Efficiency::NUM_STATES; ++s)
        EXPECT_NEAR(eff().samples[0].shares[s], expected[s], 1e-3f) << "state " << s;
    EXPECT_EQ(eff().samples[0].valid, 1);
    EfficiencyTestSlot::RemoveAll();
}

TEST(EfficiencyFresh, NewHistoryHasNoSamples)
{
    SIM_Efficiency fresh;
    EXPECT_FLOAT_EQ(fresh.lastSampleTime, 0.0f);
    for (const auto& s : fresh.samples)
    {
        EXPECT_EQ(s.valid, 0);
        EXPECT_FLOAT_EQ(s.time, -1.0f);
    }
}
} // namespace
