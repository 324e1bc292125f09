#include <gtest/gtest.h>

#include "word/structure.h"
#include "word/tests/word_test_support.h"

namespace qv::word {
namespace {

using testing::WordTest;

// "ab" [outer: cell(1,1) = [inner: "x"] "y", cell(1,2) = ""] "cd"
class StructureTest : public WordTest {
 protected:
  void SetUp() override {
    doc->Content()->SetText("ab\rcd");
    outer = doc->Tables()->Add(R(3, 3), 1, 2);
    inner = doc->Tables()->Add(outer->Cell(1, 1)->Range(), 1, 1);
    inner->Cell(1, 1)->Range()->InsertAfter("x");
    R(inner->End(), inner->End())->InsertBefore("y");
    Check();
  }
  std::shared_ptr<Table> outer, inner;
};

TEST_F(StructureTest, LocationOfEveryKindOfPlace) {
  const Story& s = doc->GetStory();
  struct Case {
    const char* what;
    int64_t pos;
    Table* table;
    Cell* cell;
  };
  const Case cases[] = {
      {"main text", 1, nullptr, nullptr},
      {"paragraph mark before the table", 2, nullptr, nullptr},
      {"table start (also the nested table's start)", outer->Start(), inner.get(),
       inner->Cell(1, 1).get()},
      {"end mark of the nested cell", inner->Cell(1, 1)->EndMark(), inner.get(),
       inner->Cell(1, 1).get()},
      {"end of the nested table's row", inner->RowList()[0]->EndMark(), inner.get(), nullptr},
      {"after the nested table", inner->End(), outer.get(), outer->Cell(1, 1).get()},
      {"empty second cell", outer->Cell(1, 2)->Start(), outer.get(), outer->Cell(1, 2).get()},
      {"end of the outer row", outer->RowList()[0]->EndMark(), outer.get(), nullptr},
      {"after the table", outer->End(), nullptr, nullptr},
  };
  for (const auto& c : cases) {
    const Location l = LocationAt(s, c.pos);
    EXPECT_EQ(l.table, c.table) << c.what;
    EXPECT_EQ(l.cell, c.cell) << c.what;
  }
}

TEST_F(StructureTest, TablesOfARange) {
  const Story& s = doc->GetStory();
  struct Case {
    const char* what;
    int64_t from, to;
    std::vector<Table*> tables;
  };
  const Case cases[] = {
      {"plain text", 0, 2, {}},
      {"inside the nested table", inner->Start() + 1, inner->Start() + 1, {inner.get()}},
      {"the nested table itself", inner->Start(), inner->End(), {inner.get()}},
      {"the enclosing cell",
       outer->Cell(1, 1)->Start(),
       outer->Cell(1, 1)->EndMark() + 1,
       {outer.get()}},
      {"from the text into the table", 0, outer->Start() + 1, {outer.get()}},
      {"the whole document", 0, s.Length(), {outer.get()}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TablesIn(s, c.from, c.to), c.tables) << c.what;
}

TEST_F(StructureTest, InlineShapesNextToAPositionStepOverTableMarks) {
  const Story& s = doc->GetStory();
  EXPECT_EQ(InlineShapeBefore(s, s.Length()), nullptr);
  EXPECT_EQ(InlineShapeFrom(s, 0), nullptr);
  // One picture in the main text before the table, one in the nested cell, one after the table.
  auto first = doc->InlineShapes()->AddPicture(Gif().string(), false, true, R(0, 0));
  auto nested = doc->InlineShapes()->AddPicture(
      Gif().string(), false, true, R(inner->Cell(1, 1)->Start(), inner->Cell(1, 1)->Start()));
  auto last =
      doc->InlineShapes()->AddPicture(Gif().string(), false, true, R(outer->End(), outer->End()));
  Check();
  EXPECT_EQ(InlineShapeBefore(s, 0), nullptr);
  EXPECT_EQ(InlineShapeBefore(s, first->Position()), nullptr);
  EXPECT_EQ(InlineShapeBefore(s, first->Position() + 1), first.get());
  EXPECT_EQ(InlineShapeBefore(s, nested->Position()), first.get()) << "over the table starts";
  EXPECT_EQ(InlineShapeBefore(s, last->Position()), nested.get()) << "over cell and row ends";
  EXPECT_EQ(InlineShapeBefore(s, s.Length()), last.get());
  EXPECT_EQ(InlineShapeFrom(s, 0), first.get());
  EXPECT_EQ(InlineShapeFrom(s, first->Position() + 1), nested.get());
  EXPECT_EQ(InlineShapeFrom(s, nested->Position()), nested.get());
  EXPECT_EQ(InlineShapeFrom(s, nested->Position() + 1), last.get());
  EXPECT_EQ(InlineShapeFrom(s, last->Position() + 1), nullptr);
}

TEST_F(StructureTest, ParagraphBoundsStopAtCellAndRowMarks) {
  const Story& s = doc->GetStory();
  EXPECT_EQ(ParagraphStart(s, 1), 0);
  EXPECT_EQ(ParagraphEnd(s, 1), 3);
  const int64_t y = inner->End();
  EXPECT_EQ(ParagraphStart(s, y), y);  // the paragraph after a nested table begins there
  EXPECT_EQ(ParagraphEnd(s, y), outer->Cell(1, 1)->EndMark() + 1);
  EXPECT_EQ(ParagraphEnd(s, s.Length() - 1), s.Length());
}

}  // namespace
}  // namespace qv::word
