// The Enhanced Web Preview wizard: its three steps, the file it names, and what the conversion
// does to a document (shapes left of the page, empty paragraphs, manual page breaks, a split
// window, the web layout, the stamps), always to the document it was opened for.

#include "addin/document/dlgWebVerify.h"

#include "addin/tests/question_fixture.h"
#include "word/custom_properties.h"
#include "word/shape.h"
#include "word/toolkit_save_as.h"
#include "word/window.h"

namespace qv::addin::testing {
namespace {

using automation::Variant;

struct WebVerifyWizard : QuestionTest {
  std::shared_ptr<dlgWebVerify> wizard;

  void TearDown() override {
    if (wizard && wizard->IsLoaded()) wizard->ForceUnload();
    QuestionTest::TearDown();
  }
  dlgWebVerify& Open() {
    wizard = dlgWebVerify::Create();
    wizard->Display();
    return *wizard;
  }
  // Next, then Convert!
  void Convert() {
    Open();
    wizard->BtnNext.Click();
    wizard->BtnNext.Click();
  }
  static std::string Property(word::Document& d, const char* name) {
    auto* p = d.Properties().Find(name);
    return p ? p->value.ToText() : "(missing)";
  }
  // The progress texts shown, in order.
  std::vector<std::string> ProgressTexts() const {
    std::vector<std::string> out;
    for (const auto& e : driver->Transcript())
      if (e->kind == ui::EntryKind::Caption && e->control == "CvtPgrs") out.push_back(e->text);
    return out;
  }
};

TEST_F(WebVerifyWizard, WalksItsStepsAndCancelChangesNothing) {
  auto& w = Open();
  EXPECT_TRUE(w.Visible());
  EXPECT_FALSE(w.IsModal());
  EXPECT_EQ(w.Caption(), "Quorvanta Web Verification Wizard");
  EXPECT_EQ(w.Step(), 1);
  EXPECT_TRUE(w.Desc.Visible());
  EXPECT_EQ(w.Desc.Caption().rfind("Use the Enhanced Web Preview function if a Word document that "
                                   "you added to a Quorvanta lesson did not convert properly and "
                                   "lost some of its formatting. \r\n\r\nEnhanced Web Preview "
                                   "attempts to change the formatting of your document (but not "
                                   "its appearance) to make it compatible with Internet Explorer "
                                   "and Netscape 6+.\r\n\r\nThis application is still under "
                                   "development.",
                                   0),
            0u);
  EXPECT_EQ(w.Vers.Caption(), "beta v0.6");
  EXPECT_FALSE(w.Browse.Visible());
  EXPECT_FALSE(w.BtnBack.Visible() || w.BtnBack.Enabled());
  EXPECT_EQ(w.BtnNext.Caption(), "&Next");
  EXPECT_EQ(w.BtnCancel.Caption(), "&Cancel");
  EXPECT_EQ(&w.Controls("Btns", 1), &w.BtnNext);

  w.BtnNext.Click();
  EXPECT_EQ(w.Step(), 2);
  EXPECT_FALSE(w.Desc.Visible());
  EXPECT_TRUE(w.BtnBack.Visible() && w.BtnBack.Enabled());
  EXPECT_EQ(w.BtnNext.Caption(), "&Convert!");
  EXPECT_EQ(w.CurrFileLoc.Caption(),
            "We strongly recommend that you save this document with a new filename before "
            "continuing.\r\n");
  EXPECT_EQ(w.NewFileTxt.Caption(),
            "File to convert:\r\nThis document has not yet been saved\r\n\r\n");
  EXPECT_EQ(w.SaveTxt.Caption(), "Save this file now ");
  EXPECT_TRUE(w.Browse.Visible());
  EXPECT_EQ(w.Browse.Caption(), "&Save As...");

  w.BtnBack.Click();
  EXPECT_EQ(w.Step(), 1);
  EXPECT_TRUE(w.Desc.Visible());
  EXPECT_FALSE(w.NewFileTxt.Visible());
  w.BtnCancel.Click();
  EXPECT_FALSE(w.IsLoaded());
  EXPECT_EQ(Property(*doc, "WebVerify"), "(missing)");
  EXPECT_EQ(doc->ActiveWindow()->View()->type, word::wdPrintView);
}

TEST_F(WebVerifyWizard, StepTwoNamesTheSavedFileAndSaveAsRenamesIt) {
  const std::string folder = profile.Dir().string();
  doc->SaveAs(folder + "/lesson.doc");
  app->SetSaveAsChooser(std::make_shared<word::ToolkitSaveAsChooser>());
  auto& w = Open();
  w.BtnNext.Click();
  EXPECT_EQ(w.NewFileTxt.Caption(), "File to convert:\r\n" + folder + "/lesson.doc\r\n\r\n");

  // Save As is asked for the wizard's document even when another one is active.
  auto other = app->Documents()->Add();
  driver->AnswerFileDialog(folder + "/lesson-web.doc");
  w.Browse.Click();
  EXPECT_EQ(w.Step(), 2);
  EXPECT_EQ(doc->Name(), "lesson-web.doc");
  EXPECT_EQ(w.NewFileTxt.Caption(), "File to convert:\r\n" + folder + "/lesson-web.doc\r\n\r\n");
  EXPECT_TRUE(other->Path().empty());

  // A cancelled Save As leaves the name alone.
  driver->CancelFileDialog();
  w.Browse.Click();
  EXPECT_EQ(doc->Name(), "lesson-web.doc");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(WebVerifyWizard, ConvertsShapesParagraphsBreaksAndTheWindow) {
  doc->Content()->SetText("left\r\r \rbefore\f\fafter\rlast");
  auto outside = doc->Shapes()->AddShape(1, -40, 0, 10, 10, doc->Range(0, 0));
  auto neighbour = doc->Shapes()->AddShape(1, 30, 0, 10, 10, doc->Range(0, 0));
  auto elsewhere = doc->Shapes()->AddShape(1, 60, 0, 10, 10, doc->Range(7, 7));
  doc->ActiveWindow()->SetSplit(true);
  ASSERT_EQ(doc->ActiveWindow()->PaneList().size(), 2u);

  Convert();
  EXPECT_FALSE(wizard->IsLoaded());
  EXPECT_EQ(outside->Data().left, 2);
  EXPECT_EQ(neighbour->Data().left, 2) << "moves with the shape of its paragraph";
  EXPECT_EQ(elsewhere->Data().left, 60);
  EXPECT_EQ(doc->Content()->Text(), "left\r \r \rbefore\r\rafter\rlast\r")
      << "one blank in the empty paragraph, none added to the blank one, breaks become ends";
  EXPECT_EQ(doc->ActiveWindow()->PaneList().size(), 1u);
  EXPECT_EQ(doc->ActiveWindow()->View()->type, word::wdWebView);
  EXPECT_EQ(Property(*doc, "WebVerify"), "0.6");
  EXPECT_EQ(Property(*doc, "KZOConvert"), "7");
  EXPECT_EQ(Property(*doc, "Ver"), "27");

  const auto progress = ProgressTexts();
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.front(), "17 %") << "the first of three shapes";
  EXPECT_EQ(progress.back(), "100 %");
  const std::vector<std::string> tail = {"60 %", "70 %", "80 %", "90 %", "95 %", "100 %"};
  ASSERT_GE(progress.size(), tail.size());
  EXPECT_TRUE(std::equal(tail.begin(), tail.end(), progress.end() - 6));
}

TEST_F(WebVerifyWizard, RunningTwiceKeepsTheVersionAndTheWebLayout) {
  doc->CustomDocumentProperties()->Add("WebVerify", false, word::msoPropertyTypeString,
                                       Variant("0.5"));
  doc->Content()->SetText("x");
  Convert();
  Convert();
  EXPECT_EQ(Property(*doc, "WebVerify"), "0.6");
  EXPECT_EQ(doc->Properties().items.size(), 4u) << "KZOConvert, Ver, Site and WebVerify once";
  EXPECT_EQ(doc->ActiveWindow()->View()->type, word::wdWebView);
  EXPECT_EQ(doc->Content()->Text(), "x\r");
}

TEST_F(WebVerifyWizard, ConvertsTheDocumentItWasOpenedForEvenWhenAnotherIsActive) {
  doc->Content()->SetText("mine\r\rend");
  auto& w = Open();
  auto other = app->Documents()->Add();
  other->Content()->SetText("theirs\r\rend");
  ASSERT_EQ(app->ActiveDocument(), other);
  w.BtnNext.Click();
  w.BtnNext.Click();
  EXPECT_EQ(doc->Content()->Text(), "mine\r \rend\r");
  EXPECT_EQ(Property(*doc, "WebVerify"), "0.6");
  EXPECT_EQ(doc->ActiveWindow()->View()->type, word::wdWebView);
  EXPECT_EQ(other->Content()->Text(), "theirs\r\rend\r");
  EXPECT_EQ(Property(*other, "WebVerify"), "(missing)");
  EXPECT_EQ(other->ActiveWindow()->View()->type, word::wdPrintView);
}

TEST_F(WebVerifyWizard, AMissingBannerLeavesTheWizardUsable) {
  G().IMG_PATH = (profile.Dir() / "nowhere").string() + "/";
  auto& w = Open();
  EXPECT_TRUE(w.Visible());
  EXPECT_TRUE(w.Banner.Picture().Empty());
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace qv::addin::testing
