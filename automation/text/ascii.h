#pragma once
// Names, tags, schemes and identifiers match without regard to case, as the host compares them:
// only the ASCII letters fold; every other byte, UTF-8 included, compares as it is.

#include <string>
#include <string_view>

namespace qv::text {

constexpr char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}
constexpr char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

std::string AsciiLowered(std::string_view s);
std::string AsciiUppered(std::string_view s);

bool EqualsIgnoreCase(std::string_view a, std::string_view b);
bool StartsWithIgnoreCase(std::string_view s, std::string_view prefix);
bool EndsWithIgnoreCase(std::string_view s, std::string_view suffix);

// A name in camel case as a hyphenated one: "backgroundColor" -> "background-color" (style
// properties, element and attribute names of the exchange formats); a hyphenated name stays.
std::string HyphenatedName(std::string_view name);

}  // namespace qv::text
