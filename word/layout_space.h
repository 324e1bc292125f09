#pragma once
// The white space between the values of the native file. The saver lays the file out with every
// value on a line of its own, indented by its depth, so the readers pass runs of indentation eight
// spaces at a time.

#include <cstdint>
#include <cstring>

namespace qv::word {

// The first byte at or after `p` (and before `end`) that is not white space.
inline const char* SkipLayoutSpace(const char* p, const char* end) {
  constexpr uint64_t kEightSpaces = 0x2020202020202020;
  while (p < end && (*p == ' ' || *p == '\n' || *p == '\r' || *p == '\t')) {
    ++p;
    while (end - p >= 8) {
      uint64_t x = 0;
      std::memcpy(&x, p, sizeof x);
      if (x != kEightSpaces) break;
      p += 8;
    }
  }
  return p;
}

}  // namespace qv::word
