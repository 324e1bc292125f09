#include "addin/questions/attribute_string.h"

#include <cctype>
#include <cstring>

namespace qv::addin {

std::string GetAttr(const std::string& attributes, const std::string& key) {
  const std::string pattern = "&" + key + "=";
  const auto p = attributes.find(pattern);
  if (p == std::string::npos) return "";
  const auto start = p + pattern.size();
  const auto q = attributes.find('&', p + 1);
  std::string value =
      attributes.substr(start, q == std::string::npos ? std::string::npos : q - start);
  std::string out;
  for (char c : value) {
    if (c == kAmpersandSubstitute)
      out += '&';
    else
      out += c;
  }
  return out;
}

std::string WithAttr(const std::string& attributes, const std::string& key,
                     const std::string& value) {
  const std::string pattern = "&" + key + "=";
  std::string s;
  const auto p = attributes.find(pattern);
  if (p == std::string::npos) {
    s = attributes + pattern + value;
  } else {
    const auto start = p + pattern.size();
    // The old value ends at the next key; an "&amp;" inside it is one of its characters.
    auto q = attributes.find('&', start);
    while (q != std::string::npos && attributes.compare(q, 5, "&amp;") == 0)
      q = attributes.find('&', q + 5);
    s = attributes.substr(0, start) + value +
        (q == std::string::npos ? std::string() : attributes.substr(q));
  }
  std::string out;
  for (size_t i = 0; i < s.size();) {
    if (s.compare(i, 5, "&amp;") == 0) {
      out += kAmpersandSubstitute;
      i += 5;
    } else {
      out += s[i++];
    }
  }
  return out;
}

std::string AttrPrefix(const std::string& attributes) {
  return attributes.substr(0, attributes.find('&'));
}

int GetQType(const std::string& attributes) {
  // The code runs from the fifth character to the first "&" found from the third character on.
  auto p = attributes.find('&', 2);
  if (p == std::string::npos) p = attributes.size();
  if (p <= 4) return 0;
  const std::string code = attributes.substr(4, p - 4);
  // The host's numeric reading of text: leading blanks, then the digits that follow.
  size_t i = 0;
  while (i < code.size() && (code[i] == ' ' || code[i] == '\t'))
    ++i;
  long value = 0;
  bool any = false;
  for (; i < code.size() && std::isdigit(static_cast<unsigned char>(code[i])); ++i) {
    any = true;
    value = value * 10 + (code[i] - '0');
    if (value > 1000000) return 0;  // no type code is this large; treat as malformed
  }
  return any ? static_cast<int>(value) : 0;
}

bool HasMarkerKind(const std::string& text, const char* kind) {
  const size_t n = std::strlen(kind);
  return text.size() >= 4 && text.compare(0, n, kind) == 0;
}

}  // namespace qv::addin
