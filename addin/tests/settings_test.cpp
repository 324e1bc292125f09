#include <gtest/gtest.h>

#include "addin/questions/question_types.h"
#include "addin/settings/init_settings.h"
#include "automation/automation_error.h"
#include "automation/testing/raised_error.h"
#include "online/course_host_name.h"
#include "online/reg.h"
#include "online/settings_keys.h"
#include "platform/testing/temp_profile.h"

namespace qv::addin {
namespace {

using automation::Variant;
using online::HKEY_CURRENT_USER;
using qv::testing::ErrorNumber;

const std::string kDefaultHost = online::kDefaultCourseHost;
const std::string kPrefix = "/prot/{00000000-0000-0000-0000-000000000000}/_/02/PKs/50/";

class InitSettingsTest : public ::testing::Test {
 protected:
  testing::TempProfile profile;

  void SetUp() override {
    online::reg::CreateKey(HKEY_CURRENT_USER, online::kAddinKey);  // and the company key
  }
  void SetCompany(const std::string& name, const Variant& value) {
    online::reg::SetValue(HKEY_CURRENT_USER, online::kCompanyKey, name, value, online::reg::REG_SZ);
  }
  void SetAddin(const std::string& name, const Variant& value, int32_t type = online::reg::REG_SZ) {
    online::reg::SetValue(HKEY_CURRENT_USER, online::kAddinKey, name, value, type);
  }
  GState Init() {
    GState g;
    InitSettings(g);
    return g;
  }
};

TEST_F(InitSettingsTest, AnEmptyRegistryGivesTheDefaults) {
  const GState g = Init();
  EXPECT_EQ(g.ampSubstitute, std::string(1, '\x02'));
  EXPECT_EQ(g.hive, 0x80000001u);
  EXPECT_EQ(g.IMG_PATH, "");
  EXPECT_EQ(g.strHost, kDefaultHost);
  EXPECT_EQ(g.strQuery, "");
  EXPECT_EQ(g.numAs, 4);
  // The default host is used in every example address too.
  EXPECT_EQ(g.examplePages.At(0), "http://" + kDefaultHost + kPrefix + "5837/qti_examples-2.htm");
  EXPECT_EQ(g.examplePages.At(9), "http://" + kDefaultHost + kPrefix + "5836/qti_examples-1.htm");
}

TEST_F(InitSettingsTest, ASeededRegistryIsRead) {
  SetAddin("IMG_PATH", "C:\\Program Files\\Quorvanta Technologies, Inc.\\Word Add-in\\Img\\");
  SetAddin("numAs", "6");
  SetCompany("strHost", "learn.example.org");
  SetCompany("strQuery", "?u=7&k=1");
  const GState g = Init();
  EXPECT_EQ(g.IMG_PATH, "C:\\Program Files\\Quorvanta Technologies, Inc.\\Word Add-in\\Img\\");
  EXPECT_EQ(g.numAs, 6);
  EXPECT_EQ(g.strHost, "learn.example.org");
  EXPECT_EQ(g.strQuery, "?u=7&k=1");
  EXPECT_EQ(g.examplePages.At(6), "http://learn.example.org" + kPrefix + "5889/qti_examples-7.htm");

  // InitSettings() fills the library's own state.
  InitSettings();
  EXPECT_EQ(G().strHost, "learn.example.org");
  EXPECT_EQ(G().typeNames.At(7), "Hot Spot");
}

TEST_F(InitSettingsTest, OnlyALowerCaseHttpPrefixWithAHostAfterItIsDropped) {
  const struct {
    const char* stored;
    const char* host;
  } cases[] = {
      {"http://host", "host"},
      {"HTTP://host", "HTTP://host"},
      {"http://", "http://"},
      {"http://h/", "h/"},
      {"host/", "host/"},
      {"https://host", "https://host"},
      {"http://http://x", "http://x"},
  };
  for (const auto& c : cases) {
    SetCompany("strHost", c.stored);
    const GState g = Init();
    EXPECT_EQ(g.strHost, c.host) << c.stored;
    EXPECT_EQ(g.examplePages.At(1),
              "http://" + std::string(c.host) + kPrefix + "5838/qti_examples-3.htm");
  }
  SetCompany("strHost", "");
  EXPECT_EQ(Init().strHost, kDefaultHost);
}

TEST_F(InitSettingsTest, NumAsTakesTheHostsIntegerValueOrFallsBackToFour) {
  const struct {
    Variant stored;
    int32_t type;
    int32_t numAs;
  } cases[] = {
      {Variant("6"), online::reg::REG_SZ, 6},
      {Variant("abc"), online::reg::REG_SZ, 4},
      {Variant(""), online::reg::REG_SZ, 4},
      {Variant(" 3 "), online::reg::REG_SZ, 3},
      {Variant("5.7"), online::reg::REG_SZ, 6},
      {Variant("2.5"), online::reg::REG_SZ, 2},
      {Variant("0"), online::reg::REG_SZ, 0},
      {Variant("-2"), online::reg::REG_SZ, -2},
      {Variant("99999999999"), online::reg::REG_SZ, 4},
      {Variant(5), online::reg::REG_DWORD, 5},
  };
  for (const auto& c : cases) {
    SetAddin("numAs", c.stored, c.type);
    EXPECT_EQ(Init().numAs, c.numAs) << c.stored.ToText();
  }
}

TEST_F(InitSettingsTest, KzoUserStoredAsTheNumberZeroReadsAsZero) {
  SetAddin("kzoUser", Variant(0), online::reg::REG_DWORD);
  const Variant v = online::reg::QueryValue(HKEY_CURRENT_USER, online::kAddinKey, "kzoUser", "");
  EXPECT_EQ(v.GetType(), Variant::Type::Int32);
  EXPECT_EQ(v.ToText(), "0");
}

TEST(PerTypeTables, HoldTheFixedTextsOfEachType) {
  testing::TempProfile profile;
  GState g;
  InitSettings(g);
  EXPECT_EQ(g.typeNames.At(3), "Multiple Choice with Fill-in-the-Blank");
  EXPECT_EQ(g.typeNames.At(10), "");
  EXPECT_EQ(g.questionPrompts.At(4), "Enter multiple-correct question text here");
  EXPECT_EQ(g.questionPrompts.At(2), "Enter question text here");
  EXPECT_EQ(g.questionPrompts.At(8), "");
  EXPECT_EQ(g.authorInstructions.At(4), g.authorInstructions.At(3));
  EXPECT_EQ(g.authorInstructions.At(7),
            "Instructions for You: Add correct answer areas over images");
  EXPECT_EQ(g.authorInstructions.At(0), "");
  for (int32_t none : {2, 8, 10})
    EXPECT_EQ(g.examplePages.At(none), "") << none;

  for (int32_t bad : {11, -1}) {
    EXPECT_EQ(ErrorNumber([&] { (void)g.typeNames.At(bad); }), automation::err::kSubscript) << bad;
    EXPECT_THROW((void)ExamplePagePath(bad), automation::AutomationError);
  }
}

TEST(QuestionTypes, NamesAndPredicates) {
  EXPECT_EQ(TypeCodeFromName("Multiple Choice"), 0);
  EXPECT_EQ(TypeCodeFromName("True/False"), 9);
  EXPECT_EQ(TypeCodeFromName("Hot Spot"), 7);
  EXPECT_EQ(TypeCodeFromName("hot spot"), -1);  // exact comparison
  EXPECT_EQ(TypeCodeFromName(""), -1);          // the unnamed codes never match

  std::string choice, fib, kind;
  for (int32_t t = 0; t < kQuestionTypeCount; ++t) {
    choice += HasChoiceAnswers(t) ? '1' : '0';
    fib += IsChoiceFIB(t) ? '1' : '0';
    kind += static_cast<char>('0' + BreakKindForType(t));
  }
  EXPECT_EQ(choice, "11011000010");
  EXPECT_EQ(fib, "00011000000");
  EXPECT_EQ(kind, "11111111112");
}

}  // namespace
}  // namespace qv::addin
