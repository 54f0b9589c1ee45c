#include "engine/core/GTimer.h"
#include "engine/core/GRandom.h"
#include "platform/core/PClock.h"

#include <gtest/gtest.h>

class GTimerClock : public ::testing::Test
{
protected:
    void SetUp() override { PClock::SetManual(true, 5'000'000'000ull); }
    void TearDown() override
    {
        PClock::SetHighResolutionAvailable(true);
        PClock::SetManual(false);
    }
    static void AdvanceMs(double ms) { PClock::AdvanceManual(static_cast<uint64_t>(ms * 1e6)); }
};

TEST_F(GTimerClock, StepsCapElapsedButNotTotalOrFrameFactor)
{
    struct Case
    {
        bool highResolution;
        float scale;
        double stepMs;
        float elapsed;
        float frameFactor;
        double total;
    };
    const Case cases[] = {
        {true, 1.0f, 100.0, 36.0f, 100.0f / 12.0f, 100.0},
        {true, 2.0f, 24.0, 24.0f, 4.0f, 48.0},
        {true, 0.5f, 12.0, 12.0f, 0.5f, 6.0},
        {false, 1.0f, 100.0, 36.0f, 100.0f / 12.0f, 100.0},
        {false, 2.0f, 24.0, 24.0f, 4.0f, 48.0},
    };
    for (const Case& c : cases)
    {
        PClock::SetHighResolutionAvailable(c.highResolution);
        GTimer t;
        t.Start();
        t.SetTimeScale(c.scale);
        AdvanceMs(c.stepMs);
        t.Update();
        EXPECT_FLOAT_EQ(t.GetElapsed(), c.elapsed);
        EXPECT_FLOAT_EQ(t.GetFrameFactor(), c.frameFactor);
        EXPECT_NEAR(t.m_total, c.total, 1e-3);
    }
}

TEST_F(GTimerClock, TheMillisecondClockWrapIsOneSmallStep)
{
    PClock::SetHighResolutionAvailable(false);
    PClock::SetManual(true, (0xFFFFFFFFull - 4) * 1'000'000ull);
    GTimer t;
    t.Start();
    AdvanceMs(10); // the 32-bit millisecond clock passes zero
    t.Update();
    EXPECT_FLOAT_EQ(t.GetElapsed(), 10.0f);
    EXPECT_NEAR(t.m_total, 10.0, 1e-6);
}

TEST_F(GTimerClock, PauseFreezesEveryTimerAndResumeRunsEveryTimer)
{
    GTimer running;
    running.Start();
    GTimer neverStarted;
    AdvanceMs(10);
    GTimer::PauseAll();
    EXPECT_NEAR(running.m_total, 10.0, 1e-3); // the time up to the pause counts
    EXPECT_TRUE(running.IsStopped());
    AdvanceMs(10000);
    running.Update();
    EXPECT_NEAR(running.m_total, 10.0, 1e-3);
    GTimer::ResumeAll();
    EXPECT_NEAR(running.m_total, 10.0, 1e-3); // ten seconds away add nothing
    EXPECT_FALSE(neverStarted.IsStopped());
    AdvanceMs(5);
    running.Update();
    neverStarted.Update();
    EXPECT_NEAR(running.m_total, 15.0, 1e-3);
    EXPECT_NEAR(neverStarted.m_total, 5.0, 1e-3);
}

TEST_F(GTimerClock, TimersJoinAndLeaveTheList)
{
    int before = GTimer::Count();
    {
        GTimer a;
        GTimer b(a);
        GTimer c;
        c = a;
        EXPECT_EQ(GTimer::Count(), before + 3);
    }
    EXPECT_EQ(GTimer::Count(), before);
}

TEST(GRandom, TablesRepeatEvery1000DrawsAndStayInRange)
{
    GRandom::Release();
    EXPECT_FALSE(GRandom::IsReady());
    EXPECT_EQ(GRandom::NextFloat(), 0.0f); // before Init: logged, never a table read
    EXPECT_EQ(GRandom::NextFloat2(), 0.0f);
    GRandom::Init();
    float first = GRandom::NextFloat();
    float first2 = GRandom::NextFloat2();
    bool allSame = true;
    for (int i = 1; i < GRandom::TABLE_SIZE; ++i)
    {
        float v = GRandom::NextFloat();
        EXPECT_GE(v, 0.0f);
        EXPECT_LT(v, 1.0f);
        allSame = allSame && v == first;
    }
    EXPECT_FALSE(allSame);
    EXPECT_EQ(GRandom::NextFloat(), first); // the 1001st draw
    // The second table keeps its own read position.
    for (int i = 1; i < GRandom::TABLE_SIZE; ++i)
        GRandom::NextFloat2();
    EXPECT_EQ(GRandom::NextFloat2(), first2);
}
