// Validation of a whole course document: which documents are examined, the checks of each
// question in their order, the one report and question to the author, and what Yes and No leave.

#include <string>
#include <vector>

#include "addin/document/validate_doc.h"
#include "addin/library/public_classes.h"
#include "addin/questions/FillInTheBlank.h"
#include "addin/questions/MultipleChoice.h"
#include "addin/questions/attribute_string.h"
#include "addin/tests/reporting_fixture.h"
#include "ui/constants.h"
#include "word/custom_properties.h"

namespace qv::addin::testing {
namespace {

struct ValidateDocTest : ReportingQuestionTest {
  // A new multiple-choice question at the end of the document (which it stamps).
  std::shared_ptr<word::Table> AddQuestion() {
    PlaceAtEnd();
    MultipleChoice().CreateQuestion(app);
    return doc->Tables()->Item(doc->Tables()->Count());
  }
  static std::shared_ptr<word::InlineShape> Marker(const std::shared_ptr<word::Table>& table,
                                                   int32_t i = 1) {
    return table->Range()->InlineShapes()->Item(i);
  }
  static void Complete(const std::shared_ptr<word::Table>& table) {
    Marker(table, 2)->SetAlternativeText("kzoA0&checked=on");
  }
  static void SetMarkerAttr(const std::shared_ptr<word::Table>& table, const std::string& key,
                            const std::string& value) {
    Marker(table)->SetAlternativeText(WithAttr(Marker(table)->AlternativeText(), key, value));
  }
  // Replaces the question text of `table`.
  void SetQuestionText(const std::shared_ptr<word::Table>& table, const std::string& text) {
    auto cell = NestedBox(table, 3)->Cell(1, 1);
    doc->Selection()->SelectText(cell->Start(), cell->EndMark());
    Type(text);
  }
  // The message the author was shown, with the warning around it taken off.
  std::string Detail() const {
    const auto messages = Messages();
    if (messages.size() != 1) return "boxes: " + std::to_string(messages.size());
    const std::string& box = messages[0];
    const std::string head = "WARNING:  The document " + doc->Name() +
                             " contains errors that will prevent it from uploading correctly."
                             "\r\n\r\n";
    const std::string tail = "\r\n\r\nDo you still want to save this document?";
    if (box.rfind(head, 0) != 0 || box.size() < head.size() + tail.size() ||
        box.substr(box.size() - tail.size()) != tail)
      return "unexpected box: " + box;
    return box.substr(head.size(), box.size() - head.size() - tail.size());
  }
  std::string Validate(int32_t answer = ui::vbYes) {
    driver->ClearTranscript();
    driver->AnswerMsgBox(answer);
    const bool result = ValidateDoc(doc);
    EXPECT_EQ(result, answer == ui::vbYes);
    return Detail();
  }
};

TEST_F(ValidateDocTest, OnlyCourseDocumentsAreExamined) {
  Build(kMultipleChoice);  // a question table, but the document was never stamped
  EXPECT_TRUE(ValidateDoc(doc));
  doc->CustomDocumentProperties()->Add("KZOConvert", false, word::msoPropertyTypeString,
                                       automation::Variant("6"));
  EXPECT_TRUE(ValidateDoc(doc));
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(Reports().empty());
}

TEST_F(ValidateDocTest, ACompleteDocumentPassesSilently) {
  Complete(AddQuestion());
  Complete(AddQuestion());
  driver->ClearTranscript();
  EXPECT_TRUE(ValidateDoc(doc));
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(Reports().empty());
}

TEST_F(ValidateDocTest, TheChecksComeInTheirOrder) {
  auto table = AddQuestion();
  SetQuestionText(table, "Capital?");
  const std::string named = "The question \"Capital?...\" is incomplete:\r\n\r\n";
  // No correct answer yet: the type's own check.
  EXPECT_EQ(Validate(), named + "You need to select a correct answer");

  // Points are looked at before the answers are.
  SetMarkerAttr(table, "points", "");
  EXPECT_EQ(Validate(), named + "You need to assign the maximum number of points");
  // A table that holds only its marker has no answer at all.
  for (int32_t row = table->Rows()->Count(); row >= 4; --row)
    table->Rows()->Item(row)->Delete();
  EXPECT_EQ(Validate(), named + "You need to add at least one answer");

  // A table of fewer than 3 rows is not named by its question.
  table->Rows()->Item(3)->Delete();
  EXPECT_EQ(Validate(), "A question is incomplete:\r\n\r\nYou need to add at least one answer");
}

TEST_F(ValidateDocTest, PictureQuestionsNeedNoInlineAnswerButAllTheirRows) {
  auto table = Build(kDragAndDrop);
  StampDocument(*doc);
  table->Rows()->Item(4)->Delete();
  const std::string named = "The question \"" + QuestionPromptText(kDragAndDrop).substr(0, 40) +
                            "...\" is incomplete:\r\n\r\n";
  // A drag-and-drop table holding only its marker gets past the answer check to the row check.
  EXPECT_EQ(Validate(), named +
                            "The question is missing some rows and is not able to be fixed.  "
                            "Delete this question and try again");
}

TEST_F(ValidateDocTest, TwoQuestionsInOneTableAreRefused) {
  auto table = AddQuestion();
  Complete(table);
  doc->InlineShapes()
      ->AddPicture(G().IMG_PATH + "1x1.gif", false, true, table->Cell(4, 1)->Range())
      ->SetAlternativeText("kzoQ0&qID=ABCDEFGHIJKLMNOP&points=1");
  EXPECT_NE(Validate().find("You need to separate all questions by at least one blank line"),
            std::string::npos);
}

TEST_F(ValidateDocTest, OnlyTheFirstIncompleteQuestionIsReportedAndNamedByAShortTitle) {
  auto first = AddQuestion();
  auto second = AddQuestion();
  SetQuestionText(first, "Which of the following rivers flows through the most countries?");
  EXPECT_EQ(Validate(),
            "The question \"Which of the following rivers flows thro...\" is incomplete:\r\n\r\n"
            "You need to select a correct answer");
  const auto reports = Reports();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("Work.ValidateDoc::BAD"), std::string::npos);
  EXPECT_NE(reports[0].find("flows thro...\" is incomplete:"), std::string::npos);
  (void)second;
}

TEST_F(ValidateDocTest, NoPutsTheInsertionPointIntoTheIncompleteQuestion) {
  Complete(AddQuestion());
  auto incomplete = AddQuestion();
  PlaceAt(0);
  Validate(ui::vbNo);
  const int64_t start = NestedBox(incomplete, 3)->Cell(1, 1)->Range()->Start();
  EXPECT_EQ(doc->Selection()->Start(), start);
  EXPECT_EQ(doc->Selection()->End(), start);
  // The box asks Yes or No with the exclamation icon under its own title.
  EXPECT_NE(driver->Text().find("Error Validating Document..."), std::string::npos)
      << driver->Text();
}

TEST_F(ValidateDocTest, RepeatedIdentifiersOfTheGivenDocumentAreMadeUnique) {
  auto first = AddQuestion();
  auto second = AddQuestion();
  Complete(first);
  Complete(second);
  const std::string id = GetAttr(Marker(first)->AlternativeText(), "qID");
  ASSERT_EQ(id.size(), 16u);
  SetMarkerAttr(second, "qID", id);
  // Another document is active; the one given is repaired.
  auto other = app->Documents()->Add();
  ASSERT_NE(app->ActiveDocument(), doc);
  EXPECT_TRUE(ValidateDoc(doc));
  EXPECT_EQ(GetAttr(Marker(second)->AlternativeText(), "qID"), id.substr(0, 13) + "102");
  EXPECT_EQ(GetAttr(Marker(first)->AlternativeText(), "qID"), id);
  (void)other;
}

TEST_F(ValidateDocTest, AWorkObjectValidatesForAutomationClients) {
  auto table = AddQuestion();
  auto work = CreatePublicObject("KZOWord.Work");
  ASSERT_TRUE(work);
  driver->AnswerMsgBox(ui::vbYes);
  EXPECT_TRUE(
      automation::Call(work, "ValidateDoc", {automation::Variant(automation::ObjectRef(doc))})
          .ToBool());
  Complete(table);
  (void)table;
}

}  // namespace
}  // namespace qv::addin::testing
