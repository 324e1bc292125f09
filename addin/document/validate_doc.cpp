#include "addin/document/validate_doc.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "addin/addin_app.h"
#include "addin/library/public_classes.h"
#include "addin/questions/attribute_string.h"
#include "addin/questions/g_construction.h"
#include "addin/questions/g_find.h"
#include "addin/questions/g_ids.h"
#include "addin/questions/g_markers.h"
#include "addin/questions/g_text.h"
#include "addin/questions/question_types.h"
#include "addin/questions/report_error.h"
#include "addin/questions/validation_messages.h"
#include "ui/msgbox.h"
#include "word/document.h"
#include "word/inline_shape.h"
#include "word/range.h"
#include "word/selection.h"
#include "word/table.h"
#include "word/window.h"

namespace qv::addin {
namespace {

constexpr const char* kTwoLines = "\r\n\r\n";

// What stopped the scan: the message for the author, and the question's table when it has one.
struct Failure {
  std::string message;
  std::shared_ptr<word::Table> table;
};

int32_t QuestionMarkersIn(word::Range& range) {
  auto pictures = range.InlineShapes();
  int32_t count = 0;
  for (int32_t i = 1, n = pictures->Count(); i <= n; ++i)
    if (IsQuestionMarker(pictures->Item(i))) ++count;
  return count;
}

// The type's own completeness check, through the class automation clients create: codes without
// a class in this library pass.
std::optional<std::string> TypeCheck(int32_t type, const std::shared_ptr<word::Table>& table) {
  static const std::vector<int32_t> kChecked = {
      kMultipleChoice, kMultipleResponse, kMultipleChoiceFIB, kMultipleResponseFIB, kFillInTheBlank,
      kDragAndDrop,    kHotSpot,          kTrueFalse,         kShortAnswer};
  if (std::find(kChecked.begin(), kChecked.end(), type) == kChecked.end()) return std::nullopt;
  auto question = CreatePublicObject(QuestionProgId(type));
  if (!question) return std::nullopt;
  std::vector<automation::Variant> args{automation::Variant(""),
                                        automation::Variant(automation::ObjectRef(table))};
  if (automation::Invoke(*question, "Validate", automation::CallKind::Method, args).ToBool())
    return std::nullopt;
  return args[0].ToText();
}

// The checks of one question, in their order; the first that fails names the failure.
std::optional<Failure> CheckQuestion(const std::shared_ptr<word::InlineShape>& marker,
                                     const std::shared_ptr<word::Document>& doc) {
  auto table = FindTableOfShape(marker, doc);
  if (!table) return Failure{ValidationMessage(kMsgNotFixable), nullptr};
  const std::string attributes = marker->AlternativeText();
  const int32_t type = GetQType(attributes);
  auto fail = [&](int32_t code) { return Failure{ValidationMessage(code), table}; };
  // Drag-and-drop, hot-spot and short-answer questions keep their answers in floating shapes, so
  // a marker alone in the table says nothing about them.
  const bool floatingAnswers = type == kDragAndDrop || type == kHotSpot || type == kShortAnswer;
  if (table->Range()->InlineShapes()->Count() == 1 && !floatingAnswers) return fail(kMsgNoAnswer);
  if (table->Rows()->Count() < 4) return fail(kMsgMissingRows);
  if (GetAttr(attributes, "points").empty()) return fail(kMsgNoPoints);
  if (GetAttr(attributes, "qID").empty()) return fail(kMsgNoId);
  if (QuestionMarkersIn(*table->Range()) > 1) return fail(kMsgQuestionsNotSeparated);
  if (auto message = TypeCheck(type, table)) return Failure{*message, table};
  return std::nullopt;
}

}  // namespace

namespace {

// The first incomplete question of a course document, with the detail the author is shown; none
// when the document is no course document or every question is complete. Repeated question
// identifiers are made unique first.
struct FirstFailure {
  std::string detail;
  std::shared_ptr<word::Table> table;
  std::optional<int64_t> questionText;
};

std::optional<FirstFailure> FindFirstFailure(const std::shared_ptr<word::Document>& doc) {
  if (!doc) automation::Raise(automation::err::kObjectNotSet);
  if (!IsConvertedDocument(*doc, kConvertedMark)) return std::nullopt;
  MakeQuestionIdsUnique(*doc);

  // The markers are gathered before any check runs: a drag-and-drop or hot-spot check turns the
  // pictures of its answer row into floating shapes, which renumbers the pictures after them.
  std::vector<std::shared_ptr<word::InlineShape>> markers;
  auto pictures = doc->InlineShapes();
  for (int32_t i = 1, n = pictures->Count(); i <= n; ++i) {
    auto picture = pictures->Item(i);
    if (IsQuestionMarker(picture)) markers.push_back(picture);
  }
  std::optional<Failure> failure;
  for (const auto& marker : markers) {
    if (marker->Deleted()) continue;
    if ((failure = CheckQuestion(marker, doc))) break;
  }
  if (!failure) return std::nullopt;

  FirstFailure first{failure->message, failure->table, std::nullopt};
  const auto& table = failure->table;
  if (table && table->Rows()->Count() >= 3) {
    const std::string title = ShortTitle(table->Rows()->Item(3)->Range()->Text());
    first.detail =
        "The question \"" + title + "...\" is incomplete:" + kTwoLines + failure->message;
    first.questionText = table->Cell(3, 1)->Start();
  } else if (table) {
    first.detail = std::string("A question is incomplete:") + kTwoLines + failure->message;
  }
  return first;
}

}  // namespace

std::optional<std::string> FirstValidationFailure(const std::shared_ptr<word::Document>& doc) {
  if (auto failure = FindFirstFailure(doc)) return failure->detail;
  return std::nullopt;
}

bool ValidateDoc(const std::shared_ptr<word::Document>& doc) {
  auto failure = FindFirstFailure(doc);
  if (!failure) return true;
  const std::string& detail = failure->detail;
  const auto& table = failure->table;
  ReportError(detail, "Work.ValidateDoc::BAD", 0, false);
  const int32_t answer =
      ui::MsgBox(AddinApp(),
                 "WARNING:  The document " + doc->Name() +
                     " contains errors that will prevent it from uploading "
                     "correctly." +
                     kTwoLines + detail + kTwoLines + "Do you still want to save this document?",
                 ui::vbYesNo + ui::vbExclamation, "Error Validating Document...");
  if (answer == ui::vbYes) return true;
  if (failure->questionText) doc->Range(*failure->questionText, *failure->questionText)->Select();
  if (table) doc->ActiveWindow()->ScrollIntoView(automation::ObjectRef(table->Range()));
  return false;
}

}  // namespace qv::addin
