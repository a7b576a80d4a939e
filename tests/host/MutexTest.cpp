#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "KROMutex.h"

namespace {

TEST(Mutex, TheHolderTakesItAgainWhileOtherThreadsWait) {
  KROMutex mutex(0, 1, 0);
  mutex.LockF();
  mutex.LockF();  // would deadlock on a non-re-entrant lock
  std::atomic<bool> otherGotIt{false};
  std::thread other([&] {
    mutex.LockF();
    otherGotIt = true;
    mutex.UnlockF();
  });
  mutex.UnlockF();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_FALSE(otherGotIt) << "one unlock of two must keep the lock";
  mutex.UnlockF();
  other.join();
  EXPECT_TRUE(otherGotIt);
}

TEST(Mutex, GuardsACounterAcrossThreads) {
  KROMutex mutex;
  long counter = 0;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 20000; ++i) {
        KROMutexLock lock(mutex);
        KROMutexLock again(mutex);
        ++counter;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(counter, 80000);
}

}  // namespace
