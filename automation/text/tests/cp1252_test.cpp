#include "automation/text/cp1252.h"

#include <gtest/gtest.h>

#include <string>

namespace qv::text {
namespace {

TEST(Cp1252, EncodesLatin1AndTheSpecialRange) {
  struct Case {
    const char* utf8;
    const char* bytes;
  };
  const Case cases[] = {
      {"plain ASCII", "plain ASCII"},
      {"\xC3\xA9", "\xE9"},      // é
      {"\xE2\x82\xAC", "\x80"},  // €
      {"\xE2\x80\x9C", "\x93"},  // left double quotation mark
      {"\xE2\x80\x9D", "\x94"},  // right double quotation mark
      {"\xC5\xB8", "\x9F"},      // Ÿ
      {"\xE2\x84\xA2", "\x99"},  // ™
      {"\xC2\xA0\xC3\xBF", "\xA0\xFF"},
      {"\xE2\x80\x93", "\x96"},  // en dash
  };
  for (const auto& c : cases)
    EXPECT_EQ(Utf8ToCp1252(c.utf8), c.bytes) << c.utf8;
}

TEST(Cp1252, CharactersOutsideTheCodePageAndBrokenUtf8BecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1252("a\xE4\xB8\xAD"
                         "b"),
            "a?b");                                  // CJK
  EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x98\x80"), "?");  // emoji (4 bytes)
  EXPECT_EQ(Utf8ToCp1252("\xC4\x80"), "?");          // Ā
  EXPECT_EQ(Utf8ToCp1252("x\xC3"), "x?");            // truncated sequence
  EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "??");         // overlong form
  EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "???");    // surrogate
}

TEST(Cp1252, EveryByteSurvivesARoundTrip) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(byte)), byte) << b;
  }
  EXPECT_EQ(Cp1252ToUtf8("\x80\x85\xE9"), "\xE2\x82\xAC\xE2\x80\xA6\xC3\xA9");
  // The five bytes the code page leaves undefined stand for the control code points of the same
  // value, both ways.
  for (const unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    EXPECT_EQ(CodePointFromCp1252(undefined), char32_t{undefined});
    EXPECT_EQ(Cp1252FromCodePoint(undefined), int{undefined});
  }
}

TEST(Cp1252, ClassifiesLettersAndDigitsAsTheHostDoes) {
  const unsigned char alnum[] = {'A',  'z',  '0',  '9',  0xE9, 0xC0, 0xFF, 0xDF,
                                 0x8A, 0x9C, 0x83, 0xAA, 0xB5, 0xB2, 0xB9};
  for (unsigned char c : alnum)
    EXPECT_TRUE(IsCharAlphaNumericA(c)) << int(c);
  const unsigned char other[] = {' ',  '-',  '_',  '@',  '.',  0x80, 0x93,
                                 0xA0, 0xD7, 0xF7, 0xBF, 0xA9, 0x81, 0x00};
  for (unsigned char c : other)
    EXPECT_FALSE(IsCharAlphaNumericA(c)) << int(c);
  EXPECT_FALSE(IsCharAlphaA('5'));
  EXPECT_FALSE(IsCharAlphaA(0xB2));
  EXPECT_TRUE(IsCodePointAlphaNumeric1252(U'\u00E9'));
  EXPECT_TRUE(IsCodePointAlphaNumeric1252(U'\u0161'));   // š lives at 0x9A
  EXPECT_FALSE(IsCodePointAlphaNumeric1252(U'\u0101'));  // ā is not in the code page
  EXPECT_FALSE(IsCodePointAlphaNumeric1252(U'\u20AC'));
}

}  // namespace
}  // namespace qv::text
