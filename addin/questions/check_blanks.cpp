#include "addin/questions/check_blanks.h"

#include "addin/questions/attribute_string.h"
#include "addin/questions/g_markers.h"
#include "addin/questions/validation_messages.h"
#include "automation/automation_error.h"
#include "word/inline_shape.h"
#include "word/range.h"
#include "word/table.h"

namespace qv::addin {
namespace {

std::string TrimBlanks(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string AcceptedAnswers(const std::shared_ptr<word::InlineShape>& blank) {
  if (IsTextBoxControl(blank)) return blank->OLEFormat()->Object()->text;
  return GetAttr(blank->AlternativeText(), "ans");
}

}  // namespace

bool CheckBlanks(std::string& message, const std::shared_ptr<word::Table>& table) {
  if (!table) automation::Raise(automation::err::kObjectNotSet);
  auto pictures = table->Range()->InlineShapes();
  bool anyBlank = false;
  for (int32_t i = 1, n = pictures->Count(); i <= n; ++i) {
    auto picture = pictures->Item(i);
    if (!IsBlankMarker(picture)) continue;
    anyBlank = true;
    if (TrimBlanks(AcceptedAnswers(picture)).empty()) {
      message = ValidationMessage(kMsgNoBlankAnswer);
      return false;
    }
  }
  if (!anyBlank) {
    message = ValidationMessage(kMsgNoBlank);
    return false;
  }
  return true;
}

}  // namespace qv::addin
