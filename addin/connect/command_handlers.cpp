// The command handlers of the add-in object: the click events of the menu and toolbar buttons.
// A menu item and the toolbar button of the same command run the same handler.

#include "addin/addin_app.h"
#include "addin/connect/connect.h"
#include "addin/dialogs/dlgCreateQuestion.h"
#include "addin/document/dlgWebVerify.h"
#include "addin/document/page_breaks.h"
#include "addin/online/course_portal.h"
#include "addin/online/update_check.h"
#include "addin/questions/g_construction.h"
#include "addin/questions/g_find.h"
#include "addin/questions/report_error.h"
#include "automation/error_trap.h"
#include "office/command_bar_button.h"
#include "online/course_host_name.h"
#include "platform/shell/shell_execute.h"
#include "ui/msgbox.h"
#include "word/application.h"
#include "word/document.h"
#include "word/documents.h"

namespace qv::addin {

using automation::ErrInfo;
using automation::ObjectRef;

namespace {

// Runs a handler's body with its trap: an error is reported under the handler's own name.
template <class Body>
void Handler(const char* name, Body&& body) {
  automation::Trap(std::forward<Body>(body),
                   [&](const ErrInfo& e) { ReportError(e.description, name, e.number, true); });
}

}  // namespace

void Connect::AttachHandlers() {
  auto hook = [this](CommandRef& ref, void (Connect::*handler)(const ObjectRef&, bool&)) {
    if (!ref.button) return;
    ref.subscription =
        ref.button->OnClick([this, handler](office::CommandBarButton& ctrl, bool& cancelDefault) {
          (this->*handler)(std::static_pointer_cast<automation::Dispatch>(ctrl.shared_from_this()),
                           cancelDefault);
        });
  };
  // A menu item runs the same handler as its toolbar button.
  for (size_t i = 0; i < kCommandCount; ++i)
    hook(refs_.menu[i], Commands()[i].handler);
  for (size_t i = 0; i < kCommandCount; ++i)
    hook(refs_.toolbar[i], Commands()[i].handler);
}

ObjectRef Connect::EnsureDocument() {
  if (!hostApp_) automation::Raise(automation::err::kObjectNotSet);
  if (hostApp_->Documents()->Count() == 0) return hostApp_->Documents()->Add();
  return hostApp_->ActiveDocument();
}

void Connect::CreateQuestion_Click(const ObjectRef&, bool&) {
  Handler("CreateQuestion_Click", [&] {
    EnsureDocument();
    // The open dialog keeps itself alive (the forms collection) until it unloads.
    dlgCreateQuestion::Create()->Display(hostApp_);
  });
}

void Connect::CreateContentDelim_Click(const ObjectRef&, bool&) {
  auto doc = std::dynamic_pointer_cast<word::Document>(EnsureDocument());
  if (!EverythingOK(kInsertingPageBreak)) return;
  if (InsertBreakAtSelection(*doc)) StampDocument(*doc);
}

void Connect::WebVerify_Click(const ObjectRef&, bool&) {
  Handler("WebVerify_Click", [&] {
    if (!hostApp_) automation::Raise(automation::err::kObjectNotSet);
    if (hostApp_->Documents()->Count() == 0) {
      ui::MsgBox(AddinApp(),
                 "Enhanced Web Preview attempts to determine whether your document can correctly "
                 "be displayed by browsers (Internet Explorer and Netscape 6+) once it is added to "
                 "your Lesson.",
                 ui::vbOKOnly);
      return;
    }
    dlgWebVerify::Create()->Display();
  });
}

void Connect::Tutorial_Click(const ObjectRef&, bool&) {
  Handler("Tutorial_Click", [&] {
    platform::ShellExecute(0, "Open", "iexplore.exe",
                           std::string("http://") + online::kDefaultCourseHost +
                               "/Files/02/pages/help/tutorials.asp?SchoolID=2",
                           "", 1);
  });
}

void Connect::SignUp_Click(const ObjectRef&, bool&) {
  Handler("SignUp_Click", [&] { FindIE(); });
}

void Connect::Upgrade_Click(const ObjectRef&, bool&) {
  Handler("Upgrade_Click", [&] { ShowUpdatePage(); });
}

void Connect::RemoveContentDelim_Click() {
  auto doc = std::dynamic_pointer_cast<word::Document>(EnsureDocument());
  DeleteBreakAtSelection(*doc);
}

}  // namespace qv::addin
