#pragma once
// Tables, rows and cells: objects with identity. Each holds the mark of its own end character
// (a table: the zero-width mark where its first cell begins), so its position is always current
// and a table held across edits still answers. Once its text is removed every member raises
// "Object has been deleted.".

#include <memory>
#include <vector>

#include "automation/dispatch.h"
#include "word/formatting.h"
#include "word/story.h"

namespace qv::word {

class Document;
class Range;
class Row;
class Table;
class Cells;
class Rows;

// A table holds at most kMaxRows rows and a row at most kMaxCellsInRow cells, whatever edit made
// them, so that every saved table opens again.
inline constexpr size_t kMaxRows = 32767;
inline constexpr size_t kMaxCellsInRow = 63;

// Padding indexes.
enum PaddingSide { kTop = 0, kBottom = 1, kLeft = 2, kRight = 3 };

// wdRowHeightAuto 0, wdRowHeightAtLeast 1, wdRowHeightExactly 2.
inline constexpr int32_t wdRowHeightAuto = 0;
inline constexpr int32_t wdRowHeightExactly = 2;
// wdPreferredWidthAuto 1, Percent 2, Points 3.
inline constexpr int32_t wdPreferredWidthAuto = 1;
inline constexpr int32_t wdPreferredWidthPercent = 2;
inline constexpr int32_t wdPreferredWidthPoints = 3;
// Tables.Add's default behaviour (wdWord9TableBehavior 1: single lines, fits itself) and
// AutoFitBehavior (wdAutoFitFixed 0, Content 1, Window 2).
inline constexpr int32_t wdWord9TableBehavior = 1;
inline constexpr int32_t wdAutoFitFixed = 0;
inline constexpr int32_t wdAutoFitWindow = 2;

struct CellFormat {
  double width = 0;
  // A negative padding means "as the table's default".
  std::array<double, 4> padding{-1, -1, -1, -1};
  ShadingData shading;
  BorderData borders;
  int32_t verticalAlignment = 0;
  friend bool operator==(const CellFormat&, const CellFormat&) = default;
};

struct TableFormat {
  std::array<double, 4> padding{0, 0, 5.4, 5.4};
  BorderData borders;
  ShadingData shading;
  bool allowAutoFit = false;
  int32_t autoFitBehavior = 0;  // wdAutoFitFixed 0, Content 1, Window 2
  double preferredWidth = 0;
  int32_t preferredWidthType = wdPreferredWidthAuto;
  int32_t tableBehavior = 0;
  friend bool operator==(const TableFormat&, const TableFormat&) = default;
};

class Cell : public Dispatch, public StoryNode {
 public:
  Cell(std::weak_ptr<Document> doc, std::weak_ptr<Row> row);
  const DispatchTable& Members() const override;

  // StoryNode
  void MarkRemoved() override;
  std::shared_ptr<void> KeepAlive() override { return shared_from_this(); }
  int64_t ExtentEnd() const override { return end_.Pos(); }
  const StoryNode* StructuralParent() const override;

  bool Deleted() const { return deleted_; }
  int64_t Start() const;
  int64_t EndMark() const;  // position of the end-of-cell mark
  std::shared_ptr<word::Range> Range();
  std::shared_ptr<word::Row> Row() const;
  std::shared_ptr<word::Table> Table() const;
  int32_t RowIndex() const;
  int32_t ColumnIndex() const;

  double Width() const { return Fmt().width; }
  void SetWidth(double w);
  double Padding(PaddingSide side) const;
  void SetPadding(PaddingSide side, double v);
  std::shared_ptr<word::Shading> Shading();
  std::shared_ptr<word::Borders> Borders();
  double Height() const;
  void SetHeight(double h);
  int32_t HeightRule() const;
  void SetHeightRule(int32_t r);
  // Merges this cell with `other`, a later cell of the same row, and every cell between.
  void Merge(const std::shared_ptr<Cell>& other);
  // Splits the cell into one row of `columns` cells sharing its width.
  void Split(int32_t rows, int32_t columns);
  void Select();

  const CellFormat& Fmt() const;
  CellFormat& MutableFmt();
  Mark* EndMarkPtr() { return &end_; }

 private:
  friend class Row;
  friend class Table;
  void Check() const;

