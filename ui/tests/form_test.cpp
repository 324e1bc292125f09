#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "automation/testing/raised_error.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/msgbox.h"
#include "ui/tests/ui_fixture.h"

namespace qv::ui {
namespace {

using qv::testing::ErrorNumber;
using ::testing::ElementsAre;
using testing::UiTest;

// A dialog in the shape the product's dialogs have: OK (default) and Cancel (cancel) buttons, a
// text box, and a log of the events it saw.
class dlgAsk : public Form {
 public:
  dlgAsk() : Form("dlgAsk") {
    Caption("Ask");
    txtName.Move(100, 100, 2000, 300);
    cmdOK.Caption("&OK");
    cmdOK.Default(true);
    cmdCancel.Caption("&Cancel");
    cmdCancel.Cancel(true);
    OnLoad = [this] { log.push_back("Load"); };
    OnActivate = [this] { log.push_back("Activate"); };
    OnResize = [this] { log.push_back("Resize"); };
    OnQueryUnload = [this](int32_t& cancel, int32_t mode) {
      log.push_back("QueryUnload " + std::to_string(mode));
      if (refuseQuery) cancel = 1;
    };
    OnUnload = [this](int32_t& cancel) {
      log.push_back("Unload");
      if (refuseUnload) cancel = 1;
    };
    cmdOK.OnClick = [this] {
      accepted = true;
      Hide();
    };
    cmdCancel.OnClick = [this] { Unload(); };
  }

