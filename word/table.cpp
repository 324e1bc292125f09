#include "word/table.h"

#include <algorithm>
#include <cmath>

#include "word/document.h"
#include "word/errors.h"
#include "word/range.h"
#include "word/selection.h"
#include "word/structure.h"

namespace qv::word {

namespace {

bool DocumentGone(const std::weak_ptr<Document>& doc) {
  auto d = doc.lock();
  return !d || d->Closed();
}

template <class T>
int32_t IndexIn(const std::vector<std::shared_ptr<T>>& list, const T* item) {
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i].get() == item) return static_cast<int32_t>(i);
  RaiseDeleted();
}

}  // namespace

// ------------------------------------------------------------------------------------------ Cell

Cell::Cell(std::weak_ptr<Document> doc, std::weak_ptr<word::Row> row)
    : doc_(std::move(doc)), row_(std::move(row)) {}

void Cell::Check() const {
  if (deleted_ || DocumentGone(doc_)) RaiseDeleted();
}

void Cell::MarkRemoved() {
  deleted_ = true;
  if (auto r = row_.lock()) r->ForgetCell(this);
}

const StoryNode* Cell::StructuralParent() const {
  return row_.lock().get();
}

std::shared_ptr<word::Row> Cell::Row() const {
  Check();
  auto r = row_.lock();
  if (!r) RaiseDeleted();
  return r;
}

std::shared_ptr<word::Table> Cell::Table() const {
  return Row()->Table();
}

int64_t Cell::Start() const {
  auto r = Row();
  const int32_t i = IndexIn(r->cells_, this);
  return i > 0 ? r->cells_[static_cast<size_t>(i) - 1]->end_.Pos() + 1 : r->Start();
}

int64_t Cell::EndMark() const {
  Check();
  return end_.Pos();
}

std::shared_ptr<word::Range> Cell::Range() {
  Check();
  return doc_.lock()->Range(Start(), end_.Pos() + 1);
}

int32_t Cell::RowIndex() const {
  return Row()->Index();
}
int32_t Cell::ColumnIndex() const {
  return IndexIn(Row()->cells_, this) + 1;
}

const CellFormat& Cell::Fmt() const {
  Check();
  return fmt_;
}

CellFormat& Cell::MutableFmt() {
  Check();
  if (auto d = doc_.lock()) d->MarkChanged();
  return fmt_;
}

void Cell::SetWidth(double w) {
  CheckMeasurement(w);
  MutableFmt().width = w;
}

double Cell::Padding(PaddingSide side) const {
  const double own = Fmt().padding[side];
  return own >= 0 ? own : Table()->Fmt().padding[side];
}

void Cell::SetPadding(PaddingSide side, double v) {
  CheckMeasurement(v);
  MutableFmt().padding[side] = v;
}

std::shared_ptr<word::Shading> Cell::Shading() {
  Check();
  auto self = std::static_pointer_cast<Cell>(shared_from_this());
  return std::make_shared<word::Shading>(Binding<ShadingData>{
      self, [self]() -> ShadingData& { return self->MutableFmt().shading; }, [] {}});
}

std::shared_ptr<word::Borders> Cell::Borders() {
  Check();
  auto self = std::static_pointer_cast<Cell>(shared_from_this());
  return std::make_shared<word::Borders>(Binding<BorderData>{
      self, [self]() -> BorderData& { return self->MutableFmt().borders; }, [] {}});
}

double Cell::Height() const {
  return Row()->Height();
}
void Cell::SetHeight(double h) {
  Row()->SetHeight(h);
}
int32_t Cell::HeightRule() const {
  return Row()->HeightRule();
}
void Cell::SetHeightRule(int32_t r) {
  Row()->SetHeightRule(r);
}

void Cell::Merge(const std::shared_ptr<Cell>& other) {
  Check();
  if (!other || other->Deleted()) RaiseDeleted();
  auto r = Row();
  if (other->Row() != r) RaiseNotAvailable("cells of different rows cannot be merged here");
  const auto a = static_cast<size_t>(ColumnIndex() - 1);
  const auto b = static_cast<size_t>(other->ColumnIndex() - 1);
  r->MergeCells(std::min(a, b), std::max(a, b));
}

