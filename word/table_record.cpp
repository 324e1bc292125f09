#include "word/table_record.h"

#include "word/record_text.h"

namespace qv::word {
namespace {

using record_text::ReadBorders;
using record_text::Reader;
using record_text::ReadPadding;
using record_text::ReadShading;

bool ReadCell(Reader& r, CellRecord& c) {
  CellFormat& f = c.format;
  return r.Object({"borders", "end", "padding", "shading", "verticalAlignment", "width"},
                  [&](size_t k) {
                    switch (k) {
                      case 0:
                        return ReadBorders(r, f.borders);
                      case 1:
                        return r.Whole(c.end);
                      case 2:
                        return ReadPadding(r, f.padding);
                      case 3:
                        return ReadShading(r, f.shading);
                      case 4:
                        return r.Int32(f.verticalAlignment);
                      default:
                        return r.Points(f.width);
                    }
                  });
}

bool ReadRow(Reader& r, RowRecord& row) {
  return r.Object({"cells", "end", "height", "heightRule"}, [&](size_t k) {
    switch (k) {
      case 0:
        return r.List(kMaxCellsInRow, [&] { return ReadCell(r, row.cells.emplace_back()); });
      case 1:
        return r.Whole(row.end);
      case 2:
        return r.Points(row.height);
      default:
        return r.Int32(row.heightRule);
    }
  });
}

}  // namespace

std::optional<TableRecord> ReadTableRecord(std::string_view text) {
  TableRecord t;
  TableFormat& f = t.format;
  Reader r(text);
  const bool ok =
      r.Object({"allowAutoFit", "autoFitBehavior", "borders", "padding", "preferredWidth",
                "preferredWidthType", "rows", "shading", "start", "tableBehavior"},
               [&](size_t k) {
                 switch (k) {
                   case 0:
                     return r.Bool(f.allowAutoFit);
                   case 1:
                     return r.Int32(f.autoFitBehavior);
                   case 2:
                     return ReadBorders(r, f.borders);
                   case 3:
                     return ReadPadding(r, f.padding);
                   case 4:
                     return r.Points(f.preferredWidth);
                   case 5:
                     return r.Int32(f.preferredWidthType);
                   case 6:
                     return r.List(kMaxRows, [&] { return ReadRow(r, t.rows.emplace_back()); });
                   case 7:
                     return ReadShading(r, f.shading);
                   case 8:
                     return r.Whole(t.start);
                   default:
                     return r.Int32(f.tableBehavior);
                 }
               });
  if (!ok || !r.AtEnd()) return std::nullopt;
  return t;
}

}  // namespace qv::word