  std::weak_ptr<Document> doc_;
  std::weak_ptr<word::Row> row_;
  Mark end_{-1, MarkKind::CellEnd, this};
  CellFormat fmt_;
  bool deleted_ = false;
};

class Row : public Dispatch, public StoryNode {
 public:
  Row(std::weak_ptr<Document> doc, std::weak_ptr<word::Table> table);
  const DispatchTable& Members() const override;

  void MarkRemoved() override;
  std::shared_ptr<void> KeepAlive() override { return shared_from_this(); }
  int64_t ExtentEnd() const override { return end_.Pos(); }
  const StoryNode* StructuralParent() const override;
  size_t ChildCount() const override { return cells_.size(); }
  const StoryNode* Child(size_t i) const override {
    return i < cells_.size() ? cells_[i].get() : nullptr;
  }

  bool Deleted() const { return deleted_; }
  int64_t Start() const;
  int64_t EndMark() const;
  std::shared_ptr<word::Range> Range();
  std::shared_ptr<word::Table> Table() const;
  int32_t Index() const;
  const std::vector<std::shared_ptr<Cell>>& CellList() const;
  std::shared_ptr<word::Cells> Cells();
  double Height() const;
  void SetHeight(double h);
  int32_t HeightRule() const;
  void SetHeightRule(int32_t r);
  // Merges all cells of the row into the first one.
  void MergeCells(size_t first, size_t last);
  void Delete();
  void Select();
  Mark* EndMarkPtr() { return &end_; }
  // Puts back stored formatting without marking the document changed (the file reader).
  void Restore(double height, int32_t heightRule) {
    height_ = height;
    heightRule_ = heightRule;
  }

 private:
  friend class Cell;
  friend class Table;
  void Check() const;
  void ForgetCell(const Cell* c);

  std::weak_ptr<Document> doc_;
  std::weak_ptr<word::Table> table_;
  std::vector<std::shared_ptr<Cell>> cells_;
  Mark end_{-1, MarkKind::RowEnd, this};
  double height_ = 0;
  int32_t heightRule_ = wdRowHeightAuto;
  bool deleted_ = false;
};

class Table : public Dispatch, public StoryNode {
 public:
  Table(std::weak_ptr<Document> doc, std::weak_ptr<Cell> container);
  const DispatchTable& Members() const override;

  // Builds a table of rows x columns at `at` (which must be the start of a paragraph or of a
  // cell) with every cell `cellWidth` wide; the story takes ownership.
  static std::shared_ptr<Table> Build(Document& doc, int64_t at, int32_t rows, int32_t columns,
                                      double cellWidth, const Char& format);

  void MarkRemoved() override;
  std::shared_ptr<void> KeepAlive() override { return shared_from_this(); }
  int64_t ExtentEnd() const override;
  int64_t ExtentStart() const override { return start_.Pos(); }
  const StoryNode* Holder() const override { return container_.lock().get(); }
  size_t ChildCount() const override { return rows_.size(); }
  const StoryNode* Child(size_t i) const override {
    return i < rows_.size() ? rows_[i].get() : nullptr;
  }

  bool Deleted() const { return deleted_; }
  int64_t Start() const;
  int64_t End() const;  // one past the last end-of-row mark
  std::shared_ptr<word::Range> Range();
  const std::vector<std::shared_ptr<Row>>& RowList() const;
  std::shared_ptr<word::Rows> Rows();
  std::shared_ptr<word::Cell> Cell(int32_t row, int32_t column);
  int32_t NestingLevel() const;
  // The table whose cell holds this one (nullptr for a table of the main text).
  std::shared_ptr<Table> EnclosingTable() const;
  std::shared_ptr<word::Cell> Container() const { return container_.lock(); }
  void SetContainer(std::weak_ptr<word::Cell> c) { container_ = std::move(c); }
  // Inserts a row shaped like `model` before row `index` (0-based; RowList().size() appends).
  std::shared_ptr<Row> InsertRow(size_t index, const Row& model);
  void Delete();
  void Select();

  const TableFormat& Fmt() const;
  TableFormat& MutableFmt();
  std::shared_ptr<word::Borders> Borders();
  std::shared_ptr<word::Shading> Shading();
  void AutoFitBehavior(int32_t behavior);
  Document& Doc() const;

