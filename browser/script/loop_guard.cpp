#include "browser/script/loop_guard.h"

#include <cctype>
#include <map>
#include <string_view>
#include <vector>

namespace qv::browser {
namespace {

enum class Kind { Identifier, Punctuator, Literal };

struct Token {
  Kind kind;
  size_t begin;
  size_t end;
  std::string_view text;
};

bool IsIdentStart(unsigned char c) {
  return std::isalpha(c) || c == '_' || c == '$' || c >= 0x80;
}
bool IsIdentPart(unsigned char c) {
  return IsIdentStart(c) || std::isdigit(c);
}

// Whether a "/" after `previous` starts a regular expression rather than a division.
bool RegexAllowedAfter(const Token* previous) {
  if (!previous) return true;
  if (previous->kind == Kind::Literal) return false;
  if (previous->kind == Kind::Identifier) {
    static const char* const kKeywords[] = {"return", "typeof", "case", "do",    "else",      "in",
                                            "new",    "delete", "void", "throw", "instanceof"};
    for (const char* k : kKeywords)
      if (previous->text == k) return true;
    return false;
  }
  return previous->text != ")" && previous->text != "]" && previous->text != "}";
}

class Lexer {
 public:
  explicit Lexer(const std::string& s) : s_(s) {}

  std::vector<Token> Run() {
    std::vector<Token> tokens;
    while (i_ < s_.size()) {
      const unsigned char c = static_cast<unsigned char>(s_[i_]);
      if (std::isspace(c)) {
        ++i_;
      } else if (c == '/' && Peek(1) == '/') {
        SkipLine();
      } else if (c == '/' && Peek(1) == '*') {
        const size_t end = s_.find("*/", i_ + 2);
        i_ = end == std::string::npos ? s_.size() : end + 2;
      } else if (c == '"' || c == '\'') {
        const size_t b = i_;
        SkipString(static_cast<char>(c));
        tokens.push_back({Kind::Literal, b, i_, {}});
      } else if (c == '/' && RegexAllowedAfter(tokens.empty() ? nullptr : &tokens.back())) {
        const size_t b = i_;
        SkipRegex();
        tokens.push_back({Kind::Literal, b, i_, {}});
      } else if (IsIdentStart(c)) {
        const size_t b = i_;
        while (i_ < s_.size() && IsIdentPart(static_cast<unsigned char>(s_[i_])))
          ++i_;
        tokens.push_back({Kind::Identifier, b, i_, std::string_view(s_).substr(b, i_ - b)});
      } else if (std::isdigit(c) ||
                 (c == '.' && std::isdigit(static_cast<unsigned char>(Peek(1))))) {
        const size_t b = i_;
        while (i_ < s_.size() && (IsIdentPart(static_cast<unsigned char>(s_[i_])) || s_[i_] == '.'))
          ++i_;
        tokens.push_back({Kind::Literal, b, i_, {}});
      } else {
        tokens.push_back({Kind::Punctuator, i_, i_ + 1, std::string_view(s_).substr(i_, 1)});
        ++i_;
      }
    }
    return tokens;
  }

 private:
  char Peek(size_t ahead) const { return i_ + ahead < s_.size() ? s_[i_ + ahead] : '\0'; }
  void SkipLine() {
    while (i_ < s_.size() && s_[i_] != '\n')
      ++i_;
  }
  void SkipString(char quote) {
    ++i_;
    while (i_ < s_.size() && s_[i_] != quote && s_[i_] != '\n') {
      if (s_[i_] == '\\') ++i_;
      ++i_;
    }
    if (i_ < s_.size() && s_[i_] == quote) ++i_;
  }
  void SkipRegex() {
    ++i_;
    bool inClass = false;
    while (i_ < s_.size() && s_[i_] != '\n') {
      const char c = s_[i_];
      if (c == '\\') {
        i_ += 2;
        continue;
      }
      if (c == '[') inClass = true;
      if (c == ']') inClass = false;
      ++i_;
      if (c == '/' && !inClass) break;
    }
    while (i_ < s_.size() && IsIdentPart(static_cast<unsigned char>(s_[i_])))
      ++i_;
  }

  const std::string& s_;
  size_t i_ = 0;
};

bool Is(const Token& t, const char* text) {
  return t.kind == Kind::Punctuator && t.text == text;
}

// Index of the ")" that closes the "(" at `open`, or tokens.size().
size_t MatchingParen(const std::vector<Token>& tokens, size_t open) {
  int depth = 0;
  for (size_t i = open; i < tokens.size(); ++i) {
    if (Is(tokens[i], "(")) ++depth;
    if (Is(tokens[i], ")") && --depth == 0) return i;
  }
  return tokens.size();
}

std::string HideOldStyleComment(const std::string& source) {
  size_t i = 0;
  while (i < source.size() && std::isspace(static_cast<unsigned char>(source[i])))
    ++i;
  if (source.compare(i, 4, "<!--") != 0) return source;
  std::string out = source;
  out.replace(i, 4, "//  ");
  return out;
}

}  // namespace

std::string GuardLoops(const std::string& original, const std::string& guard) {
  const std::string source = HideOldStyleComment(original);
  const std::vector<Token> tokens = Lexer(source).Run();
  std::multimap<size_t, std::string> inserts;  // position -> text, in order of insertion
  for (size_t i = 0; i + 1 < tokens.size(); ++i) {
    const Token& t = tokens[i];
    if (t.kind != Kind::Identifier || (t.text != "while" && t.text != "for")) continue;
    if (i > 0 && Is(tokens[i - 1], ".")) continue;  // a property named like the keyword
    if (!Is(tokens[i + 1], "(")) continue;
    const size_t open = i + 1;
    const size_t close = MatchingParen(tokens, open);
    if (close == tokens.size()) continue;
    if (t.text == "while") {
      inserts.emplace(tokens[open].end, guard + "&&(");
      inserts.emplace(tokens[close].begin, ")");
      continue;
    }
    // for (init; condition; step): the semicolons at the header's own level.
    std::vector<size_t> semicolons;
    int depth = 0;
    for (size_t k = open + 1; k < close; ++k) {
      if (Is(tokens[k], "(") || Is(tokens[k], "[") || Is(tokens[k], "{")) ++depth;
      if (Is(tokens[k], ")") || Is(tokens[k], "]") || Is(tokens[k], "}")) --depth;
      if (depth == 0 && Is(tokens[k], ";")) semicolons.push_back(k);
    }
    if (semicolons.size() != 2) continue;  // for (x in y) ends by itself
    if (semicolons[1] == semicolons[0] + 1) {
      inserts.emplace(tokens[semicolons[0]].end, guard);
    } else {
      inserts.emplace(tokens[semicolons[0]].end, guard + "&&(");
      inserts.emplace(tokens[semicolons[1]].begin, ")");
    }
  }
  std::string out;
  out.reserve(source.size() + inserts.size() * (guard.size() + 4));
  size_t at = 0;
  for (const auto& [pos, text] : inserts) {
    out.append(source, at, pos - at);
    out += text;
    at = pos;
  }
  out.append(source, at, std::string::npos);
  return out;
}

}  // namespace qv::browser
