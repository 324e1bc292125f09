#include "addin/questions/g_find.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "addin/addin_app.h"
#include "addin/dialogs/display_help.h"
#include "addin/questions/attribute_string.h"
#include "addin/questions/g_markers.h"
#include "addin/questions/report_error.h"
#include "addin/settings/g_state.h"
#include "automation/error_trap.h"
#include "ui/msgbox.h"
#include "word/application.h"
#include "word/document.h"
#include "word/documents.h"
#include "word/inline_shape.h"
#include "word/running_application.h"
#include "word/selection.h"
#include "word/shape.h"
#include "word/table.h"
#include "word/window.h"

namespace qv::addin {
namespace {

// The host rounds to whole points half to even.
int32_t WholePoints(double points) {
  return static_cast<int32_t>(std::nearbyint(points));
}

// The first row of the selection's first table that looks like an answer row: two cells or more
// and a picture in cell 1.
std::shared_ptr<word::Row> FirstAnswerRow(word::Selection& selection) {
  auto table = selection.Tables()->Item(1);
  for (const auto& row : table->RowList()) {
    if (row->CellList().size() >= 2 && row->CellList()[0]->Range()->InlineShapes()->Count() >= 1)
      return row;
  }
  return nullptr;
}

}  // namespace

bool EverythingOK(int32_t mode) {
  return automation::TrapValue(
      [&] {
        if (G().startedFromOLE) {
          DisplayHelp(1001);
          ReportError("Addins not working...startedFromOLE is TRUE", "G.EverythingOK", 0, true);
          return false;
        }
        auto app = word::RunningApplication();
        if (!app) automation::Raise(automation::err::kObjectNotSet);
        if (!GetCurrentQuestion(app->ActiveDocument())) return true;
        if (mode == kInsertingQuestion) {
          ui::MsgBox(AddinApp(),
                     "You cannot insert a new question into an existing question table.\r\n\r\n"
                     "Place the cursor outside of this question somewhere else in the document to "
                     "insert a new question.",
                     ui::vbCritical, "Error");
        } else if (mode == kInsertingPageBreak) {
          ui::MsgBox(AddinApp(),
                     "You cannot insert a Web Page break into an existing question.\r\n\r\n"
                     "Place the cursor outside of this question and try again.",
                     ui::vbCritical, "Error");
        }
        return false;
      },
      [](const automation::ErrInfo& e) {
        ReportError(e.description, "G.EverythingOK", e.number, true);
      },
      false);
}

std::shared_ptr<word::Table> GetCurrentQuestion(const std::shared_ptr<word::Document>& doc) {
  int step = 0;
  return automation::TrapValue(
      [&]() -> std::shared_ptr<word::Table> {
        step = 1;
        EnsurePrintView();
        step = 2;
        if (!doc) automation::Raise(automation::err::kObjectNotSet);
        auto selection = doc->Selection();
        auto tables = selection->Tables();
        if (tables->Count() == 1) {
          auto table = tables->Item(1);
          if (!selection->InRange(*table->Range())) return nullptr;
          // The selection may stand in a box nested inside the question (question text, help or
          // answer boxes): walk out to the table that carries the markers.
          while (true) {
            if (IsQuestionTable(table)) return table;
            if (table->NestingLevel() == 1) return nullptr;
            table = table->EnclosingTable();
            if (!table) return nullptr;
          }
        }
        // The step numbers of the error report: 1 the view, 2 the table at the selection, 3 the
        // selected floating shape.
        step = 3;
        if (doc->Shapes()->Count() == 0) return nullptr;
        if (SelectedShapeCount(*selection) != 1) return nullptr;
        auto shape = selection->ShapeRange()->Item(1);
        auto anchored = shape->Anchor()->Tables();
        if (anchored->Count() != 1) return nullptr;
        auto table = anchored->Item(1);
        return IsQuestionTable(table) ? table : nullptr;
      },
      [&](const automation::ErrInfo& e) {
        ReportError(e.description, "G.GetCurrentQuestion ERL=(" + std::to_string(step) + ")",
                    e.number, true);
      },
      std::shared_ptr<word::Table>());
}

void EnsurePrintView() {
  auto app = word::RunningApplication();
  if (!app || app->Documents()->Count() == 0) return;
  auto window = app->ActiveWindow();
  auto view =
      window->SplitSpecial() != word::wdPaneNone ? window->ActivePane()->View() : window->View();
  if (view->type == word::wdNormalView) view->type = word::wdPrintView;
}

std::shared_ptr<word::Table> FindTableOfShape(const std::shared_ptr<word::InlineShape>& picture,
                                              const std::shared_ptr<word::Document>& doc) {
  if (!picture || !doc) automation::Raise(automation::err::kObjectNotSet);
  // The outermost table holding the picture: the innermost one walked out, not a scan of every
  // table of the document.
  auto tables = picture->Range()->Tables();
  if (tables->Count() == 0) return nullptr;
  auto table = tables->Item(1);
  while (auto up = table->EnclosingTable())
    table = up;
  return table;
}

int32_t CountShapesInTable(const std::shared_ptr<word::Table>& table) {
  if (!table) automation::Raise(automation::err::kObjectNotSet);
  auto range = table->Range();
  int32_t count = 0;
  // A shape whose anchor paragraph lies in the table has its anchor in the table's stretch: only
  // the anchors there are candidates, not every shape of the document.
  for (word::Shape* shape : table->Doc().ShapesAnchoredIn(range->Start(), range->End()))
    if (shape->Anchor()->InRange(*range)) ++count;
  return count;
}

int32_t NextShapeZOrder(const std::shared_ptr<word::Table>& table) {
  if (!table) automation::Raise(automation::err::kObjectNotSet);
  int32_t lowest = 99999;
  int32_t highest = 0;
  const auto shapes = table->Range()->ShapeRange();
  for (const auto& shape : shapes->List()) {
    if (!IsAnswerShape(shape)) continue;
    const int32_t z = shape->ZOrderPosition();
    if (!GetAttr(shape->Data().alt, "type").empty())
      lowest = std::min(lowest, z);
    else
      highest = std::max(highest, z);
  }
  return lowest != 99999 && lowest < highest ? lowest - 1 : highest;
}

std::optional<int32_t> SelectedShapeCount(word::Selection& selection) {
  automation::ErrorsIgnored ignore;
  const int32_t count = ignore.Value([&] { return selection.ShapeRange()->Count(); }, -1);
  if (count < 0) return std::nullopt;
  return count;
}

int32_t AnswerImageColumnWidth(word::Selection& selection) {
  auto row = FirstAnswerRow(selection);
  return row ? WholePoints(row->CellList()[0]->Width()) : 20;
}

int32_t AnswerTextColumnWidth(word::Selection& selection) {
  auto row = FirstAnswerRow(selection);
  if (row) return WholePoints(row->CellList()[1]->Width());
  return WholePoints(selection.Doc().TextWidth()) - 20;
}

}  // namespace qv::addin
