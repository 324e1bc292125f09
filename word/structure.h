#pragma once
// Questions about the structure at a place of the story: which cell and table hold a position,
// which tables a range touches, where paragraphs begin and end. Answers come from a search of the
// sorted marks (and the characters of one paragraph), never from a rescan of the document.

#include <cstdint>
#include <memory>
#include <vector>

#include "word/story.h"

namespace qv::word {

class Cell;
class InlineShape;
class Table;

struct Location {
  Cell* cell = nullptr;    // the innermost cell holding the position, if any
  Table* table = nullptr;  // its table (also set at an end-of-row mark, where cell is null)
};

Location LocationAt(const Story& story, int64_t pos);
// The mark of the character at `pos` (end of cell, end of row, object), or nullptr.
const Mark* CharMarkAt(const Story& story, int64_t pos);
// The innermost table whose range holds all of [from, to), or nullptr.
Table* InnermostTableHolding(const Story& story, int64_t from, int64_t to);
// The tables of a range as the host's Range.Tables lists them: the innermost table holding the
// whole range, else the tables at the range's own level that it touches, in document order; no
// more than `limit` of them (the walk stops there).
std::vector<Table*> TablesIn(const Story& story, int64_t from, int64_t to, size_t limit = SIZE_MAX);
// The tables nested directly in `cell`, in document order (the host's Cell.Tables).
std::vector<Table*> TablesNestedIn(const Story& story, const Cell& cell);
// Inline shapes whose character lies in [from, to), in document order.
std::vector<InlineShape*> InlineShapesIn(const Story& story, int64_t from, int64_t to);
// The inline shape whose character is the last one before `pos`, or nullptr; the first one at or
// after `pos`, or nullptr. Both step over the marks between `pos` and that shape only.
InlineShape* InlineShapeBefore(const Story& story, int64_t pos);
InlineShape* InlineShapeFrom(const Story& story, int64_t pos);

bool IsParagraphEnd(char32_t c);
// The start of the paragraph holding `pos`.
int64_t ParagraphStart(const Story& story, int64_t pos);
// One past the mark ending the paragraph holding `pos`.
int64_t ParagraphEnd(const Story& story, int64_t pos);

}  // namespace qv::word
