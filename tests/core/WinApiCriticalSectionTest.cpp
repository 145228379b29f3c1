#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "core/WinApiCriticalSection.h"

TEST(WinApiCriticalSectionTest, ExcludesOtherThreadsForTheLifeOfAScope)
{
    WinApiCriticalSection section;
    ASSERT_TRUE(section.isValid());
    // A non-atomic read-modify-write with a yield in between loses updates
    // at once when the lock does not exclude.
    volatile long counter = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 2000; ++i) {
                CriticalSectionLock lock(section);
                long v = counter;
                if (i % 64 == 0)
                    std::this_thread::yield();
                counter = v + 1;
            }
        });
    }
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(counter, 8000);
}

TEST(WinApiCriticalSectionTest, AnUnlockedSectionCanBeTakenAgain)
{
    WinApiCriticalSection section;
    {
        CriticalSectionLock lock(section);
    }
    bool taken = false;
    std::thread other([&] {
        CriticalSectionLock lock(section);
        taken = true;
    });
    other.join();
    EXPECT_TRUE(taken);
}
