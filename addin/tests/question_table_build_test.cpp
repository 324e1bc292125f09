// Building the empty question table of every type: its rows and boxes as the document renders
// them, the progress the author sees, the formatting of every row, box and marker, and the stamp
// a document with questions gets.

#include <algorithm>

#include "addin/constants.h"
#include "addin/questions/g_construction.h"
#include "addin/questions/g_markers.h"
#include "addin/questions/question_types.h"
#include "addin/tests/question_fixture.h"
#include "word/custom_properties.h"
#include "word/formatting.h"
#include "word/page_setup.h"
#include "word/templates.h"

namespace qv::addin::testing {
namespace {

using BuildQuestion = QuestionTest;
using Lines = std::vector<std::string>;

// A box as the rendering draws a one-cell table around `text`.
Lines Box(const std::string& text) {
  const size_t w = std::max<size_t>(1, text.size());
  const std::string rule = "+" + std::string(w + 2, '-') + "+";
  return {rule, "| " + text + std::string(w - text.size(), ' ') + " |", rule};
}

// The rendering of a table whose rows hold cells of the given lines: every row is as wide as the
// widest, its last cell taking up the difference; a rule shows the joints of the rows on both
// of its sides.
std::string Draw(const std::vector<std::vector<Lines>>& rows) {
  std::vector<std::vector<size_t>> widths;
  size_t total = 0;
  for (const auto& row : rows) {
    auto& w = widths.emplace_back();
    size_t sum = 1;
    for (const auto& cell : row) {
      size_t cw = 1;
      for (const auto& l : cell)
        cw = std::max(cw, l.size());
      w.push_back(cw);
      sum += cw + 3;
    }
    total = std::max(total, sum);
  }
  for (auto& w : widths) {
    size_t sum = 1;
    for (size_t cw : w)
      sum += cw + 3;
    w.back() += total - sum;
  }
  auto rule = [&](std::initializer_list<const std::vector<size_t>*> sides) {
    std::string line(total, '-');
    for (const auto* w : sides) {
      if (!w) continue;
      size_t x = 0;
      line[0] = '+';
      for (size_t cw : *w)
        line[std::min(x += cw + 3, total - 1)] = '+';
    }
    return line + "\n";
  };
  std::string out = rule({&widths[0]});
  for (size_t r = 0; r < rows.size(); ++r) {
    size_t height = 0;
    for (const auto& cell : rows[r])
      height = std::max(height, cell.size());
    for (size_t y = 0; y < height; ++y) {
      std::string line = "|";
      for (size_t i = 0; i < rows[r].size(); ++i) {
        const std::string text = y < rows[r][i].size() ? rows[r][i][y] : "";
        line += " " + text + std::string(widths[r][i] - text.size(), ' ') + " |";
      }
      out += line + "\n";
    }
    out += rule({&widths[r], r + 1 < rows.size() ? &widths[r + 1] : nullptr});
  }
  return out;
}

// The empty question table of `type` as its geometry describes it, between the two empty
// paragraphs made for it in an empty document.
std::string ExpectedRendering(int32_t type) {
  std::vector<std::vector<Lines>> rows = {
      {{"[pic: kzoQ" + std::to_string(type) + "&qID=" + std::string(16, '#') + "&points=10]"}},
      {Box(AuthorInstructionsText(type))},
      {Box(QuestionPromptText(type))},
  };
  int answers = 0;
  if (type == kMultipleChoice || type == kMultipleResponse) answers = 4;
  if (type == kMultipleChoiceFIB || type == kMultipleResponseFIB) answers = 5;
  if (type == kTrueFalse) answers = 2;
  for (int i = 0; i < answers; ++i)
    rows.push_back({{""}, {""}});
  if (!HasChoiceAnswers(type)) rows.push_back({{""}});
  return "\n\n" + Draw(rows) + "\n\n";
}

TEST_F(BuildQuestion, EveryTypeBuildsItsEmptyTableAndShowsItsProgressInOrder) {
  for (int32_t type : {0, 1, 3, 4, 5, 6, 7, 9, 10}) {
    doc = app->Documents()->Add();
    driver->ClearTranscript();
    auto table = Build(type);
    ASSERT_TRUE(table) << type;
    EXPECT_EQ(Rendering(), ExpectedRendering(type)) << "type " << type;
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

TEST_F(BuildQuestion, EveryRowBoxAndMarkerIsFormattedAsTheLayoutSays) {
  auto table = Build(kMultipleChoice);
  ASSERT_TRUE(table);
  const double textWidth = 612 - 90 - 90;

  EXPECT_EQ(table->Fmt().autoFitBehavior, 0) << "fixed widths";
  EXPECT_EQ(table->Fmt().shading.background, 0);
  const auto& lines = table->Fmt().borders.lines;
  EXPECT_EQ(lines[0].lineStyle, word::wdLineStyleNone) << "no outside border";
  EXPECT_EQ(lines[4].lineStyle, word::wdLineStyleSingle);
  EXPECT_EQ(lines[4].color, 0x666666) << "between rows";
  EXPECT_EQ(lines[5].lineStyle, word::wdLineStyleSingle);
  EXPECT_EQ(lines[5].color, 0) << "between cells";
  EXPECT_FALSE(table->Fmt().borders.shadow);
  auto paragraphs = table->Range()->ParagraphFormat();
  EXPECT_TRUE(paragraphs->KeepTogether());
  EXPECT_TRUE(paragraphs->KeepWithNext());
  EXPECT_EQ(paragraphs->SpaceAfter(), 0);

  for (int r = 1; r <= 3; ++r) {
    EXPECT_EQ(table->Rows()->Item(r)->CellList().size(), 1u) << r;
    EXPECT_EQ(table->Cell(r, 1)->Width(), textWidth) << r;
  }
  auto marker_cell = table->Cell(1, 1);
  for (auto side : {word::kTop, word::kBottom, word::kLeft, word::kRight})
    EXPECT_EQ(marker_cell->Padding(side), 0);
  EXPECT_EQ(table->Cell(2, 1)->Padding(word::kTop), 2);
  for (auto side : {word::kTop, word::kBottom, word::kLeft, word::kRight})
    EXPECT_EQ(table->Cell(3, 1)->Padding(side), 1);
  EXPECT_EQ(marker_cell->Range()->Font()->Size(), 1);
  EXPECT_EQ(marker_cell->Range()->Font()->Name(), "Arial");

  auto marker = marker_cell->Range()->InlineShapes()->Item(1);
  EXPECT_TRUE(IsQuestionMarker(marker));
  EXPECT_EQ(marker->Width(), 1);
  EXPECT_EQ(marker->Height(), 1);
  EXPECT_FALSE(marker->BorderFmt().AnyVisible());
  EXPECT_EQ(marker->SourceFile(), G().IMG_PATH + "1x1.gif");

  auto help = NestedBox(table, 2);
  EXPECT_EQ(help->Fmt().preferredWidthType, word::wdPreferredWidthPercent);
  EXPECT_EQ(help->Fmt().preferredWidth, 100);
  EXPECT_EQ(help->Fmt().shading.background, 0);
  EXPECT_EQ(help->Fmt().borders.lines[0].lineStyle, word::wdLineStyleSingle);
  EXPECT_EQ(help->Fmt().padding, (std::array<double, 4>{0, 0, 0, 0}));
  EXPECT_EQ(help->Range()->Font()->Size(), 1) << "no instructions: 1 point high";
  EXPECT_EQ(help->Range()->Font()->Name(), "Arial");

  auto box = NestedBox(table, 3);
  EXPECT_EQ(box->Fmt().shading.background, 0xFFFFFF);
  EXPECT_FALSE(box->Fmt().borders.AnyVisible());
  EXPECT_EQ(box->Fmt().preferredWidth, 100);
  EXPECT_EQ(box->Fmt().tableBehavior, 1);
  EXPECT_EQ(box->Range()->Font()->Size(), 12);
  EXPECT_EQ(box->Range()->Font()->Color(), 0);
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
