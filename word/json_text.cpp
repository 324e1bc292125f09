#include "word/json_text.h"

#include <cassert>
#include <cstdint>
#include <cstring>

#include "word/layout_space.h"

namespace qv::word {

PrettyJsonWriter::PrettyJsonWriter(std::string& out)
    : out_(out),
      serializer_(nlohmann::detail::output_adapter<char, std::string>(out), ' ',
                  nlohmann::json::error_handler_t::strict) {}

// Before a value: nothing after a key; else the separator and the indentation of its depth.
void PrettyJsonWriter::Next() {
  if (keyed_) {
    keyed_ = false;
    return;
  }
  assert(counts_.empty() || lastKeys_.back().empty());  // a member of an object needs its key
  if (counts_.empty()) return;
  out_ += counts_.back()++ == 0 ? "\n" : ",\n";
  out_.append(counts_.size(), ' ');
}

PrettyJsonWriter& PrettyJsonWriter::Key(std::string_view key) {
#ifndef NDEBUG
  assert(!counts_.empty() && !keyed_ && key > lastKeys_.back());
  lastKeys_.back() = "";
#endif
  Next();
#ifndef NDEBUG
  lastKeys_.back() = std::string(key);
#endif
  out_ += '"';
  out_ += key;
  out_ += "\": ";
  keyed_ = true;
  return *this;
}

void PrettyJsonWriter::BeginObject() {
  Next();
  out_ += '{';
  counts_.push_back(0);
#ifndef NDEBUG
  lastKeys_.push_back(" ");  // below every key; not empty, so a value without a key is caught
#endif
}

void PrettyJsonWriter::BeginArray() {
  Next();
  out_ += '[';
  counts_.push_back(0);
#ifndef NDEBUG
  lastKeys_.push_back("");
#endif
}

namespace {

void Close(std::string& out, std::vector<size_t>& counts, char bracket) {
  const size_t n = counts.back();
  counts.pop_back();
  if (n > 0) {
    out += '\n';
    out.append(counts.size(), ' ');
  }
  out += bracket;
}

}  // namespace

void PrettyJsonWriter::EndObject() {
  Close(out_, counts_, '}');
#ifndef NDEBUG
  lastKeys_.pop_back();
#endif
}

void PrettyJsonWriter::EndArray() {
  Close(out_, counts_, ']');
#ifndef NDEBUG
  lastKeys_.pop_back();
#endif
}

void PrettyJsonWriter::Value(const nlohmann::json& value) {
  Next();
  serializer_.dump(value, true, false, 1, static_cast<unsigned>(counts_.size()));
}

namespace {

// A validating walk over JSON text that builds nothing. It refuses more than nlohmann does (see
// ScanObjectMembers), never less.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : p_(text.data()), end_(text.data() + text.size()) {}

  const char* Pos() const { return p_; }
  bool AtEnd() const { return p_ == end_; }
  char Peek() const { return p_ < end_ ? *p_ : '\0'; }
  bool Eat(char c) {
    if (Peek() != c || p_ == end_) return false;
    ++p_;
    return true;
  }

  void Space() { p_ = SkipLayoutSpace(p_, end_); }

  // A string; `plain` (when given) is set to whether it holds no escapes.
  bool String(bool* plain = nullptr) {
    if (!Eat('"')) return false;
    bool escaped = false;
    while (p_ < end_) {
      while (end_ - p_ >= 8 && PlainWord(p_))
        p_ += 8;
      if (p_ == end_) break;
      const auto c = static_cast<unsigned char>(*p_);
      if (c == '"') {
        ++p_;
        if (plain) *plain = !escaped;
        return true;
      }
      if (c < 0x20) return false;
      if (c == '\\') {
        escaped = true;
        if (!Escape()) return false;
      } else if (c >= 0x80) {
        if (!Utf8()) return false;
      } else {
        ++p_;
      }
    }
    return false;
  }

