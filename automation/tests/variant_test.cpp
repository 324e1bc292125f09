#include <gtest/gtest.h>

#include "automation/automation_error.h"
#include "automation/variant.h"

namespace qv::automation {
namespace {

TEST(VariantText, ConvertsEachKindAsTheHostDoes) {
  EXPECT_EQ(Variant().ToText(), "");
  EXPECT_EQ(Variant(true).ToText(), "True");
  EXPECT_EQ(Variant(false).ToText(), "False");
  EXPECT_EQ(Variant(int16_t{-7}).ToText(), "-7");
  EXPECT_EQ(Variant(27).ToText(), "27");
  EXPECT_EQ(Variant(0.5).ToText(), "0.5");
  EXPECT_EQ(Variant(2.0).ToText(), "2");
  EXPECT_EQ(Variant(1e20).ToText(), "1E+20");
  EXPECT_EQ(Variant(1.5e-7).ToText(), "1.5E-07");
  EXPECT_EQ(Variant("x").ToText(), "x");
}

TEST(VariantNumbers, TextParsesAndRoundsHalfToEven) {
  EXPECT_EQ(Variant(" 42 ").ToInt32(), 42);
  EXPECT_EQ(Variant("&H1F").ToInt32(), 31);
  EXPECT_EQ(Variant(2.5).ToInt32(), 2);
  EXPECT_EQ(Variant(3.5).ToInt32(), 4);
  EXPECT_EQ(Variant(true).ToInt32(), -1);
  EXPECT_EQ(Variant().ToInt32(), 0);
  EXPECT_TRUE(Variant("1e3").IsNumeric());
  EXPECT_FALSE(Variant("12abc").IsNumeric());
  EXPECT_FALSE(Variant("inf").IsNumeric());
  EXPECT_FALSE(Variant("").IsNumeric());
}

TEST(VariantNumbers, BadConversionsRaiseTheHostsErrors) {
  try {
    (void)Variant("four").ToInt32();
    FAIL();
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), err::kTypeMismatch);
    EXPECT_EQ(e.Description(), "Type mismatch");
  }
  EXPECT_THROW((void)Variant(3e10).ToInt32(), AutomationError);
  EXPECT_THROW((void)Variant(40000).ToInt16(), AutomationError);
  EXPECT_THROW((void)Variant::Long(int64_t{1} << 40), AutomationError);
  EXPECT_THROW((void)Variant(1).ToObject(), AutomationError);
}

TEST(VariantBool, TextAndNumbers) {
  EXPECT_TRUE(Variant("TRUE").ToBool());
  EXPECT_FALSE(Variant("false").ToBool());
  EXPECT_TRUE(Variant("-1").ToBool());
  EXPECT_FALSE(Variant(0).ToBool());
  EXPECT_THROW((void)Variant("maybe").ToBool(), AutomationError);
}

TEST(VariantArray, CountsFromItsOwnLowerBound) {
  Variant a = Variant::Array(1, {Variant(3), Variant("x")});
  auto arr = a.ToArray();
  EXPECT_EQ(arr->UBound(), 2);
  EXPECT_EQ(arr->At(1).ToInt32(), 3);
  EXPECT_EQ(arr->At(2).ToText(), "x");
  EXPECT_THROW(arr->At(0), AutomationError);
  EXPECT_THROW(arr->At(3), AutomationError);
  EXPECT_EQ(a.GetType(), Variant::Type::Array);
}

TEST(Date, DefaultTextFormRoundTrips) {
  const Date d = Date::FromParts({2026, 12, 7, 17, 4, 9});
  EXPECT_EQ(d.Text(), "12/7/2026 5:04:09 PM");
  EXPECT_EQ(Date::Parse(d.Text())->Text(), d.Text());
  EXPECT_EQ(Date::FromParts({2000, 1, 1, 0, 0, 0}).Text(), "1/1/2000");
  EXPECT_EQ(Date::FromParts({1899, 12, 30, 0, 30, 0}).Text(), "12:30:00 AM");
  EXPECT_DOUBLE_EQ(Date::FromParts({1900, 1, 1, 12, 0, 0}).Serial(), 2.5);
  EXPECT_FALSE(Date::Parse("13/1/2000").has_value());
  EXPECT_FALSE(Date::Parse("yesterday").has_value());
  EXPECT_EQ(Variant(Date::FromParts({2001, 2, 3, 0, 0, 0})).ToText(), "2/3/2001");
}

}  // namespace
}  // namespace qv::automation
