#pragma once
// Find and replace over a range, with the host's special codes in the search and replacement
// texts ("^p" paragraph mark, "^m" manual page break, "^t" tab, "^l" line break, "^^" caret).

#include <memory>
#include <string>

#include "automation/dispatch.h"

namespace qv::word {

class Range;

inline constexpr int32_t wdReplaceNone = 0;
inline constexpr int32_t wdReplaceOne = 1;
inline constexpr int32_t wdReplaceAll = 2;
inline constexpr int32_t wdFindStop = 0;
inline constexpr int32_t wdFindContinue = 1;

class Replacement : public automation::Dispatch {
 public:
  const automation::DispatchTable& Members() const override;
  std::string text;
};

class Find : public automation::Dispatch {
 public:
  explicit Find(std::shared_ptr<Range> range);
  const automation::DispatchTable& Members() const override;

  // Searches the range (or, for a collapsed range, the story from it on, wrapping when asked);
  // without replacement the range becomes the text found. Returns whether anything was found.
  bool Execute();
  std::string text;
  std::shared_ptr<word::Replacement> replacement = std::make_shared<word::Replacement>();
  bool forward = true;
  int32_t wrap = wdFindStop;
  bool format = false;
  bool matchCase = false;
  bool matchWholeWord = false;
  bool matchWildcards = false;
  int32_t replace = wdReplaceNone;
  bool found = false;

  // The host's special codes turned into characters.
  static std::u32string Expand(const std::string& pattern);

 private:
  std::shared_ptr<Range> range_;
};

}  // namespace qv::word
