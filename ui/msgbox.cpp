#include "ui/msgbox.h"

#include <algorithm>

#include "ui/driver.h"
#include "ui/toolkit.h"

namespace qv::ui {

int32_t MessageBoxRequest::ButtonSet() const {
  const int32_t set = style & 7;
  return set <= vbRetryCancel ? set : vbOKOnly;
}

int32_t MessageBoxRequest::Icon() const {
  const int32_t icon = style & 0x70;
  return icon <= vbInformation ? icon : 0;
}

std::vector<int32_t> MessageBoxRequest::Answers() const {
  switch (ButtonSet()) {
    case vbOKCancel:
      return {vbOK, vbCancel};
    case vbAbortRetryIgnore:
      return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel:
      return {vbYes, vbNo, vbCancel};
    case vbYesNo:
      return {vbYes, vbNo};
    case vbRetryCancel:
      return {vbRetry, vbCancel};
    default:
      return {vbOK};
  }
}

int32_t MessageBoxRequest::DefaultAnswer() const {
  const auto answers = Answers();
  const auto which = static_cast<size_t>((style >> 8) & 3);
  // A default button the box does not have falls back to the first, as the host's box does.
  return which < answers.size() ? answers[which] : answers.front();
}

int32_t MessageBoxRequest::EscapeAnswer() const {
  const auto answers = Answers();
  if (std::find(answers.begin(), answers.end(), vbCancel) != answers.end()) return vbCancel;
  return ButtonSet() == vbOKOnly ? vbOK : 0;
}

int32_t MsgBox(const ui::App& app, const std::string& prompt, int32_t style,
               const std::string& title) {
  Toolkit& tk = Toolkit::Current();
  MessageBoxRequest request{prompt, style, title.empty() ? app.Title : title};
  int32_t answer = tk.Driver().MessageBox(request);
  const auto answers = request.Answers();
  if (std::find(answers.begin(), answers.end(), answer) == answers.end())
    answer = request.DefaultAnswer();
  TranscriptEntry e;
  e.kind = EntryKind::MessageBox;
  e.title = request.title;
  e.text = prompt;
  e.buttons = request.ButtonSet();
  e.icon = request.Icon();
  e.defaultAnswer = request.DefaultAnswer();
  e.answer = answer;
  tk.Record(e);
  return answer;
}

int32_t MsgBox(const std::string& prompt, int32_t style, const std::string& title) {
  return MsgBox(Toolkit::Current().App(), prompt, style, title);
}

}  // namespace qv::ui
