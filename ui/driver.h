#pragma once
// The driver plays the user: one per program (Toolkit::SetDriver). The toolkit calls it for every
// message box, every form shown and every file dialog, and tells it everything the user sees
// (Record). Two drivers exist: the scripted driver (tests and automation scripts) and the
// terminal driver (a person at the terminal).

#include <cstdint>
#include <string>
#include <vector>

#include "ui/transcript.h"

namespace qv::ui {

class Form;

struct MessageBoxRequest {
  std::string prompt;
  int32_t style = 0;  // buttons | icon | default button, as passed to MsgBox
  std::string title;  // already resolved: App.Title when the caller gave none

  int32_t ButtonSet() const;  // 0..5 (an unknown set is shown as OK only)
  int32_t Icon() const;       // 0, 16, 32, 48 or 64
  // The answers of the buttons, left to right ({vbOK, vbCancel} for vbOKCancel).
  std::vector<int32_t> Answers() const;
  // The answer of the default button (vbDefaultButton2 and 3; the first button when the box has
  // fewer buttons than asked for).
  int32_t DefaultAnswer() const;
  // The answer Escape gives: Cancel where the box has it, OK for a box with OK alone, else 0
  // (Escape does nothing in Yes/No and Abort/Retry/Ignore boxes).
  int32_t EscapeAnswer() const;
};

struct FileDialogRequest {
  bool save = false;  // ShowSave, else ShowOpen
  std::string dialogTitle;
  std::string filter;
  int32_t filterIndex = 1;
  std::string fileName;
  std::string initDir;
  int32_t flags = 0;
};

struct FileDialogAnswer {
  bool cancelled = true;
  std::string path;
};

class Driver {
 public:
  virtual ~Driver() = default;
  // Returns the button chosen; an answer that is not a button of the box is replaced by the
  // default button.
  virtual int32_t MessageBox(const MessageBoxRequest& request) = 0;
  virtual FileDialogAnswer FileDialog(const FileDialogRequest& request) = 0;
  // A modal form is shown: act on it, and return when done. The toolkit closes a form that is
  // still shown afterwards, as by its close box.
  virtual void DriveModal(Form& form) = 0;
  // A modeless form is shown; the driver may act on it later (see each driver).
  virtual void ShownModeless(Form& form) = 0;
  // The toolkit's message loop had a turn (DoEvents).
  virtual void Idle() {}
  // Something the user sees happened.
  virtual void Record(const TranscriptEntry& entry) = 0;
};

}  // namespace qv::ui
