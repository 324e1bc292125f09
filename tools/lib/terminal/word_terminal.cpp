#include "tools/lib/terminal/word_terminal.h"

#include <vector>

#include "automation/automation_error.h"
#include "office/command_bar.h"
#include "office/command_bar_controls.h"
#include "office/command_bar_popup.h"
#include "office/command_bars.h"
#include "ui/driver.h"
#include "ui/form.h"
#include "ui/toolkit.h"
#include "word/application.h"
#include "word/document.h"
#include "word/documents.h"
#include "word/range.h"
#include "word/render.h"
#include "word/selection.h"

namespace qv::tools {
namespace {

constexpr const char* kToolbarName = "Quorvanta";
constexpr int32_t kToolsMenuId = 30007;

std::string Trim(const std::string& s) {
  const auto b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

// The visible controls of a container, as the person sees them.
std::vector<std::shared_ptr<office::CommandBarControl>> Visible(
    const std::shared_ptr<office::CommandBarControls>& controls) {
  std::vector<std::shared_ptr<office::CommandBarControl>> out;
  if (!controls) return out;
  for (const auto& c : controls->All())
    if (c->Visible()) out.push_back(c);
  return out;
}

std::shared_ptr<office::CommandBarControls> ToolbarControls(word::Application& app) {
  try {
    return app.CommandBars()->Item(std::string(kToolbarName))->Controls();
  } catch (const automation::AutomationError&) {
    return nullptr;
  }
}

std::shared_ptr<office::CommandBarControls> MenuControls(word::Application& app) {
  try {
    auto tools = std::dynamic_pointer_cast<office::CommandBarPopup>(
        app.CommandBars()->FindControl(office::ControlQuery{0, kToolsMenuId, "", false}));
    if (!tools) return nullptr;
    auto menu = std::dynamic_pointer_cast<office::CommandBarPopup>(
        tools->Controls()->Item(std::string(kToolbarName)));
    return menu ? menu->Controls() : nullptr;
  } catch (const automation::AutomationError&) {
    return nullptr;
  }
}

}  // namespace

WordTerminal::WordTerminal(std::shared_ptr<word::Application> app, std::istream& in,
                           std::ostream& out)
    : app_(std::move(app)), in_(in), out_(out) {}

void WordTerminal::ShowCommands() {
  out_ << "toolbar " << kToolbarName << ":";
  int n = 0;
  for (const auto& c : Visible(ToolbarControls(*app_)))
    out_ << "  [" << ++n << "] " << c->Caption() << (c->Enabled() ? "" : " (disabled)");
  out_ << "\nmenu Tools > &Quorvanta:";
  n = 0;
  for (const auto& c : Visible(MenuControls(*app_)))
    out_ << "  [m" << ++n << "] " << c->Caption() << (c->Enabled() ? "" : " (disabled)");
  out_ << "\ndocument: new | open PATH | save PATH | type TEXT | para | end | show"
       << "\nwindows: forms | form N (back to a window left open) | help | quit\n";
}

std::vector<ui::FormRef> WordTerminal::OpenForms() const {
  std::vector<ui::FormRef> out;
  for (const auto& f : ui::Toolkit::Current().Forms())
    if (f->IsLoaded() && f->Visible()) out.push_back(f);
  return out;
}

void WordTerminal::BackToForm(const std::string& number) {
  const auto forms = OpenForms();
  size_t n = 0;
  for (char c : number) {
    if (c < '0' || c > '9' || n > 1000) return void(out_ << "?\n");
    n = n * 10 + static_cast<size_t>(c - '0');
  }
  if (number.empty() || n < 1 || n > forms.size()) return void(out_ << "?\n");
  // Worked again at the next turn of the message loop, as when it was shown.
  ui::Toolkit::Current().Driver().ShownModeless(*forms[n - 1]);
}

void WordTerminal::Click(bool menu, const std::string& number) {
  const auto controls = Visible(menu ? MenuControls(*app_) : ToolbarControls(*app_));
  size_t n = 0;
  for (char c : number) {
    if (c < '0' || c > '9' || n > 1000) return void(out_ << "?\n");
    n = n * 10 + static_cast<size_t>(c - '0');
  }
  if (number.empty() || n < 1 || n > controls.size()) return void(out_ << "?\n");
  const auto& control = controls[n - 1];
  if (!control->Enabled()) return void(out_ << control->Caption() << " is disabled\n");
  out_ << "* click " << control->Caption() << "\n";
  control->Execute();
}

bool WordTerminal::Command(const std::string& line) {
  const auto space = line.find(' ');
  const std::string word = line.substr(0, space);
  const std::string rest = space == std::string::npos ? "" : Trim(line.substr(space + 1));
  if (word == "quit") {
    quit_ = true;
  } else if (word == "help") {
    ShowCommands();
  } else if (word == "new") {
    app_->Documents()->Add();
  } else if (word == "open" && !rest.empty()) {
    app_->Documents()->Open(rest);
  } else if (word == "save" && !rest.empty()) {
    app_->ActiveDocument()->SaveAs(rest);
    out_ << "* saved as " << app_->ActiveDocument()->FullName() << "\n";
  } else if (word == "type" && !rest.empty()) {
    app_->Selection()->TypeText(rest);
  } else if (word == "para") {
    app_->Selection()->TypeParagraph();
  } else if (word == "end") {
    auto doc = app_->ActiveDocument();
    const int64_t end = doc->Content()->End() - 1;
    doc->Selection()->SelectText(end, end);
  } else if (word == "forms") {
    int n = 0;
    for (const auto& f : OpenForms())
      out_ << "  [" << ++n << "] " << f->Name() << ": " << f->Caption() << "\n";
    if (n == 0) out_ << "  (no window open)\n";
  } else if (word == "form") {
    BackToForm(rest);
  } else if (word == "show") {
    out_ << word::RenderDocument(*app_->ActiveDocument()) << "\n";
  } else if (!word.empty() && word[0] == 'm') {
    Click(true, word.substr(1));
  } else if (!word.empty() && word[0] >= '0' && word[0] <= '9') {
    Click(false, word);
  } else {
    return false;
  }
  return true;
}

void WordTerminal::Run() {
  ShowCommands();
  while (!quit_) {
    out_ << "word> " << std::flush;
    std::string line;
    if (!std::getline(in_, line)) {
      out_ << "\n";
      return;
    }
    line = Trim(line);
    if (line.empty()) continue;
    try {
      if (!Command(line)) out_ << "? (help lists the commands)\n";
    } catch (const automation::AutomationError& e) {
      out_ << "! " << e.Description() << "\n";
    }
    // The forms a command opened modelessly are worked now, on the same input.
    ui::DoEvents();
  }
}

}  // namespace qv::tools
