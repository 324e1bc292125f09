#include "addin/questions/check_answer_chosen.h"

#include "addin/questions/attribute_string.h"
#include "addin/questions/g_markers.h"
#include "addin/questions/validation_messages.h"
#include "automation/automation_error.h"
#include "word/inline_shape.h"
#include "word/range.h"
#include "word/table.h"

namespace qv::addin {

bool CheckAnswerChosen(std::string& message, const std::shared_ptr<word::Table>& table) {
  if (!table) automation::Raise(automation::err::kObjectNotSet);
  auto pictures = table->Range()->InlineShapes();
  int32_t answers = 0;
  bool chosen = false;
  for (int32_t i = 1, n = pictures->Count(); i <= n; ++i) {
    auto picture = pictures->Item(i);
    if (!IsAnswerMarker(picture)) continue;
    ++answers;
    if (GetAttr(picture->AlternativeText(), "checked") == "on") chosen = true;
  }
  if (answers == 0) {
    message = ValidationMessage(kMsgNoAnswer);
    return false;
  }
  if (!chosen) {
    message = ValidationMessage(kMsgNoCorrectAnswer);
    return false;
  }
  return true;
}

}  // namespace qv::addin
