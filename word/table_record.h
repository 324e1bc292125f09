#pragma once
// The quick reading of one table record of the native file. Tables are most of a document file
// (cell borders, paddings and widths of every cell), and going through a JSON tree for each one
// was most of the time of an open. This reads the record's text straight into the formats, for a
// record that is exactly as the saver writes it: every member present once and nothing else, every
// whole number written as one and within what the loader takes, every size within its limit. Any
// other record gets nullopt and goes the ordinary way, through the tree and its checks, so a
// damaged record is refused with the same error and place as ever.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "word/table.h"

namespace qv::word {

struct CellRecord {
  int64_t end = 0;
  CellFormat format;
};

struct RowRecord {
  int64_t end = 0;
  double height = 0;
  int32_t heightRule = 0;
  std::vector<CellRecord> cells;
};

struct TableRecord {
  int64_t start = 0;
  TableFormat format;
  std::vector<RowRecord> rows;
};

std::optional<TableRecord> ReadTableRecord(std::string_view text);

}  // namespace qv::word