void Cell::Split(int32_t rows, int32_t columns) {
  Check();
  if (rows != 1 || columns < 1 || columns > 63)
    RaiseNotAvailable("only a split into one row of cells is supported");
  if (columns == 1) return;
  auto r = Row();
  if (r->cells_.size() + static_cast<size_t>(columns) - 1 > kMaxCellsInRow)
    RaiseNotAvailable("a row cannot have more than 63 cells");
  auto doc = doc_.lock();
  Story& story = doc->GetStory();
  Story::EditScope scope(story);
  const double width = fmt_.width / columns;
  fmt_.width = width;
  const int64_t at = end_.Pos() + 1;
  const Char format = story.At(end_.Pos());
  std::vector<Char> chars;
  std::vector<Mark*> marks;
  std::vector<std::shared_ptr<Cell>> made;
  for (int32_t i = 1; i < columns; ++i) {
    auto c = std::make_shared<Cell>(doc_, row_);
    c->fmt_ = fmt_;
    c->end_.Place(i - 1);
    chars.push_back(format);
    marks.push_back(&c->end_);
    made.push_back(c);
  }
  const auto index = static_cast<size_t>(ColumnIndex());
  r->cells_.insert(r->cells_.begin() + static_cast<std::ptrdiff_t>(index), made.begin(),
                   made.end());
  // In front of any table nested at the start of the next cell: it stays in that cell.
  story.Insert(InsertionPoint::InFrontOfMarks(at), chars, marks);
}

void Cell::Select() {
  Check();
  doc_.lock()->Selection()->SelectText(Start(), end_.Pos() + 1);
}

const DispatchTable& Cell::Members() const {
  auto padding = [](ClassTable<Cell>& t, const char* name, PaddingSide side) {
    t.Prop(
        name, [side](Cell& c) { return c.Padding(side); },
        [side](Cell& c, const Variant& v) { c.SetPadding(side, v.ToDouble()); });
  };
  static const DispatchTable table = [&] {
    ClassTable<Cell> t("Cell");
    t.Get("Range", [](Cell& c) { return c.Range(); })
        .Get("Tables",
             [](Cell& c) {
               c.Check();
               return std::make_shared<Tables>(
                   c.doc_, std::static_pointer_cast<Cell>(c.shared_from_this()));
             })
        .Get("RowIndex", [](Cell& c) { return c.RowIndex(); })
        .Get("ColumnIndex", [](Cell& c) { return c.ColumnIndex(); })
        .Prop(
            "Width", [](Cell& c) { return c.Width(); },
            [](Cell& c, const Variant& v) { c.SetWidth(v.ToDouble()); })
        .Sub("SetWidth", [](Cell& c, Args& a) { c.SetWidth(a.Double(0)); })
        .Prop(
            "Height", [](Cell& c) { return c.Height(); },
            [](Cell& c, const Variant& v) { c.SetHeight(v.ToDouble()); })
        .Prop(
            "HeightRule", [](Cell& c) { return c.HeightRule(); },
            [](Cell& c, const Variant& v) { c.SetHeightRule(v.ToInt32()); })
        .Prop(
            "VerticalAlignment", [](Cell& c) { return c.Fmt().verticalAlignment; },
            [](Cell& c, const Variant& v) { c.MutableFmt().verticalAlignment = v.ToInt32(); })
        .Get("Shading", [](Cell& c) { return c.Shading(); })
        .Get("Borders", [](Cell& c) { return c.Borders(); })
        .Sub("Merge",
             [](Cell& c, Args& a) { c.Merge(std::dynamic_pointer_cast<Cell>(a.Object(0))); })
        .Sub("Split",
             [](Cell& c, Args& a) {
               c.Split(a.Opt(0, Variant(1)).ToInt32(), a.Opt(1, Variant(1)).ToInt32());
             })
        .Sub("Select", [](Cell& c, Args&) { c.Select(); });
    padding(t, "TopPadding", kTop);
    padding(t, "BottomPadding", kBottom);
    padding(t, "LeftPadding", kLeft);
    padding(t, "RightPadding", kRight);
    return t.Build();
  }();
  return table;
}

// ------------------------------------------------------------------------------------------- Row

