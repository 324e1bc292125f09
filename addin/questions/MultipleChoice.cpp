#include "addin/questions/MultipleChoice.h"

#include <vector>

#include "addin/addin_app.h"
#include "addin/dialogs/MarkBuilder.h"
#include "addin/dialogs/dlgMark.h"
#include "addin/dialogs/dlgProgress.h"
#include "addin/questions/check_answer_chosen.h"
#include "addin/questions/g_construction.h"
#include "addin/questions/g_delete.h"
#include "addin/questions/g_find.h"
#include "addin/questions/g_markers.h"
#include "addin/questions/question_types.h"
#include "addin/questions/report_error.h"
#include "addin/questions/validation_messages.h"
#include "addin/settings/g_state.h"
#include "automation/error_trap.h"
#include "ui/msgbox.h"
#include "word/application.h"
#include "word/document.h"
#include "word/documents.h"
#include "word/formatting.h"
#include "word/inline_shape.h"
#include "word/range.h"
#include "word/selection.h"
#include "word/table.h"

namespace qv::addin {
namespace {

using automation::Args;
using automation::Variant;

constexpr double kMarkerColumnWidth = 20;

void SetPaddings(word::Cell& cell, double points) {
  for (auto side : {word::kLeft, word::kRight, word::kTop, word::kBottom})
    cell.SetPadding(side, points);
}

void CloseProgress(const std::shared_ptr<dlgProgress>& progress) {
  if (!progress || !progress->IsLoaded()) return;
  automation::ErrorsIgnored ignore;
  ignore([&] { progress->Unload(); });
}

template <class T>
std::shared_ptr<T> ObjectArg(Args& a, size_t i) {
  auto object = std::dynamic_pointer_cast<T>(a.Object(i));
  if (!object) automation::Raise(automation::err::kTypeMismatch);
  return object;
}

}  // namespace

void PlaceRadioMarker(word::Document& doc, word::Cell& cell, std::optional<double> width) {
  doc.InlineShapes()->AddPicture(G().IMG_PATH + "radio_blk.gif", false, true, cell.Range());
  cell.SetPadding(word::kLeft, 0);
  cell.SetPadding(word::kRight, 0);
  cell.SetPadding(word::kTop, 2);
  cell.Range()->ParagraphFormat()->SetAlignment(word::wdAlignParagraphCenter);
  if (width) cell.SetWidth(*width);
  cell.Range()->InlineShapes()->Item(1)->SetAlternativeText("kzoA" +
                                                            std::to_string(kMultipleChoice));
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

void MultipleChoice::CreateQuestion(const std::shared_ptr<word::Application>& app) {
  std::shared_ptr<dlgProgress> progress;
  automation::Trap(
      [&] {
        if (!app) automation::Raise(automation::err::kObjectNotSet);
        app_ = app;
        doc_ = app->Documents()->Count() == 0 ? app->Documents()->Add() : app->ActiveDocument();
        progress = dlgProgress::Create();
        auto table = SetupTable(kMultipleChoice, app, *progress);
        if (!table) {
          // The table could not be built: its reason has been told already, and the progress
          // window it may have shown has nothing more to say.
          CloseProgress(progress);
          return;
        }
        const int32_t answers = table->Rows()->Count() - 3;
        const double textColumnWidth = table->Cell(1, 1)->Width() - kMarkerColumnWidth;
        for (int32_t k = 1; k <= answers; ++k) {
          progress->AddMessage("Creating Answer " + std::to_string(k));
          auto markerCell = table->Cell(k + 3, 1);
          PlaceRadioMarker(*doc_, *markerCell, kMarkerColumnWidth);
          auto textCell = table->Cell(k + 3, 2);
          SetPaddings(*textCell, 1);
          textCell->SetWidth(textColumnWidth);
          PlaceAnswerBox(*doc_, *textCell, "Answer " + std::to_string(k), "Arial");
        }
        progress->AddMessage("Completing question creation");
        FinishQuestion(table, doc_);
        progress->DONE();
      },
      [&](const automation::ErrInfo& e) {
        ReportError(e.description, "MultipleChoice.CreateQuestion", e.number, true);
        // The author is told through the report; a progress window left standing would only
        // hide the document.
        CloseProgress(progress);
      });
  app_.reset();
  doc_.reset();
}

void MultipleChoice::DeleteQuestion(const std::shared_ptr<word::Document>& doc) {
  addin::DeleteQuestion(GetCurrentQuestion(doc));
}

void MultipleChoice::DeleteAnswer(const std::shared_ptr<word::Document>& doc) {
  addin::DeleteAnswer(GetCurrentQuestion(doc));
}

bool MultipleChoice::Validate(std::string& message, const std::shared_ptr<word::Table>& table) {
  return automation::TrapValue([&] { return CheckAnswerChosen(message, table); },
                               [&](const automation::ErrInfo&) { message = "Unknown"; }, false);
}

void MultipleChoice::AddRadioChoice(const std::shared_ptr<word::Document>& doc) {
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
  std::vector<std::shared_ptr<word::Row>> rows;
  ignore([&] { rows = table->RowList(); });
  for (const auto& row : rows)
    ignore([&] {
      if (selection->InRange(*row->Range())) row->Select();
    });
  ignore([&] { selection->InsertRowsBelow(1); });
  bool split = false;
  ignore([&] {
    // A row made below the merged question rows has one cell.
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
    ignore([&] { textCell->SetWidth(AnswerTextColumnWidth(*selection)); });
    ignore([&] { markerCell->SetWidth(AnswerImageColumnWidth(*selection)); });
  }
  if (markerCell) {
    ignore([&] { PlaceRadioMarker(*doc, *markerCell, std::nullopt); });
    ignore([&] { markerCell->Range()->Font()->SetSize(1); });
  }
}

void MultipleChoice::MarkQuestion(const std::shared_ptr<word::Document>& doc) {
  auto table = GetCurrentQuestion(doc);
  if (!table) automation::Raise(automation::err::kObjectNotSet);
  MarkBuilder builder;
  std::string html;
  auto pictures = table->Range()->InlineShapes();
  for (int32_t i = 1, n = pictures->Count(); i <= n; ++i) {
    auto picture = pictures->Item(i);
    if (IsQuestionMarker(picture))
      html = builder.BuildHeader(picture) + builder.BuildQuestionRow(table);
    else if (IsAnswerMarker(picture))
      html += builder.BuildAnswerRow(table, i);
  }
  html += builder.BuildListEnd() + builder.BuildFooter();

  auto dialog = dlgMark::Create();
  auto release = [&] {
    automation::ErrorsIgnored ignore;
    if (dialog->IsLoaded()) ignore([&] { dialog->Unload(); });
  };
  if (!dialog->Display(kMultipleChoice, html)) {
    release();
    return;
  }
  pictures = table->Range()->InlineShapes();
  for (int32_t i = 1, n = pictures->Count(); i <= n; ++i) {
    auto picture = pictures->Item(i);
    if (IsQuestionMarker(picture))
      dialog->ReloadQInfo(picture);
    else if (IsAnswerMarker(picture))
      dialog->ReloadRadioInfo(picture, static_cast<int16_t>(i));
  }
  doc->SetSaved(false);
  release();
}

const automation::DispatchTable& MultipleChoice::Members() const {
  static const automation::DispatchTable table =
      automation::ClassTable<MultipleChoice>("MultipleChoice")
          .Sub("CreateQuestion",
               [](MultipleChoice& q, Args& a) {
                 q.CreateQuestion(ObjectArg<word::Application>(a, 0));
               })
          .Sub("DeleteQuestion", [](MultipleChoice& q,
                                    Args& a) { q.DeleteQuestion(ObjectArg<word::Document>(a, 0)); })
          .Sub("DeleteAnswer",
               [](MultipleChoice& q, Args& a) { q.DeleteAnswer(ObjectArg<word::Document>(a, 0)); })
          .Method("Validate",
                  [](MultipleChoice& q, Args& a) {
                    std::string message = a[0].IsEmpty() ? "" : a[0].ToText();
                    const bool ok = q.Validate(message, ObjectArg<word::Table>(a, 1));
                    a[0] = Variant(message);
                    return ok;
                  })
          .Sub("AddRadioChoice", [](MultipleChoice& q,
                                    Args& a) { q.AddRadioChoice(ObjectArg<word::Document>(a, 0)); })
          .Sub("MarkQuestion",
               [](MultipleChoice& q, Args& a) { q.MarkQuestion(ObjectArg<word::Document>(a, 0)); })
          .Build();
  return table;
}

}  // namespace qv::addin
