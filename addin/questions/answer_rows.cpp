#include "addin/questions/answer_rows.h"

#include <vector>

#include "addin/addin_app.h"
#include "addin/dialogs/dlgProgress.h"
#include "addin/questions/attribute_string.h"
#include "addin/questions/g_find.h"
#include "addin/questions/question_types.h"
#include "addin/settings/g_state.h"
#include "automation/error_trap.h"
#include "ui/msgbox.h"
#include "word/document.h"
#include "word/formatting.h"
#include "word/inline_shape.h"
#include "word/range.h"
#include "word/selection.h"
#include "word/table.h"

namespace qv::addin {
namespace {

void SetPaddings(word::Cell& cell, double points) {
  for (auto side : {word::kLeft, word::kRight, word::kTop, word::kBottom})
    cell.SetPadding(side, points);
}

// The row of `table` that holds the selection. A caret where one row ends and the next begins
// lies in both ranges; it belongs to the row it starts, so the last row that holds it wins.
std::shared_ptr<word::Row> RowAtSelection(word::Table& table, word::Selection& selection) {
  std::shared_ptr<word::Row> found;
  for (const auto& row : table.RowList())
    if (selection.InRange(*row->Range())) found = row;
  return found;
}

}  // namespace

void PlaceAnswerMarker(word::Document& doc, word::Cell& cell, int32_t type,
                       std::optional<double> width) {
  doc.InlineShapes()->AddPicture(G().IMG_PATH + TypeFacts(type).answerPicture, false, true,
                                 cell.Range());
  cell.SetPadding(word::kLeft, 0);
  cell.SetPadding(word::kRight, 0);
  cell.SetPadding(word::kTop, 2);
  cell.Range()->ParagraphFormat()->SetAlignment(word::wdAlignParagraphCenter);
  if (width) cell.SetWidth(*width);
  cell.Range()->InlineShapes()->Item(1)->SetAlternativeText(kAnswerMarker + std::to_string(type));
}

void PlaceAnswerBox(word::Document& doc, word::Cell& cell, const std::string& text,
                    const std::string& fontName) {
  auto box =
      doc.Tables()->Add(cell.Range(), 1, 1, word::wdWord9TableBehavior, word::wdAutoFitWindow);
  box->Borders()->SetEnable(false);
  box->MutableFmt().preferredWidthType = word::wdPreferredWidthPercent;
  box->MutableFmt().preferredWidth = 100;
  box->Range()->Font()->SetColor(word::wdColorBlack);
  box->Range()->Font()->SetSize(12);
  box->Range()->InsertBefore(text);
  if (!fontName.empty()) box->Range()->Font()->SetName(fontName);
  box->Shading()->SetBackgroundPatternColor(word::wdColorWhite);
}

void FillAnswerRows(word::Document& doc, word::Table& table, int32_t type, dlgProgress& progress) {
  const bool trueFalse = type == kTrueFalse;
  // The sentence row of a choice question with a blank follows the answers.
  const int32_t answers =
      trueFalse ? 2 : table.Rows()->Count() - 3 - (TypeFacts(type).blankRow ? 1 : 0);
  const double textColumnWidth = table.Cell(1, 1)->Width() - kMarkerColumnWidth;
  for (int32_t k = 1; k <= answers; ++k) {
    progress.AddMessage("Creating Answer " + std::to_string(k));
    PlaceAnswerMarker(doc, *table.Cell(k + 3, 1), type, kMarkerColumnWidth);
    auto textCell = table.Cell(k + 3, 2);
    SetPaddings(*textCell, 1);
    textCell->SetWidth(textColumnWidth);
    const std::string text =
        trueFalse ? (k == 1 ? "True" : "False") : "Answer " + std::to_string(k);
    PlaceAnswerBox(doc, *textCell, text, "Arial");
  }
}

void InsertAnswerRow(const std::shared_ptr<word::Document>& doc, int32_t type) {
  auto table = GetCurrentQuestion(doc);
  if (!table) {
    ui::MsgBox(AddinApp(),
               "Place the cursor into the question table at the point you want to add an answer "
               "choice.",
               ui::vbCritical, "Error");
    return;
  }
  // Each step stands alone: a step the word processor refuses is skipped and the next runs.
  automation::ErrorsIgnored ignore;
  auto selection = doc->Selection();
  bool inLastRow = false;
  ignore([&] {
    auto row = RowAtSelection(*table, *selection);
    if (!row) return;
    inLastRow = row->Index() == table->Rows()->Count();
    row->Select();
  });
  // The sentence row of a choice question with a blank stays the last row.
  const bool above = inLastRow && TypeFacts(type).blankRow;
  ignore([&] {
    if (above)
      selection->InsertRowsAbove(1);
    else
      selection->InsertRowsBelow(1);
  });
  bool split = false;
  ignore([&] {
    // A row made next to the merged question rows (or the sentence row) has one cell.
    if (selection->Cells()->Count() < 2) {
      selection->Cells()->Split(1, 2);
      split = true;
    }
  });
  std::shared_ptr<word::Cell> markerCell, textCell;
  ignore([&] {
    auto cells = selection->Cells();
    markerCell = cells->Item(1);
    textCell = cells->Item(2);
  });
  if (textCell) {
    ignore([&] { textCell->Range()->Font()->SetSize(1); });
    ignore([&] { SetPaddings(*textCell, 1); });
    ignore([&] { PlaceAnswerBox(*doc, *textCell, "New Answer", ""); });
  }
  if (split) {
    // Both widths come from an answer row that existed before: once the new row has its picture
    // it would be taken for the first answer row and give the two halves of the split.
    ignore([&] { textCell->SetWidth(AnswerTextColumnWidth(*selection)); });
    ignore([&] { markerCell->SetWidth(AnswerImageColumnWidth(*selection)); });
  }
  if (markerCell) {
    ignore([&] { PlaceAnswerMarker(*doc, *markerCell, type, std::nullopt); });
    ignore([&] { markerCell->Range()->Font()->SetSize(1); });
  }
}

}  // namespace qv::addin
