// The background of a picture question: the fixed items drawn where the author placed them, at
// 96 pixels per inch, and a picture GD cannot read drawn as its outline.

#include <gd.h>
#include <gtest/gtest.h>

#include "export/compose.h"

namespace qv::exporter::testing {
namespace {

std::string RedSquarePng(int pixels) {
  gdImagePtr image = gdImageCreateTrueColor(pixels, pixels);
  gdImageFilledRectangle(image, 0, 0, pixels, pixels, gdImageColorAllocate(image, 255, 0, 0));
  int size = 0;
  void* bytes = gdImagePngPtr(image, &size);
  std::string out(static_cast<const char*>(bytes), static_cast<size_t>(size));
  gdFree(bytes);
  gdImageDestroy(image);
  return out;
}

struct Rgb {
  int r, g, b;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

Rgb PixelOf(const std::string& png, int x, int y) {
  gdImagePtr image =
      gdImageCreateFromPngPtr(static_cast<int>(png.size()), const_cast<char*>(png.data()));
  EXPECT_NE(image, nullptr);
  if (!image) return {};
  const int c = gdImageGetTrueColorPixel(image, x, y);
  Rgb rgb{gdTrueColorGetRed(c), gdTrueColorGetGreen(c), gdTrueColorGetBlue(c)};
  gdImageDestroy(image);
  return rgb;
}

TEST(ComposeBackground, FixedItemsAreDrawnWhereTheAuthorPlacedThemAndMoveableOnesAreNot) {
  Quiz quiz;
  quiz.pictures.push_back({"img1.png", "png", RedSquarePng(8), 8, 8});
  quiz.pictures.push_back({"img2.gif", "gif", "GIF89a unreadable", 4, 4});
  Question q;
  q.kind = QuestionKind::DragAndDrop;
  q.area = {0, 0, 150, 75};                             // 200 x 100 pixels
  q.items.push_back({false, "", 0, {30, 15, 30, 30}});  // fixed, 40 x 40 pixels at 40,20
  q.items.push_back({true, "", 0, {90, 15, 30, 30}});   // moveable: not in the background
  q.items.push_back({false, "", 1, {3, 45, 15, 15}});   // unreadable: its outline
  const std::string png = ComposeBackground(quiz, q);
  EXPECT_EQ(PixelOf(png, 60, 40), (Rgb{255, 0, 0})) << "scaled into its box";
  EXPECT_EQ(PixelOf(png, 39, 40), (Rgb{255, 255, 255}));
  EXPECT_EQ(PixelOf(png, 140, 40), (Rgb{255, 255, 255})) << "a moveable item is the learner's";
  EXPECT_EQ(PixelOf(png, 4, 70), (Rgb{0, 0, 0})) << "the outline of what GD cannot read";
  EXPECT_EQ(PixelOf(png, 12, 70), (Rgb{255, 255, 255}));
}

}  // namespace
}  // namespace qv::exporter::testing
