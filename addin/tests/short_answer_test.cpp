// The short-answer question: its black answer area with the placeholder of the answer box, its
// completeness check, and its attribute form.

#include "addin/library/public_classes.h"
#include "addin/questions/ShortAnswer.h"
#include "addin/tests/picture_question_fixture.h"
#include "word/formatting.h"
#include "word/page_setup.h"

namespace qv::addin::testing {
namespace {

struct ShortAnswerTest : PictureQuestionTest {
  ShortAnswer question;
};

TEST_F(ShortAnswerTest, TheAnswerAreaHoldsAPlaceholderAsWideAsTheTextAllows) {
  doc->Page().pageWidth = 612;
  doc->Page().leftMargin = doc->Page().rightMargin = 90;
  question.CreateQuestion(app);
  auto table = Question();
  ASSERT_EQ(table->Rows()->Count(), 4);
  auto area = table->Cell(4, 1);
  EXPECT_EQ(area->Width(), 432);
  EXPECT_EQ(area->Height(), 85);
  EXPECT_EQ(area->HeightRule(), word::wdRowHeightExactly);
  EXPECT_EQ(area->Shading()->BackgroundPatternColor(), word::wdColorBlack);
  EXPECT_EQ(area->Padding(word::kTop), 0);
  auto shapes = ShapesIn(table);
  ASSERT_EQ(shapes.size(), 1u);
  const auto& d = shapes[0]->Data();
  EXPECT_EQ(d.autoShapeType, word::msoShapeRectangle);
  EXPECT_EQ(d.left, 10);
  EXPECT_EQ(d.top, 10);
  EXPECT_EQ(d.width, 412);
  EXPECT_EQ(d.height, 65);
  EXPECT_TRUE(d.line.visible);
  EXPECT_EQ(d.wrap.side, word::wdWrapLeft);
  EXPECT_TRUE(d.wrap.allowOverlap);
  EXPECT_EQ(d.relativeHorizontal, word::wdRelativeHorizontalPositionCharacter);
  EXPECT_EQ(d.relativeVertical, word::wdRelativeVerticalPositionPage);
  EXPECT_TRUE(d.lockAnchor);
  EXPECT_EQ(d.alt, "kzoA10");
  EXPECT_EQ(d.textFrame.text,
            "Resize this shape to create the size that you would like the textbox to be.");
  EXPECT_EQ(toolkit.FormCount(), 0) << "the progress window is closed";
  EXPECT_NE(driver->Text().find("Show dlgProgress modeless"), std::string::npos);
}

TEST_F(ShortAnswerTest, CompleteWhileThePlaceholderIsThere) {
  question.CreateQuestion(app);
  auto table = Question();
  std::string message;
  EXPECT_TRUE(question.Validate(message, table));
  EXPECT_EQ(message, "");
  ShapesIn(table).at(0)->Delete();
  EXPECT_FALSE(question.Validate(message, table));
  EXPECT_EQ(message, "You need to add at least one answer");
  message.clear();
  EXPECT_FALSE(question.Validate(message, nullptr)) << "never raises";
  EXPECT_EQ(message.find("Error validating question: "), 0u);
}

TEST_F(ShortAnswerTest, NoProgressWindowStaysWhenNoTableIsBuilt) {
  question.CreateQuestion(app);
  PlaceInArea();
  question.CreateQuestion(app);
  EXPECT_EQ(doc->Tables()->Count(), 1);
  EXPECT_EQ(Messages().size(), 1u) << "inside a question: the author is told";
  EXPECT_EQ(toolkit.FormCount(), 0);
}

TEST_F(ShortAnswerTest, TheAttributeFormEditsOnlyTheQuestionsOwnAttributes) {
  question.CreateQuestion(app);
  PlaceInArea();
  std::string caption;
  driver->OnFormOnce("dlgMark", [&](ui::Form& form) {
    caption = form.Caption();
    form.Controls("OKButton").Click();
  });
  doc->SetSaved(true);
  question.MarkQuestion(doc);
  EXPECT_EQ(caption, " - Set Question Attributes (Score, Feedback, Answers)");
  EXPECT_FALSE(doc->Saved());
  const std::string marker = Question()->Range()->InlineShapes()->Item(1)->AlternativeText();
  EXPECT_EQ(marker.find("kzoQ10&qID="), 0u) << marker;
  EXPECT_NE(marker.find("&points=10"), std::string::npos) << marker;

  driver->OnFormOnce("dlgMark", [&](ui::Form& form) { form.Controls("CancelButton").Click(); });
  doc->SetSaved(true);
  question.MarkQuestion(doc);
  EXPECT_TRUE(doc->Saved());
}

TEST_F(ShortAnswerTest, AutomationClientsSeeItsOperationsInOrder) {
  auto object = CreatePublicObject("KZOWord.ShortAnswer");
  ASSERT_TRUE(object);
  std::vector<std::string> names;
  for (const auto& member : object->Members().Members())
    names.push_back(member.name);
  EXPECT_EQ(names, (std::vector<std::string>{"CreateQuestion", "DeleteQuestion", "Validate",
                                             "MarkQuestion"}));
}

}  // namespace
}  // namespace qv::addin::testing
