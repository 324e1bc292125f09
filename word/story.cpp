#include "word/story.h"

#include <algorithm>
#include <stdexcept>

#include "automation/text/utf8.h"

namespace qv::word {

int64_t MapPosition(int64_t pos, const Edit& e, Bias bias) {
  if (e.removed > 0) {
    if (pos <= e.at) return pos;
    if (pos < e.at + e.removed) return e.at;
    return pos - e.removed + e.inserted;
  }
  if (pos < e.at) return pos;
  if (pos == e.at && bias == Bias::Stay) return pos;
  return pos + e.inserted;
}

Story::Story() {
  fonts_.Intern(FontData{});
  paras_.Intern(ParaData{});
  chars_.push_back(Char{kParagraphMark, 0, 0});
}

Story::~Story() {
  for (auto* t : std::vector<PositionTracker*>(trackers_.begin(), trackers_.end())) {
    t->trackerSlot_ = SIZE_MAX;
    t->StoryGone();
  }
  trackers_.clear();
  std::vector<std::shared_ptr<void>> alive;
  for (auto* m : marks_)
    if (m->owner) alive.push_back(m->owner->KeepAlive());
  // The marks keep the positions they have now: their nodes may outlive the story.
  const auto marks = marks_.Release();
  for (auto* m : marks)
    if (m->owner) m->owner->MarkRemoved();
  // A shape still anchored here (its document normally lets its shapes go first) forgets it.
  const auto anchors = anchors_.Release();
  for (auto* m : anchors)
    if (m->owner) m->owner->MarkRemoved();
  owned_.clear();
}

std::string Story::Text(int64_t from, int64_t to) const {
  std::string out;
  from = std::max<int64_t>(0, from);
  to = std::min(to, Length());
  for (int64_t p = from; p < to; ++p) {
    const char32_t c = chars_[static_cast<size_t>(p)].cp;
    if (c == kCellMark) {
      out += "\r\a";
    } else {
      text::AppendUtf8(out, c);
    }
  }
  return out;
}

std::u32string Story::Codes(int64_t from, int64_t to) const {
  std::u32string out;
  for (int64_t p = std::max<int64_t>(0, from); p < std::min(to, Length()); ++p)
    out.push_back(chars_[static_cast<size_t>(p)].cp);
  return out;
}

Char Story::Template(int64_t at) const {
  if (at > 0 && at <= Length()) {
    const Char& before = chars_[static_cast<size_t>(at - 1)];
    if (before.cp != kParagraphMark && before.cp != kCellMark) {
      // Inside a paragraph: the text before decides, the paragraph mark keeps its format.
      Char c = before;
      if (at < Length()) c.para = chars_[static_cast<size_t>(at)].para;
      return c;
    }
  }
  if (at < Length()) return chars_[static_cast<size_t>(at)];
  return chars_.back();
}

uint16_t Story::Intern(const FontData& f) {
  return fonts_.Intern(f);
}

uint16_t Story::Intern(const ParaData& p) {
  return paras_.Intern(p);
}

void Story::AddMark(Mark* m) {
  const int64_t pos = m->Pos();
  size_t i = FirstMarkAt(pos);
  while (i < marks_.size() && marks_[i]->Pos() == pos &&
         (marks_[i]->ZeroWidth() || !m->ZeroWidth()))
    ++i;
  marks_.Insert(i, m);
}

void Story::Register(PositionTracker* t) {
  if (t->trackerSlot_ != SIZE_MAX) return;
  t->trackerSlot_ = trackers_.size();
  trackers_.push_back(t);
}

void Story::Unregister(PositionTracker* t) {
  const size_t slot = t->trackerSlot_;
  if (slot >= trackers_.size() || trackers_[slot] != t) return;
  trackers_[slot] = trackers_.back();
  trackers_[slot]->trackerSlot_ = slot;
  trackers_.pop_back();
  t->trackerSlot_ = SIZE_MAX;
}

void Story::AddAnchor(Mark* m) {
  anchors_.Insert(anchors_.FirstAt(m->Pos() + 1), m);
}

void Story::RemoveAnchor(Mark* m) {
  const size_t i = anchors_.IndexOf(m);
  anchors_.Erase(i, i + 1);
}

void Story::DetachMark(Mark* m) {
  const size_t i = IndexOf(m);
  marks_.Erase(i, i + 1);
}

void Story::ReplaceMark(Mark* old, Mark* replacement) {
  marks_.Replace(IndexOf(old), replacement);
}

void Story::Own(std::shared_ptr<StoryNode> node) {
  if (Owns(node.get())) return;
  node->ownedSlot_ = owned_.size();
  owned_.push_back(std::move(node));
}

std::shared_ptr<StoryNode> Story::Disown(StoryNode* node) {
  if (!Owns(node)) return nullptr;
  const size_t slot = node->ownedSlot_;
  auto keep = std::move(owned_[slot]);
  if (slot + 1 < owned_.size()) {
    owned_[slot] = std::move(owned_.back());
    owned_[slot]->ownedSlot_ = slot;
  }
  owned_.pop_back();
  node->ownedSlot_ = SIZE_MAX;
  return keep;
}

void Story::Touch() {
  ++revision_;
  if (listener_) listener_->Changed();
}

size_t Story::Slot(const InsertionPoint& where) const {
  const int64_t at = where.at_;
  switch (where.rule_) {
    case InsertionPoint::Rule::InFront:
      return FirstMarkAt(at);
    case InsertionPoint::Rule::Behind:
      return IndexOf(where.mark_) + 1;
    case InsertionPoint::Rule::ByGravity:
      break;
  }
  size_t i = FirstMarkAt(at);
  while (i < marks_.size() && marks_[i]->Pos() == at && marks_[i]->gravity == Bias::Stay)
    ++i;
  return i;
}

void Story::AdjustPositions(const Edit& edit, size_t slot) {
  // The marks from `slot` on are those at or after the change: with the gap in front of them they
  // follow the new length of the text, the marks in front of the gap stay.
  marks_.MoveGap(slot);
  marks_.SetTextLength(marks_.TextLength() + edit.inserted - edit.removed);
  AdjustAnchors(edit);
  // Adjusting a tracker registers or unregisters none, so the list is walked as it is (by index,
  // so that even a tracker registered meanwhile could not leave the walk on a freed list).
  for (size_t i = 0; i < trackers_.size(); ++i)
    trackers_[i]->Adjust(edit);
}

void Story::AdjustAnchors(const Edit& edit) {
  // Anchors exactly at an insertion point move after the new text; those inside a removed span
  // collapse to its start; those after the change follow the length of the text from behind the
  // gap, which goes to the first anchor that moves.
  const int64_t at = edit.at;
  const size_t first = anchors_.FirstAt(edit.removed > 0 ? at + 1 : at);
  const size_t last = edit.removed > 0 ? anchors_.FirstAt(at + edit.removed) : first;
  if (first == last) {
    anchors_.MoveGap(first);
    anchors_.SetTextLength(anchors_.TextLength() + edit.inserted - edit.removed);
    return;
  }
  std::vector<Mark*> collapsed;
  collapsed.reserve(last - first);
  for (size_t i = first; i < last; ++i)
    collapsed.push_back(anchors_[i]);
  anchors_.Erase(first, last);
  anchors_.SetTextLength(anchors_.TextLength() + edit.inserted - edit.removed);
  for (size_t k = 0; k < collapsed.size(); ++k) {
    collapsed[k]->Place(at);
    anchors_.Insert(first + k, collapsed[k]);
  }
}

Story::EditScope::~EditScope() noexcept(false) {
  if (--s_.editDepth_ > 0 || std::uncaught_exceptions() > 0 || !s_.checkAfterEdits_) return;
#ifndef NDEBUG
  // Our own edits must leave a story that the grammar accepts; a failure here is a fault of the
  // edit, caught where it happens instead of in a file that can no longer be opened.
  try {
    s_.CheckInvariants();
  } catch (const std::logic_error& e) {
    throw std::logic_error(std::string("an edit broke the story: ") + e.what());
  }
#endif
}

void Story::Insert(InsertionPoint where, const std::vector<Char>& chars,
                   const std::vector<Mark*>& marks) {
  if (chars.empty()) return;
  EditScope scope(*this);
  const int64_t at = where.at_;
  // Nothing goes after the final paragraph mark: the story always ends with one.
  if (at < 0 || at >= Length()) throw std::out_of_range("insertion outside the story");
  const auto n = static_cast<int64_t>(chars.size());
  const size_t slot = Slot(where);
  chars_.insert(static_cast<size_t>(at), chars.begin(), chars.end());
  AdjustPositions(Edit{at, 0, n}, slot);
  size_t i = slot;
  for (Mark* m : marks) {
    m->Place(m->Pos() + at);
    marks_.Insert(i++, m);
  }
  Touch();
}

void Story::Remove(int64_t from, int64_t to) {
  from = std::max<int64_t>(0, from);
  to = std::min(to, Length());
  if (to <= from) return;
  EditScope scope(*this);
  if (listener_) listener_->BeforeRemove(from, to);
  std::vector<Mark*> doomed;
  std::vector<Mark*> kept;
  const size_t first = FirstMarkAt(from);
  size_t last = first;
  for (; last < marks_.size() && marks_[last]->Pos() < to; ++last) {
    Mark* m = marks_[last];
    if (m->ZeroWidth() && m->owner && m->owner->ExtentEnd() >= to) {
      kept.push_back(m);  // a table whose first cell loses text, not the table itself
    } else {
      doomed.push_back(m);
    }
  }
  marks_.Erase(first, last);
  for (size_t k = 0; k < kept.size(); ++k) {
    kept[k]->Place(from);
    marks_.Insert(first + k, kept[k]);
  }
  chars_.erase(static_cast<size_t>(from), static_cast<size_t>(to));
  AdjustPositions(Edit{from, to - from, 0}, first + kept.size());
  std::vector<std::shared_ptr<void>> alive;
  for (Mark* m : doomed)
    if (m->owner) alive.push_back(m->owner->KeepAlive());
  for (Mark* m : doomed) {
    m->Place(-1);
    if (m->owner) {
      m->owner->MarkRemoved();
      Disown(m->owner);
    }
  }
  Touch();
}

bool Story::TableStartsAt(int64_t pos) const {
  const size_t i = FirstMarkAt(pos);
  return i < marks_.size() && marks_[i]->Pos() == pos && marks_[i]->kind == MarkKind::TableStart;
}

bool Story::KeepsParagraphMark(int64_t pos) const {
  return CodeAt(pos) == kParagraphMark && (pos == Length() - 1 || TableStartsAt(pos + 1));
}

void Story::DeleteText(int64_t from, int64_t to) {
  EditScope scope(*this);
  from = std::max<int64_t>(0, from);
  to = std::min(to, Length() - 1);  // the final paragraph mark stays
  // From the end back, so that the positions still to visit do not move.
  int64_t p = to;
  while (p > from) {
    const char32_t c = CodeAt(p - 1);
    if (c == kCellMark) {
      const Mark* m = nullptr;
      for (size_t i = FirstMarkAt(p - 1); i < marks_.size() && marks_[i]->Pos() == p - 1; ++i)
        if (!marks_[i]->ZeroWidth()) m = marks_[i];
      const StoryNode* table =
          m && m->kind == MarkKind::RowEnd ? m->owner->StructuralParent() : nullptr;
      if (table && table->ExtentEnd() == p - 1 && table->ExtentStart() >= from) {
        // A whole table inside the range goes as one node.
        const int64_t start = table->ExtentStart();
        Remove(start, p);
        p = start;
        continue;
      }
      --p;  // a mark of a cell or row whose table is only partly covered stays
      continue;
    }
    // The paragraph mark in front of a table stays: the table would have no block to begin.
    if (KeepsParagraphMark(p - 1)) {
      --p;
      continue;
    }
    int64_t q = p - 1;
    while (q > from && CodeAt(q - 1) != kCellMark && !TableStartsAt(q))
      --q;
    Remove(q, p);
    p = q;
  }
}

void Story::LoadMarks(std::vector<Mark*> marks) {
  std::stable_sort(marks.begin(), marks.end(), [](const Mark* a, const Mark* b) {
    if (a->Pos() != b->Pos()) return a->Pos() < b->Pos();
    return a->ZeroWidth() && !b->ZeroWidth();
  });
  marks_.Assign(std::move(marks));
}

void Story::Load(std::vector<Char> chars, std::vector<FontData> fonts,
                 std::vector<ParaData> paras) {
  chars_ = GapBuffer<Char>(std::move(chars));
  marks_.SetTextLength(Length());
  anchors_.SetTextLength(Length());
  fonts_.Assign(std::move(fonts));
  paras_.Assign(std::move(paras));
  Touch();
}

namespace {

// A recursive-descent reading of the grammar at the top of story.h over the characters and marks.
// The recursion follows the nesting of tables, which is checked against kMaxTableNesting before
// each step down, so no story can take the check deeper than that.
class GrammarCheck {
 public:
  explicit GrammarCheck(const Story& s) : s_(s), marks_(s.Marks()) {}