Row::Row(std::weak_ptr<Document> doc, std::weak_ptr<word::Table> table)
    : doc_(std::move(doc)), table_(std::move(table)) {}

void Row::Check() const {
  if (deleted_ || DocumentGone(doc_)) RaiseDeleted();
}

void Row::MarkRemoved() {
  deleted_ = true;
  if (auto t = table_.lock()) t->ForgetRow(this);
}

void Row::ForgetCell(const Cell* c) {
  std::erase_if(cells_, [c](const auto& p) { return p.get() == c; });
}

const StoryNode* Row::StructuralParent() const {
  return table_.lock().get();
}

std::shared_ptr<word::Table> Row::Table() const {
  Check();
  auto t = table_.lock();
  if (!t) RaiseDeleted();
  return t;
}

int32_t Row::Index() const {
  auto t = Table();
  return IndexIn(t->rows_, this) + 1;
}

int64_t Row::Start() const {
  auto t = Table();
  const int32_t i = IndexIn(t->rows_, this);
  return i > 0 ? t->rows_[static_cast<size_t>(i) - 1]->end_.Pos() + 1 : t->Start();
}

int64_t Row::EndMark() const {
  Check();
  return end_.Pos();
}

std::shared_ptr<word::Range> Row::Range() {
  Check();
  return doc_.lock()->Range(Start(), end_.Pos() + 1);
}

const std::vector<std::shared_ptr<Cell>>& Row::CellList() const {
  Check();
  return cells_;
}

std::shared_ptr<word::Cells> Row::Cells() {
  return std::make_shared<word::Cells>(CellList());
}

double Row::Height() const {
  Check();
  return height_;
}
void Row::SetHeight(double h) {
  Check();
  CheckMeasurement(h);
  height_ = h;
  if (heightRule_ == wdRowHeightAuto) heightRule_ = 1;  // wdRowHeightAtLeast, as the host does
  doc_.lock()->MarkChanged();
}
int32_t Row::HeightRule() const {
  Check();
  return heightRule_;
}
void Row::SetHeightRule(int32_t r) {
  Check();
  if (r < 0 || r > 2) RaiseInvalidCall();
  heightRule_ = r;
  doc_.lock()->MarkChanged();
}

void Row::MergeCells(size_t first, size_t last) {
  Check();
  if (last >= cells_.size() || first >= last) return;
  auto doc = doc_.lock();
  Story& story = doc->GetStory();
  Story::EditScope scope(story);
  auto keep = cells_[first];
  // Right to left, each cell absorbs its right neighbour: its end mark takes the neighbour's end
  // character, and the character it leaves becomes a paragraph mark between two non-empty
  // contents, or goes.
  for (size_t j = last; j > first; --j) {
    auto victim = cells_[j];
    auto left = cells_[j - 1];
    const int64_t leftEnd = left->end_.Pos();
    const bool rightEmpty = victim->Start() == victim->end_.Pos();
    const bool leftEmpty = left->Start() == leftEnd;
    // Tables nested in the victim now live in the cell that remains.
    for (size_t i = story.FirstMarkAt(leftEnd + 1);
         i < story.Marks().size() && story.Marks()[i]->Pos() < victim->end_.Pos(); ++i) {
      Mark* m = story.Marks()[i];
      if (m->kind != MarkKind::TableStart) continue;
      auto* t = static_cast<word::Table*>(m->owner);
      if (t->Container() == victim) t->SetContainer(keep);
    }
    story.DetachMark(&left->end_);
    story.ReplaceMark(&victim->end_, &left->end_);
    victim->end_.Place(-1);
    victim->deleted_ = true;
    left->fmt_.width += victim->fmt_.width;
    cells_.erase(cells_.begin() + static_cast<std::ptrdiff_t>(j));
    if (!rightEmpty && !leftEmpty) {
      Char para = story.At(leftEnd);
      para.cp = kParagraphMark;
      story.Remove(leftEnd, leftEnd + 1);
      // In front of the tables nested at the start of the absorbed cell's contents.
      story.Insert(InsertionPoint::InFrontOfMarks(leftEnd), {para});
    } else {
      story.Remove(leftEnd, leftEnd + 1);
    }
  }
  doc->MarkChanged();
}

