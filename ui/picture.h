#pragma once
// A picture loaded from a file: its path, its format and its size in pixels as the file header
// gives it. The toolkit reads GIF, PNG, JPEG and BMP headers; it keeps the path, not the pixels
// (nothing on this platform paints them).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv::ui {

enum class PictureFormat { None, Gif, Png, Jpeg, Bmp };

struct PictureSize {
  PictureFormat format = PictureFormat::None;
  int32_t width = 0;   // pixels
  int32_t height = 0;  // pixels
};

// The format and pixel size from the first bytes of a picture file; nullopt when the bytes are
// not a GIF, PNG, JPEG or BMP picture, or are cut short before the size.
std::optional<PictureSize> ReadPictureSize(std::string_view bytes);

struct Picture {
  std::string path;  // empty: no picture
  PictureSize size;

  bool Empty() const { return path.empty(); }
  // Size in twips (15 per pixel), as the host's picture object reports to forms.
  double WidthTwips() const;
  double HeightTwips() const;
};

// The host's LoadPicture: "" gives no picture; a missing file raises 53 "File not found"; a file
// that is not a picture this toolkit reads raises 481 "Invalid picture".
Picture LoadPicture(const std::string& path);

}  // namespace qv::ui