  TextBox& txtName = Add<TextBox>("txtName");
  CommandButton& cmdOK = Add<CommandButton>("cmdOK");
  CommandButton& cmdCancel = Add<CommandButton>("cmdCancel");
  std::vector<std::string> log;
  bool accepted = false;
  bool refuseQuery = false;
  bool refuseUnload = false;
};

TEST_F(UiTest, LoadRunsOncePerLoadingAndUnloadAsksFirst) {
  auto f = std::make_shared<dlgAsk>();
  f->Load();
  f->Load();
  EXPECT_TRUE(f->IsLoaded());
  EXPECT_NE(f->hWnd(), 0);
  EXPECT_EQ(toolkit.FormCount(), 1);
  EXPECT_TRUE(f->Unload());
  EXPECT_FALSE(f->IsLoaded());
  EXPECT_EQ(f->hWnd(), 0);
  EXPECT_EQ(toolkit.FormCount(), 0);
  EXPECT_THAT(f->log, ElementsAre("Load", "QueryUnload 1", "Unload"));
}

TEST_F(UiTest, EitherUnloadEventMayCancel) {
  for (const bool inQuery : {true, false}) {
    auto f = std::make_shared<dlgAsk>();
    f->refuseQuery = inQuery;
    f->refuseUnload = !inQuery;
    f->Show();
    EXPECT_FALSE(f->Unload());
    EXPECT_TRUE(f->IsLoaded());
    EXPECT_TRUE(f->Visible());
    f->refuseQuery = f->refuseUnload = false;
    EXPECT_TRUE(f->Close());
  }
  EXPECT_EQ(Lines()[1], "CloseRefused dlgAsk by code");
  EXPECT_EQ(Lines()[2], "Unload dlgAsk by close box");
}

TEST_F(UiTest, ModalFormThatNobodyClosesEndsAsClosedByItsCloseBox) {
  auto f = std::make_shared<dlgAsk>();
  f->Show(vbModal);
  EXPECT_FALSE(f->IsLoaded());
  EXPECT_FALSE(f->accepted);
  EXPECT_THAT(f->log, ElementsAre("Load", "Resize", "Activate", "QueryUnload 0", "Unload"));
  EXPECT_THAT(Lines(), ElementsAre("Show dlgAsk modal \"Ask\"", "Unload dlgAsk by close box"));
}

TEST_F(UiTest, FormThatRefusesToCloseIsForcedAfterOneMoreAttempt) {
  auto f = std::make_shared<dlgAsk>();
  f->refuseQuery = true;
  f->Show(vbModal);  // returns: no hang
  EXPECT_FALSE(f->IsLoaded());
  // Two close attempts, then Unload runs for the form's own clean-up, its cancel ignored.
  EXPECT_THAT(f->log, ElementsAre("Load", "Resize", "Activate", "QueryUnload 0", "QueryUnload 0",
                                  "Unload"));
  EXPECT_THAT(Lines(), ElementsAre("Show dlgAsk modal \"Ask\"", "CloseRefused dlgAsk by close box",
                                   "CloseRefused dlgAsk by close box", "Unload dlgAsk forced"));
}

TEST_F(UiTest, HandlerKeepsARefusingFormOpenUntilItChoosesToEnd) {
  auto f = std::make_shared<dlgAsk>();
  f->refuseQuery = true;
  driver->OnForm("DLGASK", [](Form& form) {
    EXPECT_FALSE(form.Close());  // the form refuses; the handler goes on
    EXPECT_TRUE(form.Visible());
    form.Controls("txtName").Text("Ada");
    form.PressEnter();
  });
  f->Show(vbModal);
  EXPECT_TRUE(f->accepted);
  EXPECT_TRUE(f->IsLoaded());  // hidden by OK, still loaded for the caller to read
  EXPECT_FALSE(f->Visible());
  EXPECT_EQ(f->txtName.Text(), "Ada");
}

TEST_F(UiTest, EnterClicksTheDefaultButtonAndEscapeTheCancelButton) {
  auto f = std::make_shared<dlgAsk>();
  driver->OnFormOnce("dlgAsk", [](Form& form) { form.PressEscape(); });
  driver->OnFormOnce("dlgAsk", [](Form& form) { form.PressEnter(); });
  f->Show(vbModal);
  EXPECT_FALSE(f->IsLoaded());
  EXPECT_FALSE(f->accepted);
  f->Show(vbModal);  // loads again: Load runs again
  EXPECT_TRUE(f->accepted);
  EXPECT_EQ(std::count(f->log.begin(), f->log.end(), "Load"), 2);
}

TEST_F(UiTest, KeysGoToTheFocusedBoxAndMayBeSwallowed) {
  auto f = std::make_shared<dlgAsk>();
  f->txtName.OnKeyPress = [](int32_t& key) {
    if (key == 'x') key = 0;
    if (key == 'a') key = 'A';
  };
  f->Show();
  ASSERT_EQ(f->ActiveControl(), &f->txtName);  // first in tab order that takes the focus
  for (int32_t k : {int32_t{'a'}, int32_t{'x'}, int32_t{'b'}, vbKeyBack, int32_t{'c'}})
    f->PressKey(k);
  EXPECT_EQ(f->txtName.Text(), "Ac");
  // A multi-line box takes Enter as a line break instead of pressing the default button.
  f->txtName.MultiLine(true);
  f->PressEnter();
  EXPECT_FALSE(f->accepted);
  EXPECT_EQ(f->txtName.Text(), "Ac\r\n");
}

TEST_F(UiTest, NestedModalFormsAndMessageBoxes) {
  auto outer = std::make_shared<dlgAsk>();
  auto inner = std::make_shared<Form>("dlgInner");
  auto& btn = inner->Add<CommandButton>("cmdGo");
  btn.OnClick = [&] {
    MsgBox("Sure?", vbYesNo | vbQuestion);
    inner->Hide();
  };
  outer->cmdOK.OnClick = [&] {
    inner->Show(vbModal);
    outer->accepted = true;
    outer->Hide();
  };
  driver->OnForm("dlgAsk", [](Form& f) { f.Controls("cmdOK").Click(); });
  driver->OnForm("dlgInner", [](Form& f) { f.Controls("cmdGo").Click(); });
  driver->AnswerMsgBox(vbNo);
  outer->Show(vbModal);
  EXPECT_TRUE(outer->accepted);
  EXPECT_THAT(Lines(),
              ElementsAre("Show dlgAsk modal \"Ask\"", "Show dlgInner modal \"dlgInner\"",
                          "MsgBox \"Quorvanta Word Add-in\" [Yes, No] Question default=Yes: "
                          "\"Sure?\" -> No",
                          "Hide dlgInner", "Hide dlgAsk"));
  EXPECT_EQ(toolkit.ModalDepth(), 0);
}

TEST_F(UiTest, ShowingAShownFormModallyRaises400) {
  auto f = std::make_shared<dlgAsk>();
  f->Show();
  EXPECT_EQ(ErrorNumber([&] { f->Show(vbModal); }), err::kAlreadyShownModally);
}

TEST_F(UiTest, FormThatUnloadsItselfWhileLoadingCannotBeShown) {
  // The installer's form does its whole work in Load and unloads itself.
  auto f = std::make_shared<Form>("Initializer");
  int loads = 0;
  f->OnLoad = [&] {
    ++loads;
    f->Unload();
  };
  f->Load();
  EXPECT_FALSE(f->IsLoaded());
  EXPECT_EQ(ErrorNumber([&] { f->Show(); }), err::kObjectUnloaded);
  EXPECT_EQ(loads, 2);
  EXPECT_EQ(toolkit.FormCount(), 0);
}

TEST_F(UiTest, DoEventsRunsQueuedWorkButCannotBeKeptBusyForEver) {
  int ran = 0;
  std::function<void()> again = [&] {
    ++ran;
    toolkit.Post(again);
  };
  toolkit.Post(again);
  EXPECT_EQ(toolkit.DoEvents(), 0);
  EXPECT_GT(ran, 1);
  const int first = ran;
  toolkit.DoEvents();  // the rest waited for this turn
  EXPECT_GT(ran, first);
}

TEST_F(UiTest, ModelessFormStaysAfterItsCreatorLetsGoAndIsDrivenAtDoEvents) {
  std::weak_ptr<Form> weak;
  int handled = 0;
  driver->OnForm("dlgAsk", [&](Form& f) {
    ++handled;
    f.Controls("cmdCancel").Click();
  });
  {
    auto f = std::make_shared<dlgAsk>();
    weak = f;
    f->Show();
    EXPECT_EQ(handled, 0);  // the caller of Show goes on first
  }
  ASSERT_FALSE(weak.expired());  // the forms collection keeps it
  EXPECT_EQ(toolkit.FindForm("dlgask"), weak.lock());
  EXPECT_EQ(DoEvents(), 0);  // the handler unloaded it; no form is left
  EXPECT_EQ(handled, 1);
  EXPECT_TRUE(weak.expired());  // unloading from its own click released it safely
}

TEST_F(UiTest, ModelessHandlerRunsOncePerShowingAndNotForAFormClosedMeanwhile) {
  int handled = 0;
  driver->OnForm("dlgAsk", [&](Form&) { ++handled; });
  auto f = std::make_shared<dlgAsk>();
  f->Show();
  f->Show();  // already shown: brought forward only
  toolkit.DoEvents();
  EXPECT_EQ(handled, 1);
  f->Hide();
  f->Show();
  f->Unload();
  toolkit.DoEvents();
  EXPECT_EQ(handled, 1);
}

TEST_F(UiTest, ProgressTextsOfAShownFormAreRecordedInOrder) {
  auto f = std::make_shared<Form>("dlgProgress");
  f->Caption("Please Wait...");
  auto& status = f->Add<Label>("Status");
  status.Caption("before it is shown: not seen");
  f->Show();
  for (const char* text : {"Creating Table...", "Creating Table...", "Adding title...", ""})
    status.Caption(text);
  status.Caption("Done!  Closing...");
  f->Unload();
  status.Caption("after: not seen");
  EXPECT_THAT(Lines(), ElementsAre("Show dlgProgress modeless \"Please Wait...\"",
                                   "Caption dlgProgress.Status \"Creating Table...\"",
                                   "Caption dlgProgress.Status \"Adding title...\"",
                                   "Caption dlgProgress.Status \"\"",
                                   "Caption dlgProgress.Status \"Done!  Closing...\"",
                                   "Unload dlgProgress by code"));
}

TEST_F(UiTest, ControlArraysAreFoundByNameAndIndex) {
  Form f("dlgWebVerify");
  for (int32_t i = 0; i < 3; ++i)
    f.AddIndexed<CommandButton>("Btns", i).Caption(i == 0 ? "&Back" : i == 1 ? "&Next" : "&Cancel");
  EXPECT_EQ(f.Controls("btns", 1).Caption(), "&Next");
  EXPECT_EQ(f.Controls("Btns").Index(), 0);  // the name alone: the lowest element
  EXPECT_EQ(f.Controls("Btns", 2).DisplayName(), "Btns(2)");
  EXPECT_EQ(ErrorNumber([&] { f.Controls("Btns", 3); }), err::kControlArrayElement);
  EXPECT_EQ(ErrorNumber([&] { f.Controls("Nope"); }), err::kControlNotFound);
  EXPECT_EQ(ErrorNumber([&] { f.AddIndexed<CommandButton>("Btns", 1); }),
            err::kInvalidPropertyValue);
  EXPECT_EQ(ErrorNumber([&] { f.Add<Label>("btns"); }), err::kInvalidPropertyValue);
}

TEST_F(UiTest, ResizeRunsOnFirstShowAndOnEachChangeOfSize) {
  auto f = std::make_shared<Form>("dlgIE");
  int resized = 0;
  f->OnResize = [&] {
    ++resized;
    f->Width(std::max(f->Width(), 3000.0));  // a handler that sizes again: no endless round
  };
  f->Width(1000);  // not loaded: nothing runs
  f->Load();
  f->Move(0, 0, 12000, 8000);
  EXPECT_EQ(resized, 1);
  f->Show();
  EXPECT_EQ(resized, 2);
  f->Height(8000);  // no change
  f->Width(100);
  EXPECT_EQ(resized, 3);
  EXPECT_EQ(f->Width(), 3000);
  f->Unload();
}

TEST_F(UiTest, ClientSizeAddsBordersAndCaptionBar) {
  Form f("dlgCreateQuestion");
  f.BorderStyle(vbFixedDialog);
  f.SetClientSize(10140, 7665);
  EXPECT_EQ(f.ScaleWidth(), 10140);
  EXPECT_EQ(f.ScaleHeight(), 7665);
  EXPECT_EQ(f.Width(), 10140 + 2 * 45);
  EXPECT_EQ(f.Height(), 7665 + 2 * 45 + 300);
  f.BorderStyle(vbBSNone);
  EXPECT_EQ(f.ScaleWidth(), f.Width());
  EXPECT_THROW(f.WindowState(7), automation::AutomationError);
}

TEST_F(UiTest, ControlHeldLongerThanItsFormIsSafe) {
  ControlRef kept;
  {
    auto f = std::make_shared<Form>("dlgGone");
    auto& l = f->Add<Label>("lbl");
    kept = l.shared_from_this() ? std::static_pointer_cast<Control>(l.shared_from_this()) : nullptr;
  }
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept->Parent(), nullptr);
  kept->Caption("still works");
  kept->Click();
  EXPECT_THROW(kept->SetFocus(), automation::AutomationError);
}

TEST_F(UiTest, ToolkitEndsWithFormsStillLoadedWithoutTheirEvents) {
  std::weak_ptr<Form> weak;
  int unloads = 0;
  {
    Toolkit inner;
    auto f = std::make_shared<Form>("dlgLeft");
    f->OnUnload = [&](int32_t&) { ++unloads; };
    weak = f;
    f->Show();
    EXPECT_EQ(&Toolkit::Current(), &inner);
  }
  EXPECT_TRUE(weak.expired());
  EXPECT_EQ(unloads, 0);
  EXPECT_EQ(&Toolkit::Current(), &toolkit);
}

}  // namespace
}  // namespace qv::ui
