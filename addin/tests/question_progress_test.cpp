// The "Please Wait..." window that question building shows: its size and status line, texts that
// replace each other, an empty text, and the closing text before the window goes.

#include "addin/tests/question_fixture.h"
#include "ui/constants.h"

namespace qv::addin::testing {
namespace {

using ProgressWindow = QuestionTest;

TEST_F(ProgressWindow, OneFixedStatusLineInASmallFixedWindow) {
  auto progress = dlgProgress::Create();
  progress->Show(ui::vbModeless);
  EXPECT_EQ(progress->Caption(), "Please Wait...");
  EXPECT_EQ(progress->BorderStyle(), ui::vbFixedSingle);
  EXPECT_EQ(progress->ScaleWidth(), 5445);
  EXPECT_EQ(progress->ScaleHeight(), 450);
  EXPECT_EQ(progress->ControlCount(), 1) << "no buttons";
  auto& status = progress->Controls("Status");
  EXPECT_EQ(status.Left(), 240);
  EXPECT_EQ(status.Top(), 135);
  EXPECT_EQ(status.Width(), 4980);
  EXPECT_EQ(status.Height(), 195);
  progress->DONE();
}

TEST_F(ProgressWindow, EachTextReplacesTheLastAndDoneClosesWithItsOwnText) {
  auto progress = dlgProgress::Create();
  progress->Show(ui::vbModeless);
  auto& status = progress->Controls("Status");
  progress->AddMessage("Creating Table...");
  progress->AddMessage("Adding title...");
  EXPECT_EQ(status.Caption(), "Adding title...") << "replaced, not appended";
  progress->AddMessage("");
  EXPECT_EQ(status.Caption(), "") << "an empty text empties the line";
  progress->DONE();
  EXPECT_FALSE(progress->IsLoaded());
  const std::vector<std::string> expected = {
      "Show dlgProgress modeless \"Please Wait...\"",
      "Caption dlgProgress.Status \"Creating Table...\"",
      "Caption dlgProgress.Status \"Adding title...\"",
      "Caption dlgProgress.Status \"\"",
      "Caption dlgProgress.Status \"Done!  Closing...\"",
      "Unload dlgProgress by code",
  };
  EXPECT_EQ(driver->Lines(), expected);
}

}  // namespace
}  // namespace qv::addin::testing
