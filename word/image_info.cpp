#include "word/image_info.h"

#include "platform/files.h"
#include "word/errors.h"

namespace qv::word {

namespace {

uint32_t Le16(const std::string& b, size_t at) {
  return static_cast<uint8_t>(b[at]) |
         (static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8);
}
uint32_t Be16(const std::string& b, size_t at) {
  return (static_cast<uint32_t>(static_cast<uint8_t>(b[at])) << 8) |
         static_cast<uint8_t>(b[at + 1]);
}
uint32_t Be32(const std::string& b, size_t at) {
  return (Be16(b, at) << 16) | Be16(b, at + 2);
}
int32_t Le32(const std::string& b, size_t at) {
  return static_cast<int32_t>(Le16(b, at) | (Le16(b, at + 2) << 16));
}

bool JpegSize(const std::string& b, int32_t& w, int32_t& h) {
  size_t i = 2;
  while (i + 9 < b.size()) {
    if (static_cast<uint8_t>(b[i]) != 0xFF) return false;
    const uint8_t marker = static_cast<uint8_t>(b[i + 1]);
    if (marker == 0xFF) {
      ++i;
      continue;
    }
    const size_t len = Be16(b, i + 2);
    const bool sof =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (sof) {
      h = static_cast<int32_t>(Be16(b, i + 5));
      w = static_cast<int32_t>(Be16(b, i + 7));
      return true;
    }
    if (len < 2) return false;
    i += 2 + len;
  }
  return false;
}

}  // namespace

std::optional<ImageData> ParseImage(std::string bytes) {
  ImageData d;
  const std::string& b = bytes;
  // Sides are read wide: a header may claim anything, a negative bitmap height included.
  int64_t w = 0;
  int64_t h = 0;
  if (b.size() >= 10 && (b.compare(0, 6, "GIF87a") == 0 || b.compare(0, 6, "GIF89a") == 0)) {
    d.format = "gif";
    w = Le16(b, 6);
    h = Le16(b, 8);
  } else if (b.size() >= 24 && b.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0) {
    d.format = "png";
    w = Be32(b, 16);
    h = Be32(b, 20);
  } else if (b.size() >= 4 && static_cast<uint8_t>(b[0]) == 0xFF &&
             static_cast<uint8_t>(b[1]) == 0xD8) {
    d.format = "jpeg";
    int32_t jw = 0;
    int32_t jh = 0;
    if (!JpegSize(b, jw, jh)) return std::nullopt;
    w = jw;
    h = jh;
  } else if (b.size() >= 26 && b[0] == 'B' && b[1] == 'M') {
    d.format = "bmp";
    w = Le32(b, 18);
    const int64_t hh = Le32(b, 22);
    h = hh < 0 ? -hh : hh;  // a negative height marks a top-down bitmap
  } else {
    return std::nullopt;
  }
  if (w <= 0 || h <= 0 || w > kMaxPicturePixels || h > kMaxPicturePixels) return std::nullopt;
  d.pixelWidth = static_cast<int32_t>(w);
  d.pixelHeight = static_cast<int32_t>(h);
  d.bytes = std::move(bytes);
  return d;
}

ImageData LoadImageFile(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec))
    throw automation::AutomationError(kErrFileNotRead,
                                      "This is not a valid file name.\r\nTry one or more of "
                                      "the following:\r\n* Check the path to make sure it "
                                      "was typed correctly.\r\n(" +
                                          file.string() + ")");
  auto bytes = platform::ReadWholeFile(file, 64u << 20);
  if (!bytes)
    throw automation::AutomationError(kErrFileNotRead,
                                      "The file could not be read: " + file.string());
  auto image = ParseImage(std::move(*bytes));
  if (!image)
    throw automation::AutomationError(
        5182, "The picture could not be inserted: " + file.string() + " is not a known picture.");
  return *image;
}

}  // namespace qv::word
