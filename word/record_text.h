#pragma once
// Reading a record of the native file straight from its text, for records exactly in the saver's
// shape (word/table_record.h, word/inline_shape_record.h). Every step answers false at anything
// else (a key missing, given twice or unknown, a number written otherwise or out of its range, a
// string with an escape), and the record is then read the ordinary way, through its tree and the
// loader's checks, so a damaged record is refused with the same error and place as ever.

#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string_view>

#include "word/formatting.h"
#include "word/layout_space.h"

namespace qv::word::record_text {

// Reads the record text from front to back; any step that finds something else answers false.
class Reader {
 public:
  explicit Reader(std::string_view text) : p_(text.data()), end_(text.data() + text.size()) {}

  bool AtEnd() {
    Space();
    return p_ == end_;
  }

  bool Eat(char c) {
    Space();
    if (p_ == end_ || *p_ != c) return false;
    ++p_;
    return true;
  }

  // An object whose members are exactly `keys`, each once, in any order; `member` reads the value
  // of the key at the index given.
  template <class F>
  bool Object(std::initializer_list<std::string_view> keys, F&& member) {
    if (!Eat('{')) return false;
    uint32_t seen = 0;
    for (size_t n = 0; n < keys.size(); ++n) {
      if (n > 0 && !Eat(',')) return false;
      std::string_view key;
      if (!Key(key) || !Eat(':')) return false;
      size_t index = 0;
      for (auto k : keys) {
        if (k == key) break;
        ++index;
      }
      if (index == keys.size() || (seen & (1u << index))) return false;
      seen |= 1u << index;
      if (!member(index)) return false;
    }
    return Eat('}');
  }

  // A list of at least one and at most `most` items.
  template <class F>
  bool List(size_t most, F&& item) {
    if (!Eat('[')) return false;
    size_t n = 0;
    do {
      if (++n > most || !item()) return false;
    } while (Eat(','));
    return Eat(']');
  }

  // A whole number written as one (no fraction, no exponent), within [lo, hi].
  bool Whole(int64_t& out, int64_t lo = INT64_MIN, int64_t hi = INT64_MAX) {
    return WholeOf(Token(), out, lo, hi);
  }