void Row::Delete() {
  Check();
  auto t = Table();
  if (t->rows_.size() == 1) {
    t->Delete();
    return;
  }
  const int64_t from = Start();
  const int64_t to = end_.Pos() + 1;
  doc_.lock()->GetStory().Remove(from, to);
}

void Row::Select() {
  Check();
  doc_.lock()->Selection()->SelectText(Start(), end_.Pos() + 1);
}

const DispatchTable& Row::Members() const {
  static const DispatchTable table =
      ClassTable<Row>("Row")
          .Get("Range", [](Row& r) { return r.Range(); })
          .Get("Cells", [](Row& r) { return r.Cells(); })
          .Get("Index", [](Row& r) { return r.Index(); })
          .Prop(
              "Height", [](Row& r) { return r.Height(); },
              [](Row& r, const Variant& v) { r.SetHeight(v.ToDouble()); })
          .Prop(
              "HeightRule", [](Row& r) { return r.HeightRule(); },
              [](Row& r, const Variant& v) { r.SetHeightRule(v.ToInt32()); })
          .Get("Borders", [](Row& r) { return r.Table()->Borders(); })
          .Get("Shading", [](Row& r) { return r.Table()->Shading(); })
          .Sub("Delete", [](Row& r, Args&) { r.Delete(); })
          .Sub("Select", [](Row& r, Args&) { r.Select(); })
          .Build();
  return table;
}

// ----------------------------------------------------------------------------------------- Table

Table::Table(std::weak_ptr<Document> doc, std::weak_ptr<word::Cell> container)
    : doc_(std::move(doc)), container_(std::move(container)) {}

void Table::Check() const {
  if (deleted_ || DocumentGone(doc_)) RaiseDeleted();
}

void Table::MarkRemoved() {
  deleted_ = true;
  rows_.clear();
}

void Table::ForgetRow(const Row* r) {
  std::erase_if(rows_, [r](const auto& p) { return p.get() == r; });
}

int64_t Table::ExtentEnd() const {
  return rows_.empty() ? start_.Pos() : rows_.back()->end_.Pos();
}

Document& Table::Doc() const {
  Check();
  return *doc_.lock();
}

std::shared_ptr<Table> Table::Build(Document& doc, int64_t at, int32_t rows, int32_t columns,
                                    double cellWidth, const Char& format) {
  if (rows < 1 || columns < 1 || static_cast<size_t>(rows) > kMaxRows ||
      static_cast<size_t>(columns) > kMaxCellsInRow)
    RaiseInvalidCall();
  Story& story = doc.GetStory();
  if (const Mark* m = CharMarkAt(story, at); m && m->kind == MarkKind::RowEnd)
    RaiseNotAvailable("it is the end of a row");
  const Location where = LocationAt(story, at);
  if (where.table && where.table->NestingLevel() >= kMaxTableNesting) {
    const std::string why =
        "tables cannot be nested more than " + std::to_string(kMaxTableNesting) + " deep";
    RaiseNotAvailable(why.c_str());
  }
  std::weak_ptr<word::Cell> container;
  if (where.cell) container = std::static_pointer_cast<word::Cell>(where.cell->shared_from_this());
  auto table = std::make_shared<Table>(doc.Self(), container);
  std::vector<Char> chars;
  std::vector<Mark*> marks;
  table->start_.Place(0);
  marks.push_back(&table->start_);
  Char c = format;
  c.cp = kCellMark;
  for (int32_t r = 0; r < rows; ++r) {
    auto row = std::make_shared<Row>(doc.Self(), table);
    for (int32_t k = 0; k < columns; ++k) {
      auto cell = std::make_shared<word::Cell>(doc.Self(), row);
      cell->fmt_.width = cellWidth;
      cell->end_.Place(static_cast<int64_t>(chars.size()));
      chars.push_back(c);
      marks.push_back(&cell->end_);
      row->cells_.push_back(cell);
    }
    row->end_.Place(static_cast<int64_t>(chars.size()));
    chars.push_back(c);
    marks.push_back(&row->end_);
    table->rows_.push_back(row);
  }
  story.Own(table);
  story.Insert(at, chars, marks);
  return table;
}

int64_t Table::Start() const {
  Check();
  return start_.Pos();
}

