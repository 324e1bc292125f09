#include "automation/text/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace qv::text {
namespace {

TEST(Utf8, DecodesAndEncodesEveryLength) {
  const std::string text = "a\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80";
  EXPECT_EQ(DecodeUtf8(text), U"a\u00E9\u65E5\U0001F600");
  EXPECT_EQ(EncodeUtf8(U"a\u00E9\u65E5\U0001F600"), text);
  EXPECT_EQ(EncodeUtf8(U"\U0010FFFF"), "\xF4\x8F\xBF\xBF");
  EXPECT_TRUE(IsValidUtf8(text));
  EXPECT_EQ(CountCodePoints(text), 4u);
}

TEST(Utf8, EveryByteOfAMalformedSequenceBecomesAReplacementCharacter) {
  struct Case {
    std::string bytes;
    std::u32string decoded;
  };
  const Case cases[] = {
      {"a\xC3", U"a\uFFFD"},  // cut off at the end
      {"\xC3"
       "b",
       U"\uFFFDb"},                                       // lead byte without continuation
      {"\xFF\xFE", U"\uFFFD\uFFFD"},                      // never UTF-8
      {"\x80", U"\uFFFD"},                                // stray continuation byte
      {"\xC0\xAF", U"\uFFFD\uFFFD"},                      // overlong "/"
      {"\xC0\x80", U"\uFFFD\uFFFD"},                      // overlong NUL
      {"\xE0\x80\xAF", U"\uFFFD\uFFFD\uFFFD"},            // overlong in three bytes
      {"\xF0\x80\x80\xAF", U"\uFFFD\uFFFD\uFFFD\uFFFD"},  // overlong in four bytes
      {"\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},            // high surrogate
      {"\xED\xBF\xBF", U"\uFFFD\uFFFD\uFFFD"},            // low surrogate
      {"\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecodeUtf8(c.bytes), c.decoded) << testing::PrintToString(c.bytes);
    EXPECT_FALSE(IsValidUtf8(c.bytes)) << testing::PrintToString(c.bytes);
  }
  // The last code points before the forbidden ranges are fine.
  EXPECT_EQ(DecodeUtf8("\xED\x9F\xBF\xEE\x80\x80"), U"\uD7FF\uE000");
}

TEST(Utf8, CodePointsUtf8CannotCarryAreWrittenAsReplacementCharacters) {
  EXPECT_EQ(EncodeUtf8(std::u32string{0xD800, U'x', 0xDFFF}), "\xEF\xBF\xBDx\xEF\xBF\xBD");
  EXPECT_EQ(EncodeUtf8(std::u32string{0x110000}), "\xEF\xBF\xBD");
  std::string out = "a";
  AppendUtf8(out, U'\u00E9');
  EXPECT_EQ(out, "a\xC3\xA9");
}

TEST(Utf8, NextCodePointMovesPastOneByteOnlyWhenMalformed) {
  const std::string text = "\xC0\xAFok";
  size_t pos = 0;
  EXPECT_FALSE(NextCodePoint(text, pos).has_value());
  EXPECT_EQ(pos, 1u);
  EXPECT_FALSE(NextCodePoint(text, pos).has_value());
  EXPECT_EQ(pos, 2u);
  EXPECT_EQ(NextCodePoint(text, pos), U'o');
  EXPECT_EQ(pos, 3u);
}

TEST(Utf8, CutsAndDropsWholeCodePoints) {
  const std::string text = "ab\xE6\x97\xA5";
  EXPECT_EQ(CutAtCodePoint(text, 3), 2u);
  EXPECT_EQ(CutAtCodePoint(text, 4), 2u);
  EXPECT_EQ(CutAtCodePoint(text, 5), 5u);
  EXPECT_EQ(CutAtCodePoint(text, 99), 5u);
  std::string s = text;
  DropLastCodePoint(s);
  EXPECT_EQ(s, "ab");
  DropLastCodePoint(s);
  EXPECT_EQ(s, "a");
  s.clear();
  DropLastCodePoint(s);
  EXPECT_EQ(s, "");
}

}  // namespace
}  // namespace qv::text