  // Used by the file reader.
  Mark* StartMark() { return &start_; }
  std::vector<std::shared_ptr<Row>>& MutableRows() { return rows_; }
  std::vector<std::shared_ptr<word::Cell>>& MutableCells(word::Row& r) { return r.cells_; }

 private:
  friend class Row;
  friend class word::Cell;
  void Check() const;
  void ForgetRow(const Row* r);

  std::weak_ptr<Document> doc_;
  std::weak_ptr<word::Cell> container_;
  std::vector<std::shared_ptr<Row>> rows_;
  Mark start_{-1, MarkKind::TableStart, this};
  TableFormat fmt_;
  bool deleted_ = false;
};

// --- collections ---

class Tables : public Dispatch {
 public:
  // The tables of [start, end) of the document (see TablesIn in structure.h).
  Tables(std::weak_ptr<Document> doc, std::shared_ptr<word::Range> scope);
  // The tables nested directly in a cell (Cell.Tables).
  Tables(std::weak_ptr<Document> doc, std::shared_ptr<word::Cell> cell);
  const DispatchTable& Members() const override;
  int32_t Count();
  std::shared_ptr<Table> Item(int32_t index);
  // Tables.Add: the table replaces a non-collapsed range and is the first table of that range.
  std::shared_ptr<Table> Add(const std::shared_ptr<word::Range>& at, int32_t rows, int32_t columns,
                             int32_t defaultTableBehavior = 0, int32_t autoFitBehavior = 0);

 private:
  const std::vector<std::shared_ptr<Table>>& List();
  std::weak_ptr<Document> doc_;
  std::shared_ptr<word::Range> scope_;
  std::shared_ptr<word::Cell> cell_;
  uint64_t revision_ = 0;
  std::vector<std::shared_ptr<Table>> cache_;
};

class Rows : public Dispatch {
 public:
  explicit Rows(std::shared_ptr<Table> table) : table_(std::move(table)) {}
  // The rows of `table` that a range touches (Selection.Rows).
  Rows(std::shared_ptr<Table> table, std::vector<std::shared_ptr<Row>> rows)
      : table_(std::move(table)), subset_(std::move(rows)), isSubset_(true) {}
  const DispatchTable& Members() const override;
  int32_t Count() const;
  std::shared_ptr<Row> Item(int32_t index) const;
  std::shared_ptr<Row> Add();
  std::shared_ptr<word::Borders> Borders() { return table_->Borders(); }
  void SetHeightRule(int32_t r);
  void SetHeight(double h);

 private:
  std::vector<std::shared_ptr<Row>> List() const;
  std::shared_ptr<Table> table_;
  std::vector<std::shared_ptr<Row>> subset_;
  bool isSubset_ = false;
};

class Cells : public Dispatch {
 public:
  explicit Cells(std::vector<std::shared_ptr<Cell>> cells) : cells_(std::move(cells)) {}
  const DispatchTable& Members() const override;
  int32_t Count() const { return static_cast<int32_t>(cells_.size()); }
  std::shared_ptr<Cell> Item(int32_t index) const;
  // Merges the cells (of one row) into the first.
  void Merge();
  void Split(int32_t rows, int32_t columns);
  void SetWidth(double w);
  std::shared_ptr<word::Shading> Shading();
  std::shared_ptr<word::Borders> Borders();

 private:
  std::vector<std::shared_ptr<Cell>> cells_;
};

class Column : public Dispatch {
 public:
  Column(std::shared_ptr<Table> table, size_t index) : table_(std::move(table)), index_(index) {}
  const DispatchTable& Members() const override;
  double Width() const;
  void SetWidth(double w);
  std::shared_ptr<word::Cells> Cells() const;

 private:
  std::shared_ptr<Table> table_;
  size_t index_;
};

class Columns : public Dispatch {
 public:
  explicit Columns(std::shared_ptr<Table> table) : table_(std::move(table)) {}
  const DispatchTable& Members() const override;
  int32_t Count() const;
  std::shared_ptr<Column> Item(int32_t index) const;

 private:
  std::shared_ptr<Table> table_;
};

}  // namespace qv::word