int64_t Table::End() const {
  Check();
  return rows_.back()->end_.Pos() + 1;
}

std::shared_ptr<word::Range> Table::Range() {
  Check();
  return doc_.lock()->Range(Start(), End());
}

const std::vector<std::shared_ptr<Row>>& Table::RowList() const {
  Check();
  return rows_;
}

std::shared_ptr<word::Rows> Table::Rows() {
  Check();
  return std::make_shared<word::Rows>(std::static_pointer_cast<Table>(shared_from_this()));
}

std::shared_ptr<word::Cell> Table::Cell(int32_t row, int32_t column) {
  Check();
  if (row < 1 || static_cast<size_t>(row) > rows_.size()) RaiseNoItem();
  const auto& cells = rows_[static_cast<size_t>(row) - 1]->cells_;
  if (column < 1 || static_cast<size_t>(column) > cells.size()) RaiseNoItem();
  return cells[static_cast<size_t>(column) - 1];
}

int32_t Table::NestingLevel() const {
  Check();
  int32_t level = 1;
  for (auto t = EnclosingTable(); t; t = t->EnclosingTable())
    ++level;
  return level;
}

std::shared_ptr<Table> Table::EnclosingTable() const {
  Check();
  auto c = container_.lock();
  if (!c || c->Deleted()) return nullptr;
  return c->Table();
}

std::shared_ptr<Row> Table::InsertRow(size_t index, const Row& model) {
  Check();
  auto doc = doc_.lock();
  Story& story = doc->GetStory();
  Story::EditScope scope(story);
  if (rows_.size() >= kMaxRows) RaiseNotAvailable("a table cannot have more than 32767 rows");
  index = std::min(index, rows_.size());
  const int64_t at = index < rows_.size() ? rows_[index]->Start() : End();
  auto self = std::static_pointer_cast<Table>(shared_from_this());
  auto row = std::make_shared<word::Row>(doc_, self);
  row->height_ = model.height_;
  row->heightRule_ = model.heightRule_;
  std::vector<Char> chars;
  std::vector<Mark*> marks;
  for (const auto& mc : model.cells_) {
    auto cell = std::make_shared<word::Cell>(doc_, row);
    cell->fmt_ = mc->fmt_;
    cell->end_.Place(static_cast<int64_t>(chars.size()));
    chars.push_back(story.At(mc->end_.Pos()));
    marks.push_back(&cell->end_);
    row->cells_.push_back(cell);
  }
  row->end_.Place(static_cast<int64_t>(chars.size()));
  chars.push_back(story.At(model.end_.Pos()));
  marks.push_back(&row->end_);
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(index), row);
  // A new row goes in front of the tables nested at the start of the row it is put before (or of
  // a table that follows this one). A new first row goes inside the table: its start, and the
  // starts of the tables it is nested in, stay where they are.
  story.Insert(index == 0 ? InsertionPoint::Behind(start_) : InsertionPoint::InFrontOfMarks(at),
               chars, marks);
  return row;
}

void Table::Delete() {
  Check();
  const int64_t from = Start();
  const int64_t to = End();
  doc_.lock()->GetStory().Remove(from, to);
}

void Table::Select() {
  Check();
  doc_.lock()->Selection()->SelectText(Start(), End());
}

const TableFormat& Table::Fmt() const {
  Check();
  return fmt_;
}

TableFormat& Table::MutableFmt() {
  Check();
  doc_.lock()->MarkChanged();
  return fmt_;
}

std::shared_ptr<word::Borders> Table::Borders() {
  Check();
  auto self = std::static_pointer_cast<Table>(shared_from_this());
  return std::make_shared<word::Borders>(Binding<BorderData>{
      self, [self]() -> BorderData& { return self->MutableFmt().borders; }, [] {}});
}

std::shared_ptr<word::Shading> Table::Shading() {
  Check();
  auto self = std::static_pointer_cast<Table>(shared_from_this());
  return std::make_shared<word::Shading>(Binding<ShadingData>{
      self, [self]() -> ShadingData& { return self->MutableFmt().shading; }, [] {}});
}

