// Building the empty question table of every type: its rows and boxes as the document renders
// them, the progress the author sees, the formatting of every row, box and marker, and the stamp
// a document with questions gets.

#include <algorithm>

#include "addin/constants.h"
#include "addin/questions/g_construction.h"
#include "addin/questions/g_markers.h"
#include "addin/questions/question_types.h"
#include "addin/tests/question_fixture.h"
#include "automation/testing/golden.h"
#include "word/custom_properties.h"
#include "word/doc_file.h"
#include "word/formatting.h"
#include "word/page_setup.h"
#include "word/templates.h"

namespace qv::addin::testing {
namespace {

using BuildQuestion = QuestionTest;
using Lines = std::vector<std::string>;

TEST_F(BuildQuestion, EveryTypeBuildsItsEmptyTableAndShowsItsProgressInOrder) {
  // The tables as the document renders them, one type after another, between the two empty
  // paragraphs made for each in an empty document.
  std::string renderings;
  for (int32_t type : {0, 1, 3, 4, 5, 6, 7, 9, 10}) {
    doc = app->Documents()->Add();
    driver->ClearTranscript();
    auto table = Build(type);
    ASSERT_TRUE(table) << type;
    renderings += "== " + TypeNameText(type) + " (" + std::to_string(type) + ")\n" + Rendering();
    const Lines expected = {
        "Show dlgProgress modeless \"Please Wait...\"",
        "Caption dlgProgress.Status \"Creating " + TypeNameText(type) + " Question...\"",
        "Caption dlgProgress.Status \"Creating Table...\"",
        "Caption dlgProgress.Status \"Setting up elements...\"",
        "Caption dlgProgress.Status \"Adding title...\"",
        "Caption dlgProgress.Status \"Adding User help...\"",
        "Caption dlgProgress.Status \"Done!  Closing...\"",
        "Unload dlgProgress by code",
    };
    EXPECT_EQ(driver->Lines(), expected) << "type " << type;
  }
  EXPECT_TRUE(qv::testing::MatchesGolden(renderings, "addin/tests/golden/empty_questions.txt"));
}

TEST_F(BuildQuestion, RowCountsFollowTheAnswerCount) {
  G().numAs = 4;
  const std::pair<int32_t, int32_t> cases[] = {
      {kMultipleChoice, 7}, {kMultipleChoiceFIB, 8}, {kTrueFalse, 5}, {kFillInTheBlank, 4}};
  for (auto [type, rows] : cases) {
    PlaceAtEnd();
    auto table = Build(type);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->Rows()->Count(), rows) << type;
  }
  G().numAs = 2;
  PlaceAtEnd();
  EXPECT_EQ(Build(kMultipleResponse)->Rows()->Count(), 5);
}

TEST_F(BuildQuestion, EveryRowBoxAndMarkerIsStoredWithTheFormattingOfTheLayout) {
  // The stored record of a document holding one new multiple-choice question: the table without
  // outside border and with dark grey lines between rows, its fixed widths and paddings, the
  // 1-point marker picture, the help box and the white question box. The profile folder, which
  // differs from run to run, is written as "<profile>".
  ASSERT_TRUE(Build(kMultipleChoice));
  std::string record = WithoutIds(word::DocumentToJson(*doc).dump(1));
  const std::string profileDir = profile.Dir().string();
  for (size_t at; (at = record.find(profileDir)) != std::string::npos;)
    record.replace(at, profileDir.size(), "<profile>");
  EXPECT_TRUE(
      qv::testing::MatchesGolden(record + "\n", "addin/tests/golden/multiple_choice_record.json"));
}

TEST_F(BuildQuestion, HelpBoxesShowInstructionsWhiteOnBlackOrStayOnePointHigh) {
  for (int32_t type : {0, 1, 9, 10, 3, 4, 5, 6, 7}) {
    PlaceAtEnd();
    auto table = Build(type);
    ASSERT_TRUE(table);
    auto font = NestedBox(table, 2)->Range()->Font();
    const bool has = !AuthorInstructionsText(type).empty();
    EXPECT_EQ(has, type >= 3 && type <= 7) << type;
    EXPECT_EQ(font->Size(), has ? 10 : 1) << type;
    if (has) {
      EXPECT_EQ(font->Color(), 0xFFFFFF) << type;
    }
  }
}

TEST_F(BuildQuestion, FreeLayoutTypesTurnSnapToGridOffAndFormDesignIsLeft) {
  doc->ToggleFormsDesign();
  ASSERT_TRUE(Build(kMultipleChoice));
  EXPECT_FALSE(doc->FormsDesign());
  EXPECT_TRUE(doc->SnapToGrid()) << "choice types leave it";
  PlaceAtEnd();
  ASSERT_TRUE(Build(kDragAndDrop));
  EXPECT_FALSE(doc->SnapToGrid());
  EXPECT_TRUE(doc->SnapToShapes());
}

TEST_F(BuildQuestion, TwoQuestionsInARowGetDifferentIdentifiers) {
  auto first = Build(kMultipleChoice);
  PlaceAtEnd();
  auto second = Build(kMultipleChoice);
  ASSERT_TRUE(first && second);
  std::vector<std::string> texts;
  for (auto& t : {first, second})
    texts.push_back(t->Cell(1, 1)->Range()->InlineShapes()->Item(1)->AlternativeText());
  for (const auto& text : texts) {
    EXPECT_EQ(text.size(), std::string("kzoQ0&qID=&points=10").size() + 16) << text;
    EXPECT_TRUE(text.ends_with("&points=10")) << text;
  }
  EXPECT_NE(texts[0], texts[1]);
}

TEST_F(BuildQuestion, InsideAQuestionNothingIsBuiltAndTheAuthorIsTold) {
  auto question = Build(kMultipleChoice);
  ASSERT_TRUE(question);
  PlaceInCell(NestedBox(question, 3), 1, 1);
  const std::string before = Rendering();
  driver->ClearTranscript();
  EXPECT_FALSE(Build(kTrueFalse));
  EXPECT_EQ(Rendering(), before);
  const Lines lines = driver->Lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_NE(lines[0].find("You cannot insert a new question into an existing question table."),
            std::string::npos);
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.starts_with("Show dlgProgress"); }),
            0)
      << "the progress window is not shown";
}

