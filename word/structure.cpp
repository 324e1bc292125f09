#include "word/structure.h"

#include "word/inline_shape.h"
#include "word/table.h"

namespace qv::word {

Location LocationAt(const Story& story, int64_t pos) {
  const auto& marks = story.Marks();
  size_t i = story.FirstMarkAt(pos);
  while (i < marks.size() && marks[i]->kind == MarkKind::Object)
    ++i;
  if (i >= marks.size()) return {};
  const Mark* m = marks[i];
  switch (m->kind) {
    case MarkKind::TableStart: {
      if (m->Pos() == pos) {
        // Tables beginning here nest one in the other's first cell; the last is the innermost.
        while (i + 1 < marks.size() && marks[i + 1]->Pos() == pos &&
               marks[i + 1]->kind == MarkKind::TableStart)
          ++i;
        auto* t = static_cast<Table*>(marks[i]->owner);
        return {t->RowList().front()->CellList().front().get(), t};
      }
      auto* t = static_cast<Table*>(m->owner);
      auto c = t->Container();
      return c ? Location{c.get(), c->Table().get()} : Location{};
    }
    case MarkKind::CellEnd: {
      auto* c = static_cast<Cell*>(m->owner);
      return {c, c->Table().get()};
    }
    case MarkKind::RowEnd: {
      auto* r = static_cast<Row*>(m->owner);
      return {nullptr, r->Table().get()};
    }
    case MarkKind::Object:
    case MarkKind::ShapeAnchor:
      break;
  }
  return {};
}

const Mark* CharMarkAt(const Story& story, int64_t pos) {
  const auto& marks = story.Marks();
  for (size_t i = story.FirstMarkAt(pos); i < marks.size() && marks[i]->Pos() == pos; ++i)
    if (!marks[i]->ZeroWidth()) return marks[i];
  return nullptr;
}

Table* InnermostTableHolding(const Story& story, int64_t from, int64_t to) {
  Table* t = LocationAt(story, from).table;
  while (t) {
    if (t->Start() <= from && to <= t->End()) return t;
    auto up = t->EnclosingTable();
    t = up.get();
  }
  return nullptr;
}

std::vector<Table*> TablesIn(const Story& story, int64_t from, int64_t to, size_t limit) {
  if (limit == 0) return {};
  if (Table* t = InnermostTableHolding(story, from, to)) {
    // A range that ends exactly at a table's end still lies in it; one that is a whole table
    // counts as that table.
    return {t};
  }
  // The range's own level: the innermost cell holding both ends (or the main text).
  Cell* level = LocationAt(story, from).cell;
  while (level && !(level->Start() <= from && to <= level->EndMark() + 1)) {
    auto up = level->Table()->Container();
    level = up.get();
  }
  std::vector<Table*> out;
  auto atLevel = [&](Table* t) {
    while (t && t->Container().get() != level) {
      auto up = t->EnclosingTable();
      t = up.get();
    }
    return t;
  };
  if (Table* first = atLevel(LocationAt(story, from).table)) out.push_back(first);
  const auto& marks = story.Marks();
  for (size_t i = story.FirstMarkAt(from);
       i < marks.size() && marks[i]->Pos() < to && out.size() < limit; ++i) {
    if (marks[i]->kind != MarkKind::TableStart) continue;
    auto* t = static_cast<Table*>(marks[i]->owner);
    if (t->Container().get() != level) continue;
    if (!out.empty() && out.back() == t) continue;
    out.push_back(t);
  }
  return out;
}

std::vector<Table*> TablesNestedIn(const Story& story, const Cell& cell) {
  std::vector<Table*> out;
  const auto& marks = story.Marks();
  for (size_t i = story.FirstMarkAt(cell.Start());
       i < marks.size() && marks[i]->Pos() < cell.EndMark(); ++i) {
    if (marks[i]->kind != MarkKind::TableStart) continue;
    auto* t = static_cast<Table*>(marks[i]->owner);
    if (t->Container().get() == &cell) out.push_back(t);
  }
  return out;
}

std::vector<InlineShape*> InlineShapesIn(const Story& story, int64_t from, int64_t to) {
  std::vector<InlineShape*> out;
  const auto& marks = story.Marks();
  for (size_t i = story.FirstMarkAt(from); i < marks.size() && marks[i]->Pos() < to; ++i)
    if (marks[i]->kind == MarkKind::Object)
      out.push_back(static_cast<InlineShape*>(marks[i]->owner));
  return out;
}

InlineShape* InlineShapeBefore(const Story& story, int64_t pos) {
  const auto& marks = story.Marks();
  for (size_t i = story.FirstMarkAt(pos); i > 0; --i)
    if (marks[i - 1]->kind == MarkKind::Object)
      return static_cast<InlineShape*>(marks[i - 1]->owner);
  return nullptr;
}

InlineShape* InlineShapeFrom(const Story& story, int64_t pos) {
  const auto& marks = story.Marks();
  for (size_t i = story.FirstMarkAt(pos); i < marks.size(); ++i)
    if (marks[i]->kind == MarkKind::Object) return static_cast<InlineShape*>(marks[i]->owner);
  return nullptr;
}

bool IsParagraphEnd(char32_t c) {
  return c == kParagraphMark || c == kCellMark;
}

int64_t ParagraphStart(const Story& story, int64_t pos) {
  int64_t p = std::min(pos, story.Length() - 1);
  while (p > 0 && !IsParagraphEnd(story.CodeAt(p - 1)))
    --p;
  return p;
}

int64_t ParagraphEnd(const Story& story, int64_t pos) {
  int64_t p = std::max<int64_t>(0, pos);
  while (p < story.Length() && !IsParagraphEnd(story.CodeAt(p)))
    ++p;
  return std::min(p + 1, story.Length());
}

}  // namespace qv::word
