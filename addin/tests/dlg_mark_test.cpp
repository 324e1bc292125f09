// The attribute dialog: its captions, how the author leaves it (OK, Cancel, close box), what the
// read-back operations write into the markers, and the help window.

#include "addin/dialogs/MarkBuilder.h"
#include "addin/dialogs/clsHTMEvent.h"
#include "addin/dialogs/dlgMark.h"
#include "addin/questions/MultipleChoice.h"
#include "addin/questions/attribute_string.h"
#include "addin/tests/question_fixture.h"
#include "browser/dom/html_document.h"
#include "browser/dom/html_form_element.h"
#include "browser/dom/html_input_element.h"
#include "browser/web_browser.h"
#include "platform/net/host_overrides.h"

namespace qv::addin::testing {
namespace {

using automation::Get;
using automation::Put;
using automation::Variant;

struct MarkDialogTest : QuestionTest {
  std::shared_ptr<dlgMark> dialog = dlgMark::Create();
  std::string caption;

  void SetUp() override {
    QuestionTest::SetUp();
    // Error reports and help pages go nowhere: nothing listens on port 1.
    ASSERT_TRUE(platform::MapHost("courses.quorvanta.example", "127.0.0.1", 1));
  }
  void TearDown() override {
    if (dialog->IsLoaded()) dialog->Unload();
    QuestionTest::TearDown();
  }
  // Shows `page`; `act` plays the author on the shown dialog.
  bool Show(int32_t type, const std::string& page, std::function<void(dlgMark&)> act) {
    driver->OnFormOnce("dlgMark", [&, act](ui::Form& form) {
      caption = form.Caption();
      act(static_cast<dlgMark&>(form));
    });
    return dialog->Display(type, page);
  }
  static std::shared_ptr<browser::Element> Field(dlgMark& d, const std::string& name,
                                                 size_t k = 0) {
    return d.Document()->Form(0)->ElementsNamed(name).at(k);
  }
  static void Set(dlgMark& d, const std::string& name, const std::string& value) {
    Put(Field(d, name), "value", Variant(value));
  }
};

constexpr const char* kThreeAnswers =
    "<form name=frm><input type=hidden name=title value=\"\">"
    "<input name=qID value=\"Q1\"><input name=points value=\"10\">"
    "<select name=partial><option>Yes</option><option selected>No</option></select>"
    "<input type=radio name=ans value=2><input type=radio name=ans value=3 checked>"
    "<input type=radio name=ans value=4><textarea name=pcomm></textarea>"
    "<textarea name=fcomm></textarea><input type=checkbox name=ans5 checked></form>";

TEST_F(MarkDialogTest, CaptionNamesTheQuestionTypeAndAnUnknownTypeFails) {
  EXPECT_TRUE(Show(kTrueFalse, kThreeAnswers, [](dlgMark& d) { d.OKButton.Click(); }));
  EXPECT_EQ(caption, "True/False - Set Question Attributes (Score, Feedback, Answers)");
  EXPECT_TRUE(Show(kShortAnswer, kThreeAnswers, [](dlgMark& d) { d.OKButton.Click(); }));
  EXPECT_EQ(caption, " - Set Question Attributes (Score, Feedback, Answers)");
  EXPECT_EQ(dialog->OKButton.Caption(), "&OK");
  EXPECT_EQ(dialog->CancelButton.Caption(), "&Cancel");

  caption.clear();
  EXPECT_FALSE(Show(11, kThreeAnswers, [](dlgMark& d) { d.OKButton.Click(); }));
  EXPECT_EQ(caption, "") << "never shown";
  EXPECT_FALSE(dialog->IsLoaded());
  EXPECT_TRUE(dialog->Cancelled());
}

TEST_F(MarkDialogTest, ReadBackFollowsTheFieldsTheAuthorChanged) {
  auto table = Build(kMultipleChoice);
  auto question = table->Range()->InlineShapes()->Item(1);
  question->SetAlternativeText("kzoQ0&qID=Q1&points=10&title=Old&extra=dropped");
  ASSERT_TRUE(Show(kMultipleChoice, kThreeAnswers, [](dlgMark& d) {
    Set(d, "points", "");
    Set(d, "pcomm", "Tom & Jerry \u201Cquoted\u201D");
    Field(d, "ans", 2)->Click();
    d.OKButton.Click();
  }));
  dialog->ReloadQInfo(question);
  EXPECT_EQ(question->AlternativeText(), "kzoQ0&qID=Q1&partial=No&pcomm=Tom \x02 Jerry \"quoted\"");
  EXPECT_EQ(dialog->GetRadioBtn("ans", 4), "&checked=on");
  EXPECT_EQ(dialog->GetRadioBtn("ans", 3), "");
  auto answer = question;
  answer->SetAlternativeText("kzoA1&checked=on&old=1");
  dialog->ReloadCheckboxInfo(answer, 5);
  EXPECT_EQ(answer->AlternativeText(), "kzoA1&checked=on");
  dialog->ReloadCheckboxInfo(answer, 6);
  EXPECT_EQ(answer->AlternativeText(), "kzoA1");
  EXPECT_EQ(dialog->GetVal("nothing", true), "");
  EXPECT_EQ(dialog->GetSelVal("nothing"), "");
  EXPECT_EQ(dialog->GetVal("pcomm", false), "Tom & Jerry \"quoted\"");
}

TEST_F(MarkDialogTest, CancelAndTheCloseBoxLeaveEveryMarkerAlone) {
  auto table = Build(kMultipleChoice);
  auto question = table->Range()->InlineShapes()->Item(1);
  const std::string stored = "kzoQ0&qID=Q1&points=10&pcomm=kept";
  question->SetAlternativeText(stored);

  EXPECT_FALSE(Show(kMultipleChoice, kThreeAnswers, [](dlgMark& d) { d.CancelButton.Click(); }));
  EXPECT_TRUE(dialog->Cancelled());

  // Left to the toolkit, the shown dialog is closed by its close box.
  EXPECT_FALSE(Show(kMultipleChoice, kThreeAnswers, [](dlgMark&) {}));
  EXPECT_FALSE(dialog->IsLoaded());
  EXPECT_EQ(dialog->Document(), nullptr);
  // A caller that reads back anyway finds no page and writes nothing.
  dialog->ReloadQInfo(question);
  dialog->ReloadRadioInfo(question, 1);
  EXPECT_EQ(question->AlternativeText(), stored);
}

TEST_F(MarkDialogTest, TheOnlyAnswerOfAQuestionCanBeMarkedCorrect) {
  const std::string page = "<form name=frm><input type=radio name=ans value=2></form>";
  ASSERT_TRUE(Show(kMultipleChoice, page, [](dlgMark& d) {
    Field(d, "ans")->Click();
    d.OKButton.Click();
  }));
  EXPECT_EQ(dialog->GetRadioBtn("ans", 2), "&checked=on");
  dialog->Unload();

  ASSERT_TRUE(Show(kMultipleChoice, page, [](dlgMark& d) { d.OKButton.Click(); }));
  EXPECT_EQ(dialog->GetRadioBtn("ans", 2), "");
}

TEST_F(MarkDialogTest, BlanksStoreTheFieldTheirHeightShowsAndTakeItsSize) {
  auto table = Build(kFillInTheBlank);
  auto cell = table->Cell(3, 1);
  auto at = [&] { return doc->Range(cell->Start(), cell->Start()); };
  auto blank = doc->InlineShapes()->AddPicture(G().IMG_PATH + "textbox.gif", false, true, at());
  blank->SetAlternativeText("kzoO5&h=1&w=20&old=x");
  auto box = doc->InlineShapes()->AddOLEControl("Forms.TextBox.1", at());
  const std::string boxAlt = box->AlternativeText();
  MarkBuilder builder;
  std::string page = builder.BuildHeader(table->Range()->InlineShapes()->Item(1));
  page += builder.BuildQuestionRow(table);
  page += builder.BuildBlankRow(box, 2);
  page += builder.BuildBlankRow(blank, 3);
  page += builder.BuildListEnd() + builder.BuildFooter();

  ASSERT_TRUE(Show(kFillInTheBlank, page, [](dlgMark& d) {
    Set(d, "fib3_I", "one line");
    Set(d, "fib3_T", "A & B;\u201CC\u201D");
    Set(d, "fib2_I", "Box & text");
    d.OKButton.Click();
  }));
  dialog->ReloadFIBInfo(blank, 3);
  EXPECT_EQ(blank->AlternativeText(), "kzoO5&ans=one line&h=1&w=20");
  // A text input of 20 characters: 144 x 22 pixels, plus 3 each way.
  EXPECT_DOUBLE_EQ(blank->Width(), 147 * 0.75);
  EXPECT_DOUBLE_EQ(blank->Height(), 25 * 0.75);
  dialog->ReloadFIBInfo(box, 2);
  EXPECT_EQ(box->OLEFormat()->Object()->text, "Box & text");
  EXPECT_EQ(box->AlternativeText(), boxAlt);

  Set(*dialog, "fib3_h", "2");
  dialog->ReloadFIBInfo(blank, 3);
  EXPECT_EQ(blank->AlternativeText(), "kzoO5&ans=A \x02 B;\"C\"&h=2&w=20");
}

TEST_F(MarkDialogTest, ABlankAnswerThatLooksLikeMarkupComesBackAsTyped) {
  auto table = Build(kFillInTheBlank);
  auto cell = table->Cell(3, 1);
  auto at = [&] { return doc->Range(cell->Start(), cell->Start()); };
  const std::string oneLine = "kzoO5&ans=x<y \x02lt; \"z\"&h=1&w=20";
  const std::string lines =
      "kzoO5&ans=a </textarea> \x02"
      "amp; b&h=2&w=20";
  auto first = doc->InlineShapes()->AddPicture(G().IMG_PATH + "textbox.gif", false, true, at());
  first->SetAlternativeText(lines);
  auto second = doc->InlineShapes()->AddPicture(G().IMG_PATH + "textbox.gif", false, true, at());
  second->SetAlternativeText(oneLine);
  MarkBuilder builder;
  std::string page = builder.BuildHeader(table->Range()->InlineShapes()->Item(1));
  page += builder.BuildQuestionRow(table);
  page += builder.BuildBlankRow(second, 2) + builder.BuildBlankRow(first, 3);
  page += builder.BuildListEnd() + builder.BuildFooter();

  ASSERT_TRUE(Show(kFillInTheBlank, page, [](dlgMark& d) { d.OKButton.Click(); }));
  EXPECT_EQ(dialog->GetVal("fib2_I", false), "x<y &lt; \"z\"");
  EXPECT_EQ(dialog->GetVal("fib3_T", false), "a </textarea> &amp; b");
  EXPECT_EQ(dialog->Document()->Form(0)->ElementsNamed("fcomm").size(), 1u)
      << "the fields after the blanks are still there";
  dialog->ReloadFIBInfo(second, 2);
  dialog->ReloadFIBInfo(first, 3);
  EXPECT_EQ(second->AlternativeText(), oneLine);
  EXPECT_EQ(first->AlternativeText(), lines);
}

TEST_F(MarkDialogTest, PageEventsReachTheDialogUntilItUnloads) {
  const std::string page =
      "<form name=frm><input type=button name=newQID><input name=newQIDText></form>"
      "<span id=newQIDShow>none</span>";
  ASSERT_TRUE(Show(kMultipleChoice, page, [](dlgMark& d) {
    Field(d, "newQID")->Click();
    d.OKButton.Click();
  }));
  const std::string id = dialog->GetVal("newQIDText", false);
  EXPECT_EQ(id.size(), 16u);
  EXPECT_EQ(dialog->Document()->GetElementById("newQIDShow")->InnerHTML(), id);

  auto document = dialog->Document();
  dialog->Unload();
  EXPECT_FALSE(document->Handler("onclick"));
  EXPECT_FALSE(document->Handler("onkeypress"));
}

TEST_F(MarkDialogTest, HelpShowsTheCourseHostsPageWithOKOnly) {
  G().strHost = "my.school.example";
  G().strQuery = "&x=1";
  std::string url;
  bool cancelEnabled = true;
  driver->OnFormOnce("dlgMark", [&](ui::Form& form) {
    auto& d = static_cast<dlgMark&>(form);
    caption = d.Caption();
    url = d.markWindow.LocationURL();
    cancelEnabled = d.CancelButton.Enabled();
    d.OKButton.Click();
  });
  EXPECT_TRUE(dialog->DisplayHelp(1001));
  EXPECT_EQ(caption, "Quorvanta Online Help");
  EXPECT_FALSE(cancelEnabled);
  EXPECT_EQ(url,
            "http://courses.quorvanta.example/engine/help/"
            "info.asp?id=1001&ver=27&strHost=my.school.example&x=1");
}

}  // namespace
}  // namespace qv::addin::testing