  // One value of any kind, nested containers included, without recursion.
  bool Value() {
    std::vector<char>& open = open_;
    open.clear();
    for (;;) {
      Space();
      const char c = Peek();
      bool closed = false;
      if (c == '{' || c == '[') {
        ++p_;
        Space();
        if (Eat(c == '{' ? '}' : ']')) {
          closed = true;
        } else {
          open.push_back(c);
          if (c == '{' && !MemberKey()) return false;
        }
      } else {
        if (!Scalar()) return false;
        closed = true;
      }
      if (!closed) continue;
      // After a complete value: close what ends here, or go on to the next value.
      for (;;) {
        if (open.empty()) return true;
        Space();
        if (Eat(',')) {
          if (open.back() == '{' && !MemberKey()) return false;
          break;
        }
        if (!Eat(open.back() == '{' ? '}' : ']')) return false;
        open.pop_back();
      }
    }
  }

  // A key and its colon.
  bool MemberKey() {
    Space();
    if (!String()) return false;
    Space();
    return Eat(':');
  }

 private:
  // Whether the eight bytes at `p` are all plain characters of a string (no quote, backslash,
  // control character or byte of a multi-byte character): long strings (the text, pictures' data)
  // are walked a word at a time.
  static bool PlainWord(const char* p) {
    uint64_t x = 0;
    std::memcpy(&x, p, sizeof x);
    constexpr uint64_t kOnes = 0x0101010101010101;
    constexpr uint64_t kHigh = 0x8080808080808080;
    const auto anyZero = [](uint64_t v) { return (v - kOnes) & ~v & kHigh; };
    const uint64_t quote = anyZero(x ^ (kOnes * '"'));
    const uint64_t backslash = anyZero(x ^ (kOnes * '\\'));
    const uint64_t control = (x - kOnes * 0x20) & ~x & kHigh;
    return (quote | backslash | control | (x & kHigh)) == 0;
  }

  bool Scalar() {
    switch (Peek()) {
      case '"':
        return String();
      case 't':
        return Word("true");
      case 'f':
        return Word("false");
      case 'n':
        return Word("null");
      default:
        return Number();
    }
  }

  bool Word(std::string_view w) {
    if (static_cast<size_t>(end_ - p_) < w.size() || std::string_view(p_, w.size()) != w)
      return false;
    p_ += w.size();
    return true;
  }

  static bool Digit(char c) { return c >= '0' && c <= '9'; }

  // The number grammar; a number whose size could overflow a double (which nlohmann refuses) is
  // left to the ordinary parser.
  bool Number() {
    Eat('-');
    size_t whole = 0;
    if (Eat('0')) {
      whole = 1;
    } else {
      if (!Digit(Peek())) return false;
      while (Digit(Peek())) {
        ++p_;
        ++whole;
      }
    }
    if (Eat('.')) {
      if (!Digit(Peek())) return false;
      while (Digit(Peek()))
        ++p_;
    }
    long exponent = 0;
    if (Peek() == 'e' || Peek() == 'E') {
      ++p_;
      bool negative = false;
      if (Peek() == '+' || Peek() == '-') negative = *p_++ == '-';
      if (!Digit(Peek())) return false;
      size_t digits = 0;
      while (Digit(Peek())) {
        if (++digits > 4) return false;
        exponent = exponent * 10 + (*p_++ - '0');
      }
      if (negative) exponent = -exponent;
    }
    return static_cast<long>(whole) + exponent < 300;
  }

  bool Escape() {
    ++p_;  // the backslash
    if (p_ == end_) return false;
    const char c = *p_++;
    switch (c) {
      case '"':
      case '\\':
      case '/':
      case 'b':
      case 'f':
      case 'n':
      case 'r':
      case 't':
        return true;
      case 'u': {
        if (end_ - p_ < 4) return false;
        unsigned v = 0;
        for (int k = 0; k < 4; ++k) {
          const char h = *p_++;
          v <<= 4;
          if (Digit(h))
            v |= static_cast<unsigned>(h - '0');
          else if (h >= 'a' && h <= 'f')
            v |= static_cast<unsigned>(h - 'a' + 10);
          else if (h >= 'A' && h <= 'F')
            v |= static_cast<unsigned>(h - 'A' + 10);
          else
            return false;
        }
        // Surrogate pairs have rules of their own: left to the ordinary parser.
        return v < 0xD800 || v > 0xDFFF;
      }
      default:
        return false;
    }
  }

