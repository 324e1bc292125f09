#include <gtest/gtest.h>

#include "word/render.h"
#include "word/shape_formats.h"
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
            "shape z=1 \"Rectangle 1\" type=1 shape=1 anchor=paragraph 5 at=10,12 size=100x65 "
            "alt=\"kzoA7\" fill=rgb(255,255,255) line=0.75pt,rgb(0,0,0)\n");
}

// A drag-and-drop or hot-spot question must be readable from the transcript: what each shape
// is filled with and how it is outlined.
TEST_F(RenderTest, ShapesShowTheirFillAndOutline) {
  auto area = doc->Shapes()->AddShape(msoShapeOval, 0, 0, 50, 50, R(0, 0));
  area->Mutable().fill.foreColor = RGB(192, 192, 192);
  area->Mutable().fill.transparency = 0.5;
  area->Mutable().line.weight = 1.5;
  area->Mutable().line.dashStyle = 4;
  auto item = doc->Shapes()->AddShape(msoShapeRectangle, 10, 10, 30, 20, R(0, 0));
  std::make_shared<FillFormat>(item)->UserPicture(Gif().string());
  item->Mutable().line.foreColor = RGB(0, 0, 255);
  item->Mutable().line.weight = 1;
  auto picture = doc->Shapes()->AddPicture(Gif().string(), false, true, {}, {}, {}, {}, R(0, 0));
  picture->Mutable().visible = false;
  const std::string text = RenderDocument(*doc);
  EXPECT_NE(text.find("type=1 shape=9 anchor=paragraph 1 at=0,0 size=50x50 alt=\"\" "
                      "fill=rgb(192,192,192),transparency=0.5 line=1.5pt,rgb(0,0,0),dash=4\n"),
            std::string::npos)
      << text;
  EXPECT_NE(
      text.find("fill=picture(\"" + Gif().filename().string() + "\") line=1pt,rgb(0,0,255)\n"),
      std::string::npos)
      << text;
  EXPECT_NE(text.find("type=13 anchor=paragraph 1 at=0,0 size=12x6 alt=\"\" fill=none "
                      "line=none hidden\n"),
            std::string::npos)
      << text;
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