  void Run() {
    const int64_t len = s_.Length();
    if (len == 0 || s_.CodeAt(len - 1) != kParagraphMark)
      Fail("the story does not end with a paragraph mark");
    for (size_t i = 0; i < marks_.size(); ++i) {
      const Mark* b = marks_[i];
      if (!b->owner) Fail("a mark without its node at " + std::to_string(b->Pos()));
      if (b->Pos() < 0 || b->Pos() >= len)
        Fail("a mark outside the text at " + std::to_string(b->Pos()));
      if (i == 0) continue;
      const Mark* a = marks_[i - 1];
      if (a->Pos() > b->Pos() || (a->Pos() == b->Pos() && !a->ZeroWidth()))
        Fail("marks out of order at " + std::to_string(b->Pos()));
    }
    for (int64_t p = 0; p < len; ++p) {
      const Char& c = s_.At(p);
      if (c.font >= s_.Fonts().size() || c.para >= s_.Paras().size())
        Fail("formatting index out of range at " + std::to_string(p));
    }
    Container(nullptr, 0);
    if (pos_ != len) Fail("end-of-cell mark outside a table at " + std::to_string(pos_));
    if (mi_ != marks_.size()) Fail("mark left over at " + std::to_string(marks_[mi_]->Pos()));
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const { throw std::logic_error(what); }

  const Mark* MarkHere() const {
    return mi_ < marks_.size() && marks_[mi_]->Pos() == pos_ ? marks_[mi_] : nullptr;
  }

  // The blocks of the main text (cell == nullptr) or of one cell, up to the cell's end mark.
  void Container(const StoryNode* cell, int depth) {
    while (pos_ < s_.Length()) {
      const Mark* m = MarkHere();
      if (m && m->kind == MarkKind::TableStart) {
        if (pos_ > 0 && s_.CodeAt(pos_ - 1) != kParagraphMark && s_.CodeAt(pos_ - 1) != kCellMark)
          Fail("a table begins inside a paragraph at " + Here());
        if (m->owner->Holder() != cell) Fail("a table in a cell it does not know at " + Here());
        if (depth + 1 > kMaxTableNesting)
          Fail("tables nested deeper than " + std::to_string(kMaxTableNesting) + " at " + Here());
        Table(depth + 1);
        continue;
      }
      const char32_t c = s_.CodeAt(pos_);
      if (c == kCellMark) {
        if (!cell) Fail("end-of-cell mark outside a table at " + Here());
        return;
      }
      if (c == kObjectChar) {
        if (!m || m->kind != MarkKind::Object) Fail("object without its node at " + Here());
        ++mi_;
      } else if (m) {
        Fail("mark on an ordinary character at " + Here());
      }
      ++pos_;
    }
    if (cell) Fail("cell not closed at the end of the story");
  }

  void Table(int depth) {
    const StoryNode* table = marks_[mi_]->owner;
    ++mi_;
    size_t rows = 0;
    while (true) {
      const StoryNode* row = table->Child(rows);
      if (!row) Fail("a row its table does not know at " + Here());
      size_t cells = 0;
      while (true) {
        const StoryNode* cell = row->Child(cells);
        if (!cell) Fail("a cell its row does not know at " + Here());
        Container(cell, depth);
        const Mark* m = MarkHere();
        if (!m || m->kind != MarkKind::CellEnd || m->owner != cell)
          Fail("end-of-cell mark without its cell at " + Here());
        if (cell->StructuralParent() != row || row->StructuralParent() != table)
          Fail("cell outside its row at " + Here());
        ++cells;
        ++pos_;
        ++mi_;
        const Mark* r = MarkHere();
        if (r && r->kind == MarkKind::RowEnd) {
          if (r->owner != row) Fail("end-of-row mark of another row at " + Here());
          if (s_.CodeAt(pos_) != kCellMark)
            Fail("end-of-row mark on another character at " + Here());
          if (cells != row->ChildCount()) Fail("row has cells it does not know at " + Here());
          ++pos_;
          ++mi_;
          break;
        }
        if (pos_ >= s_.Length()) Fail("row not closed at the end of the story");
      }
      ++rows;
      if (rows == table->ChildCount()) break;
      if (pos_ >= s_.Length()) Fail("table ends before its last row");
    }
    if (table->ExtentEnd() != pos_ - 1 || table->ExtentStart() > pos_)
      Fail("table end out of place at " + Here());
  }

  std::string Here() const { return std::to_string(pos_); }

  const Story& s_;
  const MarkList& marks_;
  int64_t pos_ = 0;
  size_t mi_ = 0;
};

}  // namespace

void Story::CheckInvariants() const {
  GrammarCheck(*this).Run();
}

}  // namespace qv::word
