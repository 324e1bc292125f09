#include "ui/terminal_driver.h"

#include <algorithm>
#include <istream>
#include <ostream>
#include <sstream>

#include "automation/automation_error.h"
#include "ui/command_button.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/list_box.h"
#include "ui/text_box.h"
#include "ui/transcript.h"

namespace qv::ui {
namespace {

bool ParseIndex(const std::string& text, int32_t& out) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  out = std::stoi(text);
  return true;
}

std::string Trim(const std::string& s) {
  const auto b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

bool Interactive(const Control& c) {
  return dynamic_cast<const CommandButton*>(&c) || dynamic_cast<const TextBox*>(&c) ||
         dynamic_cast<const ListBox*>(&c) || dynamic_cast<const CheckBox*>(&c);
}

}  // namespace

bool TerminalDriver::ReadLine(std::string& line) {
  if (!std::getline(in_, line)) return false;
  line = Trim(line);
  return true;
}

int32_t TerminalDriver::MessageBox(const MessageBoxRequest& request) {
  const auto answers = request.Answers();
  out_ << "+-- " << request.title << " --\n";
  std::istringstream prompt(request.prompt);
  for (std::string l; std::getline(prompt, l);) {
    if (!l.empty() && l.back() == '\r') l.pop_back();
    out_ << "| " << l << "\n";
  }
  out_ << "|";
  for (size_t i = 0; i < answers.size(); ++i)
    out_ << " [" << i + 1 << "] " << AnswerName(answers[i])
         << (answers[i] == request.DefaultAnswer() ? "*" : "");
  out_ << "\n> " << std::flush;
  std::string line;
  while (ReadLine(line)) {
    if (line.empty()) return request.DefaultAnswer();
    int32_t n = 0;
    if (ParseIndex(line, n) && n >= 1 && static_cast<size_t>(n) <= answers.size())
      return answers[static_cast<size_t>(n - 1)];
    out_ << "choose 1 to " << answers.size() << "\n> " << std::flush;
  }
  out_ << "\n";
  return request.DefaultAnswer();
}

FileDialogAnswer TerminalDriver::FileDialog(const FileDialogRequest& request) {
  out_ << "+-- "
       << (request.dialogTitle.empty() ? (request.save ? "Save As" : "Open") : request.dialogTitle)
       << " --\n";
  if (!request.filter.empty()) out_ << "| files: " << request.filter << "\n";
  if (!request.initDir.empty()) out_ << "| folder: " << request.initDir << "\n";
  out_ << "| path (empty line: Cancel)\n> " << std::flush;
  std::string line;
  if (!ReadLine(line) || line.empty()) return FileDialogAnswer{};
  return FileDialogAnswer{false, line};
}

std::vector<Control*> TerminalDriver::Draw(Form& form, bool interactive) {
  std::vector<Control*> numbered;
  out_ << "== " << form.Name() << ": " << form.Caption() << " ==\n";
  for (Control* c : form.AllControls()) {
    if (!c->Visible()) continue;
    // A control inside a hidden frame is not seen either; one inside a shown frame is drawn
    // indented below it.
    bool hidden = false;
    int depth = 0;
    for (Control* k = c->Container(); k; k = k->Container()) {
      if (!k->Visible()) hidden = true;
      ++depth;
    }
    if (hidden) continue;
    std::string shown;
    if (auto* b = dynamic_cast<CommandButton*>(c)) {
      shown = "(" + b->Caption() + ")" + (b->Default() ? " default" : "") +
              (b->Cancel() ? " cancel" : "");
    } else if (auto* t = dynamic_cast<TextBox*>(c)) {
      shown = c->DisplayName() + ": " + Quoted(t->Text());
    } else if (auto* l = dynamic_cast<ListBox*>(c)) {
      // One entry a line, the selected one marked.
      shown = c->DisplayName() + ":";
      for (int32_t i = 0; i < l->ListCount(); ++i)
        shown += "\n  " + std::to_string(i) + (i == l->ListIndex() ? "* " : "  ") + l->List(i);
    } else if (auto* k = dynamic_cast<CheckBox*>(c)) {
      shown = (k->Value() == vbChecked ? "[x] " : "[ ] ") + k->Caption();
    } else if (dynamic_cast<Frame*>(c)) {
      if (c->Caption().empty()) continue;  // a frame without caption only groups its controls
      shown = "-- " + c->Caption() + " --";
    } else if (dynamic_cast<Line*>(c)) {
      continue;  // a separator only
    } else if (dynamic_cast<Label*>(c)) {
      if (c->Caption().empty()) continue;
      shown = c->Caption();
    } else if (shown = c->Describe(); shown.empty()) {
      shown = "<" + c->TypeName() + " " + c->DisplayName() + ">";
    }
    std::string number = "    ";
    if (interactive && Interactive(*c) && c->Enabled()) {
      numbered.push_back(c);
      number = "[" + std::to_string(numbered.size()) + "] ";
    }
    const std::string indent(static_cast<size_t>(2 * depth), ' ');
    // A caption of several lines (a label's paragraphs) keeps its lines, each below the first.
    std::istringstream lines(shown + (c->Enabled() ? "" : " (disabled)"));
    bool first = true;
    for (std::string line; std::getline(lines, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      out_ << "  " << (first ? number : std::string(number.size(), ' ')) << indent << line << "\n";
      first = false;
    }
  }
  if (interactive)
    out_ << "<n> click | <n> <text> type or choose | dbl <n> <i> | enter | esc | close"
         << (form.IsModal() ? "" : " | leave") << "\n> " << std::flush;
  return numbered;
}

bool TerminalDriver::Command(Form& form, const std::vector<Control*>& numbered,
                             const std::string& line) {
  if (line == "enter") return form.PressEnter(), true;
  if (line == "esc") return form.PressEscape(), true;
  if (line == "close") return form.Close(), true;
  std::istringstream words(line);
  std::string first;
  words >> first;
  const bool dbl = first == "dbl";
  if (dbl) words >> first;
  int32_t n = 0;
  if (!ParseIndex(first, n) || n < 1 || static_cast<size_t>(n) > numbered.size()) return false;
  Control* c = numbered[static_cast<size_t>(n - 1)];
  std::string rest;
  std::getline(words, rest);
  rest = Trim(rest);
  if (auto* l = dynamic_cast<ListBox*>(c)) {
    int32_t i = -1;
    if (!ParseIndex(rest, i)) {
      for (int32_t k = 0; k < l->ListCount(); ++k)
        if (l->List(k) == rest) i = k;
    }
    if (i < 0 || i >= l->ListCount()) return false;
    if (dbl)
      l->DblClickItem(i);
    else
      l->ListIndex(i);
    return true;
  }
  if (auto* t = dynamic_cast<TextBox*>(c); t && !rest.empty()) {
    if (!t->Locked) t->Text(rest);
    return true;
  }
  if (dbl)
    c->DblClick();
  else
    c->Click();
  return true;
}

void TerminalDriver::Work(Form& form, bool modal) {
  auto keep = form.shared_from_this();
  while (form.IsLoaded() && form.Visible()) {
    const auto numbered = Draw(form, true);
    std::string line;
    if (!ReadLine(line)) {
      out_ << "\n";
      return;
    }
    if (!modal && line == "leave") return;
    try {
      if (!Command(form, numbered, line)) out_ << "?\n";
    } catch (const automation::AutomationError& e) {
      // What the person typed was refused by the form (an invalid value): say so and go on.
      out_ << "! " << e.Description() << "\n";
    }
  }
}

void TerminalDriver::DriveModal(Form& form) {
  Work(form, true);
}

void TerminalDriver::ShownModeless(Form& form) {
  const auto controls = form.AllControls();
  const bool usable = std::any_of(controls.begin(), controls.end(), [](Control* c) {
    return Interactive(*c) && c->Visible() && c->Enabled();
  });
  if (usable)
    modeless_.push_back(std::static_pointer_cast<Form>(form.shared_from_this()));
  else
    Draw(form, false);
}

void TerminalDriver::Idle() {
  std::vector<std::weak_ptr<Form>> pending;
  pending.swap(modeless_);
  for (auto& weak : pending)
    if (auto f = weak.lock(); f && f->IsLoaded() && f->Visible()) Work(*f, false);
}

void TerminalDriver::Record(const TranscriptEntry& entry) {
  // Message boxes and file dialogs were shown when asked; shown forms are drawn.
  if (entry.kind == EntryKind::MessageBox || entry.kind == EntryKind::FileDialog ||
      entry.kind == EntryKind::FormShown)
    return;
  out_ << "* " << entry.Line() << "\n" << std::flush;
}

}  // namespace qv::ui
