#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "word/gap_buffer.h"

namespace qv::word {
namespace {

// Edits at random places, runs at one place and growth past the gap, checked against a vector.
TEST(GapBuffer, EditsAnywhereReadLikeAPlainSequence) {
  GapBuffer<int> buffer;
  std::vector<int> expected;
  std::mt19937 random(7);
  int next = 0;
  for (int round = 0; round < 3000; ++round) {
    const size_t at = expected.empty() ? 0 : random() % (expected.size() + 1);
    if (random() % 3 == 0 && !expected.empty()) {
      const size_t from = std::min(at, expected.size() - 1);
      const size_t to = std::min(expected.size(), from + 1 + random() % 40);
      buffer.erase(from, to);
      expected.erase(expected.begin() + from, expected.begin() + to);
    } else {
      std::vector<int> items(1 + random() % (round % 50 == 0 ? 700 : 5));
      for (int& item : items)
        item = next++;
      buffer.insert(at, items.begin(), items.end());
      expected.insert(expected.begin() + at, items.begin(), items.end());
    }
    ASSERT_EQ(buffer.size(), expected.size());
  }
  for (size_t i = 0; i < expected.size(); ++i)
    ASSERT_EQ(buffer[i], expected[i]) << i;
  buffer[0] = -1;
  EXPECT_EQ(buffer[0], -1);
  EXPECT_EQ(buffer.back(), expected.back());
}

}  // namespace
}  // namespace qv::word
