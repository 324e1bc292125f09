// The choice questions beside multiple choice (true/false, multiple response and the two with a
// sentence blank): their tables, how answers are added at the insertion point, marking several
// answers correct, and what their completeness check asks for.

#include <string>
#include <vector>

#include "addin/dialogs/MarkBuilder.h"
#include "addin/dialogs/dlgMark.h"
#include "addin/library/public_classes.h"
#include "addin/questions/MultipleChoice.h"
#include "addin/questions/MultipleChoiceFillInTheBlank.h"
#include "addin/questions/MultipleCorrect.h"
#include "addin/questions/MultipleCorrectFillInTheBlank.h"
#include "addin/questions/TrueFalse.h"
#include "addin/questions/question_class.h"
#include "addin/tests/question_fixture.h"
#include "browser/dom/html_document.h"
#include "browser/dom/html_form_element.h"
#include "online/course_host_name.h"
#include "platform/net/host_overrides.h"

namespace qv::addin::testing {
namespace {

using automation::Put;
using automation::Variant;

struct ChoiceQuestions : QuestionTest {
  void SetUp() override {
    QuestionTest::SetUp();
    // Help pages and error reports go nowhere: nothing listens on port 1.
    ASSERT_TRUE(platform::MapHost(online::kDefaultCourseHost, "127.0.0.1", 1));
  }
  template <class Q>
  std::shared_ptr<word::Table> Create() {
    Q().CreateQuestion(app);
    return doc->Tables()->Item(doc->Tables()->Count());
  }
  // The alternative texts of the table's pictures, in order.
  static std::vector<std::string> Markers(const std::shared_ptr<word::Table>& table) {
    std::vector<std::string> out;
    auto pictures = table->Range()->InlineShapes();
    for (int32_t i = 1; i <= pictures->Count(); ++i)
      out.push_back(pictures->Item(i)->AlternativeText());
    return out;
  }
  static std::string PictureFile(const std::shared_ptr<word::Table>& table, int32_t i) {
    return std::filesystem::path(table->Range()->InlineShapes()->Item(i)->SourceFile())
        .filename()
        .string();
  }
  // The text of the answer box in column 2 of `row`.
  std::string AnswerText(const std::shared_ptr<word::Table>& table, int32_t row) {
    return RangeTextOf(table->Cell(row, 2));
  }
  // Plays the author on the attribute form: `act` runs on the shown page, then OK.
  void MarkWith(ChoiceQuestion& q, std::function<void(dlgMark&)> act) {
    driver->OnFormOnce("dlgMark", [act](ui::Form& form) {
      auto& d = static_cast<dlgMark&>(form);
      act(d);
      d.OKButton.Click();
    });
    q.MarkQuestion(doc);
  }
  static void Tick(dlgMark& d, const std::string& name, bool on) {
    Put(d.Document()->Form(0)->ElementsNamed(name).at(0), "checked", Variant(on));
  }
};

TEST_F(ChoiceQuestions, TrueFalseHasItsTwoAnswersWhateverTheAnswerCount) {
  G().numAs = 7;
  auto table = Create<TrueFalse>();
  EXPECT_EQ(table->Rows()->Count(), 5);
  EXPECT_EQ(AnswerText(table, 4), "True");
  EXPECT_EQ(AnswerText(table, 5), "False");
  const auto markers = Markers(table);
  ASSERT_EQ(markers.size(), 3u);
  EXPECT_EQ(markers[1], "kzoA9");
  EXPECT_EQ(markers[2], "kzoA9");
  EXPECT_EQ(PictureFile(table, 2), "radio_blk.gif");

  // Neither answer marked: incomplete.
  std::string message;
  EXPECT_FALSE(TrueFalse().Validate(message, table));
  EXPECT_EQ(message, "You need to select a correct answer");

  // A true/false answer cannot be deleted: nothing is asked and nothing changes.
  const std::string before = Rendering();
  driver->ClearTranscript();
  PlaceInCell(table, 5, 2);
  TrueFalse().DeleteAnswer(doc);
  EXPECT_EQ(Rendering(), before);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ChoiceQuestions, MultipleResponseMarksSeveralAnswersIndependently) {
  G().numAs = 3;
  auto table = Create<MultipleCorrect>();
  EXPECT_EQ(table->Rows()->Count(), 6);
  for (int32_t i = 2; i <= 4; ++i) {
    EXPECT_EQ(PictureFile(table, i), "chk_blk.gif");
    EXPECT_EQ(Markers(table)[static_cast<size_t>(i - 1)], "kzoA1");
  }
  PlaceInCell(table, 3, 1);
  MultipleCorrect q;
  MarkWith(q, [](dlgMark& d) {
    Tick(d, "ans2", true);
    Tick(d, "ans4", true);
  });
  auto markers = Markers(table);
  EXPECT_EQ(markers[1], "kzoA1&checked=on");
  EXPECT_EQ(markers[2], "kzoA1");
  EXPECT_EQ(markers[3], "kzoA1&checked=on");
  std::string message;
  EXPECT_TRUE(q.Validate(message, table));

  PlaceInCell(table, 3, 1);
  MarkWith(q, [](dlgMark& d) { Tick(d, "ans2", false); });
  markers = Markers(table);
  EXPECT_EQ(markers[1], "kzoA1");
  EXPECT_EQ(markers[3], "kzoA1&checked=on") << "the other answer keeps its tick";
}

TEST_F(ChoiceQuestions, AnAnswerIsAddedBelowTheRowOfTheInsertionPoint) {
  G().numAs = 2;
  auto table = Create<MultipleChoice>();
  // A caret at the very start of the question text belongs to the question text's row, not to
  // the help row that ends there.
  PlaceAt(table->Cell(3, 1)->Start());
  MultipleChoice().AddRadioChoice(doc);
  ASSERT_EQ(table->Rows()->Count(), 6);
  EXPECT_EQ(AnswerText(table, 4), "New Answer");
  EXPECT_EQ(Markers(table)[1], "kzoA0");
  EXPECT_DOUBLE_EQ(table->Cell(4, 1)->Width(), 20);
  EXPECT_DOUBLE_EQ(table->Cell(4, 2)->Width(), table->Cell(5, 2)->Width());

  PlaceInCell(table, 6, 2);
  MultipleChoice().AddRadioChoice(doc);
  ASSERT_EQ(table->Rows()->Count(), 7);
  EXPECT_EQ(AnswerText(table, 7), "New Answer") << "the last answer row gets a row after it";
}

TEST_F(ChoiceQuestions, ANewResponseRowBelowTheQuestionTextGetsTheNarrowMarkerColumn) {
  G().numAs = 2;
  auto table = Create<MultipleCorrect>();
  const double textWidth = table->Cell(4, 2)->Width();
  PlaceInCell(table, 3, 1);
  MultipleCorrect().AddAnswer(doc);
  ASSERT_EQ(table->Rows()->Count(), 6);
  EXPECT_DOUBLE_EQ(table->Cell(4, 1)->Width(), 20);
  EXPECT_DOUBLE_EQ(table->Cell(4, 2)->Width(), textWidth);
  EXPECT_EQ(Markers(table)[1], "kzoA1");
  EXPECT_EQ(PictureFile(table, 2), "chk_blk.gif");
}

TEST_F(ChoiceQuestions, OutsideAQuestionAddingAnAnswerSaysWhereToClick) {
  Type("plain text");
  MultipleCorrect().AddAnswer(doc);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Place the cursor into the question table at the "
                                                 "point you want to add an answer choice."});
}

