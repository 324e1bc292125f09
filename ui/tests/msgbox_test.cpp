#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ui/msgbox.h"
#include "ui/tests/ui_fixture.h"

namespace qv::ui {
namespace {

using testing::UiTest;

TEST_F(UiTest, WithoutAnswersAMessageBoxTakesItsDefaultButton) {
  struct Case {
    int32_t style;
    int32_t expected;
  };
  const Case cases[] = {
      {vbOKOnly, vbOK},
      {vbOKCancel, vbOK},
      {vbOKCancel | vbDefaultButton2, vbCancel},
      {vbYesNo | vbQuestion | vbDefaultButton2, vbNo},
      {vbYesNoCancel | vbDefaultButton3, vbCancel},
      {vbAbortRetryIgnore | vbDefaultButton2, vbRetry},
      {vbRetryCancel, vbRetry},
      {vbYesNo | vbDefaultButton3, vbYes},  // no third button: the first is the default
      {vbOKOnly | vbDefaultButton2, vbOK},
      {7, vbOK},  // an unknown button set shows OK
  };
  for (const auto& c : cases)
    EXPECT_EQ(MsgBox("text", c.style), c.expected) << "style " << c.style;
}

TEST_F(UiTest, QueuedAnswersAreUsedInOrderThenTheHandlerThenTheDefault) {
  driver->AnswerMsgBox(vbNo);
  driver->AnswerMsgBox(vbCancel);
  driver->AnswerMsgBox(vbOK);
  int asked = 0;
  driver->OnMsgBox([&](const MessageBoxRequest& r) {
    ++asked;
    return r.prompt == "handled" ? vbCancel : 0;
  });
  EXPECT_EQ(MsgBox("1", vbYesNo), vbNo);
  EXPECT_EQ(MsgBox("2", vbOKCancel), vbCancel);
  EXPECT_EQ(MsgBox("3", vbYesNo | vbDefaultButton2), vbNo);  // OK is not a button here
  EXPECT_EQ(MsgBox("handled", vbOKCancel), vbCancel);
  EXPECT_EQ(MsgBox("unhandled", vbOKCancel), vbOK);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(driver->PendingMsgBoxAnswers(), 0u);
}

TEST_F(UiTest, TitleDefaultsToTheProgramsTitleAndTheEntryHoldsEverything) {
  MsgBox("Usage: helper <url>\r\n\r\nWhere: \"x\"");
  MsgBox("Stop", vbCritical, "Error");
  App own("Initializer", "/opt", "initializer");
  MsgBox(own, "from a component");
  ASSERT_EQ(driver->Transcript().size(), 3u);
  const auto& e = *driver->Transcript()[1];
  EXPECT_EQ(e.title, "Error");
  EXPECT_EQ(e.icon, vbCritical);
  EXPECT_EQ(e.buttons, vbOKOnly);
  EXPECT_EQ(e.answer, vbOK);
  EXPECT_THAT(Lines(), ::testing::ElementsAre(
                           "MsgBox \"Quorvanta Word Add-in\" [OK] default=OK: "
                           "\"Usage: helper <url>\\r\\n\\r\\nWhere: \"\"x\"\"\" -> OK",
                           "MsgBox \"Error\" [OK] Critical default=OK: \"Stop\" -> OK",
                           "MsgBox \"Initializer\" [OK] default=OK: \"from a component\" -> OK"));
}

TEST(MessageBoxRequest, EscapeAnswersCancelWhereThereIsOne) {
  EXPECT_EQ((MessageBoxRequest{"", vbOKOnly, ""}.EscapeAnswer()), vbOK);
  EXPECT_EQ((MessageBoxRequest{"", vbYesNoCancel, ""}.EscapeAnswer()), vbCancel);
  EXPECT_EQ((MessageBoxRequest{"", vbYesNo, ""}.EscapeAnswer()), 0);
}

}  // namespace
}  // namespace qv::ui

namespace qv::ui {
namespace {

TEST(App, ForProgramTakesFolderAndNameFromThePath) {
  const App app = App::ForProgram("Helper", "/opt/quorvanta/bin/helper");
  EXPECT_EQ(app.Title, "Helper");
  EXPECT_EQ(app.Path, "/opt/quorvanta/bin");
  EXPECT_EQ(app.EXEName, "helper");
}

}  // namespace
}  // namespace qv::ui
