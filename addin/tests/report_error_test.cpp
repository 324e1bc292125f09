#include "addin/questions/report_error.h"

#include <gtest/gtest.h>

#include "addin/settings/g_state.h"
#include "addin/tests/request_fields.h"
#include "online/course_host_name.h"
#include "online/reg.h"
#include "online/settings_keys.h"
#include "platform/net/host_overrides.h"
#include "platform/net/testing/loopback_server.h"
#include "platform/testing/temp_profile.h"
#include "ui/scripted_driver.h"
#include "ui/toolkit.h"
#include "word/application.h"
#include "word/document.h"
#include "word/documents.h"
#include "word/running_application.h"

namespace qv::addin {
namespace {

namespace reg = online::reg;
using testing::Field;

struct ReportErrorTest : ::testing::Test {
  qv::testing::TempProfile profile;
  std::shared_ptr<ui::ScriptedDriver> driver = std::make_shared<ui::ScriptedDriver>();
  ui::Toolkit toolkit{ui::App("Word", "", "word"), driver};
  qv::testing::LoopbackServer server{[](qv::testing::LoopbackServer::Connection& c) {
    c.ReadRequest();
    c.Send(qv::testing::LoopbackServer::Answer("ok"));
  }};

  void SetUp() override {
    ASSERT_TRUE(platform::MapHost(online::kDefaultCourseHost, "127.0.0.1", server.Port()));
    reg::CreateKey(online::HKEY_CURRENT_USER, online::kAddinKey);
  }
  void Installing(const char* value) {
    reg::SetValue(online::HKEY_CURRENT_USER, online::kAddinKey, "isInstalling",
                  automation::Variant(value), reg::REG_SZ);
  }
};

TEST_F(ReportErrorTest, PostsTheWholeDescriptionIntactAndAsksNothingWhileInstalling) {
  Installing("true");
  ReportError("a & b\r\nc = d", "G.Test ERL=(3)", 91, true);
  ASSERT_EQ(server.Requests().size(), 1u);
  const std::string request = server.Requests()[0];
  EXPECT_EQ(request.rfind("POST /Err/rptErr.asp HTTP/1.0\r\n", 0), 0u);
  EXPECT_EQ(Field(request, "sender"), "KZOWord");
  const std::string msg = Field(request, "msg");
  EXPECT_EQ(msg.rfind("An error has occurred in G.Test ERL=(3)\r\n\r\na & b\r\nc = d (91)\r\n", 0),
            0u)
      << msg;
  EXPECT_NE(msg.find("\r\nisInstalling=true\r\n"), std::string::npos);
  EXPECT_TRUE(driver->Transcript().empty()) << driver->Text();
}

TEST_F(ReportErrorTest, ShowsTheErrorBoxWhenAskedAndNotInstalling) {
  Installing("false");
  ReportError("It broke", "G.Test", 5, true);
  ASSERT_EQ(driver->Transcript().size(), 1u);
  const auto& box = *driver->Transcript()[0];
  EXPECT_EQ(box.title, "Error");
  EXPECT_EQ(box.text, "An error has occurred.\r\n\r\nIt broke");
  EXPECT_EQ(box.icon, ui::vbCritical);
  EXPECT_EQ(box.buttons, ui::vbOKOnly);
  ReportError("Quietly", "G.Test", 5, false);
  EXPECT_EQ(driver->Transcript().size(), 1u) << "the flag false shows nothing";
  EXPECT_EQ(server.Requests().size(), 2u) << "but still reports";
}

TEST_F(ReportErrorTest, ListsTheOpenDocumentsMarkingTheActiveName) {
  auto app = std::make_shared<word::Application>();
  word::RegisterRunningApplication(app);
  auto a = app->Documents()->Add();
  std::filesystem::create_directories(profile.Dir() / "one");
  std::filesystem::create_directories(profile.Dir() / "two");
  a->SaveAs((profile.Dir() / "one" / "same.doc").string());
  auto b = app->Documents()->Add();
  b->SaveAs((profile.Dir() / "two" / "same.doc").string());
  auto c = app->Documents()->Add();
  c->SaveAs((profile.Dir() / "other.doc").string());
  a->Activate();
  const std::string text = ErrorReportText("d", "w", 1);
  EXPECT_NE(text.find("System.VerticalResolution = "), std::string::npos);
  const auto docs = text.substr(text.find("\r\n\r\n", text.find("System.VerticalResolution")) + 4);
  EXPECT_EQ(docs, "* n[same.doc] ---> p[" + (profile.Dir() / "one").string() + "]\r\n" +
                      "* n[same.doc] ---> p[" + (profile.Dir() / "two").string() + "]\r\n" +
                      "n[other.doc] ---> p[" + profile.Dir().string() + "]\r\n");
  word::UnregisterRunningApplication(app.get());
}

TEST_F(ReportErrorTest, WithoutAWordProcessorTheLinesStayInOrder) {
  const std::string text = ErrorReportText("d", "w", 1);
  EXPECT_NE(text.find("\r\nApp.Version=\r\nkzoUser="), std::string::npos) << text;
  EXPECT_EQ(text.substr(text.size() - 4), "\r\n\r\n") << "no document lines";
}

}  // namespace
}  // namespace qv::addin
