#include "addin/questions/validation_messages.h"

#include <array>
#include <utility>

namespace qv::addin {

const std::string& ValidationMessageText(int32_t code) {
  static const std::string kNone;
  static const std::array<std::pair<int32_t, std::string>, 11> kTable = {{
      {101, "The question is not able to be fixed.  Delete this question and try again"},
      {102, "You need to add at least one answer"},
      {103,
       "The question is missing some rows and is not able to be fixed.  Delete this question and "
       "try again"},
      {104, "You need to assign the maximum number of points"},
      {105,
       "The question does not have an ID and is not able to be fixed.  Delete this question and "
       "try again"},
      {106, "You need to add at least one image"},
      {107, "You need to select a correct answer"},
      {108, "You need to select a correct answer"},
      {109, "You need to add at least one Fill-In-The-Blank textbox"},
      {110, "Web Page is empty"},
      {112, "You need to separate all questions by at least one blank line"},
  }};
  for (const auto& [number, text] : kTable)
    if (number == code) return text;
  return kNone;
}

std::string ValidationMessage(int32_t code) {
  const std::string& text = ValidationMessageText(code);
  return text.empty() ? "Unknown" : text;
}

}  // namespace qv::addin
