#include "export/compose.h"

#include <gd.h>
#include <gdfonts.h>

#include <algorithm>

namespace qv::exporter {
namespace {

gdImagePtr Decode(const Picture& p) {
  void* data = const_cast<char*>(p.bytes.data());
  const int size = static_cast<int>(p.bytes.size());
  if (p.format == "gif") return gdImageCreateFromGifPtr(size, data);
  if (p.format == "png") return gdImageCreateFromPngPtr(size, data);
  if (p.format == "jpeg") return gdImageCreateFromJpegPtr(size, data);
  if (p.format == "bmp") return gdImageCreateFromBmpPtr(size, data);
  return nullptr;
}

std::string Png(gdImagePtr image) {
  int size = 0;
  void* bytes = gdImagePngPtr(image, &size);
  std::string out(static_cast<const char*>(bytes), static_cast<size_t>(size));
  gdFree(bytes);
  return out;
}

void DrawPicture(gdImagePtr canvas, const Picture& p, const Box& box) {
  const int x = Pixels(box.left), y = Pixels(box.top);
  const int w = std::max(1, Pixels(box.width)), h = std::max(1, Pixels(box.height));
  if (gdImagePtr source = Decode(p)) {
    gdImageCopyResampled(canvas, source, x, y, 0, 0, w, h, gdImageSX(source), gdImageSY(source));
    gdImageDestroy(source);
  } else {
    gdImageRectangle(canvas, x, y, x + w - 1, y + h - 1, gdImageColorAllocate(canvas, 0, 0, 0));
  }
}

void DrawLabel(gdImagePtr canvas, const std::string& text, const Box& box, int x, int y) {
  const int w = std::max(1, Pixels(box.width)), h = std::max(1, Pixels(box.height));
  const int black = gdImageColorAllocate(canvas, 0, 0, 0);
  gdImageFilledRectangle(canvas, x, y, x + w - 1, y + h - 1,
                         gdImageColorAllocate(canvas, 255, 255, 255));
  gdImageRectangle(canvas, x, y, x + w - 1, y + h - 1, black);
  gdFontPtr font = gdFontGetSmall();
  const int textWidth = static_cast<int>(text.size()) * font->w;
  std::string shown = text;
  gdImageString(canvas, font, x + std::max(2, (w - textWidth) / 2), y + (h - font->h) / 2,
                reinterpret_cast<unsigned char*>(shown.data()), black);
}

}  // namespace

std::string ComposeBackground(const Quiz& quiz, const Question& q) {
  gdImagePtr canvas =
      gdImageCreateTrueColor(std::max(1, Pixels(q.area.width)), std::max(1, Pixels(q.area.height)));
  gdImageFilledRectangle(canvas, 0, 0, gdImageSX(canvas), gdImageSY(canvas),
                         gdImageColorAllocate(canvas, 255, 255, 255));
  for (size_t i = 0; i < q.pictures.size(); ++i)
    DrawPicture(canvas, quiz.pictures.at(q.pictures[i]), q.pictureBoxes.at(i));
  for (const auto& item : q.items) {
    if (item.moveable) continue;
    if (item.picture >= 0) {
      DrawPicture(canvas, quiz.pictures.at(item.picture), item.box);
    } else {
      DrawLabel(canvas, item.label, item.box, Pixels(item.box.left), Pixels(item.box.top));
    }
  }
  std::string png = Png(canvas);
  gdImageDestroy(canvas);
  return png;
}

std::string LabelPicture(const std::string& text, const Box& box) {
  gdImagePtr canvas =
      gdImageCreateTrueColor(std::max(1, Pixels(box.width)), std::max(1, Pixels(box.height)));
  DrawLabel(canvas, text, box, 0, 0);
  std::string png = Png(canvas);
  gdImageDestroy(canvas);
  return png;
}

}  // namespace qv::exporter