  static bool WholeOf(std::string_view t, int64_t& out, int64_t lo = INT64_MIN,
                      int64_t hi = INT64_MAX) {
    // Eighteen digits always fit; longer ones are left to the ordinary reader.
    if (t.empty() || t.size() > 18 || t.find_first_of(".eE") != std::string_view::npos ||
        (t[0] == '0' && t.size() > 1) || (t[0] == '-' && (t.size() == 1 || (t[1] == '0'))))
      return false;
    const auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), out);
    return ec == std::errc() && ptr == t.data() + t.size() && out >= lo && out <= hi;
  }

  bool Int32(int32_t& out) {
    int64_t v = 0;
    if (!Whole(v, INT32_MIN, INT32_MAX)) return false;
    out = static_cast<int32_t>(v);
    return true;
  }

  // A size in points: finite and at most 10,000,000 either way.
  bool Points(double& out) {
    std::string_view t = Token();
    if (t.empty() || t.size() > 40) return false;
    if (ShortDecimal(t, out)) return std::fabs(out) <= 1e7;
    if (t[0] == '-' && (t.size() == 1 || t[1] == '.')) return false;
    const size_t digits = t[0] == '-' ? 1 : 0;
    if (t[digits] == '0' && t.size() > digits + 1 && t[digits + 1] != '.' && t[digits + 1] != 'e' &&
        t[digits + 1] != 'E')
      return false;  // a leading zero
    if (t.find_first_of(".eE") == std::string_view::npos) {
      // A whole number reads as the tree's integer converted.
      int64_t v = 0;
      if (!WholeOf(t, v)) return false;
      out = static_cast<double>(v);
    } else {
      // JSON's grammar: digits on both sides of the point, an exponent with digits.
      const auto dot = t.find('.');
      if (dot != std::string_view::npos &&
          (dot + 1 >= t.size() || t[dot + 1] < '0' || t[dot + 1] > '9'))
        return false;
      const auto e = t.find_first_of("eE");
      if (e != std::string_view::npos) {
        size_t k = e + 1;
        if (k < t.size() && (t[k] == '+' || t[k] == '-')) ++k;
        if (k >= t.size()) return false;
      }
      const auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), out);
      if (ec != std::errc() || ptr != t.data() + t.size()) return false;
    }
    return std::isfinite(out) && std::fabs(out) <= 1e7;
  }

  // The saver's usual form of a size, "-?D.D" with at most 15 digits in all and no leading zero,
  // read in one pass: the digits make an exact whole number, and one division by an exact power of
  // ten rounds it correctly, to what from_chars gives. False (nothing decided) for any other form.
  static bool ShortDecimal(std::string_view t, double& out) {
    static constexpr double kPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    size_t i = t[0] == '-' ? 1 : 0;
    const size_t first = i;
    uint64_t m = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9')
      m = m * 10 + static_cast<uint64_t>(t[i++] - '0');
    const size_t whole = i - first;
    if (whole == 0 || (whole > 1 && t[first] == '0') || i == t.size() || t[i] != '.') return false;
    const size_t dot = i++;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9')
      m = m * 10 + static_cast<uint64_t>(t[i++] - '0');
    const size_t fraction = i - dot - 1;
    if (i != t.size() || fraction == 0 || whole + fraction > 15) return false;
    const double v = static_cast<double>(m) / kPow10[fraction];
    out = first == 1 ? -v : v;
    return true;
  }

  // A string of printable ASCII without escapes (every string the add-in writes, base64 data
  // included); anything else is left to the ordinary reader, which decodes and checks it.
  bool String(std::string_view& out) {
    if (!Eat('"')) return false;
    const char* start = p_;
    while (p_ < end_ && *p_ != '"') {
      const auto c = static_cast<unsigned char>(*p_);
      if (c < 0x20 || c > 0x7F || c == '\\') return false;
      ++p_;
    }
    if (p_ == end_) return false;
    out = std::string_view(start, static_cast<size_t>(p_ - start));
    ++p_;
    return true;
  }

  // `null`, for a member that may hold nothing; false (nothing read) for anything else.
  bool Null() {
    Space();
    if (end_ - p_ < 4 || std::string_view(p_, 4) != "null") return false;
    p_ += 4;
    return true;
  }

  bool Bool(bool& out) {
    const std::string_view t = Token();
    if (t == "true") {
      out = true;
      return true;
    }
    out = false;
    return t == "false";
  }

 private:
  void Space() { p_ = SkipLayoutSpace(p_, end_); }

  // A key without escapes.
  bool Key(std::string_view& out) {
    if (!Eat('"')) return false;
    const char* start = p_;
    while (p_ < end_ && *p_ != '"') {
      if (*p_ == '\\' || static_cast<unsigned char>(*p_) < 0x20) return false;
      ++p_;
    }
    if (p_ == end_) return false;
    out = std::string_view(start, static_cast<size_t>(p_ - start));
    ++p_;
    return true;
  }

  // The characters of a number or a word, up to what ends it.
  std::string_view Token() {
    Space();
    const char* start = p_;
    while (p_ < end_ && ((*p_ >= '0' && *p_ <= '9') || (*p_ >= 'a' && *p_ <= 'z') || *p_ == '-' ||
                         *p_ == '+' || *p_ == '.' || *p_ == 'E'))
      ++p_;
    return std::string_view(start, static_cast<size_t>(p_ - start));
  }

  const char* p_;
  const char* end_;
};

inline bool ReadPadding(Reader& r, std::array<double, 4>& p) {
  return r.Eat('[') && r.Points(p[0]) && r.Eat(',') && r.Points(p[1]) && r.Eat(',') &&
         r.Points(p[2]) && r.Eat(',') && r.Points(p[3]) && r.Eat(']');
}

inline bool ReadShading(Reader& r, ShadingData& s) {
  return r.Object({"background", "foreground", "texture"}, [&](size_t k) {
    return r.Int32(k == 0 ? s.background : k == 1 ? s.foreground : s.texture);
  });
}

inline bool ReadBorders(Reader& r, BorderData& b) {
  return r.Object({"lines", "shadow"}, [&](size_t k) {
    if (k == 1) return r.Bool(b.shadow);
    size_t i = 0;
    const bool ok = r.List(6, [&] {
      BorderLine& l = b.lines[i++];
      return r.Eat('[') && r.Int32(l.lineStyle) && r.Eat(',') && r.Int32(l.color) && r.Eat(',') &&
             r.Points(l.width) && r.Eat(']');
    });
    return ok && i == 6;
  });
}

}  // namespace qv::word::record_text
