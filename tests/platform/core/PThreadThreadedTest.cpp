// Threads, events, critical sections and the message-box hand-over used across threads.
#include "platform/core/PCriticalSection.h"
#include "platform/core/PEvent.h"
#include "platform/core/PMessageBox.h"
#include "platform/core/PRandom.h"
#include "platform/core/PThread.h"

#include <atomic>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

TEST(PThreadThreaded, ThreadsCarryTheirNames)
{
    PThread thread;
    std::string seen;
    bool main = true;
    ASSERT_TRUE(thread.Start("FV Thread 3", [&] {
        seen = PThread::GetCurrentName();
        main = PThread::IsMainThread();
    }));
    EXPECT_FALSE(thread.Start("twice", [] {}));
    thread.Join();
    EXPECT_EQ(seen, "FV Thread 3");
    EXPECT_FALSE(main);
    EXPECT_EQ(thread.GetName(), "FV Thread 3");
    EXPECT_TRUE(thread.Start("again", [] {})); // joined threads can start again
}

TEST(PThreadThreaded, ASignalBeforeTheWaitIsNotLost)
{
    for (int round = 0; round < 200; ++round)
    {
        PEvent ready;
        PEvent done;
        PThread worker;
        worker.Start("FV worker", [&] {
            ready.Signal(); // may come long before the main thread waits
            done.Wait();
        });
        EXPECT_TRUE(ready.Wait(5000));
        done.Signal();
        worker.Join();
    }
}

TEST(PThreadThreaded, EachSignalWakesOneWaiter)
{
    PEvent e;
    std::atomic<int> woken{0};
    std::vector<PThread> threads(4);
    for (auto& t : threads)
        t.Start("FV waiter", [&] {
            if (e.Wait(2000))
                ++woken;
        });
    for (int i = 0; i < 4; ++i)
    {
        e.Signal();
        while (woken.load() <= i)
            std::this_thread::yield();
    }
    for (auto& t : threads)
        t.Join();
    EXPECT_EQ(woken.load(), 4);
}

TEST(PThreadThreaded, CriticalSectionsAreReentrantAndExclusive)
{
    PCriticalSection cs;
    long counter = 0;
    std::vector<PThread> threads(4);
    for (auto& t : threads)
        t.Start("FV counter", [&] {
            for (int i = 0; i < 5000; ++i)
            {
                PCriticalSectionLock outer(cs);
                PCriticalSectionLock inner(cs);
                ++counter;
            }
        });
    for (auto& t : threads)
        t.Join();
    EXPECT_EQ(counter, 20000);
}

TEST(PThreadThreaded, RandomNumbersFromWorkersStayInRange)
{
    std::atomic<int> bad{0};
    std::vector<PThread> threads(4);
    for (auto& t : threads)
        t.Start("FV random", [&] {
            for (int i = 0; i < 10000; ++i)
            {
                int v = PRandom::Rand();
                if (v < 0 || v > PRandom::MAX)
                    ++bad;
            }
        });
    for (auto& t : threads)
        t.Join();
    EXPECT_EQ(bad.load(), 0);
}

TEST(PThreadThreaded, BoxesFromWorkersGoToTheMainThread)
{
    unsetenv("FERROVANE_HEADLESS");
    PThread worker;
    bool shownOnWorker = true;
    worker.Start("FV box", [&] { shownOnWorker = PMessageBox::Show("ERROR", "from a worker"); });
    worker.Join();
    EXPECT_FALSE(shownOnWorker);
    EXPECT_EQ(PMessageBox::PendingCount(), 1);
    // Headless again before the main thread takes the queue, so nothing blocks the test.
    setenv("FERROVANE_HEADLESS", "1", 1);
    EXPECT_EQ(PMessageBox::ShowPending(), 1);
    EXPECT_EQ(PMessageBox::PendingCount(), 0);
}
