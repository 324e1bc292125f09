#include "addin/online/update_check.h"

#include <gtest/gtest.h>

#include <ctime>

#include "addin/settings/g_state.h"
#include "automation/date.h"
#include "automation/variant.h"
#include "online/course_host_name.h"
#include "online/reg.h"
#include "online/settings_keys.h"
#include "platform/net/host_overrides.h"
#include "platform/net/testing/loopback_server.h"
#include "platform/testing/temp_profile.h"
#include "ui/scripted_driver.h"
#include "ui/toolkit.h"

namespace qv::addin {
namespace {

namespace reg = online::reg;
using automation::Variant;

double NowSerial() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  return automation::Date::FromParts({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                      local.tm_hour, local.tm_min, local.tm_sec})
      .Serial();
}

struct UpdateCheckTest : ::testing::Test {
  qv::testing::TempProfile profile;
  std::shared_ptr<ui::ScriptedDriver> driver = std::make_shared<ui::ScriptedDriver>();
  ui::Toolkit toolkit{ui::App("Word", "", "word"), driver};
  qv::testing::LoopbackServer server{[](qv::testing::LoopbackServer::Connection& c) {
    c.ReadRequest();
    c.Send(qv::testing::LoopbackServer::Answer("ver=27;"));
  }};
  std::string savedHost = G().strHost;

  void SetUp() override {
    ASSERT_TRUE(platform::MapHost(online::kDefaultCourseHost, "127.0.0.1", server.Port()));
    reg::CreateKey(online::HKEY_CURRENT_USER, online::kAddinKey);
    G().strHost = "my&school.example/";
  }
  void TearDown() override {
    G().strHost = savedHost;
    (void)platform::UnmapHost(online::kDefaultCourseHost);
  }
  static void Set(const char* name, const std::string& value) {
    reg::SetValue(online::HKEY_CURRENT_USER, online::kAddinKey, name, Variant(value), reg::REG_SZ);
  }
  static std::string Get(const char* name) {
    return reg::QueryValue(online::HKEY_CURRENT_USER, online::kAddinKey, name).ToText();
  }
  static std::string DaysAgo(double days) { return automation::Date(NowSerial() - days).Text(); }
};

TEST_F(UpdateCheckTest, PostsTheVersionAndTheHostAsHeld) {
  driver->AnswerMsgBox(ui::vbYes);
  EXPECT_FALSE(checkForUpgrade());
  ASSERT_EQ(server.Requests().size(), 1u);
  const std::string request = server.Requests()[0];
  EXPECT_EQ(request.rfind("POST /engine/help/info.asp HTTP/1.0\r\n", 0), 0u) << request;
  EXPECT_NE(request.find("\r\nUser-Agent: Word Add-In\r\n"), std::string::npos) << request;
  EXPECT_EQ(request.substr(request.find("\r\n\r\n") + 4),
            "getVer=true&ver=27&strHost=my&school.example/&sender=KZOWord")
      << "the host text is sent as it is held";
}

TEST_F(UpdateCheckTest, RunsOncePerSevenDaysCountedFromTheLastStart) {
  // Less than 7 days since the last start: nothing asked, but this start becomes the new mark.
  const std::string recent = DaysAgo(6.9);
  Set("lastUpdt", recent);
  EXPECT_FALSE(checkForUpgrade());
  EXPECT_TRUE(driver->Transcript().empty()) << driver->Text();
  const std::string written = Get("lastUpdt");
  EXPECT_NE(written, recent);
  const auto mark = automation::Date::Parse(written);
  ASSERT_TRUE(mark.has_value()) << written;
  EXPECT_NEAR(mark->Serial(), NowSerial(), 2.0 / 86400);

  // Seven days and a minute: asked.
  Set("lastUpdt", DaysAgo(7 + 1.0 / 1440));
  driver->AnswerMsgBox(ui::vbNo);
  EXPECT_FALSE(checkForUpgrade());
  ASSERT_EQ(driver->Transcript().size(), 1u);
  EXPECT_EQ(driver->Transcript()[0]->title, "Quorvanta Update");
  EXPECT_TRUE(server.Requests().empty()) << "declined: the course host is not asked";
}

TEST_F(UpdateCheckTest, ANewerVersionIsAnnouncedAndTrueWhateverTheAnswer) {
  Set("latestVer", "31");
  driver->AnswerMsgBox(ui::vbCancel);
  EXPECT_TRUE(checkForUpgrade());
  driver->AnswerMsgBox(ui::vbOK);
  Set("lastUpdt", "");
  EXPECT_TRUE(checkForUpgrade());
  ASSERT_EQ(driver->Transcript().size(), 2u) << driver->Text();
  EXPECT_EQ(driver->Transcript()[1]->buttons, ui::vbOKCancel);
  EXPECT_TRUE(server.Requests().empty()) << "a known newer version needs no post";
  EXPECT_EQ(Get("latestVer"), "31");
}

}  // namespace
}  // namespace qv::addin
