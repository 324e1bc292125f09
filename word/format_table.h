#pragma once
// The distinct formats of a story (fonts, paragraph formats), each stored once and named by its
// index in the characters that use it. Finding a format's index is a hash lookup, so formatting
// costs the same in a document of a few formats and in one of thousands.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <unordered_map>
#include <vector>

namespace qv::word {

template <class T, class Hash>
class FormatTable {
 public:
  // `overflow`: the message of the error raised when a 65,536th distinct format is asked for.
  explicit FormatTable(const char* overflow) : overflow_(overflow) {}

  // The index of `item`, added when it is new.
  uint16_t Intern(const T& item) {
    if (auto it = index_.find(item); it != index_.end()) return it->second;
    if (items_.size() >= 0xFFFF) throw std::length_error(overflow_);
    const auto i = static_cast<uint16_t>(items_.size());
    items_.push_back(item);
    index_.emplace(item, i);
    return i;
  }
  // The formats of a file being read, in its order (a format listed twice is found at its first
  // place, as before).
  void Assign(std::vector<T> items) {
    items_ = std::move(items);
    index_.clear();
    for (size_t i = 0; i < items_.size() && i < 0xFFFF; ++i)
      index_.emplace(items_[i], static_cast<uint16_t>(i));
  }
  const T& operator[](uint16_t i) const { return items_[i]; }
  const std::vector<T>& Items() const { return items_; }

 private:
  std::vector<T> items_;
  std::unordered_map<T, uint16_t, Hash> index_;
  const char* overflow_;
};

}  // namespace qv::word
