#include "word/mark_list.h"

#include <algorithm>
#include <stdexcept>

namespace qv::word {

namespace {

std::ptrdiff_t Offset(size_t i) {
  return static_cast<std::ptrdiff_t>(i);
}

// A new gap of an eighth of the marks (at least 64), so that growing costs a constant per mark.
size_t GapFor(size_t marks, size_t needed) {
  return std::max(needed, std::max<size_t>(64, marks / 8));
}

}  // namespace

MarkList::~MarkList() {
  Release();
}

size_t MarkList::FirstAt(int64_t pos) const {
  // The search starts where the last one ended and doubles its stride outward before it halves.
  // The lookups of an edit fall near the edit, and those of a walk through the document near one
  // another, so a lookup costs in the distance from the one before, not in the number of marks,
  // and reads marks that are already in the cache instead of probing across a large document's.
  const size_t n = size();
  const size_t from = std::min(finger_, n);
  auto before = [&](size_t i) { return (*this)[i]->Pos() < pos; };
  size_t lo = 0;
  size_t hi = n;
  if (from < n && before(from)) {
    size_t stride = 1;
    lo = from + 1;
    while (from + stride < n && before(from + stride)) {
      lo = from + stride + 1;
      stride *= 2;
    }
    hi = std::min(from + stride, n);
  } else if (from > 0 && !before(from - 1)) {
    size_t stride = 2;
    hi = from - 1;
    while (stride <= from && !before(from - stride)) {
      hi = from - stride;
      stride *= 2;
    }
    lo = stride <= from ? from - stride + 1 : 0;
  } else {
    return from;
  }
  while (lo < hi) {
    const size_t mid = lo + (hi - lo) / 2;
    if (before(mid)) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  finger_ = lo;
  return lo;
}

size_t MarkList::IndexOf(const Mark* m) const {
  const int64_t pos = m->Pos();
  for (size_t i = FirstAt(pos); i < size() && (*this)[i]->Pos() == pos; ++i)
    if ((*this)[i] == m) return i;
  throw std::logic_error("mark not registered with its story");
}

void MarkList::MoveGap(size_t i) {
  if (i < gapStart_) {
    // The marks passed now lie behind the gap: they hold their distance from the end.
    for (size_t k = i; k < gapStart_; ++k) {
      Mark* m = buf_[k];
      m->raw_ -= length_;
      m->end_ = &length_;
    }
    std::move_backward(buf_.begin() + Offset(i), buf_.begin() + Offset(gapStart_),
                       buf_.begin() + Offset(gapEnd_));
    gapEnd_ -= gapStart_ - i;
    gapStart_ = i;
  } else if (i > gapStart_) {
    const size_t n = i - gapStart_;
    for (size_t k = gapEnd_; k < gapEnd_ + n; ++k)
      Detach(buf_[k]);
    std::move(buf_.begin() + Offset(gapEnd_), buf_.begin() + Offset(gapEnd_ + n),
              buf_.begin() + Offset(gapStart_));
    gapStart_ += n;
    gapEnd_ += n;
  }
}

void MarkList::MakeRoom(size_t n) {
  if (gapEnd_ - gapStart_ >= n) return;
  const size_t gap = GapFor(size(), n);
  const size_t tail = buf_.size() - gapEnd_;
  std::vector<Mark*> grown(size() + gap);
  std::copy(buf_.begin(), buf_.begin() + Offset(gapStart_), grown.begin());
  std::copy(buf_.begin() + Offset(gapEnd_), buf_.end(), grown.end() - Offset(tail));
  buf_ = std::move(grown);
  gapEnd_ = gapStart_ + gap;
}

void MarkList::Insert(size_t i, Mark* m) {
  MakeRoom(1);
  MoveGap(i);
  buf_[gapStart_++] = m;
}

void MarkList::Erase(size_t i, size_t j) {
  MoveGap(i);
  for (size_t k = gapEnd_; k < gapEnd_ + (j - i); ++k)
    Detach(buf_[k]);
  gapEnd_ += j - i;
}

void MarkList::Replace(size_t i, Mark* replacement) {
  Mark*& slot = buf_[i < gapStart_ ? i : i + (gapEnd_ - gapStart_)];
  replacement->raw_ = slot->raw_;
  replacement->end_ = slot->end_;
  Detach(slot);
  slot = replacement;
}

void MarkList::Assign(std::vector<Mark*> sorted) {
  Release();
  buf_ = std::move(sorted);
  gapStart_ = buf_.size();
  // The gap a grown list would have, made now: the first edit after a file is read does not copy
  // every mark to make room.
  buf_.resize(buf_.size() + GapFor(buf_.size(), 1));
  gapEnd_ = buf_.size();
}

std::vector<Mark*> MarkList::Release() {
  std::vector<Mark*> out;
  out.reserve(size());
  for (size_t i = 0; i < size(); ++i) {
    Mark* m = (*this)[i];
    Detach(m);
    out.push_back(m);
  }
  buf_.clear();
  gapStart_ = gapEnd_ = 0;
  return out;
}

}  // namespace qv::word
