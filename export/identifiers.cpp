#include "export/identifiers.h"

namespace qv::exporter {
namespace {

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsNameChar(char c) {
  return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.';
}

}  // namespace

bool IsXmlName(const std::string& text) {
  if (text.empty() || !(IsAsciiLetter(text[0]) || text[0] == '_')) return false;
  for (char c : text)
    if (!IsNameChar(c)) return false;
  return true;
}

std::string IdentifierSet::Make(const std::string& wanted, const std::string& prefix) {
  std::string base;
  for (char c : wanted)
    base += IsNameChar(c) ? c : '_';
  if (!IsXmlName(base)) base = prefix + base;
  std::string candidate = base;
  for (int n = 2; given_.count(candidate); ++n)
    candidate = base + "_" + std::to_string(n);
  given_.insert(candidate);
  return candidate;
}

}  // namespace qv::exporter
