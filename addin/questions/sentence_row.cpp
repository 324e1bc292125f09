#include "addin/questions/sentence_row.h"

#include <string>

#include "addin/questions/answer_rows.h"
#include "addin/questions/attribute_string.h"
#include "addin/settings/g_state.h"
#include "word/document.h"
#include "word/formatting.h"
#include "word/inline_shape.h"
#include "word/range.h"
#include "word/table.h"

namespace qv::addin {
namespace {

struct Paddings {
  double left, right, top, bottom;
};

// Merges the cells of `row` into one as wide as the question and gives it its paddings.
std::shared_ptr<word::Cell> MergedRowCell(word::Table& table, int32_t row, Paddings p) {
  table.Rows()->Item(row)->Cells()->Merge();
  auto cell = table.Cell(row, 1);
  cell->SetPadding(word::kLeft, p.left);
  cell->SetPadding(word::kRight, p.right);
  cell->SetPadding(word::kTop, p.top);
  cell->SetPadding(word::kBottom, p.bottom);
  cell->SetWidth(table.Cell(1, 1)->Width());
  return cell;
}

}  // namespace

std::string NewBlankMarker(int32_t type) {
  return kBlankMarker + std::to_string(type) + "&h=1&w=20";
}

void FillSentenceBodyRow(word::Document& doc, word::Table& table) {
  auto cell = MergedRowCell(table, 4, {1, 1, 5, 2});
  PlaceAnswerBox(doc, *cell, "Enter question text and insert blank textbox for answer here\r\n",
                 "Arial");
}

void FillChoiceSentenceRow(word::Document& doc, word::Table& table, int32_t type) {
  const int32_t row = table.Rows()->Count();
  auto cell = MergedRowCell(table, row, {1, 1, 4, 2});
  table.Rows()->Item(row)->Range()->Font()->SetSize(12);
  PlaceAnswerBox(doc, *cell, "Enter fill-in-the-blank question text here", "");
  // The blank follows the sentence box, in the cell's last paragraph.
  const int64_t end = cell->EndMark();
  auto blank = PlaceBlank(doc, doc.Range(end, end), type);
  // As wide as the cell inside its paddings; its height stays the picture's own.
  blank->SetLockAspectRatio(false);
  blank->SetWidth(cell->Width() - cell->Padding(word::kLeft) - cell->Padding(word::kRight));
}

std::shared_ptr<word::InlineShape> PlaceBlank(word::Document& doc,
                                              const std::shared_ptr<word::Range>& at,
                                              int32_t type) {
  auto blank = doc.InlineShapes()->AddPicture(G().IMG_PATH + "textbox.gif", false, true, at);
  blank->SetAlternativeText(NewBlankMarker(type));
  return blank;
}

}  // namespace qv::addin
