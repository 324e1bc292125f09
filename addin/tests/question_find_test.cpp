// Finding and reading questions: the question at the selection, the guard of the inserting
// commands, the marker tests, the picture half of the attribute writer, identifiers, and the
// helpers the question classes size and place things with.

#include <set>

#include "addin/questions/attribute_string.h"
#include "addin/questions/g_find.h"
#include "addin/questions/g_ids.h"
#include "addin/questions/g_markers.h"
#include "addin/questions/g_text.h"
#include "addin/tests/question_fixture.h"
#include "word/shape.h"
#include "word/window.h"

namespace qv::addin::testing {
namespace {

using FindQuestion = QuestionTest;

TEST_F(FindQuestion, FromTheBoxesNestedInsideAQuestionItFindsTheQuestionTable) {
  auto question = Build(kMultipleChoice);
  ASSERT_TRUE(question);
  PlaceInCell(NestedBox(question, 3), 1, 1);
  EXPECT_EQ(GetCurrentQuestion(doc).get(), question.get()) << "question text box";
  PlaceInCell(NestedBox(question, 2), 1, 1);
  EXPECT_EQ(GetCurrentQuestion(doc).get(), question.get()) << "help box";
  PlaceInCell(question, 4, 2);
  EXPECT_EQ(GetCurrentQuestion(doc).get(), question.get()) << "answer row";
}

TEST_F(FindQuestion, NothingOutsideQuestionsOrAcrossTheirEdge) {
  Type("Before\r");
  auto question = Build(kFillInTheBlank);
  ASSERT_TRUE(question);

  PlaceAt(2);
  EXPECT_FALSE(GetCurrentQuestion(doc)) << "in text";

  // A selection from inside the question to the text after it.
  PlaceAtEnd();
  Type("After");
  doc->Selection()->SelectText(question->Cell(3, 1)->Start(), doc->Content()->End() - 1);
  EXPECT_FALSE(GetCurrentQuestion(doc)) << "leaves the table";

  // A nested table inside an ordinary table.
  PlaceAtEnd();
  Type("\r");
  auto outer = doc->Tables()->Add(doc->Selection()->Range(), 2, 2);
  auto inner = doc->Tables()->Add(outer->Cell(1, 1)->Range(), 1, 1);
  PlaceInCell(inner, 1, 1);
  EXPECT_FALSE(GetCurrentQuestion(doc)) << "nested in a non-question table";
  EXPECT_TRUE(Messages().empty()) << driver->Text();
}

TEST_F(FindQuestion, OneSelectedShapeAnchoredInAQuestionFindsIt) {
  auto question = Build(kHotSpot);
  ASSERT_TRUE(question);
  auto body = question->Cell(4, 1)->Range();
  auto first = doc->Shapes()->AddShape(1, 10, 10, 30, 30, body);
  auto second = doc->Shapes()->AddShape(1, 50, 10, 30, 30, body);
  first->Mutable().alt = "kzoA7&type=circle";

  PlaceAtEnd();
  first->Select();
  auto found = GetCurrentQuestion(doc);
  ASSERT_TRUE(found);
  EXPECT_EQ(found.get(), question.get());

  second->Select(false);
  EXPECT_FALSE(GetCurrentQuestion(doc)) << "two selected shapes";

  // Anchored in the question text box: no walk outwards on this path.
  auto inBox = doc->Shapes()->AddShape(1, 0, 0, 5, 5, NestedBox(question, 3)->Range());
  inBox->Select();
  EXPECT_FALSE(GetCurrentQuestion(doc));

  EXPECT_EQ(CountShapesInTable(question), 3);
  // Anchored in the paragraph right after the question, or before it: not the question's.
  const int64_t end = question->Range()->End();
  doc->Shapes()->AddShape(1, 0, 0, 5, 5, doc->Range(end, end));
  doc->Shapes()->AddShape(1, 0, 0, 5, 5, doc->Range(0, 0));
  EXPECT_EQ(CountShapesInTable(question), 3);
  EXPECT_TRUE(IsAnswerShape(first));
  EXPECT_FALSE(IsAnswerShape(second));
}

TEST_F(FindQuestion, TheGuardRefusesInsideAQuestionWithTheMessageOfItsMode) {
  auto question = Build(kMultipleChoice);
  ASSERT_TRUE(question);
  PlaceAtEnd();
  EXPECT_TRUE(EverythingOK(kInsertingQuestion)) << "outside";

  PlaceInCell(question, 4, 2);
  driver->ClearTranscript();
  EXPECT_FALSE(EverythingOK(kInsertingQuestion));
  EXPECT_FALSE(EverythingOK(kInsertingPageBreak));
  EXPECT_FALSE(EverythingOK(3));
  ASSERT_EQ(driver->Transcript().size(), 2u) << "mode 3 shows nothing: " << driver->Text();
  const auto& question_box = *driver->Transcript()[0];
  EXPECT_EQ(question_box.title, "Error");
  EXPECT_EQ(question_box.icon, ui::vbCritical);
  EXPECT_EQ(question_box.buttons, ui::vbOKOnly);
  EXPECT_EQ(question_box.text,
            "You cannot insert a new question into an existing question table.\r\n\r\nPlace the "
            "cursor outside of this question somewhere else in the document to insert a new "
            "question.");
  EXPECT_EQ(driver->Transcript()[1]->text,
            "You cannot insert a Web Page break into an existing question.\r\n\r\nPlace the "
            "cursor outside of this question and try again.");
  EXPECT_EQ(driver->Transcript()[1]->title, "Error");
}

TEST_F(FindQuestion, MarkerTestsReadOnlyTheFirstFourCharacters) {
  PlaceAtEnd();
  auto picture = doc->InlineShapes()->AddPicture(G().IMG_PATH + "1x1.gif");
  struct Case {
    const char* alt;
    bool question, answer, blank;
  } cases[] = {
      {"kzoQ0&qID=x", true, false, false},
      {"kzoA10", false, true, false},
      {"kzoO5&h=1&w=20", false, false, true},
      {"kzoQ", true, false, false},
      {"kzo", false, false, false},
      {"KZOQ0", false, false, false},
      {"", false, false, false},
      {"x kzoA", false, false, false},
  };
  for (const auto& c : cases) {
    picture->SetAlternativeText(c.alt);
    EXPECT_EQ(IsQuestionMarker(picture), c.question) << c.alt;
    EXPECT_EQ(IsAnswerMarker(picture), c.answer) << c.alt;
    EXPECT_EQ(IsBlankMarker(picture), c.blank) << c.alt;
  }
  EXPECT_FALSE(IsTextBoxControl(picture));
  auto control = doc->InlineShapes()->AddOLEControl("Forms.TextBox.1", doc->Range(0, 0));
  EXPECT_TRUE(IsTextBoxControl(control));

  picture->SetAlternativeText("kzoQ0");
  picture->Delete();
  EXPECT_FALSE(IsQuestionMarker(picture)) << "a deleted picture is no marker";
  EXPECT_FALSE(IsQuestionMarker(nullptr));
}

TEST_F(FindQuestion, SetAttrRewritesThePictureText) {
  PlaceAtEnd();
  auto picture = doc->InlineShapes()->AddPicture(G().IMG_PATH + "1x1.gif");
  picture->SetAlternativeText("kzoQ0&qID=ABC&points=10");
  SetAttr(picture, "ID", "x");
  EXPECT_EQ(picture->AlternativeText(), "kzoQ0&qID=ABC&points=10&ID=x") << "a tail is no key";
  SetAttr(picture, "qID", "N=1");
  SetAttr(picture, "pcomm", "Salt &amp; pepper");
  EXPECT_EQ(picture->AlternativeText(), "kzoQ0&qID=N=1&points=10&ID=x&pcomm=Salt \x02 pepper");
  EXPECT_EQ(GetAttr(picture->AlternativeText(), "pcomm"), "Salt & pepper");
  EXPECT_EQ(GetAttr(picture->AlternativeText(), "qID"), "N=1");
}

TEST_F(FindQuestion, TypeAndDescriptionComeFromTheMarkerAndTheQuestionRow) {
  auto question = Build(kTrueFalse);
  ASSERT_TRUE(question);
  EXPECT_TRUE(IsQuestionTable(question));
  EXPECT_EQ(GetQuestionType(question), kTrueFalse);
  // Each end-of-cell mark of the nested box and of the cell reads as a paragraph end.
  EXPECT_EQ(GetQuestionDescription(question), "Enter question text here\r\r\r\r");
  auto short_table = doc->Tables()->Add(doc->Range(0, 0), 3, 1);
  EXPECT_EQ(GetQuestionDescription(short_table), "No question description available");
  EXPECT_FALSE(IsQuestionTable(short_table));
}

TEST(NewID, IdentifiersMadeInOneTickDifferAndUseLettersAndDigitsOnly) {
  std::set<std::string> ids;
  std::set<char> used;
  for (int i = 0; i < 2000; ++i) {
    const std::string id = NewID(16);
    ASSERT_EQ(id.size(), 16u);
    for (char c : id) {
      ASSERT_TRUE(std::isalnum(static_cast<unsigned char>(c))) << id;
      used.insert(c);
    }
    ids.insert(id);
  }
  EXPECT_EQ(ids.size(), 2000u);
  EXPECT_EQ(used.size(), 62u) << "every letter and digit turns up";
  EXPECT_EQ(NewID(0), "");
}

TEST_F(FindQuestion, PastedCopiesGetIdentifiersOfTheirOwnTheFirstKeepsItsOwn) {
  std::vector<std::shared_ptr<word::Table>> questions;
  for (int i = 0; i < 4; ++i) {
    PlaceAtEnd();
    questions.push_back(Build(kMultipleChoice));
    ASSERT_TRUE(questions.back());
  }
  auto marker = [&](int i) { return questions[i]->Cell(1, 1)->Range()->InlineShapes()->Item(1); };
  const std::string original = "AAAAAAAAAAAAA123";
  SetAttr(marker(0), "qID", original);
  SetAttr(marker(2), "qID", original);
  SetAttr(marker(3), "qID", original);
  const std::string second = GetAttr(marker(1)->AlternativeText(), "qID");

  MakeQuestionIdsUnique();
  EXPECT_EQ(GetAttr(marker(0)->AlternativeText(), "qID"), original);
  EXPECT_EQ(GetAttr(marker(1)->AlternativeText(), "qID"), second);
  EXPECT_EQ(marker(2)->AlternativeText(), "kzoQ0&qID=AAAAAAAAAAAAA103&points=10");
  EXPECT_EQ(GetAttr(marker(3)->AlternativeText(), "qID"), "AAAAAAAAAAAAA104");
}

TEST_F(FindQuestion, AnswerColumnWidthsComeFromTheFirstAnswerRow) {
  auto question = Build(kMultipleChoice);
  ASSERT_TRUE(question);
  PlaceInCell(question, 3, 1);
  EXPECT_EQ(AnswerImageColumnWidth(*doc->Selection()), 20) << "no answer row yet";
  EXPECT_EQ(AnswerTextColumnWidth(*doc->Selection()), 432 - 20);

  auto cell = question->Cell(5, 1);
  doc->InlineShapes()->AddPicture(G().IMG_PATH + "radio_blk.gif", false, true, cell->Range());
  cell->SetWidth(20.5);
  question->Cell(5, 2)->SetWidth(411.5);
  PlaceInCell(question, 3, 1);
  EXPECT_EQ(AnswerImageColumnWidth(*doc->Selection()), 20) << "half to even";
  EXPECT_EQ(AnswerTextColumnWidth(*doc->Selection()), 412);
}

TEST_F(FindQuestion, NewAnswerShapesGoBelowTheTypedOnes) {
  auto question = Build(kDragAndDrop);
  ASSERT_TRUE(question);
  EXPECT_EQ(NextShapeZOrder(question), 0) << "no answer shapes";
  auto body = question->Cell(4, 1)->Range();
  auto plain = doc->Shapes()->AddShape(1, 0, 0, 5, 5, body);
  plain->Mutable().alt = "kzoA6";
  EXPECT_EQ(NextShapeZOrder(question), 1);
  auto typed = doc->Shapes()->AddShape(1, 0, 0, 5, 5, body);
  typed->Mutable().alt = "kzoA6&type=label";
  EXPECT_EQ(NextShapeZOrder(question), 1) << "the typed shape lies above the plain one";
  typed->ZOrder(word::msoSendToBack);
  EXPECT_EQ(NextShapeZOrder(question), 0) << "below the typed shape";
}

TEST_F(FindQuestion, NormalViewBecomesPrintLayoutOnce) {
  auto window = doc->ActiveWindow();
  window->View()->type = word::wdNormalView;
  EnsurePrintView();
  EXPECT_EQ(window->View()->type, word::wdPrintView);
  window->View()->type = word::wdWebView;
  EnsurePrintView();
  EXPECT_EQ(window->View()->type, word::wdWebView) << "other views stay";

  // A split window: the pane being worked in is the one that must show print layout.
  window->SetSplitSpecial(2);
  window->ActivePane()->View()->type = word::wdNormalView;
  EnsurePrintView();
  EXPECT_EQ(window->ActivePane()->View()->type, word::wdPrintView);
  EXPECT_EQ(window->View()->type, word::wdWebView);
}

TEST_F(FindQuestion, ShortPathsOfExistingFilesAndTheErrorNumberOtherwise) {
  const std::string existing = G().IMG_PATH + "LO.gif";
  EXPECT_EQ(ShortPathName(existing), existing);
  EXPECT_EQ(ShortPathName(G().IMG_PATH + "missing.gif"), "");
  ASSERT_EQ(Messages(), std::vector<std::string>{"2"}) << "the system's error number";
  EXPECT_EQ(driver->Transcript().back()->title, "Quorvanta Word Add-in");
  EXPECT_EQ(driver->Transcript().back()->icon, 0);
}

TEST(TokenCharacters, LettersDigitsAndPunctuationButNotBlanks) {
  for (const char* yes : {"a", "Z", "7", "!", "/", ":", "@", "{", "~", "\xC3\xA9t\xC3\xA9"})
    EXPECT_TRUE(IsTokenChar(yes)) << yes;
  for (const char* no : {"", " ", "\t", "\x7F", "\xE2\x82\xAC"})
    EXPECT_FALSE(IsTokenChar(no)) << no;
}

}  // namespace
}  // namespace qv::addin::testing
