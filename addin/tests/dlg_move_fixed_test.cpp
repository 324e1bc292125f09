// The fixed-or-moveable chooser: its window, the captions it asks with, the close box, and the
// picture file dialog with the test of accepted picture files.

#include "addin/dialogs/dlgMoveFixed.h"
#include "addin/tests/question_fixture.h"
#include "ui/constants.h"

namespace qv::addin::testing {
namespace {

using Chooser = QuestionTest;

TEST_F(Chooser, AsksAboutTheKindOfItemWithItsButtons) {
  std::vector<std::string> seen;
  auto record = [&](ui::Form& form) {
    seen.push_back(form.Controls("btnLbl").Caption() + " | " +
                   form.Controls("btnMoveable").Caption() + " | " +
                   form.Controls("btnFixed").Caption());
  };
  driver->OnFormOnce("dlgMoveFixed", [&](ui::Form& form) {
    record(form);
    form.Controls("btnMoveable").Click();
  });
  driver->OnFormOnce("dlgMoveFixed", [&](ui::Form& form) {
    record(form);
    form.Controls("btnFixed").Click();
  });
  auto chooser = dlgMoveFixed::Create();
  EXPECT_EQ(chooser->Display(kItemLabel), kChoiceMoveable);
  EXPECT_EQ(chooser->Display(kItemImage), kChoiceFixed);
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "What type of Label would you like to add? | Add Moveable Label | Add "
                      "Fixed Label",
                      "What type of Image would you like to add? | Add Moveable Image | Add "
                      "Fixed Image"}));
  EXPECT_EQ(chooser->Caption(), "What would you like to create?");
  EXPECT_EQ(chooser->BorderStyle(), ui::vbFixedDialog);
  EXPECT_EQ(chooser->ScaleWidth(), 7740);
  EXPECT_EQ(chooser->ScaleHeight(), 2250);
  EXPECT_EQ(chooser->btnFixed.Left(), 4095);
  EXPECT_EQ(chooser->btnMoveable.Font().Size, 14.25);
  EXPECT_EQ(chooser->btnLbl.Font().Name, "Arial");
  chooser->DONE();
  EXPECT_FALSE(chooser->IsLoaded());

  // Without a button the window is closed by its close box: no choice.
  EXPECT_EQ(dlgMoveFixed::Create()->Display(kItemImage), kChoiceNone);
}

TEST_F(Chooser, RefusesPictureKindsItDoesNotTakeAndAsksAgain) {
  driver->AnswerFileDialog("/pictures/scan.TIFF");
  driver->AnswerFileDialog("/pictures/CAT.JPG");
  auto chooser = dlgMoveFixed::Create();
  EXPECT_EQ(chooser->GetImageFile(), "/pictures/CAT.JPG");
  EXPECT_EQ(Messages(), std::vector<std::string>{"Please choose a valid picture format to use"});
  const auto& entries = driver->Transcript();
  ASSERT_FALSE(entries.empty());
  EXPECT_EQ(entries.front()->title, "Select a picture from your computer to use...");
  EXPECT_EQ(chooser->dlgFileOpen.Filter.substr(0, 20), "All Pictures (*.emf;");
  EXPECT_EQ(chooser->dlgFileOpen.Filter.find("|(*.emf;*.wmf;*.jpg;"),
            chooser->dlgFileOpen.Filter.find(")|") + 1)
      << "one entry: description, bar, patterns";

  driver->CancelFileDialog();
  EXPECT_EQ(chooser->GetImageFile(), "") << "cancel";
  // A file dialog that fails in another way ends the asking too, instead of asking for ever.
  driver->OnFileDialog([](const ui::FileDialogRequest&) -> ui::FileDialogAnswer {
    throw automation::AutomationError(5, "The dialog cannot be shown.");
  });
  EXPECT_EQ(chooser->GetImageFile(), "");
}

TEST(ChooserPictureFiles, AcceptTheListedExtensionsInAnyCaseAndNamesWithoutOne) {
  for (const char* ok :
       {"a.wmf", "a.emf", "a.jpg", "a.jpeg", "a.jfif", "a.jpe",           "a.png",  "a.bmp",
        "a.dib", "a.rle", "a.bmz", "a.gif",  "a.gfa",  "a.emz",           "a.wmz",  "a.pcz",
        "a.fpx", "a.pcd", "a.pcx", "a.mix",  "a.tif",  "C:\\Pics\\A.Gif", "picture"})
    EXPECT_TRUE(dlgMoveFixed::IsPicture(ok)) << ok;
  for (const char* refused : {"a.tiff", "a.cdr", "a.cgm", "a.eps", "a.pct", "a.pict", "a.wpg",
                              "a.doc", "a.", "archive.gif.zip"})
    EXPECT_FALSE(dlgMoveFixed::IsPicture(refused)) << refused;
  // Only the file's own name is looked at: a dotted folder is no extension.
  EXPECT_TRUE(dlgMoveFixed::IsPicture("/home/author/pics.v2/drawing"));
  EXPECT_TRUE(dlgMoveFixed::IsPicture("C:\\My.Pictures\\drawing"));
}

}  // namespace
}  // namespace qv::addin::testing
