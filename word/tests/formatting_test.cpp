#include <gtest/gtest.h>

#include "word/errors.h"
#include "word/image_info.h"
#include "word/tests/word_test_support.h"

namespace qv::word {
namespace {

using automation::Call;
using automation::Get;
using automation::ObjectRef;
using automation::Put;
using automation::Variant;
using testing::ErrorNumber;
using testing::WordTest;

class FormattingTest : public WordTest {};

// A box is formatted while empty and its text added afterwards: the text must take the format.
TEST_F(FormattingTest, TextAddedToAFormattedEmptyBoxTakesItsFormat) {
  auto outer = doc->Tables()->Add(R(0, 0), 2, 1);
  auto box = doc->Tables()->Add(outer->Cell(2, 1)->Range(), 1, 1, 1, 2);
  box->Range()->Font()->SetSize(10);
  box->Range()->Font()->SetColor(0xFFFFFF);
  box->Range()->InsertAfter("Instructions for You");
  auto text = box->Cell(1, 1)->Range();
  text->MoveEnd(wdCharacter, -1);
  EXPECT_EQ(text->Text(), "Instructions for You");
  EXPECT_EQ(text->Font()->Size(), 10);
  EXPECT_EQ(text->Font()->Color(), 0xFFFFFF);
  // The rest of the table keeps its own.
  EXPECT_EQ(outer->Cell(1, 1)->Range()->Font()->Size(), 12);
}

TEST_F(FormattingTest, ParagraphFormatOfATableReachesEveryParagraphInIt) {
  doc->Content()->SetText("before");
  auto t = doc->Tables()->Add(R(6, 6), 2, 1);
  t->Cell(1, 1)->Range()->InsertAfter("one\rtwo");
  auto pf = t->Range()->ParagraphFormat();
  pf->SetKeepTogether(true);
  pf->SetKeepWithNext(true);
  pf->SetSpaceAfter(0);
  for (const int64_t p : {t->Start(), t->Start() + 4, t->Cell(2, 1)->Start()})
    EXPECT_TRUE(R(p, p)->ParagraphFormat()->KeepWithNext()) << p;
  EXPECT_FALSE(R(0, 0)->ParagraphFormat()->KeepWithNext());
  EXPECT_EQ(ErrorNumber([&] { pf->SetSpaceAfter(-1); }), kErrBadParameter);
}

TEST_F(FormattingTest, BordersAndShadingThroughTheirObjects) {
  auto t = doc->Tables()->Add(R(0, 0), 1, 1);
  ObjectRef borders = t->Borders();
  Put(borders, "Enable", Variant(true));
  Put(borders, "OutsideColor", Variant(0));
  Put(Get(borders, "Item", {Variant(wdBorderHorizontal)}).ToObject(), "Color", Variant(0x666666));
  EXPECT_TRUE(Get(borders, "Enable").ToBool());
  EXPECT_EQ(t->Fmt().borders.lines[4].color, 0x666666);
  EXPECT_EQ(t->Fmt().borders.lines[0].lineStyle, wdLineStyleSingle);
  EXPECT_EQ(ErrorNumber([&] { Get(borders, "Item", {Variant(-7)}); }), automation::err::kSubscript);
  ObjectRef shading = t->Cell(1, 1)->Shading();
  Put(shading, "BackgroundPatternColor", Variant(0xFFFFFF));
  Put(shading, "Texture", Variant(0));
  EXPECT_EQ(t->Cell(1, 1)->Fmt().shading.background, 0xFFFFFF);
  t->Delete();
  EXPECT_EQ(ErrorNumber([&] { Get(shading, "Texture"); }), automation::err::kObjectDeleted);
}

TEST(ImageHeaders, DamagedOrUnknownPicturesAreRecognised) {
  EXPECT_FALSE(ParseImage("GIF89a\x01").has_value());                        // cut short
  EXPECT_FALSE(ParseImage(std::string("GIF89a\0\0\0\0", 10)).has_value());   // no size
  EXPECT_FALSE(ParseImage(std::string("\xFF\xD8\xFF\xD9", 4)).has_value());  // no frame
  EXPECT_FALSE(ParseImage("plain text").has_value());
  auto bmp = ParseImage(std::string("BM") + std::string(16, '\0') +
                        std::string("\x02\0\0\0\xFE\xFF\xFF\xFF", 8) + std::string(8, '\0'));
  ASSERT_TRUE(bmp.has_value());
  EXPECT_EQ(bmp->pixelHeight, 2);  // a top-down bitmap has a negative height
}

}  // namespace
}  // namespace qv::word
