// The fill-in-the-blank question: its sentence row, where blanks may be placed, what its
// completeness check asks for, and the attribute form that shows the sentence around its blanks.

#include <string>
#include <vector>

#include "addin/dialogs/MarkBuilder.h"
#include "addin/dialogs/dlgMark.h"
#include "addin/questions/FillInTheBlank.h"
#include "addin/questions/question_class.h"
#include "addin/tests/question_fixture.h"
#include "online/course_host_name.h"
#include "platform/net/host_overrides.h"

namespace qv::addin::testing {
namespace {

struct FillInTheBlankTest : QuestionTest {
  void SetUp() override {
    QuestionTest::SetUp();
    ASSERT_TRUE(platform::MapHost(online::kDefaultCourseHost, "127.0.0.1", 1));
  }
  std::shared_ptr<word::Table> Create() {
    FillInTheBlank().CreateQuestion(app);
    return doc->Tables()->Item(1);
  }
  // The sentence box of row 4 (nested in its merged cell).
  std::shared_ptr<word::Table> Sentence(const std::shared_ptr<word::Table>& table) {
    return NestedBox(table, 4);
  }
  // Selects `text` inside the sentence box.
  void SelectInSentence(const std::shared_ptr<word::Table>& table, const std::string& text) {
    auto box = Sentence(table)->Range();
    const auto at = box->Text().find(text);
    ASSERT_NE(at, std::string::npos) << text;
    const int64_t start = box->Start() + static_cast<int64_t>(at);
    doc->Selection()->SelectText(start, start + static_cast<int64_t>(text.size()));
  }
  std::shared_ptr<word::InlineShape> Blank(const std::shared_ptr<word::Table>& table, int32_t i) {
    return table->Range()->InlineShapes()->Item(i);
  }
};

TEST_F(FillInTheBlankTest, ANewQuestionHasItsSentenceAndNoBlankYet) {
  auto table = Create();
  ASSERT_EQ(table->Rows()->Count(), 4);
  EXPECT_EQ(RangeTextOf(Sentence(table)->Cell(1, 1)),
            "Enter question text and insert blank textbox for answer here");
  EXPECT_EQ(table->Range()->InlineShapes()->Count(), 1) << "the question marker only";
  EXPECT_DOUBLE_EQ(table->Cell(4, 1)->Padding(word::kTop), 5);
  EXPECT_DOUBLE_EQ(table->Cell(4, 1)->Width(), table->Cell(1, 1)->Width());
  std::string message;
  EXPECT_FALSE(FillInTheBlank().Validate(message, table));
  EXPECT_EQ(message, "You need to add at least one Fill-In-The-Blank textbox");
}

TEST_F(FillInTheBlankTest, BlanksGoOnlyIntoTheSentence) {
  auto table = Create();
  PlaceInCell(table, 3, 1);
  FillInTheBlank().InsertBlank(doc);
  PlaceAtEnd();
  Type("outside");
  FillInTheBlank().InsertBlank(doc);
  EXPECT_EQ(Messages(),
            (std::vector<std::string>{"This is not a valid answer location.  Place your cursor "
                                      "into the question response table and try again.",
                                      "Place the cursor into the question table at the point you "
                                      "want to add an answer choice."}));
  EXPECT_EQ(table->Range()->InlineShapes()->Count(), 1);

  SelectInSentence(table, "insert blank");
  FillInTheBlank().InsertBlank(doc);
  ASSERT_EQ(table->Range()->InlineShapes()->Count(), 2);
  EXPECT_EQ(Blank(table, 2)->AlternativeText(), "kzoO5&h=1&w=20");
  const std::string sentence = RangeTextOf(Sentence(table)->Cell(1, 1));
  EXPECT_EQ(sentence.find("insert blank"), std::string::npos) << "the words were replaced";
  EXPECT_NE(sentence.find("text and "), std::string::npos);
  EXPECT_EQ(doc->Selection()->InlineShapes()->Count(), 1) << "the new blank is selected";
  EXPECT_NE(driver->Text().find("Creating Fill-In-The-Blank spot..."), std::string::npos);
}

TEST_F(FillInTheBlankTest, EveryBlankNeedsAcceptedAnswers) {
  auto table = Create();
  SelectInSentence(table, "question");
  FillInTheBlank().InsertBlank(doc);
  SelectInSentence(table, "answer");
  FillInTheBlank().InsertBlank(doc);
  FillInTheBlank q;
  std::string message;
  Blank(table, 2)->SetAlternativeText("kzoO5&ans=a;b&h=1&w=20");
  Blank(table, 3)->SetAlternativeText("kzoO5&ans=   &h=1&w=20");
  EXPECT_FALSE(q.Validate(message, table));
  EXPECT_EQ(message, "You need to select a correct answer");
  Blank(table, 3)->SetAlternativeText("kzoO5&ans= c &h=1&w=20");
  message = "kept";
  EXPECT_TRUE(q.Validate(message, table));
  EXPECT_EQ(message, "kept");
  EXPECT_FALSE(q.Validate(message, nullptr)) << "never raises";
  EXPECT_NE(message.find("kept"), std::string::npos) << "a message already set stays";
}

TEST_F(FillInTheBlankTest, TheFormShowsTheSentenceAroundItsBlanksInOrder) {
  auto table = Create();
  // "A<blank>B<blank>C" in place of the initial text.
  SelectInSentence(table, "Enter question text and insert blank textbox for answer here");
  Type("A one two B C");
  SelectInSentence(table, "one");
  FillInTheBlank().InsertBlank(doc);
  SelectInSentence(table, "two");
  FillInTheBlank().InsertBlank(doc);
  // Between the question row and the list end: text A, the first blank, text B, the second
  // blank, text C, in that order.
  const std::string page = BuildMarkPage(table, kFillInTheBlank);
  const std::vector<std::string> order = {
      "Complete the sentence", "uneditable>A </td>", "name=fib2_w", "uneditable> </td>",
      "name=fib3_w",           "uneditable> B C",    "name=pcomm"};
  size_t at = 0;
  for (const auto& piece : order) {
    const size_t found = page.find(piece, at);
    ASSERT_NE(found, std::string::npos) << piece << " after " << at << " in\n" << page;
    at = found + piece.size();
  }

  // Cancel changes nothing, not even the saved flag.
  doc->SetSaved(true);
  driver->OnFormOnce("dlgMark", [](ui::Form& f) { static_cast<dlgMark&>(f).CancelButton.Click(); });
  PlaceInCell(table, 3, 1);
  FillInTheBlank().MarkQuestion(doc);
  EXPECT_TRUE(doc->Saved());
  EXPECT_EQ(Blank(table, 2)->AlternativeText(), "kzoO5&h=1&w=20");
}

TEST_F(FillInTheBlankTest, AQuestionTheGuardRefusesLeavesNoWindowOpen) {
  auto table = Create();
  PlaceInCell(table, 3, 1);
  FillInTheBlank().CreateQuestion(app);
  EXPECT_EQ(doc->Tables()->Count(), 1);
  for (const auto& form : toolkit.Forms())
    EXPECT_FALSE(form->IsLoaded()) << form->Name();
}

}  // namespace
}  // namespace qv::addin::testing
