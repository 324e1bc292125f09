#include "automation/text/cp1252.h"

#include <array>

#include "automation/text/utf8.h"

namespace qv::text {
namespace {

// Code points of the bytes 0x80 to 0x9F; the undefined five keep their own value.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

}  // namespace

int Cp1252FromCodePoint(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
    return static_cast<int>(codePoint);
  }
  for (size_t i = 0; i < kHigh.size(); ++i) {
    if (kHigh[i] == codePoint) return static_cast<int>(0x80 + i);
  }
  return -1;
}

char32_t CodePointFromCp1252(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : char32_t{byte};
}

std::string Utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t pos = 0;
  while (pos < utf8.size()) {
    const std::optional<char32_t> cp = NextCodePoint(utf8, pos);
    const int byte = cp ? Cp1252FromCodePoint(*cp) : -1;
    out += byte < 0 ? '?' : static_cast<char>(byte);
  }
  return out;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes)
    AppendUtf8(out, CodePointFromCp1252(static_cast<unsigned char>(c)));
  return out;
}

bool IsCharAlphaA(unsigned char byte) {
  if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z')) return true;
  switch (byte) {
    case 0x83:  // f with hook
    case 0x8A:  // S caron
    case 0x8C:  // OE
    case 0x8E:  // Z caron
    case 0x9A:  // s caron
    case 0x9C:  // oe
    case 0x9E:  // z caron
    case 0x9F:  // Y diaeresis
    case 0xAA:  // feminine ordinal
    case 0xB5:  // micro sign
    case 0xBA:  // masculine ordinal
      return true;
    default:
      break;
  }
  // The Latin-1 letters, without the multiplication and division signs.
  return byte >= 0xC0 && byte != 0xD7 && byte != 0xF7;
}

bool IsCharAlphaNumericA(unsigned char byte) {
  if (byte >= '0' && byte <= '9') return true;
  if (byte == 0xB2 || byte == 0xB3 || byte == 0xB9) return true;  // superscript 2, 3, 1
  return IsCharAlphaA(byte);
}

bool IsCodePointAlphaNumeric1252(char32_t codePoint) {
  const int byte = Cp1252FromCodePoint(codePoint);
  return byte >= 0 && IsCharAlphaNumericA(static_cast<unsigned char>(byte));
}

}  // namespace qv::text
