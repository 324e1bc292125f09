#include "addin/questions/attribute_string.h"

#include <gtest/gtest.h>

namespace qv::addin {
namespace {

const std::string kNewQuestion = "kzoQ0&qID=AbC123xyZ0987654&points=10";

TEST(GetAttr, FindsKeysByTheirWholeName) {
  struct Case {
    std::string attributes, key, value;
  } cases[] = {
      {kNewQuestion, "points", "10"},
      {kNewQuestion, "qID", "AbC123xyZ0987654"},
      {kNewQuestion, "ID", ""},  // only the tail of qID
      {kNewQuestion, "Points", ""},
      {"kzoQ0&fcomm=a=b&x=1", "fcomm", "a=b"},
      {"kzoQ0&pcomm=Tom \x02 Jerry", "pcomm", "Tom & Jerry"},
      {"kzoA0", "checked", ""},
      {"kzoA0&checked=on", "checked", "on"},
      {"kzoO5&ans=a\x01"
       "b&h=1&w=20",
       "ans",
       "a\x01"
       "b"},
      {"", "qID", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GetAttr(c.attributes, c.key), c.value) << c.attributes;
}

TEST(WithAttr, ReplacesInPlaceOrAppends) {
  struct Case {
    std::string attributes, key, value, result;
  } cases[] = {
      {kNewQuestion, "points", "5", "kzoQ0&qID=AbC123xyZ0987654&points=5"},
      {kNewQuestion, "qID", "N", "kzoQ0&qID=N&points=10"},
      {kNewQuestion, "title", "T", kNewQuestion + "&title=T"},
      {"kzoA0", "checked", "on", "kzoA0&checked=on"},
      {"kzoQ0&pcomm=x", "pcomm", "A &amp; B", "kzoQ0&pcomm=A \x02 B"},
      {"kzoQ0&pcomm=x&amp;y", "fcomm", "z", "kzoQ0&pcomm=x\x02y&fcomm=z"},
      {"kzoQ0&fcomm=", "fcomm", "a=b", "kzoQ0&fcomm=a=b"},
      // The whole old value is replaced, an escaped ampersand in it too (its tail once stayed
      // behind and joined the new value).
      {"kzoQ0&pcomm=x&amp;y&w=2", "pcomm", "z", "kzoQ0&pcomm=z&w=2"},
      {"kzoQ0&pcomm=x&amp;y", "pcomm", "z", "kzoQ0&pcomm=z"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(WithAttr(c.attributes, c.key, c.value), c.result) << c.attributes;
}

TEST(WithAttr, AValueHoldingTheSubstituteReadsBackWithAnAmpersand) {
  // The substitute byte is the stored form of "&": written inside a value, it reads back as "&"
  // (the attribute fuzz target once expected the byte itself back).
  const std::string written = WithAttr("kzoQ(oQ(nts=10", "poi", std::string("sn\x02z", 4));
  EXPECT_EQ(GetAttr(written, "poi"), "sn&z");
}

TEST(MarkerHead, PrefixAndTypeCode) {
  EXPECT_EQ(AttrPrefix(kNewQuestion), "kzoQ0");
  EXPECT_EQ(AttrPrefix("kzoB"), "kzoB");
  struct Case {
    std::string attributes;
    int code;
  } cases[] = {
      {kNewQuestion, 0},
      {"kzoA10", 10},
      {"kzoA10&checked=on", 10},
      {"kzoB", 0},
      {"kzoQ7&qID=x", 7},
      {"kzoQx&a=1", 0},
      {"kzo", 0},
      {"", 0},
      {"kzoQ99999999999", 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GetQType(c.attributes), c.code) << c.attributes;
}

TEST(MarkerHead, KindNeedsFourCharacters) {
  EXPECT_TRUE(HasMarkerKind("kzoQ0&qID=1", "kzoQ"));
  EXPECT_TRUE(HasMarkerKind("kzoB", "kzoB"));
  EXPECT_FALSE(HasMarkerKind("kzo", "kzoQ"));
  EXPECT_FALSE(HasMarkerKind("KZOQ0", "kzoQ"));
  EXPECT_FALSE(HasMarkerKind("kzoA0", "kzoQ"));
}

}  // namespace
}  // namespace qv::addin
