#pragma once
// A mark: the place in the story of a node's character (the end of a cell or row, an inline
// picture) or of the zero-width start of a table; or the anchor of a floating shape, which the
// story keeps in a list of its own.
//
// Marks are kept by the story's MarkList, which stores the positions of the marks behind its
// last edit relative to the end of the text. An edit then moves only the marks it passes over,
// never every mark after it, and a mark's position is worked out when it is read.

#include <cstdint>

namespace qv::word {

class StoryNode;
class MarkList;

enum class MarkKind : uint8_t { TableStart, CellEnd, RowEnd, Object, ShapeAnchor };

// Which way a position exactly at an insertion point goes: after the new text, or staying in
// front of it.
enum class Bias : uint8_t { After, Stay };

class Mark {
 public:
  Mark() = default;
  // A mark not yet in a story, at `pos` (while it waits for its insertion, relative to it). Its
  // gravity follows from its kind: a table's start stays where it is when text goes in exactly
  // there (the text goes into the first cell); a character's mark moves after the text, which is
  // inserted in front of the character; a shape's anchor moves with its paragraph's text.
  Mark(int64_t pos, MarkKind markKind, StoryNode* node)
      : kind(markKind),
        owner(node),
        gravity(markKind == MarkKind::TableStart ? Bias::Stay : Bias::After),
        raw_(pos) {}

  MarkKind kind = MarkKind::Object;
  StoryNode* owner = nullptr;
  Bias gravity = Bias::After;

  // The mark's position in the story (-1 once its character was removed).
  int64_t Pos() const { return end_ ? raw_ + *end_ : raw_; }
  // Places a mark that is not in a story.
  void Place(int64_t pos) {
    raw_ = pos;
    end_ = nullptr;
  }
  bool ZeroWidth() const { return kind == MarkKind::TableStart; }

 private:
  friend class MarkList;
  // The position itself, or, while end_ is set, the position less the length of the text.
  int64_t raw_ = -1;
  const int64_t* end_ = nullptr;
};

}  // namespace qv::word
