#include "automation/text/utf8.h"

namespace qv::text {

std::optional<char32_t> NextCodePoint(std::string_view text, size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos++]);
  if (lead < 0x80) return lead;
  size_t extra = 0;
  char32_t cp = 0;
  char32_t min = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1, cp = lead & 0x1F, min = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, cp = lead & 0x0F, min = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, cp = lead & 0x07, min = 0x10000;
  } else {
    return std::nullopt;
  }
  if (text.size() - pos < extra) return std::nullopt;
  for (size_t i = 0; i < extra; ++i) {
    const char c = text[pos + i];
    if (!IsContinuationByte(c)) return std::nullopt;
    cp = (cp << 6) | (static_cast<unsigned char>(c) & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
  pos += extra;
  return cp;
}

std::u32string DecodeUtf8(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  size_t pos = 0;
  while (pos < text.size())
    out.push_back(NextCodePoint(text, pos).value_or(kReplacementCharacter));
  return out;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) cp = kReplacementCharacter;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string EncodeUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char32_t cp : text)
    AppendUtf8(out, cp);
  return out;
}

bool IsValidUtf8(std::string_view text) {
  size_t pos = 0;
  while (pos < text.size())
    if (!NextCodePoint(text, pos)) return false;
  return true;
}

size_t CountCodePoints(std::string_view text) {
  size_t n = 0;
  for (const char c : text)
    if (!IsContinuationByte(c)) ++n;
  return n;
}

size_t CutAtCodePoint(std::string_view text, size_t maxBytes) {
  if (maxBytes >= text.size()) return text.size();
  size_t cut = maxBytes;
  while (cut > 0 && IsContinuationByte(text[cut]))
    --cut;
  return cut;
}

void DropLastCodePoint(std::string& text) {
  while (!text.empty()) {
    const char c = text.back();
    text.pop_back();
    if (!IsContinuationByte(c)) break;
  }
}

}  // namespace qv::text
