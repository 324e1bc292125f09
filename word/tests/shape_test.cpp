#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "word/shape_formats.h"
#include "word/tests/word_test_support.h"

namespace qv::word {
namespace {

using automation::Get;
using automation::ObjectRef;
using automation::Put;
using automation::Variant;
using automation::err::kObjectDeleted;
using testing::ErrorNumber;
using testing::WordTest;

class ShapeTest : public WordTest {};

TEST_F(ShapeTest, ZOrderCommandsMoveAShapeThroughTheStack) {
  doc->Content()->SetText("x");
  auto a = doc->Shapes()->AddShape(1, 0, 0, 10, 10, R(0, 0));
  auto b = doc->Shapes()->AddShape(1, 0, 0, 10, 10, R(0, 0));
  auto c = doc->Shapes()->AddShape(1, 0, 0, 10, 10, R(0, 0));
  struct Case {
    std::shared_ptr<Shape> shape;
    int32_t command;
    int32_t a, b, c;  // ZOrderPosition of a, b, c afterwards
  };
  const Case cases[] = {
      {a, msoBringToFront, 3, 1, 2}, {a, msoSendToBack, 1, 2, 3},   {b, msoSendBackward, 2, 1, 3},
      {b, msoBringForward, 1, 2, 3}, {c, msoBringForward, 1, 2, 3}, {a, msoSendBackward, 1, 2, 3},
  };
  for (const auto& k : cases) {
    k.shape->ZOrder(k.command);
    EXPECT_EQ(a->ZOrderPosition(), k.a) << k.command;
    EXPECT_EQ(b->ZOrderPosition(), k.b) << k.command;
    EXPECT_EQ(c->ZOrderPosition(), k.c) << k.command;
  }
  c->ZOrder(msoSendBehindText);
  EXPECT_TRUE(c->Data().behindText);
  c->ZOrder(msoBringInFrontOfText);
  EXPECT_FALSE(c->Data().behindText);
}

// The stack against a plain list: shapes added over several paragraphs, moved by every z-order
// command (most often to the back, which uses up the room there and makes the stack number itself
// again) and deleted; each reads its place, and the shapes of a paragraph
// come back to front.
TEST_F(ShapeTest, TheStackKeepsItsOrderThroughManyMovesAndDeletions) {
  doc->Content()->SetText("one\rtwo\rthree\r");
  const int64_t paragraphs[] = {0, 4, 8};
  std::vector<std::shared_ptr<Shape>> stack;  // back to front
  for (int i = 0; i < 12; ++i) {
    const int64_t at = paragraphs[i % 3];
    stack.push_back(doc->Shapes()->AddShape(1, 0, 0, 10, 10, R(at, at)));
  }
  const int32_t commands[] = {msoBringToFront, msoSendToBack, msoBringForward, msoSendBackward};
  auto place = [&](const std::shared_ptr<Shape>& s) {
    return static_cast<size_t>(std::find(stack.begin(), stack.end(), s) - stack.begin());
  };
  for (int step = 0; step < 200; ++step) {
    // Mostly the front shape sent to the back, each time into half the room left there.
    auto shape = step % 7 == 0 ? stack[static_cast<size_t>(step) % stack.size()] : stack.back();
    const int32_t command = step % 7 == 0 ? commands[step % 4] : msoSendToBack;
    shape->ZOrder(command);
    const size_t at = place(shape);
    stack.erase(stack.begin() + static_cast<std::ptrdiff_t>(at));
    size_t to = at;
    if (command == msoBringToFront) to = stack.size();
    if (command == msoSendToBack) to = 0;
    if (command == msoBringForward) to = std::min(at + 1, stack.size());
    if (command == msoSendBackward) to = at == 0 ? 0 : at - 1;
    stack.insert(stack.begin() + static_cast<std::ptrdiff_t>(to), shape);
    if (step == 150) {
      stack[4]->Delete();
      stack.erase(stack.begin() + 4);
    }
    for (size_t i = 0; i < stack.size(); ++i)
      ASSERT_EQ(stack[i]->ZOrderPosition(), static_cast<int32_t>(i + 1)) << "step " << step;
  }
  for (int64_t at : paragraphs) {
    auto shapes = R(at, at)->ShapeRange();
    std::vector<std::shared_ptr<Shape>> expected;
    for (const auto& s : stack)
      if (s->AnchorPos() == at) expected.push_back(s);
    ASSERT_EQ(shapes->Count(), static_cast<int32_t>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i)
      EXPECT_EQ(shapes->Item(static_cast<int32_t>(i + 1)), expected[i]) << "paragraph at " << at;
  }
  auto two = R(0, 5)->ShapeRange();  // the first paragraph and part of the second
  EXPECT_EQ(two->Count(), 8);
}

TEST_F(ShapeTest, FormattingObjectsWriteTheShape) {
  auto s = doc->Shapes()->AddShape(1, 10, 10, 100, 65);
  ObjectRef o = s;
  Put(Get(o, "Line").ToObject(), "Visible", Variant(true));
  Put(Get(o, "Line").ToObject(), "Weight", Variant(1.5));
  Put(Get(Get(o, "Line").ToObject(), "ForeColor").ToObject(), "RGB", Variant(0xFF0000));
  Put(Get(o, "Fill").ToObject(), "Transparency", Variant(0.5));
  automation::Call(Get(o, "Fill").ToObject(), "Solid");
  Put(Get(o, "WrapFormat").ToObject(), "Side", Variant(1));
  Put(Get(o, "WrapFormat").ToObject(), "Type", Variant(3));
  Put(Get(o, "WrapFormat").ToObject(), "AllowOverlap", Variant(true));
  Put(o, "RelativeHorizontalPosition", Variant(3));
  Put(o, "RelativeVerticalPosition", Variant(1));
  Put(o, "LockAnchor", Variant(true));
  Put(o, "AlternativeText", Variant("kzoA10"));
  auto frame = Get(Get(o, "TextFrame").ToObject(), "TextRange").ToObject();
  automation::Call(frame, "InsertAfter", {Variant("Resize this shape")});
  Put(Get(frame, "Font").ToObject(), "Name", Variant("Arial"));
  Put(Get(o, "TextFrame").ToObject(), "MarginLeft", Variant(0.5));
  Put(Get(o, "Hyperlink").ToObject(), "Address", Variant("http://example.invalid/"));
  automation::Call(Get(o, "Hyperlink").ToObject(), "Delete");
  const ShapeData& d = s->Data();
  EXPECT_TRUE(d.line.visible);
  EXPECT_DOUBLE_EQ(d.line.weight, 1.5);
  EXPECT_EQ(d.line.foreColor, 0xFF0000);
  EXPECT_DOUBLE_EQ(d.fill.transparency, 0.5);
  EXPECT_EQ(d.wrap.side, 1);
  EXPECT_EQ(d.wrap.type, 3);
  EXPECT_EQ(d.relativeHorizontal, 3);
  EXPECT_EQ(d.relativeVertical, 1);
  EXPECT_TRUE(d.lockAnchor);
  EXPECT_EQ(d.alt, "kzoA10");
  EXPECT_EQ(d.textFrame.text, "Resize this shape");
  EXPECT_EQ(d.textFrame.font.name, "Arial");
  EXPECT_DOUBLE_EQ(d.textFrame.marginLeft, 0.5);
  EXPECT_EQ(d.hyperlink, "");
  EXPECT_EQ(d.type, msoAutoShape);
  EXPECT_FALSE(doc->Saved());
}

TEST_F(ShapeTest, ARangeOfShapesMovesTogetherAndReadsUndefinedWhenMixed) {
  doc->Content()->SetText("one\rtwo");
  auto a = doc->Shapes()->AddShape(1, -40, 0, 10, 10, R(0, 0));
  auto b = doc->Shapes()->AddShape(1, 30, 0, 10, 10, R(0, 0));
  auto other = doc->Shapes()->AddShape(1, -40, 0, 10, 10, R(4, 4));
  auto first = R(0, 0)->ShapeRange();
  EXPECT_EQ(first->Left(), 9999999) << "mixed";
  Put(first, "Left", Variant(2));
  EXPECT_EQ(a->Data().left, 2);
  EXPECT_EQ(b->Data().left, 2);
  EXPECT_EQ(Get(first, "Left").ToDouble(), 2);
  EXPECT_EQ(other->Data().left, -40) << "a shape of another paragraph stays";
  a->Delete();
  EXPECT_EQ(ErrorNumber([&] { first->SetLeft(5); }), kObjectDeleted);
}

TEST_F(ShapeTest, AShapeFollowsItsAnchorParagraphAndGoesWithIt) {
  doc->Content()->SetText("first\rsecond\rthird");
  auto s = doc->Shapes()->AddShape(1, 0, 0, 10, 10, R(8, 8));
  EXPECT_EQ(s->Anchor()->Text(), "second\r");
  R(0, 0)->InsertBefore("new\r");
  EXPECT_EQ(s->Anchor()->Text(), "second\r");
  R(12, 12)->InsertBefore("more ");  // text inside the paragraph keeps the anchor there
  EXPECT_EQ(s->Anchor()->Text(), "semore cond\r");
  R(0, 4)->Delete();
  EXPECT_EQ(doc->Shapes()->Count(), 1);
  R(6, 18)->Delete();  // takes the anchor paragraph's mark: the shape goes
  EXPECT_EQ(doc->Shapes()->Count(), 0);
  EXPECT_EQ(ErrorNumber([&] { s->ZOrderPosition(); }), kObjectDeleted);
}

TEST_F(ShapeTest, RemovingTextTakesOnlyTheShapesAnchoredInWholeParagraphsOfIt) {
  doc->Content()->SetText("one\rtwo\rthree\rfour");
  // Two shapes on "two" (added out of order), one each on "one" and "four", none on "three".
  auto onTwoBack = doc->Shapes()->AddShape(1, 0, 0, 10, 10, R(5, 5));
  auto onFour = doc->Shapes()->AddShape(1, 0, 0, 10, 10, R(15, 15));
  auto onOne = doc->Shapes()->AddShape(1, 0, 0, 10, 10, R(1, 1));
  auto onTwoFront = doc->Shapes()->AddShape(1, 0, 0, 10, 10, R(6, 6));
  EXPECT_TRUE(doc->HasShapeAnchoredIn(4, 8));
  EXPECT_FALSE(doc->HasShapeAnchoredIn(8, 14));
  // Both ends included, in anchor order and in the order they came at one place.
  EXPECT_EQ(doc->ShapesAnchoredIn(0, 4),
            (std::vector<Shape*>{onOne.get(), onTwoBack.get(), onTwoFront.get()}));
  EXPECT_EQ(doc->ShapesAnchoredIn(5, 14), std::vector<Shape*>{onFour.get()});
  EXPECT_TRUE(doc->ShapesAnchoredIn(5, 13).empty());
  EXPECT_EQ(R(4, 8)->ShapeRange()->Count(), 2);
  EXPECT_EQ(R(4, 8)->ShapeRange()->Item(1).get(), onTwoBack.get());  // back to front
  EXPECT_EQ(R(8, 14)->ShapeRange()->Count(), 0);
  R(2, 10)->Delete();  // "on" of "one", all of "two", "th" of "three"
  ASSERT_EQ(doc->Shapes()->Count(), 2);
  EXPECT_EQ(doc->Shapes()->Item(Variant(1)).get(), onFour.get());
  EXPECT_EQ(doc->Shapes()->Item(Variant(2)).get(), onOne.get());
  EXPECT_EQ(ErrorNumber([&] { onTwoFront->AnchorPos(); }), kObjectDeleted);
  EXPECT_EQ(onFour->Anchor()->Text(), "four\r");
  EXPECT_EQ(onOne->Anchor()->Text(), "onree\r");
}

TEST_F(ShapeTest, PicturesAddedAsShapesAndShapesByName) {
  auto pic = doc->Shapes()->AddPicture(Gif("s.gif", 20, 40).string());
  EXPECT_EQ(pic->Data().type, msoPicture);
  EXPECT_DOUBLE_EQ(pic->Data().height, 30);
  pic->Mutable().name = "Item";
  EXPECT_EQ(doc->Shapes()->Item(Variant("Item")), pic);
  auto fill = std::make_shared<FillFormat>(doc->Shapes()->AddShape(1, 0, 0, 5, 5));
  fill->UserPicture(Gif().string());
  EXPECT_EQ(fill->Target()->Data().fill.picture.format, "gif");
  pic->Delete();
  EXPECT_EQ(doc->Shapes()->Count(), 1);
  EXPECT_EQ(ErrorNumber([&] { pic->Anchor(); }), kObjectDeleted);
}

}  // namespace
}  // namespace qv::word
