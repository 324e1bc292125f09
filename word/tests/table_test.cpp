#include <gtest/gtest.h>

#include "word/render.h"
#include "word/structure.h"
#include "word/tests/word_test_support.h"

namespace qv::word {
namespace {

using automation::err::kNoSuchItem;
using automation::err::kObjectDeleted;
using testing::ErrorNumber;
using testing::WordTest;

class TableTest : public WordTest {};

TEST_F(TableTest, ATableAddedAtARangeIsTheFirstTableOfThatRange) {
  doc->Content()->SetText("before after");
  auto at = R(7, 7);
  auto t = doc->Tables()->Add(at, 2, 3);
  Check();
  // The paragraph was split so that the table begins one.
  EXPECT_EQ(Text(), "before \r\r\a\r\a\r\a\r\a\r\a\r\a\r\a\r\aafter\r");
  EXPECT_EQ(at->Tables()->Item(1), t);
  EXPECT_EQ(doc->Tables()->Count(), 1);
  EXPECT_EQ(t->Rows()->Count(), 2);
  EXPECT_EQ(t->Cell(2, 3)->Range()->Text(), "\r\a");
  EXPECT_EQ(ErrorNumber([&] { t->Cell(3, 1); }), kNoSuchItem);
  EXPECT_EQ(ErrorNumber([&] { doc->Tables()->Item(2); }), kNoSuchItem);
  // A table added over a stretch of text replaces it.
  auto over =
      doc->Tables()->Add(doc->Paragraphs()->Item(doc->Paragraphs()->Count())->Range(), 1, 1);
  EXPECT_EQ(doc->Tables()->Count(), 2);
  EXPECT_EQ(over->Range()->Text(), "\r\a\r\a");
  Check();
}

// A table asked for by number before the collection was counted (the walk stops at it) is the one
// the whole list gives, in the document and in a range, with nested tables skipped and a number
// past the last raising as the list does; an edit between two calls is seen.
TEST_F(TableTest, ATableFoundByNumberIsTheSameWithOrWithoutTheWholeList) {
  doc->Content()->SetText("a\rb\rc\rd\r");
  std::vector<std::shared_ptr<Table>> made;
  for (int64_t at : {6, 4, 2})
    made.insert(made.begin(), doc->Tables()->Add(R(at, at), 1, 1));
  doc->Tables()->Add(made[1]->Cell(1, 1)->Range(), 1, 1);  // nested: not a table of the text
  Check();
  auto whole = doc->Tables();
  ASSERT_EQ(whole->Count(), 3);
  for (int32_t i = 1; i <= 3; ++i) {
    EXPECT_EQ(doc->Tables()->Item(i), made[static_cast<size_t>(i - 1)]) << i;
    EXPECT_EQ(whole->Item(i), made[static_cast<size_t>(i - 1)]) << i;
  }
  EXPECT_EQ(ErrorNumber([&] { doc->Tables()->Item(4); }), kNoSuchItem);
  EXPECT_EQ(ErrorNumber([&] { doc->Tables()->Item(0); }), kNoSuchItem);
  auto tail = R(made[1]->Start(), doc->Content()->End());
  EXPECT_EQ(tail->Tables()->Item(2), made[2]);
  EXPECT_EQ(ErrorNumber([&] { tail->Tables()->Item(3); }), kNoSuchItem);
  auto fresh = doc->Tables();
  EXPECT_EQ(fresh->Item(1), made[0]);
  made[0]->Delete();
  EXPECT_EQ(fresh->Item(1), made[1]);
  EXPECT_EQ(fresh->Count(), 2);
  Check();
}

TEST_F(TableTest, CellTextReadsWithItsEndMark) {
  auto t = doc->Tables()->Add(R(0, 0), 1, 2);
  t->Cell(1, 1)->Range()->InsertAfter("left");
  t->Cell(1, 2)->Range()->InsertBefore("right");
  EXPECT_EQ(t->Cell(1, 1)->Range()->Text(), "left\r\a");
  EXPECT_EQ(t->Range()->Text(), "left\r\aright\r\a\r\a");
  EXPECT_TRUE(R(2, 2)->Information(wdWithInTable).ToBool());
  EXPECT_EQ(R(7, 7)->Information(wdStartOfRangeColumnNumber).ToInt32(), 2);
  EXPECT_FALSE(R(t->End(), t->End())->Information(wdWithInTable).ToBool());
}

TEST_F(TableTest, NestedTablesKnowTheirLevelAndTheirEnclosingTable) {
  auto outer = doc->Tables()->Add(R(0, 0), 2, 2);
  auto middle = doc->Tables()->Add(outer->Cell(2, 1)->Range(), 1, 1, 1, 2);
  auto inner = doc->Tables()->Add(middle->Cell(1, 1)->Range(), 1, 1, 1, 2);
  inner->Cell(1, 1)->Range()->InsertAfter("deep");
  Check();
  EXPECT_EQ(outer->NestingLevel(), 1);
  EXPECT_EQ(middle->NestingLevel(), 2);
  EXPECT_EQ(inner->NestingLevel(), 3);
  EXPECT_EQ(inner->EnclosingTable(), middle);
  EXPECT_EQ(middle->EnclosingTable(), outer);
  EXPECT_EQ(outer->EnclosingTable(), nullptr);
  // Range.Tables gives the innermost table holding the range; the place just after a nested
  // table lies in the enclosing cell.
  const int64_t inDeep = inner->Cell(1, 1)->Range()->Start() + 1;
  EXPECT_EQ(R(inDeep, inDeep)->Tables()->Item(1), inner);
  EXPECT_EQ(R(inner->End(), inner->End())->Tables()->Item(1), middle);
  EXPECT_EQ(doc->Tables()->Count(), 1);
  EXPECT_EQ(outer->Cell(2, 1)->Range()->Tables()->Item(1), outer);
  // Cell.Tables lists only the tables one level down, and none for a cell without them.
  Tables inCell(doc, outer->Cell(2, 1));
  ASSERT_EQ(inCell.Count(), 1);
  EXPECT_EQ(inCell.Item(1), middle);
  EXPECT_EQ(Tables(doc, outer->Cell(1, 1)).Count(), 0);
  // The nested boxes are drawn inside the cell.
  const std::string drawn = RenderDocument(*doc);
  EXPECT_NE(drawn.find("| deep |"), std::string::npos) << drawn;
}

TEST_F(TableTest, MergingARowJoinsItsCellsAndWidths) {
  auto t = doc->Tables()->Add(R(0, 0), 2, 3);
  t->Cell(1, 1)->Range()->InsertAfter("a");
  t->Cell(1, 3)->Range()->InsertAfter("c");
  auto kept = t->Cell(1, 1);
  auto gone = t->Cell(1, 2);
  const double width = kept->Width() + gone->Width() + t->Cell(1, 3)->Width();
  t->RowList()[0]->Cells()->Merge();
  Check();
  EXPECT_EQ(t->RowList()[0]->CellList().size(), 1u);
  EXPECT_EQ(t->Cell(1, 1), kept);
  EXPECT_DOUBLE_EQ(kept->Width(), width);
  EXPECT_EQ(kept->Range()->Text(), "a\rc\r\a");
  EXPECT_EQ(ErrorNumber([&] { gone->Range(); }), kObjectDeleted);
  EXPECT_EQ(t->RowList()[1]->CellList().size(), 3u);
}

TEST_F(TableTest, SplittingACellMakesOneRowOfCellsSharingItsWidth) {
  auto t = doc->Tables()->Add(R(0, 0), 2, 1);
  auto nested = doc->Tables()->Add(t->Cell(2, 1)->Range(), 1, 1);
  const double w = t->Cell(1, 1)->Width();
  t->Cell(1, 1)->Split(1, 2);
  Check();
  ASSERT_EQ(t->RowList()[0]->CellList().size(), 2u);
  EXPECT_DOUBLE_EQ(t->Cell(1, 2)->Width(), w / 2);
  // The table nested at the start of the next row is still where it was.
  EXPECT_EQ(nested->EnclosingTable(), t);
  EXPECT_EQ(t->Cell(2, 1)->Range()->Tables()->Item(1), t);
  EXPECT_EQ(R(nested->Start(), nested->Start())->Tables()->Item(1), nested);
}

TEST_F(TableTest, RowsGoInBelowAndAboveTheSelectionAndAreDeleted) {
  auto t = doc->Tables()->Add(R(0, 0), 3, 2);
  for (int r = 1; r <= 3; ++r)
    t->Cell(r, 1)->Range()->InsertAfter("r" + std::to_string(r));
  t->Cell(2, 1)->Select();
  doc->Selection()->InsertRowsBelow(1);
  Check();
  EXPECT_EQ(t->Rows()->Count(), 4);
  EXPECT_EQ(doc->Selection()->Rows()->Item(1), t->RowList()[2]);
  EXPECT_EQ(t->Cell(3, 1)->Range()->Text(), "\r\a");
  t->Cell(1, 1)->Select();
  doc->Selection()->InsertRowsAbove(1);
  Check();
  EXPECT_EQ(t->Rows()->Count(), 5);
  EXPECT_EQ(t->Cell(2, 1)->Range()->Text(), "r1\r\a");
  EXPECT_EQ(t->Start(), 0);
  auto r4 = t->RowList()[3];
  t->Rows()->Item(2)->Delete();
  Check();
  EXPECT_EQ(t->Rows()->Count(), 4);
  EXPECT_EQ(r4->Index(), 3);
  auto added = t->Rows()->Add();
  EXPECT_EQ(added->Index(), 5);
  Check();
}

TEST_F(TableTest, TextInsertedAtEachKindOfMarkGoesWhereItsGravitySays) {
  auto t = doc->Tables()->Add(R(0, 0), 1, 2);  // cell ends at 0 and 1, the row's end at 2
  auto pic = doc->InlineShapes()->AddPicture(Gif().string(), false, true, R(3, 3));
  auto around = R(3, 4);       // the picture
  R(0, 0)->InsertBefore("x");  // at the table's start: into its first cell, the table stays
  EXPECT_EQ(t->Start(), 0);
  EXPECT_EQ(t->Cell(1, 1)->Range()->Text(), "x\r\a");
  R(1, 1)->InsertBefore("y");  // at a cell's end mark: inside the cell, in front of the mark
  EXPECT_EQ(t->Cell(1, 1)->Range()->Text(), "xy\r\a");
  EXPECT_EQ(t->Cell(1, 2)->Range()->Text(), "\r\a");
  EXPECT_NE(ErrorNumber([&] { R(4, 4)->InsertBefore("r"); }), 0);  // nothing at a row's end
  EXPECT_EQ(t->End(), 5);
  ASSERT_EQ(pic->Range()->Start(), 5);
  ASSERT_EQ(around->Start(), 5);
  R(5, 5)->InsertBefore("z");  // at a picture: in front of it; a range starting there takes it
  EXPECT_EQ(pic->Range()->Start(), 6);
  EXPECT_EQ(around->Start(), 5);
  EXPECT_EQ(around->End(), 7);
  R(7, 7)->InsertBefore("w");  // at a range's end: outside it
  EXPECT_EQ(around->End(), 7);
  EXPECT_EQ(Text(), "xy\r\a\r\a\r\az\x01w\r");
  Check();
}

TEST_F(TableTest, ANewFirstRowOfANestedTableKeepsTheTablesAroundAndInsideIt) {
  // Three tables beginning at one place, each in the first cell of the one before.
  auto outer = doc->Tables()->Add(R(0, 0), 1, 1);
  auto middle = doc->Tables()->Add(outer->Cell(1, 1)->Range(), 1, 1);
  auto inner = doc->Tables()->Add(middle->Cell(1, 1)->Range(), 1, 1);
  ASSERT_EQ(outer->Start(), 0);
  ASSERT_EQ(inner->Start(), 0);
  middle->InsertRow(0, *middle->RowList()[0]);
  Check();
  EXPECT_EQ(outer->Start(), 0);
  EXPECT_EQ(middle->Start(), 0);
  EXPECT_EQ(inner->Start(), middle->RowList()[1]->Start());
  EXPECT_EQ(inner->EnclosingTable(), middle);
  EXPECT_EQ(middle->EnclosingTable(), outer);
  const Story& story = doc->GetStory();
  EXPECT_TRUE(TablesNestedIn(story, *middle->Cell(1, 1)).empty());
  EXPECT_EQ(TablesNestedIn(story, *middle->Cell(2, 1)), std::vector<Table*>{inner.get()});
  // A new first row of the outermost table goes in front of all that.
  outer->InsertRow(0, *outer->RowList()[0]);
  Check();
  EXPECT_EQ(outer->Start(), 0);
  EXPECT_EQ(middle->Start(), outer->RowList()[1]->Start());
  EXPECT_EQ(TablesNestedIn(story, *outer->Cell(2, 1)), std::vector<Table*>{middle.get()});
}

TEST_F(TableTest, ATableHeldAcrossEditsStillAnswersAndADeletedOneRaises) {
  auto t = doc->Tables()->Add(R(0, 0), 1, 1);
  auto cell = t->Cell(1, 1);
  R(0, 0)->InsertBefore("text in the cell ");
  doc->Content()->InsertBefore("");
  R(0, 0)->InsertParagraphBefore();
  EXPECT_EQ(cell->Range()->Text(), "\rtext in the cell \r\a");
  const int64_t end = t->End();
  doc->Content()->InsertAfter("tail");
  EXPECT_EQ(t->End(), end);
  t->Delete();
  Check();
  EXPECT_EQ(ErrorNumber([&] { t->Rows(); }), kObjectDeleted);
  EXPECT_EQ(ErrorNumber([&] { cell->Width(); }), kObjectDeleted);
  EXPECT_EQ(doc->Tables()->Count(), 0);
  EXPECT_EQ(Text(), "tail\r");
}

TEST_F(TableTest, DeletingATableTakesItsPicturesNestedTablesAndAnchoredShapes) {
  doc->Content()->SetText("keep");
  auto t = doc->Tables()->Add(R(4, 4), 2, 1);
  auto box = doc->Tables()->Add(t->Cell(1, 1)->Range(), 1, 1);
  auto pic = doc->InlineShapes()->AddPicture(Gif().string(), false, true, box->Cell(1, 1)->Range());
  auto inCell = doc->Shapes()->AddShape(1, 10, 10, 50, 20, t->Cell(2, 1)->Range());
  auto outside = doc->Shapes()->AddShape(1, 10, 10, 50, 20, R(0, 0));
  EXPECT_EQ(doc->Shapes()->Count(), 2);
  t->Delete();
  Check();
  EXPECT_EQ(ErrorNumber([&] { pic->AlternativeText(); }), kObjectDeleted);
  EXPECT_EQ(ErrorNumber([&] { box->Range(); }), kObjectDeleted);
  EXPECT_EQ(ErrorNumber([&] { inCell->Data(); }), kObjectDeleted);
  EXPECT_EQ(doc->Shapes()->Count(), 1);
  EXPECT_EQ(doc->Shapes()->Item(automation::Variant(1)), outside);
  EXPECT_EQ(doc->InlineShapes()->Count(), 0);
}

TEST_F(TableTest, FormattingIsStoredAsSet) {
  auto t = doc->Tables()->Add(R(0, 0), 2, 2);
  t->Borders()->SetEnable(false);
  t->Rows()->Borders()->Item(wdBorderVertical)->SetLineStyle(wdLineStyleSingle);
  t->Rows()->Borders()->Item(wdBorderHorizontal)->SetColor(0x666666);
  t->Borders()->SetShadow(false);
  t->Shading()->SetBackgroundPatternColor(0);
  t->AutoFitBehavior(0);
  t->Cell(1, 1)->SetPadding(kTop, 2);
  t->Cell(1, 1)->SetWidth(432);
  t->RowList()[1]->SetHeightRule(wdRowHeightExactly);
  t->RowList()[1]->SetHeight(85);
  const auto& f = t->Fmt();
  EXPECT_EQ(f.borders.lines[5].lineStyle, wdLineStyleSingle);
  EXPECT_EQ(f.borders.lines[4].color, 0x666666);
  EXPECT_EQ(f.shading.background, 0);
  EXPECT_FALSE(f.allowAutoFit);
  EXPECT_EQ(t->Cell(1, 1)->Padding(kTop), 2);
  EXPECT_EQ(t->Cell(1, 1)->Padding(kLeft), 5.4);
  EXPECT_EQ(t->Cell(1, 1)->Width(), 432);
  EXPECT_EQ(t->RowList()[1]->Height(), 85);
  EXPECT_EQ(t->RowList()[1]->HeightRule(), wdRowHeightExactly);
  auto box = doc->Tables()->Add(t->Cell(2, 1)->Range(), 1, 1, 1, 2);
  EXPECT_TRUE(box->Fmt().borders.AnyVisible());
  EXPECT_EQ(box->Fmt().preferredWidthType, wdPreferredWidthPercent);
  EXPECT_EQ(box->Fmt().preferredWidth, 100);
}

// The shape the add-in builds: a 7 x 2 table whose first three rows are merged, a box nested in
// rows 2 and 3 and in each answer row, and marker pictures; then the insertion point is put at
// the end of the question prompt by moving back over paragraphs.
TEST_F(TableTest, QuestionShapedTableAndTheWayBackToThePrompt) {
  auto t = doc->Tables()->Add(doc->Selection()->Range(), 7, 2);
  for (int r = 1; r <= 3; ++r)
    t->RowList()[static_cast<size_t>(r) - 1]->Cells()->Merge();
  doc->InlineShapes()
      ->AddPicture(Gif().string(), false, true, t->Cell(1, 1)->Range())
      ->SetAlternativeText("kzoQ0&qID=X&points=10");
  auto help = doc->Tables()->Add(t->Cell(2, 1)->Range(), 1, 1, 1, 2);
  auto box = doc->Tables()->Add(t->Cell(3, 1)->Range(), 1, 1, 1, 2);
  box->Range()->InsertAfter("Enter question text here\r\n");
  for (int k = 1; k <= 4; ++k) {
    doc->InlineShapes()
        ->AddPicture(Gif().string(), false, true, t->Cell(k + 3, 1)->Range())
        ->SetAlternativeText("kzoA0");
    auto answer = doc->Tables()->Add(t->Cell(k + 3, 2)->Range(), 1, 1, 1, 2);
    answer->Range()->InsertBefore("Answer " + std::to_string(k));
  }
  Check();
  EXPECT_EQ(help->NestingLevel(), 2);
  EXPECT_EQ(box->Cell(1, 1)->Range()->Text(), "Enter question text here\r\r\a");
  auto r = t->Cell(3, 1)->Range();
  r->MoveEnd(wdParagraph, -3);
  r->MoveEnd(wdCharacter, -1);
  r->Collapse(wdCollapseEnd);
  r->Select();
  doc->Selection()->TypeText("?");
  EXPECT_EQ(box->Cell(1, 1)->Range()->Text(), "Enter question text here?\r\r\a");
  EXPECT_EQ(t->Range()->InlineShapes()->Count(), 5);
  EXPECT_EQ(doc->Selection()->Tables()->Item(1), box);
}

TEST_F(TableTest, AnAnswerRowAddedBelowAMergedRowIsSplitIntoTwoCells) {
  auto t = doc->Tables()->Add(R(0, 0), 4, 2);
  for (size_t r = 0; r < 3; ++r)
    t->RowList()[r]->Cells()->Merge();
  t->Cell(4, 1)->SetWidth(20);
  t->Cell(4, 2)->SetWidth(412);
  auto box = doc->Tables()->Add(t->Cell(3, 1)->Range(), 1, 1, 1, 2);
  // The insertion point in the question box: its row of the question table is selected.
  box->Cell(1, 1)->Select();
  auto sel = doc->Selection();
  for (const auto& row : t->RowList())
    if (sel->InRange(*row->Range())) row->Select();
  EXPECT_EQ(sel->Start(), t->RowList()[2]->Start());
  sel->InsertRowsBelow(1);
  auto cells = sel->Cells();
  ASSERT_EQ(cells->Count(), 1);
  cells->Split(1, 2);
  Check();
  ASSERT_EQ(sel->Cells()->Count(), 2);
  EXPECT_EQ(t->Rows()->Count(), 5);
  EXPECT_EQ(t->Cell(4, 2), sel->Cells()->Item(2));
  sel->Cells()->Item(1)->SetWidth(t->Cell(5, 1)->Width());
  EXPECT_EQ(t->Cell(4, 1)->Width(), 20);
}

TEST_F(TableTest, TablesNestedInMergedCellsMoveToTheCellThatRemains) {
  auto t = doc->Tables()->Add(R(0, 0), 1, 3);
  auto right = doc->Tables()->Add(t->Cell(1, 3)->Range(), 1, 1);
  t->Cell(1, 1)->Range()->InsertAfter("left");
  t->Cell(1, 1)->Merge(t->Cell(1, 3));
  Check();
  EXPECT_EQ(right->EnclosingTable(), t);
  EXPECT_EQ(right->Container(), t->Cell(1, 1));
  EXPECT_EQ(right->NestingLevel(), 2);
}

TEST_F(TableTest, ColumnsSetTheWidthOfTheirCellsInEveryRow) {
  auto t = doc->Tables()->Add(R(0, 0), 2, 3);
  auto cols = std::make_shared<Columns>(t);
  EXPECT_EQ(cols->Count(), 3);
  EXPECT_DOUBLE_EQ(cols->Item(1)->Width(), 144);
  cols->Item(2)->SetWidth(50);
  EXPECT_EQ(t->Cell(1, 2)->Width(), 50);
  EXPECT_EQ(t->Cell(2, 2)->Width(), 50);
  EXPECT_EQ(ErrorNumber([&] { cols->Item(4); }), kNoSuchItem);
}

TEST_F(TableTest, ScriptsUseTheCallFormOfCollections) {
  using automation::Get;
  using automation::ObjectRef;
  using automation::Variant;
  doc->Tables()->Add(R(0, 0), 2, 2);
  ObjectRef tables = Get(ObjectRef(doc), "Tables").ToObject();
  const std::string member = tables->Members().DefaultMember();
  ObjectRef t = Get(tables, member, {Variant(1)}).ToObject();
  EXPECT_EQ(Get(Get(t, "Rows").ToObject(), "Count").ToInt32(), 2);
  ObjectRef cell = Get(t, "Cell", {Variant(2), Variant(1)}).ToObject();
  automation::Put(cell, "TopPadding", Variant(2));
  EXPECT_EQ(Get(cell, "TopPadding").ToDouble(), 2);
  EXPECT_EQ(Get(t, "NestingLevel").ToInt32(), 1);
  EXPECT_EQ(ErrorNumber([&] { Get(tables, member, {Variant(0)}); }), kNoSuchItem);
}

}  // namespace
}  // namespace qv::word
