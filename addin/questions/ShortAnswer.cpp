#include "addin/questions/ShortAnswer.h"

#include "addin/questions/attribute_string.h"
#include "addin/questions/body_question.h"
#include "addin/questions/g_delete.h"
#include "addin/questions/g_find.h"
#include "addin/questions/g_markers.h"
#include "addin/questions/question_class.h"
#include "addin/questions/question_types.h"
#include "addin/questions/validation_messages.h"
#include "automation/error_trap.h"
#include "word/application.h"
#include "word/document.h"
#include "word/formatting.h"
#include "word/range.h"
#include "word/shape.h"
#include "word/shape_formats.h"
#include "word/table.h"

namespace qv::addin {
namespace {

constexpr double kAreaHeight = 85;
// The placeholder sits this far inside the area on every side.
constexpr double kInset = 10;

void AddPlaceholder(word::Document& doc, word::Table& table) {
  const double textWidth = BodyTextWidth(doc);
  auto box = doc.Shapes()->AddShape(word::msoShapeRectangle, kInset, kInset, textWidth - 2 * kInset,
                                    kAreaHeight - 2 * kInset, table.Cell(4, 1)->Range());
  box->Mutable().line.visible = true;
  box->Mutable().wrap.side = word::wdWrapLeft;
  box->Mutable().wrap.allowOverlap = true;
  box->Mutable().relativeHorizontal = word::wdRelativeHorizontalPositionCharacter;
  box->Mutable().relativeVertical = word::wdRelativeVerticalPositionPage;
  box->Mutable().lockAnchor = true;
  box->ZOrder(word::msoBringToFront);
  box->Mutable().alt = kAnswerMarker + std::to_string(kShortAnswer);
  word::ShapeTextRange(box).InsertAfter(kShortAnswerPlaceholderText);
}

}  // namespace

void ShortAnswer::CreateQuestion(const std::shared_ptr<word::Application>& app) {
  CreateBodyQuestion(app, {kShortAnswer, word::wdColorBlack, kAreaHeight}, AddPlaceholder);
}

void ShortAnswer::DeleteQuestion(const std::shared_ptr<word::Document>& doc) {
  addin::DeleteQuestion(GetCurrentQuestion(doc));
}

bool ShortAnswer::Validate(std::string& message, const std::shared_ptr<word::Table>& table) {
  return ValidateSafely(message, [&] {
    if (CountShapesInTable(table) == 0) message = ValidationMessage(kMsgNoAnswer);
    return HasUntypedAnswerShape(message, table, kMsgNoAnswer);
  });
}

void ShortAnswer::MarkQuestion(const std::shared_ptr<word::Document>& doc) {
  MarkQuestionAttributes(doc, kShortAnswer);
}

const automation::DispatchTable& ShortAnswer::Members() const {
  static const automation::DispatchTable table = QuestionTable<ShortAnswer>("ShortAnswer");
  return table;
}

}  // namespace qv::addin
