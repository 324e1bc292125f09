// Pages of a web server: relative links, error statuses, the host override table, reloading and
// stopping.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <mutex>

#include "browser/web_browser.h"
#include "platform/net/testing/loopback_server.h"
#include "platform/testing/temp_profile.h"
#include "ui/toolkit.h"

namespace qv::browser {
namespace {

// A server whose pages are titled by their path; "/missing" answers 404 with a page of its own.
class Site {
 public:
  Site()
      : server_([this](qv::testing::LoopbackServer::Connection& c) {
          const std::string request = c.ReadRequest();
          const size_t start = request.find(' ') + 1;
          const std::string path = request.substr(start, request.find(' ', start) - start);
          {
            std::lock_guard lock(mutex_);
            paths_.push_back(path);
          }
          const bool missing = path == "/missing";
          const std::string body =
              "<html><head><title>" + std::string(missing ? "Not here" : path) +
              "</title></head><body><a id=rel href='next.htm'>n</a><a id=abs href='/top.htm'>t</a>"
              "</body></html>";
          c.Send(std::string(missing ? "HTTP/1.0 404 Not Found" : "HTTP/1.0 200 OK") +
                 "\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(body.size()) +
                 "\r\n\r\n" + body);
        }) {}

  std::string Base() const { return "127.0.0.1:" + std::to_string(server_.Port()); }
  uint16_t Port() const { return server_.Port(); }
  std::vector<std::string> Paths() {
    std::lock_guard lock(mutex_);
    return paths_;
  }

 private:
  std::mutex mutex_;
  std::vector<std::string> paths_;
  qv::testing::LoopbackServer server_;
};

class Navigation : public ::testing::Test {
 protected:
  qv::testing::TempProfile profile_;
  ui::Toolkit toolkit_;
  Site site_;
  std::shared_ptr<WebBrowser> browser_ = std::make_shared<WebBrowser>();
};

TEST_F(Navigation, RelativeLinksAreReadAgainstThePageAddress) {
  browser_->Navigate("http://" + site_.Base() + "/lessons/list.asp?id=3");
  browser_->Document()->GetElementById("rel")->Click();
  EXPECT_EQ(browser_->Document()->Title(), "/lessons/next.htm");
  browser_->Document()->GetElementById("abs")->Click();
  EXPECT_EQ(browser_->Document()->Title(), "/top.htm");
  EXPECT_EQ(browser_->LocationURL(), "http://" + site_.Base() + "/top.htm");
}

TEST_F(Navigation, AnErrorStatusShowsTheServersPage) {
  browser_->Navigate("http://" + site_.Base() + "/missing");
  EXPECT_EQ(browser_->ReadyState(), 4);
  EXPECT_EQ(browser_->Document()->Title(), "Not here");
}

TEST_F(Navigation, TheCourseHostIsReachedThroughTheHostOverrideTable) {
  ::setenv("QUORVANTA_HOSTS", ("course.example=127.0.0.1:" + std::to_string(site_.Port())).c_str(),
           1);
  browser_->Navigate("course.example/engine/help/info.asp?id=4&ver=27");
  ::unsetenv("QUORVANTA_HOSTS");
  EXPECT_EQ(browser_->Document()->Title(), "/engine/help/info.asp?id=4&ver=27");
  EXPECT_EQ(browser_->LocationURL(), "http://course.example/engine/help/info.asp?id=4&ver=27");
}

TEST_F(Navigation, RefreshLoadsAgainAndStopDropsAWaitingNavigation) {
  browser_->Navigate("http://" + site_.Base() + "/a.htm");
  browser_->Refresh();
  EXPECT_EQ(site_.Paths(), (std::vector<std::string>{"/a.htm", "/a.htm"}));
  browser_->Window()->RunScript("navigate('/b.htm');");
  EXPECT_TRUE(browser_->Busy());
  browser_->Stop();
  ui::DoEvents();
  EXPECT_EQ(browser_->ReadyState(), 4);
  EXPECT_EQ(browser_->Document()->Title(), "/a.htm");
  EXPECT_EQ(site_.Paths().size(), 2u);
}

}  // namespace
}  // namespace qv::browser
