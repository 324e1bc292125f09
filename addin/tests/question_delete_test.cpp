// Deleting questions and answers: every confirmation, its Cancel path, and what exactly goes.

#include "addin/questions/g_delete.h"
#include "addin/questions/g_find.h"
#include "addin/questions/g_markers.h"
#include "addin/tests/question_fixture.h"
#include "word/shape.h"

namespace qv::addin::testing {
namespace {

constexpr const char* kPlaceCursor =
    "Place the cursor into the answer you would like to delete and try again.";

struct DeleteTest : QuestionTest {
  // Puts an answer marker picture into column 1 of answer rows, as the choice classes do.
  void MarkAnswerRows(const std::shared_ptr<word::Table>& table, const std::string& marker) {
    for (int32_t r = 4; r <= table->Rows()->Count(); ++r) {
      auto cell = table->Cell(r, 1);
      auto picture = doc->InlineShapes()->AddPicture(G().IMG_PATH + "radio_blk.gif", false, true,
                                                     cell->Range());
      picture->SetAlternativeText(marker);
      table->Cell(r, 2)->Range()->InsertAfter("Answer " + std::to_string(r - 3));
    }
  }
  const ui::TranscriptEntry& LastBox() const {
    for (auto it = driver->Transcript().rbegin(); it != driver->Transcript().rend(); ++it)
      if ((*it)->kind == ui::EntryKind::MessageBox) return **it;
    throw std::runtime_error("no message box");
  }
};

TEST_F(DeleteTest, AQuestionGoesWholeAfterOKAndStaysAfterCancel) {
  DeleteQuestion(nullptr);
  EXPECT_EQ(LastBox().text, "Select a question to delete.");
  EXPECT_EQ(LastBox().title, "Quorvanta Word Add-in");
  EXPECT_EQ(LastBox().buttons, ui::vbOKOnly);
  EXPECT_EQ(LastBox().icon, 0);

  auto question = Build(kHotSpot);
  ASSERT_TRUE(question);
  doc->Shapes()->AddShape(1, 0, 0, 10, 10, question->Cell(4, 1)->Range());
  PlaceInCell(question, 4, 1);

  driver->AnswerMsgBox(ui::vbCancel);
  DeleteQuestion(GetCurrentQuestion(doc));
  EXPECT_EQ(LastBox().title, "Delete this Question?");
  EXPECT_EQ(LastBox().text, "Are you sure you want to delete this question?");
  EXPECT_EQ(LastBox().buttons, ui::vbOKCancel);
  EXPECT_EQ(doc->Tables()->Count(), 1);

  driver->AnswerMsgBox(ui::vbOK);
  DeleteQuestion(GetCurrentQuestion(doc));
  EXPECT_EQ(doc->Tables()->Count(), 0);
  EXPECT_EQ(doc->InlineShapes()->Count(), 0) << "markers and pictures go with it";
  EXPECT_EQ(doc->Shapes()->Count(), 0) << "and the shapes anchored in it";
  EXPECT_EQ(doc->Selection()->Start(), doc->Selection()->End());
}

TEST_F(DeleteTest, AChoiceAnswerRowGoesOnlyWhenTheCursorIsInIt) {
  DeleteAnswer(nullptr);
  EXPECT_EQ(LastBox().text, kPlaceCursor);

  auto question = Build(kMultipleChoice);
  ASSERT_TRUE(question);
  MarkAnswerRows(question, "kzoA0&checked=on");
  ASSERT_EQ(question->Rows()->Count(), 7);

  PlaceInCell(NestedBox(question, 3), 1, 1);
  driver->ClearTranscript();
  DeleteAnswer(GetCurrentQuestion(doc));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(LastBox().text, kPlaceCursor) << "question text is no answer";
  EXPECT_EQ(LastBox().buttons, ui::vbOKOnly);
  EXPECT_EQ(question->Rows()->Count(), 7);

  PlaceInCell(question, 5, 2);
  driver->AnswerMsgBox(ui::vbCancel);
  DeleteAnswer(GetCurrentQuestion(doc));
  EXPECT_EQ(LastBox().title, "Delete Answer?");
  EXPECT_EQ(LastBox().text, "Are you sure?");
  EXPECT_EQ(LastBox().buttons, ui::vbOKCancel);
  EXPECT_EQ(question->Rows()->Count(), 7);

  PlaceInCell(question, 5, 2);
  driver->AnswerMsgBox(ui::vbOK);
  DeleteAnswer(GetCurrentQuestion(doc));
  ASSERT_EQ(question->Rows()->Count(), 6);
  EXPECT_EQ(RangeTextOf(question->Cell(5, 2)), "Answer 3");
  EXPECT_EQ(RangeTextOf(question->Cell(4, 2)), "Answer 1");

  // Feedback that happens to hold the letters of an answer marker does not make the marker row an
  // answer: the question keeps its marker.
  auto marker = question->Cell(1, 1)->Range()->InlineShapes()->Item(1);
  SetAttr(marker, "fcomm", "see kzoA");
  PlaceAt(question->Cell(1, 1)->Start());
  driver->AnswerMsgBox(ui::vbOK);
  DeleteAnswer(GetCurrentQuestion(doc));
  EXPECT_EQ(LastBox().text, kPlaceCursor);
  EXPECT_EQ(question->Rows()->Count(), 6);
  EXPECT_TRUE(IsQuestionTable(question));
}

TEST_F(DeleteTest, ABlankMustBeSelectedAsAPicture) {
  auto question = Build(kFillInTheBlank);
  ASSERT_TRUE(question);
  auto box = NestedBox(question, 3);
  auto at = doc->Range(box->Cell(1, 1)->Start() + 5, box->Cell(1, 1)->Start() + 5);
  auto blank = doc->InlineShapes()->AddPicture(G().IMG_PATH + "textbox.gif", false, true, at);
  blank->SetAlternativeText("kzoO5&h=1&w=20");
  const int32_t pictures = doc->InlineShapes()->Count();

  PlaceAt(blank->Range()->End());
  DeleteAnswer(GetCurrentQuestion(doc));
  EXPECT_EQ(LastBox().text,
            "Place the cursor into the textbox you would like to delete and try again.");
  EXPECT_EQ(doc->InlineShapes()->Count(), pictures);

  blank->Select();
  driver->AnswerMsgBox(ui::vbCancel);
  DeleteAnswer(GetCurrentQuestion(doc));
  EXPECT_EQ(LastBox().title, "Delete this answer?");
  EXPECT_EQ(LastBox().text, "Are you sure?");
  EXPECT_EQ(doc->InlineShapes()->Count(), pictures);

  blank->Select();
  driver->AnswerMsgBox(ui::vbOK);
  DeleteAnswer(GetCurrentQuestion(doc));
  EXPECT_EQ(doc->InlineShapes()->Count(), pictures - 1);
  EXPECT_TRUE(blank->Deleted());
}

TEST_F(DeleteTest, TypesWithoutDeletableAnswersShowNothing) {
  for (int32_t type : {kDragAndDrop, kHotSpot, kTrueFalse, kShortAnswer}) {
    PlaceAtEnd();
    auto question = Build(type);
    ASSERT_TRUE(question) << type;
    if (type == kTrueFalse) MarkAnswerRows(question, "kzoA9");
    PlaceInCell(question, 4, type == kTrueFalse ? 2 : 1);
    driver->ClearTranscript();
    DeleteAnswer(GetCurrentQuestion(doc));
    EXPECT_TRUE(Messages().empty()) << type << ": " << driver->Text();
    EXPECT_EQ(question->Rows()->Count(), type == kTrueFalse ? 5 : 4);
  }
}

}  // namespace
}  // namespace qv::addin::testing
