#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "automation/testing/raised_error.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/msgbox.h"
#include "ui/terminal_driver.h"
#include "ui/tests/ui_fixture.h"

namespace qv::ui {
namespace {

using automation::Variant;
using qv::testing::ErrorNumber;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::UiTest;

// ---- the file dialog ----

TEST_F(UiTest, CancelledFileDialogRaisesOnlyWithCancelError) {
  CommonDialog dlg;
  dlg.DialogTitle = "Select a picture from your computer to use...";
  dlg.Filter = "Pictures|*.gif;*.jpg|All|*.*";
  dlg.FileName = "before";
  dlg.ShowOpen();  // nothing queued: cancel, quietly
  EXPECT_EQ(dlg.FileName, "before");
  dlg.CancelError = true;
  EXPECT_EQ(ErrorNumber([&] { dlg.ShowOpen(); }), automation::err::kDialogCancelled);
  driver->CancelFileDialog();
  EXPECT_EQ(ErrorNumber([&] { dlg.ShowOpen(); }), automation::err::kDialogCancelled);
  driver->AnswerFileDialog("/home/ann/pics/cat.JPG");
  dlg.ShowOpen();
  EXPECT_EQ(dlg.FileName, "/home/ann/pics/cat.JPG");
  EXPECT_EQ(dlg.FileTitle, "cat.JPG");
  EXPECT_THAT(Lines(),
              ElementsAre(HasSubstr("-> Cancel"), HasSubstr("-> Cancel"), HasSubstr("-> Cancel"),
                          "ShowOpen \"Select a picture from your computer to use...\" "
                          "-> \"/home/ann/pics/cat.JPG\""));
}

TEST_F(UiTest, SaveDialogAddsTheDefaultExtensionAndHandlerSeesTheRequest) {
  CommonDialog dlg;
  dlg.DefaultExt = "doc";
  dlg.FilterIndex = 2;
  FileDialogRequest seen;
  driver->OnFileDialog([&](const FileDialogRequest& r) {
    seen = r;
    return FileDialogAnswer{false, "C:\\docs\\lesson"};
  });
  dlg.ShowSave();
  EXPECT_TRUE(seen.save);
  EXPECT_EQ(seen.filterIndex, 2);
  EXPECT_EQ(dlg.FileName, "C:\\docs\\lesson.doc");
  EXPECT_EQ(dlg.FileTitle, "lesson.doc");
}

// ---- the transcript holds everything in order ----

TEST_F(UiTest, TranscriptHoldsEveryKindOfEntryInOrder) {
  auto f = std::make_shared<Form>("dlgMark");
  f->Caption("True/False - Set Question Attributes (Score, Feedback, Answers)");
  auto& ok = f->Add<CommandButton>("OKButton");
  ok.OnClick = [&] {
    MsgBox("Enter a valid number of points");
    f->Hide();
  };
  driver->OnForm("dlgMark", [](Form& form) {
    form.Caption("changed while shown");
    form.Controls("OKButton").Click();
  });
  f->Show(vbModal);
  f->Unload();
  CommonDialog dlg;
  dlg.ShowSave();
  const auto lines = Lines();
  EXPECT_THAT(lines,
              ElementsAre("Show dlgMark modal \"True/False - Set Question Attributes (Score, "
                          "Feedback, Answers)\"",
                          "Caption dlgMark \"changed while shown\"",
                          "MsgBox \"Quorvanta Word Add-in\" [OK] default=OK: \"Enter a valid "
                          "number of points\" -> OK",
                          "Hide dlgMark", "Unload dlgMark by code", "ShowSave \"\" -> Cancel"));
  EXPECT_EQ(driver->Text(), lines[0] + "\n" + lines[1] + "\n" + lines[2] + "\n" + lines[3] + "\n" +
                                lines[4] + "\n" + lines[5]);
}

// ---- automation: scripts act on forms and read the transcript by name ----

TEST_F(UiTest, ScriptsActOnFormsAndTheTranscriptByName) {
  auto f = std::make_shared<Form>("dlgCreateQuestion");
  auto& list = f->Add<ListBox>("lstQTypes");
  auto& box = f->Add<TextBox>("txtNumAns");
  auto& ok = f->Add<CommandButton>("btnContinue");
  list.AddItem("True/False");
  list.AddItem("Multiple Choice");
  bool added = false;
  ok.OnClick = [&] {
    added = true;
    f->Unload();
  };
  automation::ObjectRef script = driver;
  f->Show();
  // What a script does with the form the driver hands it.
  const automation::ObjectRef form =
      automation::Get(script, "Form", {Variant("dlgcreatequestion")}).ToObject();
  const auto control = [&](const char* name) {
    return automation::Get(form, "Controls", {Variant(name)}).ToObject();
  };
  automation::Put(control("txtNumAns"), "Text", Variant("5"));
  automation::Put(control("lstQTypes"), "ListIndex", Variant(1));
  EXPECT_EQ(automation::Get(control("lstQTypes"), "Text").ToText(), "Multiple Choice");
  EXPECT_EQ(automation::Get(control("lstQTypes"), "List", {Variant(0)}).ToText(), "True/False");
  EXPECT_EQ(box.Text(), "5");
  automation::Put(control("btnContinue"), "Value", Variant(true));
  EXPECT_TRUE(added);
  EXPECT_EQ(automation::Get(script, "FormCount").ToInt32(), 0);
  EXPECT_EQ(ErrorNumber([&] { automation::Get(script, "Form", {Variant("dlgCreateQuestion")}); }),
            automation::err::kNoSuchItem);

  automation::Call(script, "AnswerMsgBox", {Variant(vbCancel)});
  EXPECT_EQ(MsgBox("Delete?", vbOKCancel | vbQuestion), vbCancel);
  const int32_t n = automation::Get(script, "TranscriptCount").ToInt32();
  const auto last = automation::Get(script, "Transcript", {Variant(n)}).ToObject();
  EXPECT_EQ(automation::Get(last, "Kind").ToText(), "MsgBox");
  EXPECT_EQ(automation::Get(last, "Answer").ToInt32(), vbCancel);
  EXPECT_EQ(automation::Get(last, "Icon").ToInt32(), vbQuestion);
  EXPECT_EQ(automation::Get(automation::Get(script, "Transcript", {Variant(1)}).ToObject(), "Line")
                .ToText(),
            "Show dlgCreateQuestion modeless \"dlgCreateQuestion\"");
  EXPECT_EQ(ErrorNumber([&] { automation::Get(script, "Transcript", {Variant(0)}); }),
            automation::err::kSubscript);
  EXPECT_EQ(automation::Get(form, "Controls", {Variant("lstQTypes")}).ToObject()->TypeName(),
            "ListBox");
}

TEST_F(UiTest, AFailingHandlerDoesNotLeaveAModalFormBehind) {
  auto f = std::make_shared<Form>("dlgMark");
  driver->OnForm("dlgMark", [](Form& form) { form.Controls("NoSuchButton").Click(); });
  EXPECT_EQ(ErrorNumber([&] { f->Show(vbModal); }), err::kControlNotFound);
  EXPECT_FALSE(f->IsLoaded());
  EXPECT_EQ(toolkit.ModalDepth(), 0);
}

// ---- the terminal driver ----

class dlgChoose : public Form {
 public:
  dlgChoose() : Form("dlgChoose") {
    Caption("Add New Question...");
    auto& types = Add<ListBox>("lstQTypes");
    types.AddItem("True/False");
    types.AddItem("Hot Spot");
    auto& count = Add<TextBox>("txtNumAns");
    auto& add = Add<CommandButton>("btnContinue");
    add.Caption("&Add");
    add.Default(true);
    add.OnClick = [this, &types, &count] {
      chosen = types.Text() + "/" + count.Text();
      Unload();
    };
  }
  std::string chosen;
};

TEST_F(UiTest, TerminalDriverAnswersFromTheInput) {
  struct Case {
    std::string input;
    int32_t style;
    int32_t expected;
  };
  const Case cases[] = {
      {"2\n", vbYesNoCancel, vbNo},
      {"\n", vbOKCancel | vbDefaultButton2, vbCancel},
      {"", vbYesNo | vbDefaultButton2, vbNo},  // closed input: the default button
      {"9\nx\n3\n", vbAbortRetryIgnore, vbIgnore},
  };
  for (const auto& c : cases) {
    std::istringstream in(c.input);
    std::ostringstream out;
    toolkit.SetDriver(std::make_shared<TerminalDriver>(in, out));
    EXPECT_EQ(MsgBox("Question\r\nsecond line", c.style, "Title"), c.expected) << c.input;
    EXPECT_THAT(out.str(), HasSubstr("| second line\n"));
  }
}

TEST_F(UiTest, TerminalDriverWorksAFormAndClosesItAtTheEndOfInput) {
  std::istringstream in("1 Hot Spot\n2 7\nbogus\nenter\n");
  std::ostringstream out;
  toolkit.SetDriver(std::make_shared<TerminalDriver>(in, out));
  auto f = std::make_shared<dlgChoose>();
  f->Show(vbModal);
  EXPECT_EQ(f->chosen, "Hot Spot/7");
  EXPECT_THAT(out.str(), HasSubstr("== dlgChoose: Add New Question... =="));
  EXPECT_THAT(out.str(), HasSubstr("[3] (&Add) default"));
  EXPECT_THAT(out.str(), HasSubstr("?\n"));
  EXPECT_THAT(out.str(), HasSubstr("* Unload dlgChoose by code"));

  std::istringstream none("");
  toolkit.SetDriver(std::make_shared<TerminalDriver>(none, out));
  auto g = std::make_shared<dlgChoose>();
  g->Show(vbModal);
  EXPECT_FALSE(g->IsLoaded());
  EXPECT_EQ(g->chosen, "");
  EXPECT_THAT(out.str(), HasSubstr("* Unload dlgChoose by close box"));
}

TEST_F(UiTest, TerminalDriverAsksForAPathAndCancelsOnAnEmptyLine) {
  std::istringstream in("/tmp/a.gif\n\n");
  std::ostringstream out;
  toolkit.SetDriver(std::make_shared<TerminalDriver>(in, out));
  CommonDialog dlg;
  dlg.CancelError = true;
  dlg.ShowOpen();
  EXPECT_EQ(dlg.FileName, "/tmp/a.gif");
  EXPECT_EQ(ErrorNumber([&] { dlg.ShowOpen(); }), automation::err::kDialogCancelled);
}

TEST(FallbackToolkit, WithoutAProgramToolkitNothingWaitsForAPerson) {
  auto f = std::make_shared<Form>("dlgAlone");
  f->Show(vbModal);
  EXPECT_FALSE(f->IsLoaded());
  EXPECT_EQ(MsgBox("?", vbYesNo | vbDefaultButton2), vbNo);
}

TEST_F(UiTest, TerminalDriverWorksModelessFormsAtDoEvents) {
  std::istringstream in("1 Hot Spot\nleave\n3\n");
  std::ostringstream out;
  toolkit.SetDriver(std::make_shared<TerminalDriver>(in, out));
  auto progress = std::make_shared<Form>("dlgProgress");
  progress->Add<Label>("Status").Caption("Working");
  progress->Show();  // nothing to use: drawn only
  EXPECT_NE(out.str().find("Working"), std::string::npos);

  auto f = std::make_shared<dlgChoose>();
  f->Show();
  EXPECT_EQ(f->chosen, "");  // the caller goes on first
  toolkit.DoEvents();        // chooses, then leaves it open
  EXPECT_TRUE(f->Visible());
  EXPECT_EQ(f->FindControl("lstQTypes")->Text(), "Hot Spot");
  toolkit.DoEvents();  // not shown again since: left alone
  f->Hide();
  f->Show();
  toolkit.DoEvents();
  EXPECT_EQ(f->chosen, "Hot Spot/");
  EXPECT_FALSE(f->IsLoaded());
}

TEST_F(UiTest, TerminalDriverDrawsParagraphsAndFramesAsAPersonReadsThem) {
  std::istringstream in("");
  std::ostringstream out;
  toolkit.SetDriver(std::make_shared<TerminalDriver>(in, out));
  auto f = std::make_shared<Form>("dlgWizard");
  f->Caption("Wizard");
  f->Add<Label>("Desc").Caption("First paragraph.\r\n\r\nSecond paragraph.");
  f->Add<Label>("Empty");
  auto& list = f->Add<ListBox>("Types");
  list.AddItem("True/False");
  list.AddItem("Hot Spot");
  list.ListIndex(1);
  auto& frame = f->Add<Frame>("BtnFrm");
  auto& line = f->Add<Line>("BtnLn");
  line.Container(&frame);
  auto& next = f->AddIndexed<CommandButton>("Btns", 1);
  next.Caption("&Next");
  next.Container(&frame);
  auto& hiddenFrame = f->Add<Frame>("Hidden");
  hiddenFrame.Visible(false);
  f->Add<Label>("Inside").Container(&hiddenFrame);
  f->FindControl("Inside")->Caption("not seen");
  f->Show();
  toolkit.DoEvents();
  EXPECT_EQ(out.str(),
            "== dlgWizard: Wizard ==\n"
            "      First paragraph.\n"
            "      \n"
            "      Second paragraph.\n"
            "  [1] Types:\n"
            "        0  True/False\n"
            "        1* Hot Spot\n"
            "  [2]   (&Next)\n"
            "<n> click | <n> <text> type or choose | dbl <n> <i> | enter | esc | close | leave\n"
            "> \n");
}

}  // namespace
}  // namespace qv::ui
