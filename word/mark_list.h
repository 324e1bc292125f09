#pragma once
// The marks of a story in document order, kept the way the story keeps its characters: with a gap
// at the place of the last edit. Marks in front of the gap hold their position; marks behind it
// hold their distance from the end of the text, so an edit at the gap moves every later mark at
// once by changing the length of the text, without visiting them. An edit elsewhere first moves
// the gap there, rewriting only the marks it passes. A run of edits at one place of a large
// document (building a question near its start) then costs in proportion to the edits, not to
// the document.
//
// Reading a position is a lookup (Mark::Pos), finding the first mark at a position a search
// outward from where the last one ended, and the marks can be walked in order by index.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

#include "word/mark.h"

namespace qv::word {

class MarkList {
 public:
  explicit MarkList(int64_t textLength) : length_(textLength) {}
  // Marks still listed keep their positions, now held on their own.
  ~MarkList();
  MarkList(const MarkList&) = delete;
  MarkList& operator=(const MarkList&) = delete;

  size_t size() const { return buf_.size() - (gapEnd_ - gapStart_); }
  bool empty() const { return size() == 0; }
  Mark* operator[](size_t i) const { return buf_[i < gapStart_ ? i : i + (gapEnd_ - gapStart_)]; }

  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = Mark*;
    using difference_type = std::ptrdiff_t;
    using pointer = Mark* const*;
    using reference = Mark*;
    const_iterator() = default;
    const_iterator(const MarkList* list, size_t i) : list_(list), i_(i) {}
    Mark* operator*() const { return (*list_)[i_]; }
    const_iterator& operator++() {
      ++i_;
      return *this;
    }
    const_iterator operator++(int) {
      auto old = *this;
      ++i_;
      return old;
    }
    friend bool operator==(const const_iterator&, const const_iterator&) = default;

   private:
    const MarkList* list_ = nullptr;
    size_t i_ = 0;
  };
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, size()}; }

  // Index of the first mark at or after `pos`.
  size_t FirstAt(int64_t pos) const;
  // Index of `m`; throws std::logic_error when it is not listed.
  size_t IndexOf(const Mark* m) const;

  // The text changed at the gap and is now `length` long: the marks behind the gap follow.
  void SetTextLength(int64_t length) { length_ = length; }
  int64_t TextLength() const { return length_; }
  // Moves the gap in front of the mark at index i (i == size(): to the end).
  void MoveGap(size_t i);
  // Lists `m` at index i with the position it was placed at (Mark::Place).
  void Insert(size_t i, Mark* m);
  // Takes the marks at [i, j) off the list; they keep the positions they have now.
  void Erase(size_t i, size_t j);
  // `replacement` takes the place and the position of the mark at index i, which goes.
  void Replace(size_t i, Mark* replacement);
  // The whole list at once, in order (a file being read).
  void Assign(std::vector<Mark*> sorted);
  // Empties the list; the marks keep their positions.
  std::vector<Mark*> Release();

 private:
  void MakeRoom(size_t n);
  void Detach(Mark* m) const { m->Place(m->Pos()); }

  std::vector<Mark*> buf_;
  // Where the last lookup ended: the next one starts there (any index is a correct start).
  mutable size_t finger_ = 0;
  size_t gapStart_ = 0;
  size_t gapEnd_ = 0;
  int64_t length_ = 0;
};

}  // namespace qv::word
