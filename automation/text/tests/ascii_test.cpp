#include "automation/text/ascii.h"

#include <gtest/gtest.h>

namespace qv::text {
namespace {

TEST(AsciiCase, OnlyAsciiLettersFold) {
  EXPECT_TRUE(EqualsIgnoreCase("Word.Application", "word.APPLICATION"));
  EXPECT_FALSE(EqualsIgnoreCase("abc", "abcd"));
  EXPECT_FALSE(EqualsIgnoreCase("abcd", "abc"));
  EXPECT_TRUE(EqualsIgnoreCase("", ""));
  // "@" and "`" sit next to the letters; folding by a bit would make them equal to "`" and "@".
  EXPECT_FALSE(EqualsIgnoreCase("@", "`"));
  EXPECT_FALSE(EqualsIgnoreCase("[", "{"));
  // UTF-8 bytes compare as they are: "É" and "é" are different names, as on the host.
  EXPECT_FALSE(EqualsIgnoreCase("\xC3\x89", "\xC3\xA9"));
  EXPECT_EQ(AsciiLowered("MiXeD \xC3\x89 123"), "mixed \xC3\x89 123");
  EXPECT_EQ(AsciiUppered("mixed \xC3\xA9 z{"), "MIXED \xC3\xA9 Z{");
}

TEST(AsciiCase, PrefixesAndSuffixes) {
  EXPECT_TRUE(StartsWithIgnoreCase("JavaScript:go()", "javascript:"));
  EXPECT_FALSE(StartsWithIgnoreCase("java", "javascript:"));
  EXPECT_TRUE(StartsWithIgnoreCase("x", ""));
  EXPECT_TRUE(EndsWithIgnoreCase("Picture.PNG", ".png"));
  EXPECT_FALSE(EndsWithIgnoreCase("png", ".png"));
}

TEST(AsciiCase, HyphenatesCamelCaseNames) {
  EXPECT_EQ(HyphenatedName("backgroundColor"), "background-color");
  EXPECT_EQ(HyphenatedName("responseIdentifier"), "response-identifier");
  EXPECT_EQ(HyphenatedName("border-bottom"), "border-bottom");
  EXPECT_EQ(HyphenatedName(""), "");
}

}  // namespace
}  // namespace qv::text
