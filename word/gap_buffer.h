#pragma once
// A sequence kept with a gap at the place of the last edit: inserting or removing there moves
// nothing but the gap's bounds, and an edit elsewhere first moves only the items between the old
// and the new place. Text editors keep their characters this way, so that typing, or a run of
// edits at one place of a large document, does not move the rest of the document every time.

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <vector>

namespace qv::word {

template <class T>
class GapBuffer {
 public:
  GapBuffer() = default;
  // The gap a grown buffer would have is made at the end now, so that the first edit after the
  // items were read does not copy them all to make room.
  explicit GapBuffer(std::vector<T> items) : buf_(std::move(items)), gapStart_(buf_.size()) {
    buf_.resize(buf_.size() + GapFor(buf_.size(), 1));
    gapEnd_ = buf_.size();
  }

  size_t size() const { return buf_.size() - (gapEnd_ - gapStart_); }
  const T& operator[](size_t i) const {
    return buf_[i < gapStart_ ? i : i + (gapEnd_ - gapStart_)];
  }
  T& operator[](size_t i) { return buf_[i < gapStart_ ? i : i + (gapEnd_ - gapStart_)]; }
  const T& back() const { return (*this)[size() - 1]; }

  template <class It>
  void insert(size_t at, It first, It last) {
    const auto n = static_cast<size_t>(std::distance(first, last));
    MakeRoom(n);
    MoveGap(at);
    std::copy(first, last, buf_.begin() + static_cast<std::ptrdiff_t>(gapStart_));
    gapStart_ += n;
  }
  void push_back(const T& item) { insert(size(), &item, &item + 1); }
  // Removes [from, to).
  void erase(size_t from, size_t to) {
    MoveGap(from);
    gapEnd_ += to - from;
  }

 private:
  std::ptrdiff_t Offset(size_t i) const { return static_cast<std::ptrdiff_t>(i); }

  void MoveGap(size_t at) {
    if (at < gapStart_) {
      std::move_backward(buf_.begin() + Offset(at), buf_.begin() + Offset(gapStart_),
                         buf_.begin() + Offset(gapEnd_));
      gapEnd_ -= gapStart_ - at;
      gapStart_ = at;
    } else if (at > gapStart_) {
      const size_t n = at - gapStart_;
      std::move(buf_.begin() + Offset(gapEnd_), buf_.begin() + Offset(gapEnd_ + n),
                buf_.begin() + Offset(gapStart_));
      gapStart_ += n;
      gapEnd_ += n;
    }
  }

  // A gap of at least `needed`; a new one is an eighth of the content (at least 256 items), so that
  // growing costs a constant per inserted item over time.
  static size_t GapFor(size_t items, size_t needed) {
    return std::max(needed, std::max<size_t>(256, items / 8));
  }
  void MakeRoom(size_t n) {
    if (gapEnd_ - gapStart_ >= n) return;
    const size_t gap = GapFor(size(), n);
    const size_t tail = buf_.size() - gapEnd_;
    std::vector<T> grown(size() + gap);
    std::copy(buf_.begin(), buf_.begin() + Offset(gapStart_), grown.begin());
    std::copy(buf_.begin() + Offset(gapEnd_), buf_.end(),
              grown.end() - static_cast<std::ptrdiff_t>(tail));
    buf_ = std::move(grown);
    gapEnd_ = gapStart_ + gap;
  }

  std::vector<T> buf_;
  size_t gapStart_ = 0;
  size_t gapEnd_ = 0;
};

}  // namespace qv::word
