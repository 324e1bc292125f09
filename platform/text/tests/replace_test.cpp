#include "platform/text/replace.h"

#include <gtest/gtest.h>

namespace qv::platform {
namespace {

TEST(ReplaceAllTest, ReplacesLeftToRightWithoutRescanningWhatItWrote) {
  EXPECT_EQ(ReplaceAll("a&b&&c", "&", "&amp;"), "a&amp;b&amp;&amp;c");
  EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
  EXPECT_EQ(ReplaceAll("x\r\ny\r\n", "\r\n", "\\n"), "x\\ny\\n");
  EXPECT_EQ(ReplaceAll("", "a", "b"), "");
  EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
  EXPECT_EQ(ReplaceAll("\xE2\x80\x9CNo\xE2\x80\x9D", "\xE2\x80\x9C", "\""), "\"No\xE2\x80\x9D");
}

}  // namespace
}  // namespace qv::platform