namespace qv::addin::testing {
namespace {

// Feedback from a received document cannot take over the page: whatever it holds, OK without an
// edit stores it unchanged and the points and correct answer stay as they were.
TEST_F(MarkDialogTest, HostileFeedbackComesBackExactlyAsStored) {
  MultipleChoice().CreateQuestion(app);
  auto table = doc->Tables()->Item(1);
  auto question = table->Range()->InlineShapes()->Item(1);
  auto answer = table->Range()->InlineShapes()->Item(3);
  answer->SetAlternativeText("kzoA0&checked=on");
  const std::string head = AttrPrefix(question->AlternativeText()) + "&qID=Q1&points=7&partial=No";
  const std::vector<std::string> hostile = {
      "</script ><script>document.frm.points.value='99';</script >",
      "</script\tx",
      "</SCRIPT/x",
      "a</ScRiPt>b",
      "<!-- <script>",
      "line\xE2\x80\xA8separator and \xE2\x80\xA9paragraph",
      "back\\slash 'quote' \"double\"",
      "two\nlines",
      "eval(\"for(;;){}\")",
      "\\u2028 as typed",
      "x3c \\x3c"};
  for (const auto& text : hostile) {
    const std::string stored = head + "&pcomm=" + text + "&fcomm=" + text;
    question->SetAlternativeText(stored);
    driver->OnFormOnce("dlgMark",
                       [](ui::Form& form) { static_cast<dlgMark&>(form).OKButton.Click(); });
    doc->Selection()->SelectText(table->Cell(3, 1)->Start(), table->Cell(3, 1)->Start());
    MultipleChoice().MarkQuestion(doc);
    EXPECT_EQ(question->AlternativeText(), stored) << text;
    EXPECT_EQ(answer->AlternativeText(), "kzoA0&checked=on") << text;
  }
}

}  // namespace
}  // namespace qv::addin::testing