void Table::AutoFitBehavior(int32_t behavior) {
  if (behavior < 0 || behavior > 2) RaiseInvalidCall();
  auto& f = MutableFmt();
  f.autoFitBehavior = behavior;
  f.allowAutoFit = behavior != 0;
  if (behavior == 2) {
    f.preferredWidthType = wdPreferredWidthPercent;
    f.preferredWidth = 100;
  }
}

const DispatchTable& Table::Members() const {
  auto padding = [](ClassTable<Table>& t, const char* name, PaddingSide side) {
    t.Prop(
        name, [side](Table& x) { return x.Fmt().padding[side]; },
        [side](Table& x, const Variant& v) {
          const double d = v.ToDouble();
          CheckMeasurement(d);
          x.MutableFmt().padding[side] = d;
        });
  };
  static const DispatchTable table = [&] {
    ClassTable<Table> t("Table");
    t.Get("Range", [](Table& x) { return x.Range(); })
        .Get("Rows", [](Table& x) { return x.Rows(); })
        .Get("Columns",
             [](Table& x) {
               return std::make_shared<word::Columns>(
                   std::static_pointer_cast<Table>(x.shared_from_this()));
             })
        .GetArgs("Cell", [](Table& x, Args& a) { return x.Cell(a.Int(0), a.Int(1)); })
        .Get("NestingLevel", [](Table& x) { return x.NestingLevel(); })
        .Get("Borders", [](Table& x) { return x.Borders(); })
        .Get("Shading", [](Table& x) { return x.Shading(); })
        .Prop(
            "AllowAutoFit", [](Table& x) { return x.Fmt().allowAutoFit; },
            [](Table& x, const Variant& v) { x.MutableFmt().allowAutoFit = v.ToBool(); })
        .Sub("AutoFitBehavior", [](Table& x, Args& a) { x.AutoFitBehavior(a.Int(0)); })
        .Prop(
            "PreferredWidth", [](Table& x) { return x.Fmt().preferredWidth; },
            [](Table& x, const Variant& v) { x.MutableFmt().preferredWidth = v.ToDouble(); })
        .Prop(
            "PreferredWidthType", [](Table& x) { return x.Fmt().preferredWidthType; },
            [](Table& x, const Variant& v) { x.MutableFmt().preferredWidthType = v.ToInt32(); })
        .Sub("Delete", [](Table& x, Args&) { x.Delete(); })
        .Sub("Select", [](Table& x, Args&) { x.Select(); });
    padding(t, "TopPadding", kTop);
    padding(t, "BottomPadding", kBottom);
    padding(t, "LeftPadding", kLeft);
    padding(t, "RightPadding", kRight);
    return t.Build();
  }();
  return table;
}

// ----------------------------------------------------------------------------------- collections

Tables::Tables(std::weak_ptr<Document> doc, std::shared_ptr<word::Range> scope)
    : doc_(std::move(doc)), scope_(std::move(scope)) {}

Tables::Tables(std::weak_ptr<Document> doc, std::shared_ptr<word::Cell> cell)
    : doc_(std::move(doc)), cell_(std::move(cell)) {}

namespace {

std::shared_ptr<Table> SharedTable(const Story& story, Table* t) {
  auto owned = story.Shared(t);
  return owned ? owned : std::static_pointer_cast<Table>(t->shared_from_this());
}

}  // namespace

const std::vector<std::shared_ptr<Table>>& Tables::List() {
  auto doc = doc_.lock();
  if (!doc) RaiseDeleted();
  Story& story = doc->GetStory();
  if (revision_ != story.Revision()) {
    cache_.clear();
    if (cell_ && cell_->Deleted()) RaiseDeleted();
    for (Table* t :
         cell_ ? TablesNestedIn(story, *cell_) : TablesIn(story, scope_->Start(), scope_->End()))
      cache_.push_back(SharedTable(story, t));
    revision_ = story.Revision();
  }
  return cache_;
}

int32_t Tables::Count() {
  return static_cast<int32_t>(List().size());
}

std::shared_ptr<Table> Tables::Item(int32_t index) {
  auto doc = doc_.lock();
  if (doc && !cell_ && index >= 1 && revision_ != doc->GetStory().Revision()) {
    // Not listed since the last edit: the walk goes no further than the table asked for, so the
    // first table of a large document is found at once.
    const Story& story = doc->GetStory();
    const auto first = TablesIn(story, scope_->Start(), scope_->End(), static_cast<size_t>(index));
    if (first.size() == static_cast<size_t>(index)) return SharedTable(story, first.back());
  }
  const auto& list = List();
  return list[CheckIndex(index, list.size())];
}

