#include "addin/dialogs/dlgProgress.h"

#include "addin/questions/report_error.h"
#include "automation/error_trap.h"

namespace qv::addin {

std::shared_ptr<dlgProgress> dlgProgress::Create() {
  return std::make_shared<dlgProgress>();
}

dlgProgress::dlgProgress() : ui::Form("dlgProgress"), Status(Add<ui::Label>("Status")) {
  Caption("Please Wait...");
  BorderStyle(ui::vbFixedSingle);
  SetClientSize(5445, 450);
  Status.Move(240, 135, 4980, 195);
}

void dlgProgress::AddMessage(const std::string& text) {
  int erl = 0;
  automation::Trap(
      [&] {
        erl = 10;
        Status.Caption(text);
        erl = 20;
        Status.Refresh();
        erl = 30;
        Refresh();
      },
      [&](const automation::ErrInfo& e) {
        ReportError(e.description, "dlgProgress.AddMessage Erl=(" + std::to_string(erl) + ")",
                    e.number, true);
      });
}

void dlgProgress::DONE() {
  AddMessage("Done!  Closing...");
  Unload();
}

const automation::DispatchTable& dlgProgress::Members() const {
  static const automation::DispatchTable table =
      automation::ClassTable<dlgProgress>("dlgProgress")
          .Inherit(ui::Form::CommonMembers())
          .Sub("AddMessage", [](dlgProgress& f, automation::Args& a) { f.AddMessage(a.Text(0)); })
          .Sub("DONE", [](dlgProgress& f, automation::Args&) { f.DONE(); })
          .Build();
  return table;
}

}  // namespace qv::addin
