#include "platform/core/PClock.h"
#include "platform/core/PCriticalSection.h"
#include "platform/core/PEvent.h"
#include "platform/core/PLocale.h"
#include "platform/core/PMessageBox.h"
#include "platform/core/PRandom.h"
#include "platform/core/PThread.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

TEST(PRandom, FifteenBitSequence)
{
    // The first values of this generator from seed 1, as every formula of the game expects.
    PRandom::Seed(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int value : expected)
        EXPECT_EQ(PRandom::Rand(), value);
    PRandom::Seed(12345);
    for (int i = 0; i < 100000; ++i)
    {
        int v = PRandom::Rand();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, PRandom::MAX);
    }
}

TEST(PClock, MillisecondClockAndCounterAgree)
{
    PClock::SetManual(true, 0xFFFFFFFFull * 1000000ull + 5000000ull);
    EXPECT_EQ(PClock::TimeGetTime(), 4u); // wrapped at 32 bits
    int64_t counter = 0, frequency = 0;
    EXPECT_TRUE(PClock::QueryFrequency(frequency));
    EXPECT_EQ(frequency, 1000000000);
    EXPECT_TRUE(PClock::QueryCounter(counter));
    PClock::AdvanceManual(2000000);
    int64_t later = 0;
    PClock::QueryCounter(later);
    EXPECT_EQ(later - counter, 2000000);
    PClock::SetManual(false);
    uint32_t a = PClock::TimeGetTime();
    PClock::Sleep(5);
    EXPECT_GE(static_cast<uint32_t>(PClock::TimeGetTime() - a), 4u);
    PSystemTime utc = PClock::SystemTimeUtc();
    EXPECT_GE(utc.year, 2024);
    EXPECT_TRUE(utc.month >= 1 && utc.month <= 12);
    EXPECT_TRUE(utc.milliseconds >= 0 && utc.milliseconds < 1000);
}

TEST(PLocale, NumbersStayInTheCLocaleWhateverTheDesktopUses)
{
    // Build a comma-decimal locale in a scratch folder (no root needed), or use an installed one.
    const char* names[] = {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE.utf8"};
    bool set = false;
    for (const char* n : names)
        set = set || setlocale(LC_ALL, n) != nullptr;
    std::string scratch;
    if (!set)
    {
        char tmpl[] = "/tmp/fv_locale_XXXXXX";
        scratch = mkdtemp(tmpl);
        std::string cmd = "localedef -i de_DE -f UTF-8 " + scratch + "/de_DE.UTF-8 >/dev/null 2>&1";
        if (system(cmd.c_str()) == 0)
        {
            setenv("LOCPATH", scratch.c_str(), 1);
            set = setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
        }
    }
    if (!set)
    {
        if (!scratch.empty())
            std::filesystem::remove_all(scratch);
        GTEST_SKIP() << "no comma-decimal locale available";
    }
    char buf[32];
    snprintf(buf, sizeof buf, "%.2f", 0.5);
    EXPECT_STREQ(buf, "0,50"); // the trap this guards against
    EXPECT_FALSE(PLocale::IsC());

    PLocale::ForceC();
    EXPECT_TRUE(PLocale::IsC());
    snprintf(buf, sizeof buf, "%.2f", 1.0 / 3.0);
    EXPECT_STREQ(buf, "0.33");
    EXPECT_DOUBLE_EQ(atof("1.5"), 1.5);
    EXPECT_FLOAT_EQ(strtof("0.25", nullptr), 0.25f);
    unsetenv("LOCPATH");
    if (!scratch.empty())
        std::filesystem::remove_all(scratch);
}

TEST(PEvent, ASignalWithNoWaiterStaysUntilTaken)
{
    PEvent e;
    EXPECT_FALSE(e.Wait(0));
    e.Signal();
    e.Signal(); // latched, not counted
    EXPECT_TRUE(e.IsSet());
    EXPECT_TRUE(e.Wait(0));
    EXPECT_FALSE(e.IsSet()); // auto-reset
    EXPECT_FALSE(e.Wait(10));
    PEvent initially(true);
    EXPECT_TRUE(initially.Wait(0));
    initially.Signal();
    initially.Reset();
    EXPECT_FALSE(initially.Wait(0));
}

TEST(PCriticalSection, TheHolderMayEnterAgain)
{
    PCriticalSection cs;
    cs.Enter();
    EXPECT_TRUE(cs.TryEnter());
    {
        PCriticalSectionLock again(cs);
    }
    cs.Leave();
    cs.Leave();
    EXPECT_TRUE(cs.TryEnter());
    cs.Leave();
}

TEST(PMessageBox, HeadlessBoxesAreOnlyLogged)
{
    setenv("FERROVANE_HEADLESS", "1", 1);
    EXPECT_TRUE(PMessageBox::IsHeadless());
    EXPECT_FALSE(PMessageBox::Show("ERROR", "headless box"));
    EXPECT_EQ(PMessageBox::PendingCount(), 0);
}

TEST(PThread, TheMainThreadIsKnown)
{
    EXPECT_TRUE(PThread::IsMainThread());
    PThread::SetCurrentName("FV Main thread long name");
    EXPECT_EQ(PThread::GetCurrentName(), "FV Main thread ");
}
