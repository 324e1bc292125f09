#include "addin/questions/g_delete.h"

#include <string>

#include "addin/addin_app.h"
#include "addin/questions/attribute_string.h"
#include "addin/questions/g_markers.h"
#include "addin/questions/question_types.h"
#include "addin/questions/report_error.h"
#include "automation/error_trap.h"
#include "ui/msgbox.h"
#include "word/document.h"
#include "word/inline_shape.h"
#include "word/selection.h"
#include "word/table.h"

namespace qv::addin {
namespace {

constexpr const char* kPlaceCursorInAnswer =
    "Place the cursor into the answer you would like to delete and try again.";

bool Confirmed(const std::string& text, const std::string& title) {
  return ui::MsgBox(AddinApp(), text, ui::vbOKCancel, title) == ui::vbOK;
}

// The answer row of a choice question at the selection: the last row holding the selection whose
// first picture carries an answer marker.
std::shared_ptr<word::Row> AnswerRowAtSelection(word::Table& table, word::Selection& selection) {
  std::shared_ptr<word::Row> found;
  for (const auto& row : table.RowList())
    if (selection.InRange(*row->Range())) found = row;
  if (!found) return nullptr;
  auto pictures = found->Range()->InlineShapes();
  if (pictures->Count() < 1) return nullptr;
  auto first = pictures->Item(1);
  // The answer marker is recognised by "kzoA" anywhere in its text, so the question marker of
  // row 1 would pass too once the author's feedback or title holds those letters; deleting that
  // row would take the question's identity with it.
  if (IsQuestionMarker(first)) return nullptr;
  if (first->AlternativeText().find(kAnswerMarker) == std::string::npos) return nullptr;
  return found;
}

// The selected blank of a fill-in-the-blank question.
std::shared_ptr<word::InlineShape> BlankAtSelection(word::Table& table,
                                                    word::Selection& selection) {
  if (selection.Type() != word::wdSelectionInlineShape) return nullptr;
  auto pictures = table.Range()->InlineShapes();
  const int32_t count = pictures->Count();
  for (int32_t i = 1; i <= count; ++i) {
    auto picture = pictures->Item(i);
    if (selection.InRange(*picture->Range()) &&
        picture->AlternativeText().rfind(kBlankMarker + std::to_string(kFillInTheBlank), 0) == 0)
      return picture;
  }
  return nullptr;
}

}  // namespace

void DeleteQuestion(const std::shared_ptr<word::Table>& table) {
  if (!table) {
    ui::MsgBox(AddinApp(), "Select a question to delete.", ui::vbOKOnly);
    return;
  }
  if (!Confirmed("Are you sure you want to delete this question?", "Delete this Question?")) return;
  auto selection = table->Doc().Selection();
  table->Delete();
  selection->Collapse(word::wdCollapseEnd);
}

void DeleteAnswer(const std::shared_ptr<word::Table>& table) {
  automation::Trap(
      [&] {
        if (!table) {
          ui::MsgBox(AddinApp(), kPlaceCursorInAnswer, ui::vbOKOnly);
          return;
        }
        const int type = GetQType(table->Range()->InlineShapes()->Item(1)->AlternativeText());
        auto selection = table->Doc().Selection();
        if (type >= 0 && type <= 4) {
          auto row = AnswerRowAtSelection(*table, *selection);
          if (!row) {
            ui::MsgBox(AddinApp(), kPlaceCursorInAnswer, ui::vbOKOnly);
            return;
          }
          if (Confirmed("Are you sure?", "Delete Answer?")) row->Delete();
        } else if (type == 5) {
          auto blank = BlankAtSelection(*table, *selection);
          if (!blank) {
            ui::MsgBox(AddinApp(),
                       "Place the cursor into the textbox you would like to delete and try again.",
                       ui::vbOKOnly);
            return;
          }
          if (Confirmed("Are you sure?", "Delete this answer?")) blank->Delete();
        }
      },
      [](const automation::ErrInfo& e) {
        ReportError(e.description, "G.DeleteAnswer", e.number, true);
      });
}

}  // namespace qv::addin