std::shared_ptr<Table> Tables::Add(const std::shared_ptr<word::Range>& at, int32_t rows,
                                   int32_t columns, int32_t defaultTableBehavior,
                                   int32_t autoFitBehavior) {
  if (!at) automation::Raise(automation::err::kObjectRequired);
  auto doc = at->DocPtr();
  Story& story = doc->GetStory();
  Story::EditScope scope(story);
  if (at->Start() != at->End()) at->Delete();
  int64_t pos = at->Start();
  const Location where = LocationAt(story, pos);
  // A table begins a paragraph: split the paragraph when the point is inside one.
  const bool atParagraphStart = pos == 0 || IsParagraphEnd(story.CodeAt(pos - 1)) ||
                                (where.cell && where.cell->Start() == pos);
  if (!atParagraphStart) {
    Range::InsertText(story, pos, "\r");
    pos += 1;
  }
  double width = doc->TextWidth();
  if (where.cell)
    width = where.cell->Width() - where.cell->Padding(kLeft) - where.cell->Padding(kRight);
  auto table =
      Table::Build(*doc, pos, rows, columns, std::max(0.0, width) / columns, story.Template(pos));
  auto& f = table->MutableFmt();
  f.tableBehavior = defaultTableBehavior;
  if (defaultTableBehavior == 1) {
    // wdWord9TableBehavior: a grid of single lines that fits itself.
    f.borders.SetAll(wdLineStyleSingle);
    f.allowAutoFit = true;
  }
  if (autoFitBehavior != 0) table->AutoFitBehavior(autoFitBehavior);
  // The range now covers the table, which is therefore the first table of that range.
  at->SetRange(table->Start(), table->End());
  return table;
}

const DispatchTable& Tables::Members() const {
  static const DispatchTable table =
      ClassTable<Tables>("Tables")
          .Collection()
          .Method("Add",
                  [](Tables& t, Args& a) {
                    return t.Add(std::dynamic_pointer_cast<word::Range>(a.Object(0)), a.Int(1),
                                 a.Int(2), a.Opt(3, Variant(0)).ToInt32(),
                                 a.Opt(4, Variant(0)).ToInt32());
                  })
          .Build();
  return table;
}

std::vector<std::shared_ptr<Row>> Rows::List() const {
  return isSubset_ ? subset_ : table_->RowList();
}

int32_t Rows::Count() const {
  return static_cast<int32_t>(List().size());
}

std::shared_ptr<Row> Rows::Item(int32_t index) const {
  const auto list = List();
  return list[CheckIndex(index, list.size())];
}

std::shared_ptr<Row> Rows::Add() {
  const auto& rows = table_->RowList();
  return table_->InsertRow(rows.size(), *rows.back());
}

void Rows::SetHeightRule(int32_t r) {
  for (const auto& row : List())
    row->SetHeightRule(r);
}

void Rows::SetHeight(double h) {
  for (const auto& row : List())
    row->SetHeight(h);
}

const DispatchTable& Rows::Members() const {
  static const DispatchTable table =
      ClassTable<Rows>("Rows")
          .Collection()
          .Method("Add", [](Rows& r, Args&) { return r.Add(); })
          .Get("First", [](Rows& r) { return r.Item(1); })
          .Get("Last", [](Rows& r) { return r.Item(r.Count()); })
          .Get("Borders", [](Rows& r) { return r.Borders(); })
          .Prop(
              "HeightRule", [](Rows& r) { return r.Item(1)->HeightRule(); },
              [](Rows& r, const Variant& v) { r.SetHeightRule(v.ToInt32()); })
          .Prop(
              "Height", [](Rows& r) { return r.Item(1)->Height(); },
              [](Rows& r, const Variant& v) { r.SetHeight(v.ToDouble()); })
          .Sub("Delete",
               [](Rows& r, Args&) {
                 for (const auto& row : r.List())
                   if (!row->Deleted()) row->Delete();
               })
          .Build();
  return table;
}