TEST_F(BuildQuestion, WithoutADocumentANewOneGetsTheQuestion) {
  app->Documents()->Close();
  ASSERT_EQ(app->Documents()->Count(), 0);
  auto table = Build(kFillInTheBlank);
  ASSERT_TRUE(table);
  EXPECT_EQ(app->Documents()->Count(), 1);
  EXPECT_EQ(app->ActiveDocument()->Tables()->Count(), 1);
}

TEST_F(BuildQuestion, FinishingLeavesTheCursorAtTheEndOfThePromptAndStampsTheDocument) {
  auto table = Build(kMultipleChoice);
  ASSERT_TRUE(table);
  const int64_t end = table->End();
  FinishQuestion(table, doc);
  EXPECT_EQ(doc->GetStory().CodeAt(end), U'\r') << "an empty paragraph follows the table";
  auto selection = doc->Selection();
  EXPECT_EQ(selection->Start(), selection->End());
  auto before = doc->Range(selection->Start() - 24, selection->Start());
  EXPECT_EQ(before->Text(), "Enter question text here");
  EXPECT_TRUE(IsConvertedDocument(*doc, kConvertedMark));
}

TEST_F(BuildQuestion, TheStampRaisesOldDocumentsAndKeepsUnknownOnes) {
  G().strHost = "  courses.example.test";
  const auto menus = profile.Dir() / "Menus.dot";
  word::testing::WritePicture(profile.Dir(), "Menus.dot", "gif", 1, 1);
  G().menusTemplatePath = menus.string();
  auto addIn = app->AddIns()->Add(menus.string(), false);

  auto props = doc->CustomDocumentProperties();
  auto value = [&](const char* name) {
    return props->Item(automation::Variant(name))->Value().ToText();
  };
  EXPECT_FALSE(IsConvertedDocument(*doc, 7));
  StampDocument(*doc);
  EXPECT_EQ(value("KZOConvert"), "7");
  EXPECT_EQ(props->Item(automation::Variant("KZOConvert"))->Type(), word::msoPropertyTypeString);
  EXPECT_EQ(value("Ver"), "27");
  EXPECT_EQ(value("Site"), "courses.example.test");
  EXPECT_TRUE(addIn->Installed()) << "the menus template is loaded";
  EXPECT_TRUE(IsConvertedDocument(*doc, 7));

  props->Item(automation::Variant("KZOConvert"))->SetValue(automation::Variant("6"));
  props->Item(automation::Variant("Ver"))->SetValue(automation::Variant("20"));
  addIn->SetInstalled(false);
  StampDocument(*doc);
  EXPECT_EQ(value("KZOConvert"), "7") << "6 is raised";
  EXPECT_EQ(value("Ver"), "27") << "always rewritten";
  EXPECT_TRUE(addIn->Installed());

  props->Item(automation::Variant("KZOConvert"))->SetValue(automation::Variant("5"));
  addIn->SetInstalled(false);
  StampDocument(*doc);
  EXPECT_EQ(value("KZOConvert"), "5") << "other values stay";
  EXPECT_FALSE(addIn->Installed());
  EXPECT_FALSE(IsConvertedDocument(*doc, 7));
}

}  // namespace
}  // namespace qv::addin::testing
