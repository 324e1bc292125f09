#include "word/docx/xml_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "automation/text/utf8.h"
#include "word/formatting.h"

namespace qv::word::docx {

namespace {

bool IsHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// "_xHHHH_" starts at text[i].
bool EscapeAt(const std::string& text, size_t i) {
  if (i + 7 > text.size() || text[i] != '_' || text[i + 1] != 'x' || text[i + 6] != '_')
    return false;
  for (size_t k = 2; k < 6; ++k)
    if (!IsHex(text[i + k])) return false;
  return true;
}

}  // namespace

std::string EscapeXml(const std::string& utf8, bool attribute) {
  std::string out;
  out.reserve(utf8.size() + 16);
  for (size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    switch (c) {
      case '&':
        out += "&amp;";
        continue;
      case '<':
        out += "&lt;";
        continue;
      case '>':
        out += "&gt;";
        continue;
      case '"':
        out += attribute ? "&quot;" : "\"";
        continue;
      case '\t':
        out += attribute ? "&#9;" : "\t";
        continue;
      case '\n':
        out += attribute ? "&#10;" : "_x000A_";
        continue;
      case '\r':
        out += attribute ? "&#13;" : "_x000D_";
        continue;
      default:
        break;
    }
    if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "_x%04X_", c);
      out += buf;
    } else if (c == '_' && EscapeAt(utf8, i)) {
      out += "_x005F_";
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string UnescapePackageText(const std::string& text) {
  if (text.find("_x") == std::string::npos) return text;
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (EscapeAt(text, i)) {
      qv::text::AppendUtf8(out,
                           static_cast<char32_t>(std::stoul(text.substr(i + 2, 4), nullptr, 16)));
      i += 6;
    } else {
      out += text[i];
    }
  }
  return out;
}

int64_t Twips(double points) {
  return std::llround(points * 20.0);
}
int64_t Emu(double points) {
  return std::llround(points * 12700.0);
}

std::string Number(double v) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

std::string HexColor(int32_t color) {
  if (color < 0 || color > 0xFFFFFF) return "auto";
  const int r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02X%02X%02X", r, g, b);
  return buf;
}

int32_t ColorFromHex(const std::string& text, int32_t fallback) {
  if (text == "auto") return wdColorAutomatic;
  if (text.size() != 6) return fallback;
  for (char c : text)
    if (!IsHex(c)) return fallback;
  const unsigned v = static_cast<unsigned>(std::stoul(text, nullptr, 16));
  return RGB(static_cast<int32_t>((v >> 16) & 0xFF), static_cast<int32_t>((v >> 8) & 0xFF),
             static_cast<int32_t>(v & 0xFF));
}

}  // namespace qv::word::docx
