#include "addin/questions/question_class.h"

#include "addin/dialogs/MarkBuilder.h"
#include "addin/dialogs/dlgMark.h"
#include "addin/dialogs/dlgProgress.h"
#include "addin/questions/g_construction.h"
#include "addin/questions/g_find.h"
#include "addin/questions/g_markers.h"
#include "addin/questions/question_types.h"
#include "addin/questions/report_error.h"
#include "automation/error_trap.h"
#include "word/application.h"
#include "word/document.h"
#include "word/documents.h"
#include "word/inline_shape.h"
#include "word/range.h"
#include "word/table.h"

namespace qv::addin {
namespace {

// The text of the document between two positions, without end-of-cell characters.
std::string TextBetween(word::Document& doc, int64_t start, int64_t end) {
  if (end < start) end = start;
  return RangeText(*doc.Range(start, end));
}

}  // namespace

void CloseProgress(const std::shared_ptr<dlgProgress>& progress) {
  if (!progress || !progress->IsLoaded()) return;
  automation::ErrorsIgnored ignore;
  ignore([&] { progress->Unload(); });
}

void BuildQuestion(int32_t type, const std::shared_ptr<word::Application>& app,
                   const FillQuestion& fill) {
  std::shared_ptr<dlgProgress> progress;
  automation::Trap(
      [&] {
        if (!app) automation::Raise(automation::err::kObjectNotSet);
        auto doc = app->Documents()->Count() == 0 ? app->Documents()->Add() : app->ActiveDocument();
        progress = dlgProgress::Create();
        auto table = SetupTable(type, app, *progress);
        if (!table) {
          // The table could not be built: its reason has been told already, and the progress
          // window it may have shown has nothing more to say.
          CloseProgress(progress);
          return;
        }
        fill(*doc, *table, *progress);
        progress->AddMessage("Completing question creation");
        FinishQuestion(table, doc);
        progress->DONE();
      },
      [&](const automation::ErrInfo& e) {
        ReportError(e.description, TypeFacts(type).className + ".CreateQuestion", e.number, true);
        // The author is told through the report; a progress window left standing would only
        // hide the document.
        CloseProgress(progress);
      });
}

bool ValidateSafely(std::string& message, const std::function<bool()>& check) {
  return automation::TrapValue(
      check,
      [&](const automation::ErrInfo& e) {
        if (message.empty()) message = "Error validating question: " + e.description;
      },
      false);
}

std::string BuildMarkPage(const std::shared_ptr<word::Table>& table, int32_t type) {
  if (!table) automation::Raise(automation::err::kObjectNotSet);
  auto& doc = table->Doc();
  MarkBuilder builder;
  std::string html;
  const bool sentence = type == kFillInTheBlank;
  // The text around the blanks: the fill-in-the-blank sentence runs through row 4 from blank to
  // blank; a choice question's sentence starts its last row and ends at its blank.
  const int64_t sentenceStart = sentence
                                    ? table->Rows()->Item(4)->Range()->Start()
                                    : table->Rows()->Item(table->Rows()->Count())->Range()->Start();
  int64_t afterBlank = sentenceStart;
  auto pictures = table->Range()->InlineShapes();
  for (int32_t i = 1, n = pictures->Count(); i <= n; ++i) {
    auto picture = pictures->Item(i);
    if (IsQuestionMarker(picture)) {
      const std::string head = builder.BuildHeader(picture) + builder.BuildQuestionRow(table);
      // The choice questions begin the page at their marker; the blank questions add to it.
      html = TypeFacts(type).blankRow || sentence ? html + head : head;
    } else if (IsAnswerMarker(picture)) {
      html += builder.BuildAnswerRow(table, i);
    } else if (IsBlankMarker(picture)) {
      const int64_t at = picture->Range()->Start();
      if (sentence) {
        html += builder.BuildTextRow(TextBetween(doc, afterBlank, at));
        afterBlank = picture->Range()->End();
      } else {
        html += builder.BuildTextRow(TextBetween(doc, sentenceStart, at) + "\r\n");
      }
      html += builder.BuildBlankRow(picture, i);
    }
  }
  if (sentence)
    html +=
        builder.BuildTextRow(TextBetween(doc, afterBlank, table->Rows()->Item(4)->Range()->End()));
  return html + builder.BuildListEnd() + builder.BuildFooter();
}

void MarkQuestionOfType(const std::shared_ptr<word::Document>& doc, int32_t type) {
  auto table = GetCurrentQuestion(doc);
  if (!table) automation::Raise(automation::err::kObjectNotSet);
  const std::string html = BuildMarkPage(table, type);

  auto dialog = dlgMark::Create();
  auto release = [&] {
    automation::ErrorsIgnored ignore;
    if (dialog->IsLoaded()) ignore([&] { dialog->Unload(); });
  };
  if (!dialog->Display(type, html)) {
    release();
    return;
  }
  const bool checkBoxes = TypeFacts(type).checkBoxes;
  auto pictures = table->Range()->InlineShapes();
  for (int32_t i = 1, n = pictures->Count(); i <= n; ++i) {
    auto picture = pictures->Item(i);
    const auto index = static_cast<int16_t>(i);
    if (IsQuestionMarker(picture))
      dialog->ReloadQInfo(picture);
    else if (IsAnswerMarker(picture) && checkBoxes)
      dialog->ReloadCheckboxInfo(picture, index);
    else if (IsAnswerMarker(picture))
      dialog->ReloadRadioInfo(picture, index);
    else if (IsBlankMarker(picture))
      dialog->ReloadFIBInfo(picture, index);
  }
  doc->SetSaved(false);
  release();
}

}  // namespace qv::addin
