#pragma once
// The driver for a person at the terminal: message boxes, forms and file dialogs are written to
// the output as text and the answers are read from the input, one line each.
//
//  - A message box lists its buttons with numbers; a number chooses, an empty line takes the
//    default button, and so does a closed input.
//  - A modal form is drawn (captions, texts, lists, buttons with numbers) and takes commands
//    until it hides or unloads: "<n>" clicks control n (a check box toggles), "<n> <text>" types
//    the text into box n or chooses the entry of list n with that number or text, "dbl <n> <i>"
//    double-clicks entry i of list n, "enter", "esc", and "close" (the close box). A closed
//    input leaves the form to the toolkit, which closes it by its close box.
//  - A file dialog asks for a path; an empty line or a closed input cancels.
//  - A modeless form is drawn when shown. If it has something the person can use (a button, a
//    box, a list), it takes the same commands at the next DoEvents, until it hides or unloads,
//    the person types "leave" (it stays open), or the input closes.
//  - Caption changes and the other transcript entries are written as they happen ("* " and the
//    entry's line).

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "ui/driver.h"

namespace qv::ui {

class Control;

class TerminalDriver : public Driver {
 public:
  TerminalDriver(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

  int32_t MessageBox(const MessageBoxRequest& request) override;
  FileDialogAnswer FileDialog(const FileDialogRequest& request) override;
  void DriveModal(Form& form) override;
  void ShownModeless(Form& form) override;
  void Idle() override;
  void Record(const TranscriptEntry& entry) override;

 private:
  // Draws the form; returns the numbered controls (index + 1 is the number shown).
  std::vector<Control*> Draw(Form& form, bool interactive);
  bool ReadLine(std::string& line);
  // Takes commands for the form until it hides or unloads, the input closes, or (modeless only)
  // the person leaves it.
  void Work(Form& form, bool modal);
  // Runs one command on the form; false when the command was not understood.
  bool Command(Form& form, const std::vector<Control*>& numbered, const std::string& line);

  std::istream& in_;
  std::ostream& out_;
  std::vector<std::weak_ptr<Form>> modeless_;  // shown since the last DoEvents
};

}  // namespace qv::ui
