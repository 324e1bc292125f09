#include <gtest/gtest.h>

#include "word/tests/word_test_support.h"

namespace qv::word {
namespace {

using automation::err::kObjectDeleted;
using testing::ErrorNumber;
using testing::WordTest;
using testing::WritePicture;

class InlineShapeTest : public WordTest {};

TEST_F(InlineShapeTest, PicturesTakeTheirSizeFromTheFileHeader) {
  struct Case {
    const char* kind;
    int w, h;
  };
  const Case cases[] = {{"gif", 1, 1}, {"png", 40, 20}, {"jpeg", 96, 48}, {"bmp", 8, 4}};
  for (const auto& c : cases) {
    const auto file = WritePicture(profile.Dir(), std::string("p.") + c.kind, c.kind, c.w, c.h);
    auto pic = doc->InlineShapes()->AddPicture(file.string(), false, true, R(0, 0));
    EXPECT_DOUBLE_EQ(pic->Width(), c.w * 0.75) << c.kind;
    EXPECT_DOUBLE_EQ(pic->Height(), c.h * 0.75) << c.kind;
    EXPECT_EQ(pic->Image().format, c.kind);
    EXPECT_EQ(pic->Type(), wdInlineShapePicture);
  }
  EXPECT_EQ(doc->InlineShapes()->Count(), 4);
  Check();
}

TEST_F(InlineShapeTest, AMissingOrUnreadablePictureIsAnError) {
  EXPECT_NE(
      ErrorNumber([&] { doc->InlineShapes()->AddPicture((profile.Dir() / "none.gif").string()); }),
      0);
  const auto junk = profile.Dir() / "junk.gif";
  std::ofstream(junk) << "not a picture";
  EXPECT_NE(ErrorNumber([&] { doc->InlineShapes()->AddPicture(junk.string()); }), 0);
  EXPECT_EQ(doc->InlineShapes()->Count(), 0);
  EXPECT_EQ(Text(), "\r");
}

TEST_F(InlineShapeTest, AlternativeTextReadsBackExactly) {
  const std::string texts[] = {
      "kzoQ0&qID=abcDEF0123456789&points=10",
      std::string("kzoO5&ans=a\x01") + "b\x02" + "c&h=1&w=20",
      "title=\"quoted\" & 'single' = equal",
      "Grüße, 日本語, emoji \xF0\x9F\x98\x80",
      "",
  };
  auto pic = doc->InlineShapes()->AddPicture(Gif().string());
  for (const auto& t : texts) {
    pic->SetAlternativeText(t);
    EXPECT_EQ(doc->InlineShapes()->Item(1)->AlternativeText(), t);
  }
}

TEST_F(InlineShapeTest, APictureAddedAtAStretchReplacesItAndHasOneCharacter) {
  doc->Content()->SetText("two words here");
  auto at = R(4, 9);
  auto pic = doc->InlineShapes()->AddPicture(Gif().string(), false, true, at);
  EXPECT_EQ(Text(), "two \x01 here\r");
  EXPECT_EQ(pic->Range()->Start(), 4);
  EXPECT_EQ(pic->Range()->End(), 5);
  EXPECT_EQ(R(0, 14)->InlineShapes()->Item(1), pic);
  pic->Delete();
  EXPECT_EQ(Text(), "two  here\r");
  EXPECT_EQ(ErrorNumber([&] { pic->Width(); }), kObjectDeleted);
}

TEST_F(InlineShapeTest, WidthAndHeightKeepTheAspectRatioWhenLocked) {
  auto pic = doc->InlineShapes()->AddPicture(Gif("w.gif", 40, 20).string());
  pic->SetWidth(60);
  EXPECT_DOUBLE_EQ(pic->Height(), 30);
  pic->SetLockAspectRatio(false);
  pic->SetWidth(1);
  pic->SetHeight(1);
  EXPECT_DOUBLE_EQ(pic->Width(), 1);
  pic->Borders()->SetEnable(false);
  EXPECT_FALSE(pic->BorderFmt().AnyVisible());
}

TEST_F(InlineShapeTest, ConvertsToAFloatingShapeAndBack) {
  doc->Content()->SetText("para");
  auto pic = doc->InlineShapes()->AddPicture(Gif().string(), false, true, R(2, 2));
  pic->SetAlternativeText("kzoA6");
  auto shape = pic->ConvertToShape();
  EXPECT_EQ(Text(), "para\r");
  EXPECT_EQ(shape->Data().type, msoPicture);
  EXPECT_EQ(shape->Data().alt, "kzoA6");
  EXPECT_EQ(shape->Anchor()->Text(), "para\r");
  EXPECT_EQ(ErrorNumber([&] { pic->Range(); }), kObjectDeleted);
  auto back = shape->ConvertToInlineShape();
  EXPECT_EQ(back->AlternativeText(), "kzoA6");
  EXPECT_EQ(doc->Shapes()->Count(), 0);
  EXPECT_EQ(doc->InlineShapes()->Count(), 1);
}

TEST_F(InlineShapeTest, EmbeddedTextBoxControlIsSeenThroughItsObject) {
  auto ctl = doc->InlineShapes()->AddOLEControl("Forms.TextBox.1");
  EXPECT_EQ(ctl->Type(), wdInlineShapeOLEControlObject);
  auto object = ctl->OLEFormat()->Object();
  EXPECT_EQ(object->TypeName(), "TextBox");
  automation::Put(object, "Text", automation::Variant("typed"));
  EXPECT_EQ(ctl->Control()->text, "typed");
  auto pic = doc->InlineShapes()->AddPicture(Gif().string());
  EXPECT_NE(ErrorNumber([&] { pic->OLEFormat(); }), 0);
}

TEST_F(InlineShapeTest, APictureAddedToACellGoesInsideIt) {
  auto t = doc->Tables()->Add(R(0, 0), 2, 1);
  auto cell = t->Cell(2, 1);
  auto pic = doc->InlineShapes()->AddPicture(Gif().string(), false, true, cell->Range());
  Check();
  EXPECT_EQ(cell->Range()->InlineShapes()->Item(1), pic);
  EXPECT_EQ(t->RowList()[0]->Range()->InlineShapes()->Count(), 0);
  // Without a range the picture goes at the start of the collection's range.
  auto first = t->Cell(1, 1)->Range()->InlineShapes()->AddPicture(Gif().string());
  EXPECT_EQ(first->Range()->Start(), t->Start());
  EXPECT_EQ(t->Range()->InlineShapes()->Item(1), first);
  EXPECT_EQ(t->Range()->InlineShapes()->Item(2), pic);
}

}  // namespace
}  // namespace qv::word
