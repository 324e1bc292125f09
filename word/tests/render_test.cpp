#include <gtest/gtest.h>

#include "word/render.h"
#include "word/tests/word_test_support.h"

namespace qv::word {
namespace {

using testing::WordTest;

class RenderTest : public WordTest {};

TEST_F(RenderTest, ParagraphsTablesPicturesAndShapes) {
  doc->Content()->SetText("Title\rend");
  auto t = doc->Tables()->Add(R(6, 6), 1, 2);
  t->Cell(1, 1)->Range()->InsertAfter("a");
  t->Cell(1, 2)->Range()->InsertAfter("bb");
  doc->InlineShapes()
      ->AddPicture(Gif().string(), false, true, R(t->End(), t->End()))
      ->SetAlternativeText("kzoB\x02");
  R(0, 0)->InsertBefore("\f");
  auto shape = doc->Shapes()->AddShape(1, 10, 12, 100, 65, R(t->End(), t->End()));
  shape->Mutable().alt = "kzoA7";
  EXPECT_EQ(RenderDocument(*doc),
            "[page break]Title\n"
            "+---+----+\n"
            "| a | bb |\n"
            "+---+----+\n"
            "[pic: kzoB\\x02]end\n"
            "-- floating shapes (back to front) --\n"
            "shape z=1 \"Rectangle 1\" type=1 anchor=paragraph 5 at=10,12 size=100x65 "
            "alt=\"kzoA7\"\n");
}

TEST_F(RenderTest, RowsOfDifferentWidthsShareOneFrameAndEmptyCellsShowEmpty) {
  auto t = doc->Tables()->Add(R(0, 0), 2, 2);
  t->RowList()[0]->Cells()->Merge();
  t->Cell(1, 1)->Range()->InsertAfter("merged row");
  EXPECT_EQ(RenderDocument(*doc),
            "+------------+\n"
            "| merged row |\n"
            "+---+--------+\n"
            "|   |        |\n"
            "+---+--------+\n"
            "\n");
}

TEST(VisibleText, ShowsControlCharactersAsEscapes) {
  EXPECT_EQ(VisibleText(std::string("a\x01") + "b\x02\t"), "a\\x01b\\x02\\x09");
  EXPECT_EQ(VisibleText("Grüße"), "Grüße");
}

}  // namespace
}  // namespace qv::word
