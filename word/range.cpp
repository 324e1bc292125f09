#include "word/range.h"

#include <algorithm>

#include "automation/text/utf8.h"
#include "word/document.h"
#include "word/errors.h"
#include "word/find.h"
#include "word/inline_shape.h"
#include "word/paragraphs.h"
#include "word/selection.h"
#include "word/shape.h"
#include "word/structure.h"
#include "word/table.h"

namespace qv::word {

Range::Range(const std::shared_ptr<Document>& doc, int64_t start, int64_t end)
    : doc_(doc), story_(&doc->GetStory()) {
  const int64_t len = story_->Length();
  start_ = std::clamp<int64_t>(start, 0, len);
  end_ = std::clamp<int64_t>(end, start_, len);
  story_->Register(this);
}

Range::~Range() {
  if (story_) story_->Unregister(this);
}

void Range::Adjust(const Edit& edit) {
  // Text inserted at a stretch's start joins it, text at its end stays outside; a collapsed range
  // goes with the new text unless it is the insertion point (see CollapsedBias).
  const bool collapsed = start_ == end_;
  const Bias startBias = collapsed ? CollapsedBias() : Bias::Stay;
  start_ = MapPosition(start_, edit, startBias);
  end_ = MapPosition(end_, edit, collapsed ? startBias : Bias::Stay);
  if (end_ < start_) end_ = start_;
}

Story& Range::GetStory() const {
  auto d = doc_.lock();
  if (!story_ || !d || d->Closed()) RaiseDeleted();
  return *story_;
}

Document& Range::Doc() const {
  return *DocPtr();
}

std::shared_ptr<Document> Range::DocPtr() const {
  auto d = doc_.lock();
  if (!d || !story_ || d->Closed()) RaiseDeleted();
  return d;
}

int64_t Range::Start() const {
  GetStory();
  return start_;
}

int64_t Range::End() const {
  GetStory();
  return end_;
}

void Range::SetRange(int64_t start, int64_t end) {
  const int64_t len = GetStory().Length();
  start_ = std::clamp<int64_t>(start, 0, len);
  end_ = std::clamp<int64_t>(end, 0, len);
  if (end_ < start_) std::swap(start_, end_);
}

void Range::SetStart(int64_t v) {
  const int64_t len = GetStory().Length();
  start_ = std::clamp<int64_t>(v, 0, len);
  if (end_ < start_) end_ = start_;
}

void Range::SetEnd(int64_t v) {
  const int64_t len = GetStory().Length();
  end_ = std::clamp<int64_t>(v, 0, len);
  if (start_ > end_) start_ = end_;
}

std::string Range::Text() const {
  return GetStory().Text(start_, end_);
}

int64_t Range::InsertText(Story& story, int64_t at, const std::string& text) {
  std::u32string codes = text::DecodeUtf8(text);
  std::vector<Char> chars;
  chars.reserve(codes.size());
  const Char tmpl = story.Template(at);
  for (size_t i = 0; i < codes.size(); ++i) {
    char32_t c = codes[i];
    if (c == U'\r' && i + 1 < codes.size() && codes[i + 1] == U'\n') ++i;  // CR LF: one mark
    if (c == U'\n') c = kParagraphMark;
    // Structure characters cannot be typed; they come only with their objects.
    if (c == kCellMark || c == kObjectChar) continue;
    Char ch = tmpl;
    ch.cp = c;
    chars.push_back(ch);
  }
  if (chars.empty()) return 0;
  at = std::min(at, story.Length() - 1);
  if (const Mark* m = CharMarkAt(story, at); m && m->kind == MarkKind::RowEnd)
    RaiseNotAvailable("it is the end of a row");
  story.Insert(at, chars);
  return static_cast<int64_t>(chars.size());
}

void Range::DeleteContent(Story& story, int64_t from, int64_t to) {
  story.DeleteText(from, to);
}

void Range::SetText(const std::string& text) {
  Story& story = GetStory();
  DeleteContent(story, start_, end_);
  const int64_t s = start_;
  const int64_t n = InsertText(story, s, text);
  start_ = s;
  end_ = s + n;
}

void Range::Collapse(int32_t direction) {
  GetStory();
  if (direction == wdCollapseEnd)
    start_ = end_;
  else
    end_ = start_;
}

int32_t Range::MovePos(int64_t& pos, int32_t unit, int32_t count) const {
  const Story& s = GetStory();
  const int64_t last = s.Length() - 1;  // the insertion point never passes the final mark
  int32_t moved = 0;
  auto isParaStart = [&](int64_t p) { return p == 0 || IsParagraphEnd(s.CodeAt(p - 1)); };
  auto isBlank = [&](int64_t p) {
    const char32_t c = s.CodeAt(p);
    return c == U' ' || c == U'\t' || IsParagraphEnd(c) || c == kPageBreak || c == kLineBreak;
  };
  switch (unit) {
    case wdCharacter:
      while (count > 0 && pos < last + 1) {
        ++pos;
        --count;
        ++moved;
      }
      while (count < 0 && pos > 0) {
        --pos;
        ++count;
        --moved;
      }
      break;
    case wdParagraph:
      while (count > 0 && pos < last) {
        do
          ++pos;
        while (pos < last && !isParaStart(pos));
        --count;
        ++moved;
      }
      while (count < 0 && pos > 0) {
        do
          --pos;
        while (pos > 0 && !isParaStart(pos));
        ++count;
        --moved;
      }
      break;
    case wdWord:
      while (count > 0 && pos < last) {
        while (pos < last && !isBlank(pos))
          ++pos;
        while (pos < last && isBlank(pos) && !IsParagraphEnd(s.CodeAt(pos)))
          ++pos;
        if (pos < last && IsParagraphEnd(s.CodeAt(pos)) && moved == 0) ++pos;
        --count;
        ++moved;
      }
      while (count < 0 && pos > 0) {
        --pos;
        while (pos > 0 && isBlank(pos))
          --pos;
        while (pos > 0 && !isBlank(pos - 1))
          --pos;
        ++count;
        --moved;
      }
      break;
    case wdStory:
      if (count > 0 && pos != last) {
        pos = last;
        moved = 1;
      } else if (count < 0 && pos != 0) {
        pos = 0;
        moved = -1;
      }
      break;
    default:
      RaiseInvalidCall();
  }
  return moved;
}

int32_t Range::Move(int32_t unit, int32_t count) {
  GetStory();
  if (count == 0) return 0;
  int32_t extra = 0;
  if (start_ != end_) {
    // Collapsing counts as one unit of the move.
    extra = count > 0 ? 1 : -1;
    Collapse(count > 0 ? wdCollapseEnd : wdCollapseStart);
    count -= extra;
  }
  int64_t p = start_;
  const int32_t moved = MovePos(p, unit, count);
  start_ = end_ = std::min(p, GetStory().Length() - 1);
  return moved + extra;
}

int32_t Range::MoveStart(int32_t unit, int32_t count) {
  int64_t p = start_;
  const int32_t moved = MovePos(p, unit, count);
  start_ = p;
  if (end_ < start_) end_ = start_;
  return moved;
}

int32_t Range::MoveEnd(int32_t unit, int32_t count) {
  int64_t p = end_;
  const int32_t moved = MovePos(p, unit, count);
  end_ = std::min(p, GetStory().Length());
  if (start_ > end_) start_ = end_;
  return moved;
}

void Range::InsertBefore(const std::string& text) {
  Story& story = GetStory();
  const int64_t at = start_;
  const int64_t n = InsertText(story, at, text);
  start_ = at;
  if (n > 0 && end_ < at + n) end_ = at + n;
}

void Range::InsertAfter(const std::string& text) {
  Story& story = GetStory();
  const int64_t s = start_;
  int64_t at = end_;
  // A range that ends with a cell's end mark takes the text inside the cell; one that ends with
  // a table (its last end-of-row mark) takes it at the end of that row's last cell.
  if (at > s && story.CodeAt(at - 1) == kCellMark) {
    const Mark* m = CharMarkAt(story, at - 1);
    if (m && m->kind == MarkKind::CellEnd) at -= 1;
    if (m && m->kind == MarkKind::RowEnd)
      at = static_cast<Row*>(m->owner)->CellList().back()->EndMark();
  }
  at = std::min(at, story.Length() - 1);
  const int64_t n = InsertText(story, at, text);
  start_ = std::min(s, at);
  end_ = std::max(end_, at + n);
}

void Range::InsertParagraphAfter() {
  InsertAfter("\r");
}
void Range::InsertParagraphBefore() {
  InsertBefore("\r");
}

void Range::Delete() {
  Story& story = GetStory();
  if (start_ == end_) {
    const int64_t p = start_;
    if (p >= story.Length() - 1) return;
    const char32_t c = story.CodeAt(p);
    if (c == kCellMark) return;
    DeleteContent(story, p, p + 1);
    return;
  }
  DeleteContent(story, start_, end_);
  end_ = start_;
}

bool Range::InRange(const Range& other) const {
  GetStory();
  if (other.story_ != story_) return false;
  return other.start_ <= start_ && end_ <= other.end_;
}

bool Range::IsEqual(const Range& other) const {
  return other.story_ == story_ && other.start_ == start_ && other.end_ == end_;
}

void Range::Select() {
  Doc().Selection()->SelectText(Start(), End());
}

std::shared_ptr<Range> Range::Duplicate() const {
  return std::make_shared<Range>(DocPtr(), Start(), End());
}

std::shared_ptr<word::Paragraphs> Range::Paragraphs() {
  return std::make_shared<word::Paragraphs>(DocPtr(), Duplicate());
}

std::shared_ptr<word::Tables> Range::Tables() {
  return std::make_shared<word::Tables>(DocPtr(), Duplicate());
}

std::shared_ptr<word::InlineShapes> Range::InlineShapes() {
  return std::make_shared<word::InlineShapes>(DocPtr(), Duplicate());
}

std::shared_ptr<word::ShapeRange> Range::ShapeRange() {
  auto doc = DocPtr();
  std::vector<std::shared_ptr<Shape>> in;
  // The shapes anchored in the paragraphs the range touches.
  const int64_t from = ParagraphStart(*story_, start_);
  const int64_t to = start_ == end_ ? ParagraphEnd(*story_, start_) : end_;
  // The anchors in the stretch tell which shapes it holds, without a look at any other shape;
  // they are listed back to front, by their places in the z-order.
  std::vector<size_t> places;
  for (const Shape* s : doc->ShapesAnchoredIn(from, to))
    if (s->AnchorPos() < to) places.push_back(doc->ShapeIndex(s));
  std::sort(places.begin(), places.end());
  for (size_t i : places)
    if (i != SIZE_MAX) in.push_back(doc->ShapeList()[i]);
  return std::make_shared<word::ShapeRange>(std::move(in));
}

std::shared_ptr<word::Cells> Range::Cells() {
  Story& story = GetStory();
  Table* t = InnermostTableHolding(story, start_, end_);
  if (!t) throw automation::AutomationError(kErrNotInTable, "The selection is not in a table.");
  std::vector<std::shared_ptr<Cell>> cells;
  for (const auto& r : t->RowList())
    for (const auto& c : r->CellList()) {
      const int64_t cs = c->Start();
      const int64_t ce = c->EndMark() + 1;
      if ((cs < end_ && start_ < ce) || (start_ == end_ && cs <= start_ && start_ < ce))
        cells.push_back(c);
    }
  return std::make_shared<word::Cells>(std::move(cells));
}

std::shared_ptr<word::Rows> Range::Rows() {
  Story& story = GetStory();
  Table* t = InnermostTableHolding(story, start_, end_);
  if (!t) throw automation::AutomationError(kErrNotInTable, "The selection is not in a table.");
  std::vector<std::shared_ptr<Row>> rows;
  for (const auto& r : t->RowList()) {
    const int64_t rs = r->Start();
    const int64_t re = r->EndMark() + 1;
    if ((rs < end_ && start_ < re) || (start_ == end_ && rs <= start_ && start_ < re))
      rows.push_back(r);
  }
  return std::make_shared<word::Rows>(std::static_pointer_cast<Table>(t->shared_from_this()),
                                      std::move(rows));
}

Variant Range::Information(int32_t type) {
  Story& story = GetStory();
  auto pagesBefore = [&](int64_t pos) {
    int32_t n = 1;
    for (int64_t p = 0; p < pos && p < story.Length(); ++p)
      if (story.CodeAt(p) == kPageBreak) ++n;
    return n;
  };
  switch (type) {
    case wdWithInTable:
      return Variant(LocationAt(story, start_).table != nullptr);
    case wdActiveEndAdjustedPageNumber:
    case wdActiveEndPageNumber:
      return Variant(pagesBefore(end_));
    case wdNumberOfPagesInDocument:
      return Variant(pagesBefore(story.Length()));
    case wdStartOfRangeRowNumber:
    case wdEndOfRangeRowNumber:
    case wdStartOfRangeColumnNumber:
    case wdEndOfRangeColumnNumber: {
      const bool atStart = type == wdStartOfRangeRowNumber || type == wdStartOfRangeColumnNumber;
      const Location l = LocationAt(story, atStart ? start_ : std::max(start_, end_ - 1));
      if (!l.cell) return Variant(-1);
      const bool row = type == wdStartOfRangeRowNumber || type == wdEndOfRangeRowNumber;
      return Variant(row ? l.cell->RowIndex() : l.cell->ColumnIndex());
    }
    case wdMaximumNumberOfRows:
    case wdMaximumNumberOfColumns: {
      const Location l = LocationAt(story, start_);
      if (!l.table) return Variant(-1);
      if (type == wdMaximumNumberOfRows)
        return Variant::Long(static_cast<int64_t>(l.table->RowList().size()));
      size_t n = 0;
      for (const auto& r : l.table->RowList())
        n = std::max(n, r->CellList().size());
      return Variant::Long(static_cast<int64_t>(n));
    }
    default:
      RaiseInvalidCall();
  }
}

std::shared_ptr<word::ParagraphFormat> Range::ParagraphFormat() {
  auto self = std::static_pointer_cast<Range>(shared_from_this());
  auto span = [self]() {
    Story& s = self->GetStory();
    const int64_t a = ParagraphStart(s, self->start_);
    const int64_t b = ParagraphEnd(s, std::max(self->start_, self->end_ - 1));
    return std::make_pair(a, b);
  };
  ParaTarget t;
  t.read = [self, span]() {
    auto [a, b] = span();
    Story& s = self->GetStory();
    std::vector<ParaData> out;
    for (int64_t p = a; p < b; ++p)
      if (IsParagraphEnd(s.CodeAt(p))) out.push_back(s.Para(s.At(p).para));
    return out;
  };
  t.change = [self, span](const std::function<void(ParaData&)>& f) {
    auto [a, b] = span();
    self->GetStory().ChangePara(a, b, f);
  };
  return std::make_shared<word::ParagraphFormat>(std::move(t));
}

std::shared_ptr<word::Font> Range::Font() {
  auto self = std::static_pointer_cast<Range>(shared_from_this());
  FontTarget t;
  t.read = [self]() {
    Story& s = self->GetStory();
    std::vector<FontData> out;
    std::vector<uint16_t> seen;
    if (self->start_ == self->end_)
      return std::vector<FontData>{s.Font(s.Template(self->start_).font)};
    for (int64_t p = self->start_; p < self->end_; ++p) {
      const uint16_t f = s.At(p).font;
      if (std::find(seen.begin(), seen.end(), f) == seen.end()) {
        seen.push_back(f);
        out.push_back(s.Font(f));
      }
    }
    return out;
  };
  t.change = [self](const std::function<void(FontData&)>& f) {
    self->GetStory().ChangeFont(self->start_, self->end_, f);
  };
  return std::make_shared<word::Font>(std::move(t));
}

std::shared_ptr<word::Find> Range::Find() {
  return std::make_shared<word::Find>(std::static_pointer_cast<Range>(shared_from_this()));
}

int32_t Range::ComputeStatistics(int32_t statistic) const {
  const Story& s = GetStory();
  auto separates = [](char32_t c) {
    return c == U' ' || c == U'\t' || c == 0xA0 || IsParagraphEnd(c) || c == kPageBreak ||
           c == kLineBreak || c == kObjectChar || (c >= 0x2000 && c <= 0x200B) || c == 0x3000;
  };
  int32_t words = 0, chars = 0, paras = 0;
  bool inWord = false;
  for (int64_t p = start_; p < end_ && p < s.Length(); ++p) {
    const char32_t c = s.CodeAt(p);
    if (separates(c)) {
      inWord = false;
    } else {
      ++chars;
      if (!inWord) ++words;
      inWord = true;
    }
    if (c == kParagraphMark && p > 0 && !IsParagraphEnd(s.CodeAt(p - 1))) ++paras;
  }
  switch (statistic) {
    case wdStatisticWords:
      return words;
    case wdStatisticCharacters:
      return chars;
    case wdStatisticParagraphs:
      return paras;
    case wdStatisticLines:
      return paras;
    case wdStatisticPages: {
      int32_t pages = 1;
      for (int64_t p = 0; p < s.Length(); ++p)
        if (s.CodeAt(p) == kPageBreak) ++pages;
      return pages;
    }
    default:
      RaiseInvalidCall();
  }
}

const DispatchTable& Range::RangeMembers() const {
  static const DispatchTable table =
      ClassTable<Range>("Range")
          .Prop(
              "Start", [](Range& r) { return Variant::Long(r.Start()); },
              [](Range& r, const Variant& v) { r.SetStart(v.ToInt32()); })
          .Prop(
              "End", [](Range& r) { return Variant::Long(r.End()); },
              [](Range& r, const Variant& v) { r.SetEnd(v.ToInt32()); })
          .Prop(
              "Text", [](Range& r) { return r.Text(); },
              [](Range& r, const Variant& v) { r.SetText(v.ToText()); })
          .Sub("SetRange", [](Range& r, Args& a) { r.SetRange(a.Int(0), a.Int(1)); })
          .Sub("Collapse",
               [](Range& r, Args& a) { r.Collapse(a.Opt(0, Variant(wdCollapseStart)).ToInt32()); })
          .Method("Move",
                  [](Range& r, Args& a) {
                    return r.Move(a.Opt(0, Variant(wdCharacter)).ToInt32(),
                                  a.Opt(1, Variant(1)).ToInt32());
                  })
          .Method("MoveStart",
                  [](Range& r, Args& a) {
                    return r.MoveStart(a.Opt(0, Variant(wdCharacter)).ToInt32(),
                                       a.Opt(1, Variant(1)).ToInt32());
                  })
          .Method("MoveEnd",
                  [](Range& r, Args& a) {
                    return r.MoveEnd(a.Opt(0, Variant(wdCharacter)).ToInt32(),
                                     a.Opt(1, Variant(1)).ToInt32());
                  })
          .Sub("InsertBefore", [](Range& r, Args& a) { r.InsertBefore(a.Text(0)); })
          .Sub("InsertAfter", [](Range& r, Args& a) { r.InsertAfter(a.Text(0)); })
          .Sub("InsertParagraphAfter", [](Range& r, Args&) { r.InsertParagraphAfter(); })
          .Sub("InsertParagraphBefore", [](Range& r, Args&) { r.InsertParagraphBefore(); })
          .Sub("Delete", [](Range& r, Args&) { r.Delete(); })
          .Method("InRange",
                  [](Range& r, Args& a) {
                    auto other = std::dynamic_pointer_cast<Range>(a.Object(0));
                    if (!other) automation::Raise(automation::err::kTypeMismatch);
                    return r.InRange(*other);
                  })
          .Method("IsEqual",
                  [](Range& r, Args& a) {
                    auto other = std::dynamic_pointer_cast<Range>(a.Object(0));
                    return other && r.IsEqual(*other);
                  })
          .Sub("Select", [](Range& r, Args&) { r.Select(); })
          .Get("Duplicate", [](Range& r) { return r.Duplicate(); })
          .Get("Paragraphs", [](Range& r) { return r.Paragraphs(); })
          .Get("Tables", [](Range& r) { return r.Tables(); })
          .Get("InlineShapes", [](Range& r) { return r.InlineShapes(); })
          .Get("ShapeRange", [](Range& r) { return r.ShapeRange(); })
          .Get("Cells", [](Range& r) { return r.Cells(); })
          .Get("Rows", [](Range& r) { return r.Rows(); })
          .GetArgs("Information", [](Range& r, Args& a) { return r.Information(a.Int(0)); })
          .Get("ParagraphFormat", [](Range& r) { return r.ParagraphFormat(); })
          .Get("Font", [](Range& r) { return r.Font(); })
          .Get("Find", [](Range& r) { return r.Find(); })
          .Method("ComputeStatistics",
                  [](Range& r, Args& a) { return r.ComputeStatistics(a.Int(0)); })
          .Get("Document", [](Range& r) { return r.DocPtr(); })
          .Build();
  return table;
}

const DispatchTable& Range::Members() const {
  return RangeMembers();
}

}  // namespace qv::word