  // One multi-byte UTF-8 sequence, with the ranges nlohmann accepts (no overlong forms, no
  // surrogates, nothing past U+10FFFF).
  bool Utf8() {
    const auto b = [&](ptrdiff_t k) {
      return p_ + k < end_ ? static_cast<unsigned char>(p_[k]) : 0u;
    };
    const unsigned c = b(0);
    const auto in = [](unsigned x, unsigned lo, unsigned hi) { return x >= lo && x <= hi; };
    size_t n = 0;
    if (in(c, 0xC2, 0xDF)) {
      n = in(b(1), 0x80, 0xBF) ? 2 : 0;
    } else if (c == 0xE0) {
      n = in(b(1), 0xA0, 0xBF) && in(b(2), 0x80, 0xBF) ? 3 : 0;
    } else if (in(c, 0xE1, 0xEC) || c == 0xEE || c == 0xEF) {
      n = in(b(1), 0x80, 0xBF) && in(b(2), 0x80, 0xBF) ? 3 : 0;
    } else if (c == 0xED) {
      n = in(b(1), 0x80, 0x9F) && in(b(2), 0x80, 0xBF) ? 3 : 0;
    } else if (c == 0xF0) {
      n = in(b(1), 0x90, 0xBF) && in(b(2), 0x80, 0xBF) && in(b(3), 0x80, 0xBF) ? 4 : 0;
    } else if (in(c, 0xF1, 0xF3)) {
      n = in(b(1), 0x80, 0xBF) && in(b(2), 0x80, 0xBF) && in(b(3), 0x80, 0xBF) ? 4 : 0;
    } else if (c == 0xF4) {
      n = in(b(1), 0x80, 0x8F) && in(b(2), 0x80, 0xBF) && in(b(3), 0x80, 0xBF) ? 4 : 0;
    }
    p_ += static_cast<ptrdiff_t>(n);
    return n > 0;
  }

  const char* p_;
  const char* end_;
  std::vector<char> open_;  // the containers open around the value being walked, kept for reuse
};

}  // namespace

std::optional<std::map<std::string, JsonMember, std::less<>>> ScanObjectMembers(
    std::string_view text) {
  std::map<std::string, JsonMember, std::less<>> members;
  Scanner s(text);
  s.Space();
  if (!s.Eat('{')) return std::nullopt;  // a byte order mark included
  s.Space();
  if (!s.Eat('}')) {
    for (;;) {
      s.Space();
      const char* keyStart = s.Pos();
      bool plain = false;
      if (!s.String(&plain) || !plain) return std::nullopt;
      std::string key(keyStart + 1, s.Pos() - 1);
      s.Space();
      if (!s.Eat(':')) return std::nullopt;
      s.Space();
      JsonMember m;
      const char* start = s.Pos();
      if (s.Eat('[')) {
        m.isArray = true;
        s.Space();
        if (!s.Eat(']')) {
          for (;;) {
            s.Space();
            const char* item = s.Pos();
            if (!s.Value()) return std::nullopt;
            m.items.emplace_back(item, static_cast<size_t>(s.Pos() - item));
            s.Space();
            if (s.Eat(']')) break;
            if (!s.Eat(',')) return std::nullopt;
          }
        }
      } else if (!s.Value()) {
        return std::nullopt;
      }
      m.text = std::string_view(start, static_cast<size_t>(s.Pos() - start));
      if (!members.emplace(std::move(key), std::move(m)).second) return std::nullopt;
      s.Space();
      if (s.Eat('}')) break;
      if (!s.Eat(',')) return std::nullopt;
    }
  }
  s.Space();
  if (!s.AtEnd()) return std::nullopt;
  return members;
}

}  // namespace qv::word
