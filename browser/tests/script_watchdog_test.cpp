// The pieces under the time bound of page scripts: the per-thread clock and the heap's arena.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "browser/script/script_arena.h"
#include "browser/script/script_watchdog.h"

namespace qv::browser {
namespace {

using namespace std::chrono_literals;

TEST(ScriptClock, IsUpAfterItsLimitForcedAfterTheGraceAndHeardOnlyByItsThread) {
  std::atomic<bool> otherUp{true};
  std::atomic<bool> otherStarted{false};
  std::thread other([&] {
    ScriptClock clock;
    otherStarted = clock.Start(10s, 10s);
    std::this_thread::sleep_for(300ms);
    otherUp = clock.Up() || clock.Forced();
  });
  ScriptClock clock;
  ASSERT_TRUE(clock.Start(30ms, 30ms));
  EXPECT_FALSE(clock.Up());
  const auto start = std::chrono::steady_clock::now();
  while (!clock.Forced() && std::chrono::steady_clock::now() - start < 5s) {
  }
  EXPECT_TRUE(clock.Up());
  EXPECT_TRUE(clock.Forced());
  EXPECT_GE(std::chrono::steady_clock::now() - start, 55ms);
  clock.Stop();
  other.join();
  EXPECT_TRUE(otherStarted);
  EXPECT_FALSE(otherUp);
  // A new stretch starts afresh; a stopped clock never goes up.
  ASSERT_TRUE(clock.Start(1s, 1s));
  EXPECT_FALSE(clock.Up());
  clock.Stop();
  std::this_thread::sleep_for(20ms);
  EXPECT_FALSE(clock.Up());
}

TEST(ScriptArena, CountsWhatTheHeapHoldsAndKeepsToItsLimit) {
  ScriptArena arena(1u << 20);
  std::vector<void*> blocks;
  for (size_t size : {1u, 16u, 17u, 100u, 4000u, 40000u, 300000u}) {
    void* block = arena.Allocate(size);
    ASSERT_NE(block, nullptr) << size;
    EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % 16, 0u) << size;
    std::memset(block, 0xab, size);
    blocks.push_back(block);
  }
  EXPECT_EQ(arena.Used(), 1u + 16 + 17 + 100 + 4000 + 40000 + 300000);
  EXPECT_EQ(arena.Allocate(800000), nullptr);  // past the limit
  // Growing keeps the contents, in its class or moved to a larger one.
  auto* grown = static_cast<unsigned char*>(arena.Reallocate(blocks[3], 120));
  ASSERT_NE(grown, nullptr);
  EXPECT_EQ(grown[99], 0xab);
  grown = static_cast<unsigned char*>(arena.Reallocate(grown, 50000));
  ASSERT_NE(grown, nullptr);
  EXPECT_EQ(grown[0], 0xab);
  blocks[3] = grown;
  for (void* block : blocks)
    arena.Free(block);
  EXPECT_EQ(arena.Used(), 0u);
  // Freed blocks are used again.
  void* first = arena.Allocate(17);
  arena.Free(first);
  EXPECT_EQ(arena.Allocate(20), first);
  // Whatever is still held goes with the arena.
}

}  // namespace
}  // namespace qv::browser