TEST_F(ChoiceQuestions, ChoiceWithBlankEndsWithTheSentenceRowAndItsBlank) {
  G().numAs = 4;
  auto table = Create<MultipleChoiceFillInTheBlank>();
  ASSERT_EQ(table->Rows()->Count(), 8);
  for (int32_t k = 1; k <= 4; ++k)
    EXPECT_EQ(AnswerText(table, k + 3), "Answer " + std::to_string(k));
  auto sentence = table->Cell(8, 1);
  EXPECT_EQ(table->Rows()->Item(8)->Cells()->Count(), 1);
  EXPECT_NE(RangeTextOf(sentence).find("Enter fill-in-the-blank question text here"),
            std::string::npos);
  const auto markers = Markers(table);
  ASSERT_EQ(markers.size(), 6u);
  EXPECT_EQ(markers[1], "kzoA3");
  EXPECT_EQ(markers[5], "kzoO3&h=1&w=20");
  auto blank = table->Range()->InlineShapes()->Item(6);
  EXPECT_DOUBLE_EQ(blank->Width(), sentence->Width() - 2) << "the cell's inner width";
  EXPECT_DOUBLE_EQ(blank->Height(), table->Range()->InlineShapes()->Item(2)->Height())
      << "the picture's own height (both pictures are 1 x 1)";

  // The attribute page shows the sentence, ended by a line break, before the blank's fields.
  const std::string page = BuildMarkPage(table, kMultipleChoiceFIB);
  const size_t sentenceAt = page.find("Enter fill-in-the-blank question text here");
  ASSERT_NE(sentenceAt, std::string::npos) << page;
  const size_t lineEnd = page.find("\r\n", sentenceAt);
  EXPECT_LT(lineEnd, page.find("</td>", sentenceAt)) << "the sentence is ended by a line break";
  EXPECT_LT(sentenceAt, page.find("name=fib6_w")) << "before the blank's fields";

  // Incomplete until an answer is chosen and then until the blank has accepted answers.
  MultipleChoiceFillInTheBlank q;
  std::string message;
  EXPECT_FALSE(q.Validate(message, table));
  EXPECT_EQ(message, "You need to select a correct answer");
  table->Range()->InlineShapes()->Item(3)->SetAlternativeText("kzoA3&checked=on");
  message.clear();
  EXPECT_FALSE(q.Validate(message, table));
  EXPECT_EQ(message, "You need to select a correct answer");
  blank->SetAlternativeText("kzoO3&ans=Paris&h=1&w=20");
  EXPECT_TRUE(q.Validate(message, table));
}

