// The attribute form page: its fragments in order for a multiple-choice question with stored
// attributes, the same page loaded in the browser, and the blank rows of the fill-in types.

#include <utility>

#include "addin/dialogs/MarkBuilder.h"
#include "addin/questions/MultipleChoice.h"
#include "addin/tests/question_fixture.h"
#include "browser/dom/html_document.h"
#include "browser/dom/html_form_element.h"
#include "browser/dom/html_input_element.h"
#include "browser/dom/html_select_element.h"
#include "browser/dom/html_text_area_element.h"
#include "browser/web_browser.h"

namespace qv::addin::testing {
namespace {

constexpr const char* kFeedback = "It's right\r\nsee </script> and C:\\temp";

struct MarkPageTest : QuestionTest {
  std::shared_ptr<word::Table> table;

  void SetUp() override {
    QuestionTest::SetUp();
    MultipleChoice().CreateQuestion(app);
    table = app->ActiveDocument()->Tables()->Item(1);
  }
  std::shared_ptr<word::InlineShape> Picture(int32_t i) {
    return table->Range()->InlineShapes()->Item(i);
  }
  std::string Page(MarkBuilder& builder) {
    std::string html = builder.BuildHeader(Picture(1)) + builder.BuildQuestionRow(table);
    for (int32_t i = 2; i <= table->Range()->InlineShapes()->Count(); ++i)
      html += builder.BuildAnswerRow(table, i);
    return html + builder.BuildListEnd() + builder.BuildFooter();
  }
};

// Each fragment must follow the one before it.
void ExpectInOrder(const std::string& page, const std::vector<std::string>& fragments) {
  size_t at = 0;
  for (const auto& fragment : fragments) {
    const size_t found = page.find(fragment, at);
    ASSERT_NE(found, std::string::npos) << "missing after offset " << at << ": " << fragment;
    at = found + fragment.size();
  }
}

// A browser control with a page written into it, as the attribute dialog shows it.
struct ShownPage {
  std::shared_ptr<browser::WebBrowser> browser = std::make_shared<browser::WebBrowser>();
  explicit ShownPage(const std::string& html) {
    browser->Navigate("about:blank");
    auto document = browser->Document();
    document->Open("text/html");
    document->Write(html);
    document->Close();
  }
  std::shared_ptr<browser::Element> Field(const std::string& name) {
    auto fields = browser->Document()->Form(0)->ElementsNamed(name);
    return fields.size() == 1 ? fields.front() : nullptr;
  }
  std::string Value(const std::string& name) {
    return automation::Get(Field(name), "value").ToText();
  }
};

TEST_F(MarkPageTest, MultipleChoicePageHoldsTheStoredAttributesInItsFixedOrder) {
  Picture(1)->SetAlternativeText("kzoQ0&qID=ABCDEFGH12345678&points=5&partial=Yes&pcomm=" +
                                 std::string(kFeedback) + "&fcomm=No&title=Stored");
  Picture(3)->SetAlternativeText("kzoA0&checked=on");
  MarkBuilder builder;
  const std::string page = Page(builder);
  ExpectInOrder(
      page,
      {"<HTML><style>\r\n",
       "body {background-color:#efefef; font:10px Arial;}\r\n",
       ".header_row > td{padding:3px;border-bottom:1px solid black;}\r\n",
       ".footer_row {padding:3px;border-top:1px solid black;}\r\n",
       ".label {margin:0px;padding:3px;font-weight:bold}\r\n",
       ".val {background-color:#FFFB00;}\r\n",
       ".uneditable {padding:3px;background-color:lightyellow;}\r\n",
       "</style>",
       "<script language=javascript>",
       "var pcomm='It\\'s right\\nsee \\x3c/script> and C:\\\\temp';\r\n",
       "var fcomm='No';\r\n",
       "function DoLink(link) {",
       "http://courses.quorvanta.example/engine/plugins/help.htm",
       "'helpWin'",
       "'scrollbars=yes,resizable=yes,width=750,height=550'",
       ".focus();",
       "}",
       "</script>",
       "<BODY marginwidth=0 leftmargin=0 topmargin=0 onload=\"javascript:LoadDefs();\">",
       "<form name=frm><table width=100% cellspacing=0 cellpadding=0>",
       "<tr class=header_row><td style=\"border-bottom:1px solid black;\">",
       "<input type=hidden name=title value=\"\">",
       "<input type=hidden name=qID value=\"ABCDEFGH12345678\">",
       "<td align=left>",
       "<td class=label align=left nowrap>Points for question: </td>",
       "<input type=text size=3 maxlength=3 name=points value=\"5\">",
       "<td align=right>",
       "<td class=label align=right>Allow partial credit?</td>",
       "<select disabled name=partial><option>Yes</option><option selected>No</option></select>",
       "<tr>",
       "<table cellpadding=0 cellspacing=0 width=100%>",
       "<td colspan=2 class=uneditable><b>Select correct answer(s)</b></td>",
       "<td colspan=2 class=uneditable>Enter question text here",
       "<input type=radio name=ans value=2></td>",
       "Answer 1",
       "<input type=radio name=ans value=3 checked></td>",
       "Answer 2",
       "<input type=radio name=ans value=4></td>",
       "<input type=radio name=ans value=5></td>",
       "Answer 4\r\r\r</td></tr></table>",
       "<td colspan=2 class=label align=left nowrap>Feedback if <u>correct</u><br>answer(s) "
       "selected:</td>",
       "<textarea style=\"width:100%;\" name=pcomm rows=2 cols=1></textarea>",
       "Feedback if <u>incorrect</u><br>answer(s) selected:",
       "name=fcomm rows=2 cols=1>",
       "</td></tr></table>",
       "</form>",
       "<script>function LoadDefs(){document.frm.pcomm.value=pcomm;document.frm.fcomm.value="
       "fcomm;}</script>",
       "</body></html>"});
  EXPECT_TRUE(page.ends_with("</body></html>"));
  EXPECT_EQ(page.find("Stored"), std::string::npos) << "the title field is always empty";
  EXPECT_EQ(page.find("resizeInput"), std::string::npos);
  EXPECT_NE(page.find("<tr><td class=uneditable onmouseover=\"this.style.backgroundColor="
                      "'#FFFB00';\" onmouseout=\"this.style.backgroundColor='lightyellow';\" "
                      "align=center valign=center><input type=radio name=ans value=2>"),
            std::string::npos);

  // Loaded in the browser, the feedback reads exactly as stored except for the script tag.
  ShownPage shown(page);
  EXPECT_EQ(shown.Value("pcomm"), "It's right\nsee </script> and C:\\temp");
  EXPECT_EQ(shown.Value("fcomm"), "No");
  EXPECT_EQ(shown.Value("points"), "5");
  EXPECT_EQ(shown.Value("title"), "");
  auto partial = std::dynamic_pointer_cast<browser::HTMLSelectElement>(shown.Field("partial"));
  EXPECT_EQ(partial->SelectedText(), "No");
  auto buttons = shown.browser->Document()->Form(0)->ElementsNamed("ans");
  ASSERT_EQ(buttons.size(), 4u);
  for (size_t k = 0; k < buttons.size(); ++k)
    EXPECT_EQ(std::dynamic_pointer_cast<browser::HTMLInputElement>(buttons[k])->Checked(), k == 1);
}

TEST_F(MarkPageTest, PartialCreditFollowsTheStoredValueOnlyWhereItCanBeChosen) {
  struct Case {
    const char* marker;
    const char* select;
  };
  const Case cases[] = {
      {"kzoQ0&partial=Yes", "<select disabled name=partial><option>Yes</option><option selected>"},
      {"kzoQ9&partial=Yes", "<select disabled name=partial><option>Yes</option><option selected>"},
      {"kzoQ1&partial=Yes", "<select name=partial><option selected>Yes</option><option>No"},
      {"kzoQ1&partial=yes", "<select name=partial><option>Yes</option><option selected>No"},
      {"kzoQ4", "<select name=partial><option>Yes</option><option selected>No"},
  };
  for (const auto& c : cases) {
    Picture(1)->SetAlternativeText(c.marker);
    MarkBuilder builder;
    EXPECT_NE(builder.BuildHeader(Picture(1)).find(c.select), std::string::npos) << c.marker;
  }
}

TEST_F(MarkPageTest, FeedbackSurvivesTheTripThroughThePageScript) {
  const std::string texts[] = {"It's",         "a\\b\\\\c",           "line\r\nline", "lone\nfeed",
                               "lone\rreturn", "x \x02 y \"quoted\"", "</SCRIPT>",    "Grüße"};
  const std::string shownAs[] = {"It's",         "a\\b\\\\c",        "line\nline", "lone\nfeed",
                                 "lone\rreturn", "x & y \"quoted\"", "</SCRIPT>",  "Grüße"};
  for (size_t k = 0; k < std::size(texts); ++k) {
    Picture(1)->SetAlternativeText("kzoQ0&pcomm=" + texts[k]);
    MarkBuilder builder;
    ShownPage shown(Page(builder));
    EXPECT_EQ(shown.Value("pcomm"), shownAs[k]) << k;
    EXPECT_EQ(shown.Value("points"), "");
  }
}

TEST_F(MarkPageTest, DocumentTextsAreShownAsTypedWithoutBreakingThePage) {
  table->Cell(3, 1)->Range()->InsertBefore("Is x<y & y>z? ");
  table->Cell(4, 2)->Range()->InsertBefore("<b>not bold</b>");
  MarkBuilder builder;
  const std::string page = Page(builder);
  EXPECT_NE(page.find("Is x&lt;y &amp; y&gt;z? "), std::string::npos);
  ShownPage shown(page);
  auto text = shown.browser->Document()->Body()->InnerText();
  EXPECT_NE(text.find("Is x<y & y>z?"), std::string::npos);
  EXPECT_NE(text.find("<b>not bold</b>"), std::string::npos);
  EXPECT_EQ(shown.browser->Document()->Form(0)->ElementsNamed("ans").size(), 4u);
  EXPECT_EQ(builder.BuildTextRow("a<b"),
            "<tr>\r\n<td colspan=2 class=uneditable>a&lt;b</td>\r\n</tr>\r\n");
}

TEST_F(MarkPageTest, AnswerTextComesFromTheRowHoldingTheMarker) {
  MarkBuilder builder;
  EXPECT_TRUE(builder.BuildAnswerRow(table, 2).ends_with(
      "<td class=uneditable style=\"width:100%\">Answer 1\r\r\r</td></tr>"));
  EXPECT_EQ(builder.BuildAnswerRow(table, 2).find("\r\n"), std::string::npos);

  // A marker in a merged row of one cell.
  auto inRow2 = doc->InlineShapes()->AddPicture(G().IMG_PATH + "radio_blk.gif", false, true,
                                                table->Cell(2, 1)->Range());
  inRow2->SetAlternativeText("kzoA0");
  EXPECT_NE(builder.BuildAnswerRow(table, 2).find(">No answer text</td></tr>"), std::string::npos);

  MarkBuilder checkBoxes;
  Picture(1)->SetAlternativeText("kzoQ1");
  Picture(3)->SetAlternativeText("kzoA1&checked=on");
  EXPECT_NE(checkBoxes.BuildAnswerRow(table, 3).find("<input type=checkbox name=ans3 checked>"),
            std::string::npos);
}

TEST_F(MarkPageTest, AShortTableHasNoQuestionDescription) {
  table->Rows()->Item(7)->Delete();
  table->Rows()->Item(6)->Delete();
  table->Rows()->Item(5)->Delete();
  table->Rows()->Item(4)->Delete();
  MarkBuilder builder;
  EXPECT_NE(builder.BuildQuestionRow(table).find(
                "<td colspan=2 class=uneditable>No question description available</td>"),
            std::string::npos);
}

struct BlankPageTest : QuestionTest {};

TEST_F(BlankPageTest, BlankRowsCarryTheirSizesNamesAndIdsAndShapeOnLoad) {
  auto table = Build(kFillInTheBlank);
  ASSERT_TRUE(table);
  auto cell = table->Cell(3, 1);
  auto plain = doc->InlineShapes()->AddPicture(G().IMG_PATH + "textbox.gif", false, true,
                                               doc->Range(cell->Start(), cell->Start()));
  plain->SetAlternativeText("kzoO5");
  auto sized = doc->InlineShapes()->AddPicture(G().IMG_PATH + "textbox.gif", false, true,
                                               doc->Range(cell->Start(), cell->Start()));
  sized->SetAlternativeText(std::string("kzoO5&ans=Tom \x02 \"J\"&h=3&w=12"));
  auto box = doc->InlineShapes()->AddOLEControl("Forms.TextBox.1",
                                                doc->Range(cell->Start(), cell->Start()));
  box->OLEFormat()->Object()->text = "in \"box\"";

  auto marker = table->Range()->InlineShapes()->Item(1);
  for (int pass = 0; pass < 2; ++pass) {
    MarkBuilder builder;
    std::string page = builder.BuildHeader(marker) + builder.BuildQuestionRow(table);
    // One fragment after the other: the blank count numbers them in this order.
    page += builder.BuildBlankRow(box, 2);
    page += builder.BuildTextRow("between");
    page += builder.BuildBlankRow(sized, 3);
    page += builder.BuildBlankRow(plain, 4);
    page += builder.BuildListEnd() + builder.BuildFooter();
    EXPECT_EQ(builder.BlankCount(), 3);
    ExpectInOrder(page, {"<span style=\"display:none;font-size:10px;\"> Columns: </span>",
                         "name=fib2_w id=fib1__w value=20 size=3 maxlength=3",
                         "href=\"javascript:resizeInput('fib1', 'w', -1);\">-</a>&nbsp;",
                         "name=fib2_h id=fib1__h value=1",
                         "Enter correct answers separated by a semi-colon&nbsp; ie. Jane;Jane "
                         "Woods</span><br>",
                         "<input type=text name=fib2_I id=fib1__I value=\"in &quot;box&quot;\">",
                         "name=fib2_T id=fib1__T>in &quot;box&quot;</textarea>",
                         "between",
                         "name=fib3_w id=fib2__w value=12",
                         "name=fib3_h id=fib2__h value=3",
                         "value=\"Tom &amp; &quot;J&quot;\"",
                         "name=fib4_w id=fib3__w value=20",
                         "</form>",
                         "<style>\r\n.resz {font:bold 16px Arial;}\r\n",
                         "input {font:normal 12px Courier}\r\n</style>",
                         "function resizeInput(",
                         "function changeVal(",
                         "function LoadDefs(){",
                         "   resizeInput('fib1');\r\n   resizeInput('fib2');\r\n   "
                         "resizeInput('fib3');\r\n}</script>",
                         "</body></html>"});
    if (pass == 1) {
      ShownPage shown(page);
      auto element = [&](const char* id) { return shown.browser->Document()->GetElementById(id); };
      // The text box shows its single-line field only.
      EXPECT_TRUE(element("fib1__I")->IsRendered());
      EXPECT_FALSE(element("fib1__T")->IsRendered());
      EXPECT_FALSE(element("fib1__w")->IsRendered());
      // Three rows of 12 columns show the textarea with the answer.
      EXPECT_FALSE(element("fib2__I")->IsRendered());
      EXPECT_TRUE(element("fib2__T")->IsRendered());
      EXPECT_EQ(automation::Get(element("fib2__T"), "rows").ToInt32(), 3);
      EXPECT_EQ(automation::Get(element("fib2__T"), "cols").ToInt32(), 12);
      EXPECT_EQ(automation::Get(element("fib2__T"), "value").ToText(), "Tom & \"J\"");
      // No stored size: one line of 20 characters.
      EXPECT_TRUE(element("fib3__I")->IsRendered());
      EXPECT_EQ(automation::Get(element("fib3__I"), "size").ToInt32(), 20);
      // "+" on the rows turns the single line into a textarea of two rows.
      shown.browser->Window()->RunScript("resizeInput('fib3', 'h', 1);", "test");
      EXPECT_EQ(automation::Get(element("fib3__h"), "value").ToText(), "2");
      EXPECT_TRUE(element("fib3__T")->IsRendered());
    }
  }
}

}  // namespace
}  // namespace qv::addin::testing
