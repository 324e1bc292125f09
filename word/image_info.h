#pragma once
// Pictures read from GIF, PNG, JPEG and BMP files: the bytes as they are and the size read from
// the file header, in points at 96 pixels per inch.

#include <filesystem>
#include <optional>
#include <string>

namespace qv::word {

struct ImageData {
  std::string format;  // "gif", "png", "jpeg", "bmp"
  std::string bytes;
  int32_t pixelWidth = 0;
  int32_t pixelHeight = 0;
  double Width() const { return pixelWidth * 0.75; }
  double Height() const { return pixelHeight * 0.75; }
  friend bool operator==(const ImageData&, const ImageData&) = default;
};

// The largest side a picture may have, in pixels (a header claiming more is damaged).
inline constexpr int32_t kMaxPicturePixels = 1 << 20;

// The size and kind of a picture held in `bytes`; nullopt when it is none of the four kinds, its
// header is cut short, or a side is not between 1 and kMaxPicturePixels.
std::optional<ImageData> ParseImage(std::string bytes);
// Reads a picture file; raises AutomationError when it is missing or not a picture.
ImageData LoadImageFile(const std::filesystem::path& file);

}  // namespace qv::word
