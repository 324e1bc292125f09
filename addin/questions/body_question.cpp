#include "addin/questions/body_question.h"

#include <cmath>

#include "addin/addin_app.h"
#include "addin/dialogs/MarkBuilder.h"
#include "addin/dialogs/dlgMark.h"
#include "addin/dialogs/dlgProgress.h"
#include "addin/questions/attribute_string.h"
#include "addin/questions/g_construction.h"
#include "addin/questions/g_find.h"
#include "addin/questions/g_markers.h"
#include "addin/questions/question_class.h"
#include "addin/questions/report_error.h"
#include "addin/questions/validation_messages.h"
#include "automation/error_trap.h"
#include "ui/msgbox.h"
#include "word/application.h"
#include "word/document.h"
#include "word/documents.h"
#include "word/formatting.h"
#include "word/inline_shape.h"
#include "word/page_setup.h"
#include "word/range.h"
#include "word/selection.h"
#include "word/shape.h"
#include "word/table.h"
#include "word/window.h"

namespace qv::addin {
namespace {

// The host rounds to whole points half to even.
double WholePoints(double points) {
  return std::nearbyint(points);
}

}  // namespace

double BodyTextWidth(word::Document& doc) {
  const auto& page = doc.Page();
  return WholePoints(page.pageWidth) - WholePoints(page.leftMargin + page.rightMargin);
}

void CreateBodyQuestion(const std::shared_ptr<word::Application>& app, const BodyArea& area,
                        const std::function<void(word::Document&, word::Table&)>& fillArea) {
  BuildQuestion(area.type, app, [&](word::Document& doc, word::Table& table, dlgProgress&) {
    auto cell = table.Cell(4, 1);
    for (auto side : {word::kTop, word::kBottom, word::kLeft, word::kRight})
      cell->SetPadding(side, 0);
    cell->Shading()->SetBackgroundPatternColor(area.background);
    cell->SetWidth(BodyTextWidth(doc));
    cell->SetHeightRule(word::wdRowHeightExactly);
    cell->SetHeight(area.height);
    if (fillArea) fillArea(doc, table);
  });
}

std::shared_ptr<word::Table> QuestionToAddTo(const std::shared_ptr<word::Document>& doc) {
  auto table = GetCurrentQuestion(doc);
  if (!table)
    ui::MsgBox(AddinApp(),
               "Place the cursor into the question table at the point you want to add an answer "
               "choice.",
               ui::vbCritical, "Error");
  return table;
}

double ItemSide(double areaSide, double normal) {
  return areaSide < 50 ? WholePoints(areaSide / 2) : normal;
}

void ShowNewItem(word::Document& doc, const std::shared_ptr<word::Shape>& item) {
  automation::ErrorsIgnored ignore;
  ignore([&] { item->Select(); });
  ignore([&] { doc.ActiveWindow()->ScrollIntoView(doc.Selection()); });
  ignore([&] { doc.Activate(); });
}

bool HasUntypedAnswerShape(std::string& message, const std::shared_ptr<word::Table>& table,
                           int32_t missing) {
  const auto items = table->Range()->ShapeRange();
  for (const auto& shape : items->List())
    if (IsAnswerShape(shape) && GetAttr(shape->Data().alt, "type").empty()) return true;
  message = ValidationMessage(missing);
  return false;
}

void MarkQuestionAttributes(const std::shared_ptr<word::Document>& doc, int32_t type) {
  auto table = GetCurrentQuestion(doc);
  if (!table) automation::Raise(automation::err::kObjectNotSet);
  auto findMarker = [&]() -> std::shared_ptr<word::InlineShape> {
    auto pictures = table->Range()->InlineShapes();
    for (int32_t i = 1, n = pictures->Count(); i <= n; ++i)
      if (IsQuestionMarker(pictures->Item(i))) return pictures->Item(i);
    automation::Raise(automation::err::kObjectNotSet);
  };
  MarkBuilder builder;
  const std::string page = builder.BuildHeader(findMarker()) + builder.BuildFooter();
  auto dialog = dlgMark::Create();
  if (dialog->Display(type, page)) {
    dialog->ReloadQInfo(findMarker());
    doc->SetSaved(false);
  }
  automation::ErrorsIgnored ignore;
  if (dialog->IsLoaded()) ignore([&] { dialog->Unload(); });
}

}  // namespace qv::addin
