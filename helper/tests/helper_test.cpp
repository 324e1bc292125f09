#include <gtest/gtest.h>

#include "helper/Module1.h"
#include "helper/dlgIE.h"
#include "initializer/tests/program_runner.h"
#include "platform/net/testing/loopback_server.h"
#include "platform/testing/temp_profile.h"
#include "ui/scripted_driver.h"
#include "ui/toolkit.h"

namespace qv::helper {
namespace {

TEST(Helper, WithoutAnAddressShowsTheUsageAndNoWindow) {
  testing::TempProfile profile;
  const auto run = testing::RunProgram(QV_HELPER_BIN, {}, profile.Dir());
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.transcript,
            "MsgBox \"Helper\" [OK] default=OK: \"Usage: helper <url>\\r\\n\\r\\nWhere: <url> is "
            "a valid web address\\r\\n\\r\\nExample: helper http://www.example.com/\" -> OK\n");
}

TEST(Helper, ShowsThePageOfTheCourseHostInItsWindow) {
  testing::TempProfile profile;
  testing::LoopbackServer server([](testing::LoopbackServer::Connection& c) {
    c.ReadRequest();
    const std::string body = "<html><head><title>Course Help</title></head><body>Hi</body></html>";
    c.Send("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\n\r\n" + body);
  });
  ::setenv("QUORVANTA_HOSTS",
           ("courses.quorvanta.example=127.0.0.1:" + std::to_string(server.Port())).c_str(), 1);
  const auto run = testing::RunProgram(
      QV_HELPER_BIN, {"http://courses.quorvanta.example/engine/help/first.htm"}, profile.Dir());
  ::unsetenv("QUORVANTA_HOSTS");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.transcript,
            "Show dlgIE modal \"Quorvanta Addins Web Page Viewer\"\n"
            "Page dlgIE.winIE \"Course Help\" "
            "\"http://courses.quorvanta.example/engine/help/first.htm\"\n"
            "Unload dlgIE by close box\n");
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0].rfind("GET /engine/help/first.htm ", 0), 0u);
}

TEST(Helper, WindowLaysOutTheBrowserAndKeepsItsMinimumSize) {
  auto driver = std::make_shared<ui::ScriptedDriver>();
  ui::Toolkit toolkit(ui::App("Helper", "", "helper"), driver);
  struct Layout {
    double left, top, width, height, okTop, okLeft;
  };
  std::vector<Layout> seen;
  std::string caption;
  driver->OnForm("dlgIE", [&](ui::Form& form) {
    auto& dlg = static_cast<dlgIE&>(form);
    auto take = [&] {
      seen.push_back({dlg.winIE.Left(), dlg.winIE.Top(), dlg.winIE.Width(), dlg.winIE.Height(),
                      dlg.btnOK.Top(), dlg.btnOK.Left()});
    };
    take();
    caption = dlg.Caption() + "|" + dlg.btnOK.Caption();
    form.Width(150);
    form.Height(300);
    take();
    dlg.btnOK.Click();
  });
  auto window = std::make_shared<dlgIE>();
  EXPECT_TRUE(window->Display(" 'about:blank' ", "Viewer"));
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(caption, "Viewer|&OK") << "the title given, and the button's access key";
  // First shown at 12000 x 8000: the browser fills it, the button centred below.
  EXPECT_EQ(seen[0].left, 50);
  EXPECT_EQ(seen[0].top, 50);
  EXPECT_EQ(seen[0].width, 11800);
  EXPECT_EQ(seen[0].height, 8000 - 375 - 600);
  EXPECT_EQ(seen[0].okTop, 8000 - 375 - 600 + 100);
  EXPECT_EQ(seen[0].okLeft, 6000 - 1215 / 2.0);
  // A tiny window: 200 x 500 at least, the button still below the browser.
  EXPECT_EQ(seen[1].width, 200);
  EXPECT_EQ(seen[1].height, 500);
  EXPECT_EQ(seen[1].okTop, 600);
  // The address reaches the browser exactly as given, blanks and quotes included.
  auto reference = std::make_shared<browser::WebBrowser>();
  reference->Navigate(" 'about:blank' ");
  EXPECT_EQ(window->winIE.LocationURL(), reference->LocationURL());
  EXPECT_NE(driver->Text().find("Hide dlgIE"), std::string::npos) << "closed by OK";
}

}  // namespace
}  // namespace qv::helper
