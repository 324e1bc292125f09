#include "tools/lib/coursehost/form_fields.h"

#include "automation/text/cp1252.h"

namespace qv::tools {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string UrlDecode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '+') {
      out += ' ';
    } else if (c == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
               HexValue(text[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      out += c;
    }
  }
  return out;
}

std::vector<std::pair<std::string, std::string>> DecodeForm(std::string_view body) {
  std::vector<std::pair<std::string, std::string>> fields;
  while (!body.empty()) {
    const auto amp = body.find('&');
    const auto part = body.substr(0, amp);
    body = amp == std::string_view::npos ? std::string_view{} : body.substr(amp + 1);
    if (part.empty()) continue;
    const auto eq = part.find('=');
    const auto name = part.substr(0, eq);
    const auto value = eq == std::string_view::npos ? std::string_view{} : part.substr(eq + 1);
    fields.emplace_back(text::Cp1252ToUtf8(UrlDecode(name)), text::Cp1252ToUtf8(UrlDecode(value)));
  }
  return fields;
}

}  // namespace qv::tools
