#include "export/picture_store.h"

#include "word/image_info.h"

namespace qv::exporter {

int32_t StorePicture(Quiz& quiz, const word::ImageData& image) {
  if (image.bytes.empty()) return -1;
  for (size_t i = 0; i < quiz.pictures.size(); ++i)
    if (quiz.pictures[i].bytes == image.bytes) return static_cast<int32_t>(i);
  Picture p;
  p.format = image.format;
  p.bytes = image.bytes;
  p.pixelWidth = image.pixelWidth;
  p.pixelHeight = image.pixelHeight;
  const std::string extension = image.format == "jpeg" ? "jpg" : image.format;
  p.file = "img" + std::to_string(quiz.pictures.size() + 1) + "." + extension;
  quiz.pictures.push_back(std::move(p));
  return static_cast<int32_t>(quiz.pictures.size() - 1);
}

}  // namespace qv::exporter