std::shared_ptr<Cell> Cells::Item(int32_t index) const {
  return cells_[CheckIndex(index, cells_.size())];
}

void Cells::Merge() {
  if (cells_.size() < 2) return;
  auto row = cells_.front()->Row();
  for (const auto& c : cells_)
    if (c->Row() != row) RaiseNotAvailable("cells of different rows cannot be merged here");
  const auto a = static_cast<size_t>(cells_.front()->ColumnIndex() - 1);
  const auto b = static_cast<size_t>(cells_.back()->ColumnIndex() - 1);
  row->MergeCells(a, b);
  cells_.resize(1);
}

void Cells::Split(int32_t rows, int32_t columns) {
  if (cells_.size() != 1) RaiseNotAvailable("only one cell can be split at a time");
  cells_.front()->Split(rows, columns);
}

void Cells::SetWidth(double w) {
  for (const auto& c : cells_)
    c->SetWidth(w);
}

std::shared_ptr<word::Shading> Cells::Shading() {
  if (cells_.empty()) RaiseNoItem();
  return cells_.front()->Shading();
}

std::shared_ptr<word::Borders> Cells::Borders() {
  if (cells_.empty()) RaiseNoItem();
  return cells_.front()->Borders();
}

const DispatchTable& Cells::Members() const {
  static const DispatchTable table =
      ClassTable<Cells>("Cells")
          .Collection()
          .Sub("Merge", [](Cells& c, Args&) { c.Merge(); })
          .Sub("Split",
               [](Cells& c, Args& a) {
                 c.Split(a.Opt(0, Variant(1)).ToInt32(), a.Opt(1, Variant(1)).ToInt32());
               })
          .Prop(
              "Width", [](Cells& c) { return c.Item(1)->Width(); },
              [](Cells& c, const Variant& v) { c.SetWidth(v.ToDouble()); })
          .Sub("SetWidth", [](Cells& c, Args& a) { c.SetWidth(a.Double(0)); })
          .Get("Shading", [](Cells& c) { return c.Shading(); })
          .Get("Borders", [](Cells& c) { return c.Borders(); })
          .Prop(
              "VerticalAlignment", [](Cells& c) { return c.Item(1)->Fmt().verticalAlignment; },
              [](Cells& c, const Variant& v) {
                for (int32_t i = 1; i <= c.Count(); ++i)
                  c.Item(i)->MutableFmt().verticalAlignment = v.ToInt32();
              })
          .Build();
  return table;
}

double Column::Width() const {
  for (const auto& r : table_->RowList())
    if (index_ < r->CellList().size()) return r->CellList()[index_]->Width();
  RaiseNoItem();
}

void Column::SetWidth(double w) {
  for (const auto& r : table_->RowList())
    if (index_ < r->CellList().size()) r->CellList()[index_]->SetWidth(w);
}

std::shared_ptr<word::Cells> Column::Cells() const {
  std::vector<std::shared_ptr<Cell>> cells;
  for (const auto& r : table_->RowList())
    if (index_ < r->CellList().size()) cells.push_back(r->CellList()[index_]);
  return std::make_shared<word::Cells>(std::move(cells));
}

const DispatchTable& Column::Members() const {
  static const DispatchTable table =
      ClassTable<Column>("Column")
          .Prop(
              "Width", [](Column& c) { return c.Width(); },
              [](Column& c, const Variant& v) { c.SetWidth(v.ToDouble()); })
          .Sub("SetWidth", [](Column& c, Args& a) { c.SetWidth(a.Double(0)); })
          .Get("Cells", [](Column& c) { return c.Cells(); })
          .Build();
  return table;
}

int32_t Columns::Count() const {
  size_t n = 0;
  for (const auto& r : table_->RowList())
    n = std::max(n, r->CellList().size());
  return static_cast<int32_t>(n);
}

std::shared_ptr<Column> Columns::Item(int32_t index) const {
  const size_t i = CheckIndex(index, static_cast<size_t>(Count()));
  return std::make_shared<Column>(table_, i);
}

const DispatchTable& Columns::Members() const {
  static const DispatchTable table = ClassTable<Columns>("Columns").Collection().Build();
  return table;
}

}  // namespace qv::word
