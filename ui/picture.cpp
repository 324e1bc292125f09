#include "ui/picture.h"

#include <filesystem>
#include <fstream>

#include "automation/automation_error.h"
#include "ui/constants.h"
#include "ui/ui_error.h"

namespace qv::ui {
namespace {

uint32_t Byte(std::string_view b, size_t i) {
  return static_cast<unsigned char>(b[i]);
}
uint32_t Le16(std::string_view b, size_t i) {
  return Byte(b, i) | Byte(b, i + 1) << 8;
}
uint32_t Be16(std::string_view b, size_t i) {
  return Byte(b, i) << 8 | Byte(b, i + 1);
}
uint32_t Be32(std::string_view b, size_t i) {
  return Be16(b, i) << 16 | Be16(b, i + 2);
}
int32_t Le32(std::string_view b, size_t i) {
  return static_cast<int32_t>(Le16(b, i) | Le16(b, i + 2) << 16);
}

std::optional<PictureSize> Jpeg(std::string_view b) {
  // Walk the segments up to the first start-of-frame marker, which holds the size.
  size_t i = 2;
  while (i + 4 <= b.size()) {
    if (Byte(b, i) != 0xFF) return std::nullopt;
    const uint32_t marker = Byte(b, i + 1);
    if (marker == 0xFF) {  // fill byte
      ++i;
      continue;
    }
    if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
      i += 2;
      continue;
    }
    const uint32_t length = Be16(b, i + 2);
    if (length < 2) return std::nullopt;
    const bool startOfFrame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (startOfFrame) {
      if (i + 9 > b.size()) return std::nullopt;
      return PictureSize{PictureFormat::Jpeg, static_cast<int32_t>(Be16(b, i + 7)),
                         static_cast<int32_t>(Be16(b, i + 5))};
    }
    i += 2 + length;
  }
  return std::nullopt;
}

}  // namespace

std::optional<PictureSize> ReadPictureSize(std::string_view b) {
  if (b.size() >= 10 && (b.substr(0, 6) == "GIF87a" || b.substr(0, 6) == "GIF89a"))
    return PictureSize{PictureFormat::Gif, static_cast<int32_t>(Le16(b, 6)),
                       static_cast<int32_t>(Le16(b, 8))};
  if (b.size() >= 24 && b.substr(0, 8) == std::string_view("\x89PNG\r\n\x1a\n", 8) &&
      b.substr(12, 4) == "IHDR") {
    const uint32_t w = Be32(b, 16), h = Be32(b, 20);
    if (w > INT32_MAX || h > INT32_MAX) return std::nullopt;
    return PictureSize{PictureFormat::Png, static_cast<int32_t>(w), static_cast<int32_t>(h)};
  }
  if (b.size() >= 3 && Byte(b, 0) == 0xFF && Byte(b, 1) == 0xD8 && Byte(b, 2) == 0xFF)
    return Jpeg(b);
  if (b.size() >= 26 && b.substr(0, 2) == "BM") {
    const int32_t headerSize = Le32(b, 14);
    if (headerSize == 12)  // the old core header: 16-bit sizes
      return PictureSize{PictureFormat::Bmp, static_cast<int32_t>(Le16(b, 18)),
                         static_cast<int32_t>(Le16(b, 20))};
    const int32_t w = Le32(b, 18), h = Le32(b, 22);
    // A negative height marks a top-down bitmap; the size is its magnitude.
    if (w <= 0 || h == INT32_MIN) return std::nullopt;
    return PictureSize{PictureFormat::Bmp, w, h < 0 ? -h : h};
  }
  return std::nullopt;
}

double Picture::WidthTwips() const {
  return static_cast<double>(size.width) * kTwipsPerPixel;
}
double Picture::HeightTwips() const {
  return static_cast<double>(size.height) * kTwipsPerPixel;
}

Picture LoadPicture(const std::string& path) {
  if (path.empty()) return Picture{};
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec))
    automation::Raise(automation::err::kFileNotFound);
  // The header is all that is read: the size lies within the first segments of every format,
  // except JPEG files with large metadata before their frame header, hence the generous bound.
  std::ifstream in(path, std::ios::binary);
  if (!in) automation::Raise(automation::err::kFileNotFound);
  std::string head(256 * 1024, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<size_t>(in.gcount()));
  const auto size = ReadPictureSize(head);
  if (!size) RaiseUi(err::kInvalidPicture);
  return Picture{path, *size};
}

}  // namespace qv::ui
