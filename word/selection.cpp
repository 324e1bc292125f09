#include "word/selection.h"

#include "word/document.h"
#include "word/errors.h"
#include "word/shape.h"
#include "word/table.h"

namespace qv::word {

int32_t Selection::Type() const {
  Story& s = GetStory();
  for (const auto& w : shapes_)
    if (auto sh = w.lock(); sh && !sh->Deleted()) return wdSelectionShape;
  if (start_ == end_) return wdSelectionIP;
  if (end_ == start_ + 1 && s.CodeAt(start_) == kObjectChar) return wdSelectionInlineShape;
  return wdSelectionNormal;
}

void Selection::TypeText(const std::string& text) {
  Story& s = GetStory();
  shapes_.clear();
  if (start_ != end_) Range::DeleteContent(s, start_, end_);
  const int64_t at = start_;
  const int64_t n = InsertText(s, at, text);
  start_ = end_ = at + n;
}

void Selection::InsertRows(int32_t count, bool below) {
  auto rows = Rows();
  if (rows->Count() == 0) RaiseNoItem();
  auto model = below ? rows->Item(rows->Count()) : rows->Item(1);
  auto table = model->Table();
  size_t index = static_cast<size_t>(model->Index() - (below ? 0 : 1));
  std::shared_ptr<Row> first, last;
  for (int32_t i = 0; i < count; ++i) {
    auto r = table->InsertRow(index + static_cast<size_t>(i), *model);
    if (!first) first = r;
    last = r;
  }
  if (first) SelectText(first->Start(), last->EndMark() + 1);
}

void Selection::InsertRowsBelow(int32_t count) {
  InsertRows(count, true);
}
void Selection::InsertRowsAbove(int32_t count) {
  InsertRows(count, false);
}

std::shared_ptr<word::ShapeRange> Selection::ShapeRange() {
  GetStory();
  std::vector<std::shared_ptr<Shape>> list;
  for (const auto& w : shapes_)
    if (auto sh = w.lock(); sh && !sh->Deleted()) list.push_back(sh);
  // With no shape selected: the shapes anchored in the selected text; an insertion point
  // selects none.
  if (list.empty() && start_ != end_) return Range::ShapeRange();
  return std::make_shared<word::ShapeRange>(std::move(list));
}

void Selection::SelectText(int64_t start, int64_t end) {
  shapes_.clear();
  Range::SetRange(start, end);
}

void Selection::SelectShapes(std::vector<std::shared_ptr<Shape>> shapes) {
  shapes_.clear();
  for (auto& s : shapes)
    shapes_.push_back(s);
}

void Selection::AddShape(const std::shared_ptr<Shape>& shape) {
  shapes_.push_back(shape);
}

const DispatchTable& Selection::Members() const {
  static const DispatchTable table =
      ClassTable<Selection>("Selection")
          .Inherit(RangeMembers())
          .Get("Type", [](Selection& s) { return s.Type(); })
          .Get("Range", [](Selection& s) { return s.Range(); })
          .Sub("TypeText", [](Selection& s, Args& a) { s.TypeText(a.Text(0)); })
          .Sub("TypeParagraph", [](Selection& s, Args&) { s.TypeParagraph(); })
          .Sub("InsertRowsBelow",
               [](Selection& s, Args& a) { s.InsertRowsBelow(a.Opt(0, Variant(1)).ToInt32()); })
          .Sub("InsertRowsAbove",
               [](Selection& s, Args& a) { s.InsertRowsAbove(a.Opt(0, Variant(1)).ToInt32()); })
          .Get("ShapeRange", [](Selection& s) { return s.ShapeRange(); })
          .Sub("SetRange", [](Selection& s, Args& a) { s.SelectText(a.Int(0), a.Int(1)); })
          .Build();
  return table;
}

}  // namespace qv::word
