#include "addin/questions/g_text.h"

#include "addin/addin_app.h"
#include "automation/text/cp1252.h"
#include "automation/text/utf8.h"
#include "platform/file_search.h"
#include "ui/msgbox.h"

namespace qv::addin {

std::string ShortPathName(const std::string& path) {
  std::string shortPath;
  int error = 0;
  if (!platform::GetShortPathName(path, shortPath, error)) {
    ui::MsgBox(AddinApp(), std::to_string(error));
    return "";
  }
  // The system's answer goes into a buffer of 260 characters; a longer one does not fit.
  if (shortPath.size() >= 260) return "";
  return shortPath;
}

bool IsTokenChar(const std::string& text) {
  const std::u32string codes = text::DecodeUtf8(text);
  if (codes.empty()) return false;
  const char32_t c = codes.front();
  if (text::IsCodePointAlphaNumeric1252(c)) return true;
  return (c >= 33 && c <= 47) || (c >= 58 && c <= 64) || (c >= 123 && c <= 126);
}

std::string ShortTitle(const std::string& text) {
  constexpr size_t kMostCharacters = 40;
  std::u32string codes = text::DecodeUtf8(text);
  if (codes.size() > kMostCharacters) codes.resize(kMostCharacters);
  auto isText = [](char32_t c) { return IsTokenChar(text::EncodeUtf8(std::u32string(1, c))); };
  size_t start = 0;
  while (start < codes.size() && !isText(codes[start]))
    ++start;
  size_t end = start;
  while (end < codes.size() && (codes[end] == U' ' || isText(codes[end])))
    ++end;
  // Blanks at both ends go; the title starts at a text character, so only its end can have them.
  while (end > start && codes[end - 1] == U' ')
    --end;
  return text::EncodeUtf8(codes.substr(start, end - start));
}

}  // namespace qv::addin
