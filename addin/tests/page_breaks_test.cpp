// Web page breaks: the marker and where it goes, the page classification on either side of the
// insertion point, the breaks a new question gets, removing a selected break, and the public
// class that automation clients reach them through.

#include "addin/document/page_breaks.h"
#include "addin/document/Work.h"
#include "addin/questions/g_construction.h"
#include "addin/tests/question_fixture.h"
#include "automation/testing/raised_error.h"
#include "word/custom_properties.h"
#include "word/shape.h"

namespace qv::addin::testing {
namespace {

using qv::testing::ErrorNumber;

struct PageBreaks : QuestionTest {
  void SetUp() override {
    QuestionTest::SetUp();
    SetTextOutsideQuestions(false);
  }
  int16_t KindAfterSelection() {
    auto range = doc->Selection()->Range();
    return PageKindAfter(*range, *doc);
  }
};

TEST_F(PageBreaks, ABreakSplitsTheParagraphAndStandsAloneWithTheBareMarker) {
  Type("Hello world");
  PlaceAt(6);
  EXPECT_TRUE(InsertBreakAtSelection(*doc));
  EXPECT_EQ(Rendering(), "Hello \n[pic: kzoB]\nworld\n");
  ASSERT_EQ(doc->InlineShapes()->Count(), 1);
  auto marker = doc->InlineShapes()->Item(1);
  EXPECT_EQ(marker->AlternativeText(), "kzoB");
  EXPECT_EQ(marker->SourceFile(), G().IMG_PATH + "LO.gif");
  EXPECT_TRUE(IsPageBreakMarker(marker));
  EXPECT_EQ(doc->Selection()->Start(), marker->Range()->End()) << "the insertion point after it";
}

TEST_F(PageBreaks, KindsOfTheStretchesAroundTheInsertionPoint) {
  EXPECT_EQ(PageKindBefore(*doc), kPageEmpty) << "empty document";
  EXPECT_EQ(KindAfterSelection(), kPageEmpty);

  auto question = Build(kMultipleChoice);
  ASSERT_TRUE(question);
  PlaceAtEnd();
  Type("\r\r");
  EXPECT_EQ(PageKindBefore(*doc), kPageOfQuestions) << "only empty paragraphs after a question";
  EXPECT_FALSE(TextOutsideQuestions());

  Type("A sentence.");
  EXPECT_EQ(PageKindBefore(*doc), kPageOfText);
  EXPECT_TRUE(TextOutsideQuestions());

  SetTextOutsideQuestions(false);
  InsertBreakAtSelection(*doc);
  EXPECT_EQ(PageKindBefore(*doc), kPageEmpty) << "a new page begins after the break";
  Type("Text");
  EXPECT_EQ(PageKindBefore(*doc), kPageOfText);
  EXPECT_FALSE(TextOutsideQuestions());

  PlaceAt(0);
  EXPECT_EQ(KindAfterSelection(), kPageOfQuestions) << "the question comes first";
  EXPECT_FALSE(TextOutsideQuestions());
  Type("Intro");
  PlaceAt(0);
  EXPECT_EQ(KindAfterSelection(), kPageOfQuestions);
  EXPECT_TRUE(TextOutsideQuestions()) << "text between the point and the question";
}

TEST_F(PageBreaks, AfterTheLastBreakTheKindIsReadUpToTheNextOne) {
  Type("One");
  InsertBreakAtSelection(*doc);
  Type("\r");
  InsertBreakAtSelection(*doc);
  PlaceAt(0);
  auto range = doc->Selection()->Range();
  EXPECT_EQ(PageKindAfter(*range, *doc), kPageOfText);
  EXPECT_EQ(range->Text(), "One\r") << "cut back to the first break";
  PlaceAt(doc->InlineShapes()->Item(1)->Range()->End());
  EXPECT_EQ(KindAfterSelection(), kPageEmpty) << "only an empty paragraph up to the next break";
}

TEST_F(PageBreaks, EmptyMeansNoWordsPicturesOrAnchoredShapes) {
  Type("\r \t\r");
  EXPECT_TRUE(IsRangeEmpty(*doc->Content()));
  doc->Shapes()->AddShape(1, 0, 0, 10, 10, doc->Range(1, 1));
  EXPECT_FALSE(IsRangeEmpty(*doc->Content())) << "an anchored shape";
  EXPECT_TRUE(IsRangeEmpty(*doc->Range(0, 0)));
  doc->Shapes()->Item(automation::Variant(1))->Delete();
  doc->InlineShapes()->AddPicture(G().IMG_PATH + "1x1.gif", false, true, doc->Range(0, 0));
  EXPECT_FALSE(IsRangeEmpty(*doc->Content())) << "a picture";
}

TEST_F(PageBreaks, NewQuestionsGetTheBreaksTheirPageKindAsksFor) {
  EXPECT_FALSE(BreakNeededBefore(kMultipleChoice, *doc));
  EXPECT_FALSE(BreakNeededBefore(kShortAnswer, *doc)) << "nothing precedes";

  Type("Some text.");
  EXPECT_TRUE(BreakNeededBefore(kMultipleChoice, *doc));
  auto first = Build(kMultipleChoice);
  ASSERT_TRUE(first);
  EXPECT_EQ(doc->InlineShapes()->Item(1)->AlternativeText(), "kzoB") << "break before it";
  EXPECT_EQ(doc->InlineShapes()->Count(), 2);

  // Right after the question: another choice question may share its page, a short-answer one
  // may not.
  PlaceAt(first->End());
  EXPECT_FALSE(BreakNeededBefore(kTrueFalse, *doc));
  EXPECT_TRUE(BreakNeededBefore(kShortAnswer, *doc));
  auto second = Build(kShortAnswer);
  ASSERT_TRUE(second);
  std::vector<std::string> markers;
  for (int32_t i = 1; i <= doc->InlineShapes()->Count(); ++i)
    markers.push_back(
        word::VisibleText(doc->InlineShapes()->Item(i)->AlternativeText()).substr(0, 5));
  EXPECT_EQ(markers, (std::vector<std::string>{"kzoB", "kzoQ0", "kzoB", "kzoQ1"})) << Rendering();
}

TEST_F(PageBreaks, AQuestionBeforeTextGetsABreakAfterIt) {
  Type("Text after.");
  PlaceAt(0);
  EXPECT_TRUE(BreakNeededAfter(kMultipleChoice, *doc));
  auto question = Build(kMultipleChoice);
  ASSERT_TRUE(question);
  auto last = doc->InlineShapes()->Item(doc->InlineShapes()->Count());
  EXPECT_EQ(last->AlternativeText(), "kzoB");
  EXPECT_GT(last->Range()->Start(), question->End());
}

TEST_F(PageBreaks, OnlyASelectedBreakMarkerIsRemoved) {
  Type("Before\rAfter");
  PlaceAt(7);
  InsertBreakAtSelection(*doc);
  ASSERT_EQ(Rendering(), "Before\n\n[pic: kzoB]\nAfter\n");
  auto marker = doc->InlineShapes()->Item(1);

  PlaceAt(marker->Range()->End());
  EXPECT_FALSE(DeleteBreakAtSelection(*doc)) << "an insertion point next to it";
  doc->Selection()->SelectText(0, marker->Range()->End());
  EXPECT_FALSE(DeleteBreakAtSelection(*doc)) << "together with text";
  EXPECT_EQ(doc->InlineShapes()->Count(), 1);

  marker->SetAlternativeText("kzoQ0");
  marker->Select();
  EXPECT_FALSE(DeleteBreakAtSelection(*doc)) << "another marker";
  marker->SetAlternativeText("kzoB");

  marker->Select();
  EXPECT_TRUE(DeleteBreakAtSelection(*doc));
  EXPECT_EQ(doc->InlineShapes()->Count(), 0);
  EXPECT_EQ(Rendering(), "Before\n\n\nAfter\n") << "its paragraph stays";
}

TEST_F(PageBreaks, WorkInsertsAndRemovesBreaksByName) {
  auto work = std::make_shared<Work>();
  Type("Text");
  EXPECT_FALSE(automation::Call(work, "InsertBreak", {automation::Variant(doc)}).ToBool());
  ASSERT_EQ(doc->InlineShapes()->Count(), 1);
  EXPECT_TRUE(IsConvertedDocument(*doc, 7)) << "stamped as a course document";

  doc->InlineShapes()->Item(1)->Select();
  EXPECT_FALSE(automation::Call(work, "DeleteBreak", {automation::Variant(doc)}).ToBool());
  EXPECT_EQ(doc->InlineShapes()->Count(), 0);

  EXPECT_EQ(
      ErrorNumber([&] { automation::Call(work, "InsertBreak", {automation::Variant(work)}); }),
      automation::err::kTypeMismatch)
      << "not a document";
}

TEST_F(PageBreaks, UpdateQTableFloatsThePicturesOfAThreeRowTable) {
  auto work = std::make_shared<Work>();
  auto table = doc->Tables()->Add(doc->Range(0, 0), 3, 1);
  auto picture = [&](int row) {
    const int64_t at = table->Cell(row, 1)->Start();
    doc->InlineShapes()->AddPicture(G().IMG_PATH + "1x1.gif", false, true, doc->Range(at, at));
  };
  EXPECT_FALSE(work->UpdateQTable(*table)) << "nothing to convert";
  picture(3);
  picture(3);
  picture(1);
  EXPECT_TRUE(automation::Call(work, "UpdateQTable", {automation::Variant(table)}).ToBool());
  EXPECT_EQ(doc->Shapes()->Count(), 2);
  EXPECT_EQ(doc->InlineShapes()->Count(), 1) << "row 1 keeps its picture";

  table->Rows()->Add();
  picture(4);
  EXPECT_FALSE(work->UpdateQTable(*table)) << "four rows";
  EXPECT_EQ(doc->Shapes()->Count(), 2);
}

}  // namespace
}  // namespace qv::addin::testing