TEST_F(ChoiceQuestions, TheSentenceRowStaysLastWhenAnswersAreAdded) {
  G().numAs = 2;
  auto table = Create<MultipleCorrectFillInTheBlank>();
  ASSERT_EQ(table->Rows()->Count(), 6);
  EXPECT_EQ(Markers(table).back(), "kzoO4&h=1&w=20");
  PlaceInCell(table, 6, 1);
  MultipleCorrectFillInTheBlank().AddCheckboxAnswer(doc);
  ASSERT_EQ(table->Rows()->Count(), 7);
  EXPECT_EQ(AnswerText(table, 6), "New Answer") << "directly above the sentence row";
  EXPECT_EQ(table->Rows()->Item(7)->Cells()->Count(), 1);
  EXPECT_DOUBLE_EQ(table->Cell(6, 1)->Width(), 20);

  PlaceInCell(table, 4, 2);
  MultipleCorrectFillInTheBlank().AddCheckboxAnswer(doc);
  ASSERT_EQ(table->Rows()->Count(), 8);
  EXPECT_EQ(AnswerText(table, 5), "New Answer") << "directly below an answer row";
  EXPECT_EQ(Markers(table)[2], "kzoA4");
}

TEST_F(ChoiceQuestions, AutomationClientsFindEachClassWithItsOwnOperations) {
  const std::vector<std::pair<std::string, std::string>> classes = {
      {"KZOWord.MultipleCorrect", "AddAnswer"},
      {"KZOWord.TrueFalse", ""},
      {"KZOWord.MultipleChoiceFillInTheBlank", "AddRadioChoice"},
      {"KZOWord.MultipleCorrectFillInTheBlank", "AddCheckboxAnswer"},
      {"KZOWord.FillInTheBlank", "InsertBlank"}};
  for (const auto& [progId, insert] : classes) {
    auto object = CreatePublicObject(progId);
    ASSERT_TRUE(object) << progId;
    std::vector<std::string> names;
    for (const auto& member : object->Members().Members())
      names.push_back(member.name);
    std::vector<std::string> expected = {"CreateQuestion", "DeleteQuestion", "DeleteAnswer",
                                         "Validate"};
    if (!insert.empty()) expected.push_back(insert);
    expected.push_back("MarkQuestion");
    EXPECT_EQ(names, expected) << progId;
  }
}

}  // namespace
}  // namespace qv::addin::testing
