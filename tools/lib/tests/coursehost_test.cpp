#include "tools/lib/coursehost/course_host.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>

#include "online/course_host_name.h"
#include "online/modWinInet.h"
#include "platform/files.h"
#include "platform/net/host_overrides.h"
#include "platform/net/socket_internet_client.h"
#include "platform/testing/temp_profile.h"
#include "tools/lib/coursehost/form_fields.h"
#include "tools/lib/coursehost/pages.h"

extern char** environ;

namespace qv::tools {
namespace {

using namespace std::chrono_literals;
namespace inet = platform::inet;

platform::NetOptions Quick() {
  return {2s, 2s, size_t{1} << 20};
}

struct Fetched {
  std::string status;
  std::string body;
};

// A GET of `target` on the default course host through the platform's client.
Fetched Get(const std::string& target) {
  platform::SocketInternetClient net(Quick());
  Fetched f;
  const auto root = net.InternetOpen("test", inet::kOpenTypePreconfig, "", "", 0);
  const auto conn =
      net.InternetConnect(root, online::kDefaultCourseHost, 80, "", "", inet::kServiceHttp, 0);
  const auto req = net.HttpOpenRequest(conn, "GET", target, "HTTP/1.0", "", {}, 0);
  if (net.HttpSendRequest(req, "", 0, "")) {
    net.HttpQueryInfo(req, inet::kQueryStatusCode, f.status);
    char buffer[512];
    uint32_t got = 0;
    while (net.InternetReadFile(req, buffer, sizeof buffer, got) && got > 0) {
      f.body.append(buffer, got);
    }
  }
  net.InternetCloseHandle(root);
  return f;
}

// What a raw client gets back for `bytes`, sent as they are.
std::string RawExchange(uint16_t port, const std::string& bytes) {
  auto c = platform::ConnectTcp("127.0.0.1", port, 2s);
  if (c.status != platform::NetStatus::Ok) return "";
  platform::SendAll(c.socket, bytes, 2s);
  std::string answer;
  char buffer[1024];
  size_t got = 0;
  while (platform::ReceiveSome(c.socket, buffer, sizeof buffer, 3s, got) ==
         platform::NetStatus::Ok) {
    answer.append(buffer, got);
  }
  return answer;
}

class CourseHostTest : public ::testing::Test {
 protected:
  void Start(CourseHostOptions options = {}) {
    options.reportDir = profile_.Dir() / "reports";
    host_ = std::make_unique<CourseHost>(options);
    host_->Start();
    ASSERT_TRUE(platform::MapHost(online::kDefaultCourseHost, "127.0.0.1", host_->Port()));
  }
  online::PostOptions Post(online::PostSender sender = online::kWordAddInSender) {
    online::PostOptions o(sender);
    o.makeClient = [] { return std::make_unique<platform::SocketInternetClient>(Quick()); };
    return o;
  }

  testing::TempProfile profile_;
  std::unique_ptr<CourseHost> host_;
};

TEST_F(CourseHostTest, StoresReportsInOrderWithTheirTextIntact) {
  Start();
  const std::string first =
      "An error has occurred in G.X\r\n\r\nfish & chips = 5% (91)\r\ncaf\xC3\xA9";
  online::SendErrorReport(first, Post());
  online::SendErrorReport("second", Post(online::kInitializerSender));

  const auto files = host_->Reports().List();
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].filename(), "000001.json");
  EXPECT_EQ(files[1].filename(), "000002.json");
  const auto report = nlohmann::json::parse(*platform::ReadWholeFile(files[0]));
  EXPECT_EQ(report["fields"]["msg"], first);
  EXPECT_EQ(report["fields"]["sender"], "KZOWord");
  EXPECT_EQ(report["path"], "/Err/rptErr.asp");
  EXPECT_EQ(report["raw"].get<std::string>().substr(0, 32), "msg=An%20error%20has%20occurred%");
  const auto second = nlohmann::json::parse(*platform::ReadWholeFile(files[1]));
  EXPECT_EQ(second["fields"]["msg"], "second");
  EXPECT_EQ(second["fields"]["sender"], "KZOInitializer");
}

TEST_F(CourseHostTest, AnswersTheUpdateCheckWithTheConfiguredVersion) {
  CourseHostOptions options;
  options.version = 30;
  Start(options);
  const auto answer =
      online::HttpPost("getVer=true&ver=27&strHost=x", "/engine/help/info.asp", Post());
  EXPECT_EQ(answer, "ver=30;" + std::string(93, ' '));
  EXPECT_EQ(Get("/engine/help/info.asp?id=1001&ver=27").status, "200");  // the help page

  host_.reset();
  options.versionAnswer = "<html>newest: ver=31;</html>";
  Start(options);
  EXPECT_EQ(online::HttpPost("getVer=true", "/engine/help/info.asp", Post()).substr(0, 28),
            "<html>newest: ver=31;</html>");
}

TEST_F(CourseHostTest, ServesTheAddInsPagesWithTitlesAndNothingElse) {
  Start();
  const std::pair<const char*, const char*> pages[] = {
      {"/Files/02/pages/help/tutorials.asp?SchoolID=2", "<title>Tutorials</title>"},
      {"/Groups/Config/CreatePortal.asp?kzoUser=False", "<title>courses.quorvanta.example</title>"},
      {"/", "<title>courses.quorvanta.example</title>"},
      {"/groups/lessoneditor.asp", "<title>courses.quorvanta.example - Lesson Editor</title>"},
      {"/prot/{00000000-0000-0000-0000-000000000000}/_/02/PKs/50/5837/qti_examples-2.htm",
       "<title>Qti Examples 2</title>"},
      {"/addins.asp?strHost=a&ver=27", "<title>Addins</title>"},
  };
  for (const auto& [target, title] : pages) {
    const auto page = Get(target);
    EXPECT_EQ(page.status, "200") << target;
    EXPECT_NE(page.body.find(title), std::string::npos) << target << "\n" << page.body;
  }
  // The portal names the host the browser asked for, port included; junk is not echoed.
  const auto portal = [&](const std::string& host) {
    return RawExchange(host_->Port(), "GET /Groups/Config/CreatePortal.asp HTTP/1.0\r\nHost: " +
                                          host + "\r\n\r\n");
  };
  EXPECT_NE(portal("127.0.0.1:8080").find("<title>127.0.0.1:8080</title>"), std::string::npos);
  EXPECT_NE(portal("<b>").find("<title>courses.quorvanta.example</title>"), std::string::npos);
  EXPECT_EQ(Get("/prot/x/qti_examples-x.htm").status, "404");
  EXPECT_EQ(Get("/Err/rptErr.asp").status, "404");
  const auto log = host_->Requests();
  ASSERT_EQ(log.size(), 10u);
  EXPECT_EQ(log[0].method, "GET");
  EXPECT_EQ(log[0].path, "/Files/02/pages/help/tutorials.asp");
  EXPECT_EQ(log[0].query, "SchoolID=2");
  EXPECT_EQ(log[9].status, 404);
}

TEST_F(CourseHostTest, RefusesMalformedOversizedAndSlowRequests) {
  CourseHostOptions options;
  options.connectionTimeout = 600ms;
  Start(options);
  const uint16_t port = host_->Port();
  struct Case {
    std::string bytes;
    const char* statusLine;
  };
  const Case cases[] = {
      {"GARBAGE\r\n\r\n", "HTTP/1.0 400 Bad Request\r\n"},
      {"GET /a b HTTP/1.0\r\n\r\n", "HTTP/1.0 400 Bad Request\r\n"},
      {"GET / HTTP/1.0\r\nno colon\r\n\r\n", "HTTP/1.0 400 Bad Request\r\n"},
      {"POST /Err/rptErr.asp HTTP/1.0\r\nContent-Length: -4\r\n\r\n", "HTTP/1.0 400 "},
      {"POST /Err/rptErr.asp HTTP/1.0\r\nContent-Length: 99999999999\r\n\r\n", "HTTP/1.0 413 "},
      {"GET / HTTP/1.0\r\nX: " + std::string(20000, 'a') + "\r\n\r\n", "HTTP/1.0 400 "},
      {"DELETE / HTTP/1.0\r\n\r\n", "HTTP/1.0 501 "},
      {"POST /Err/rptErr.asp HTTP/1.0\r\nContent-Length: 10\r\n\r\nabc", "HTTP/1.0 408 "},
      {"GET / HTTP/1.0\r\n", "HTTP/1.0 408 "},
  };
  for (const auto& c : cases) {
    const auto answer = RawExchange(port, c.bytes);
    EXPECT_EQ(answer.substr(0, std::string(c.statusLine).size()), c.statusLine)
        << c.bytes.substr(0, 60);
  }
  EXPECT_TRUE(host_->Reports().List().empty());
  // Still serving after all that.
  EXPECT_EQ(Get("/addins.asp").status, "200");
}

TEST(CourseHostPieces, TitlesAndForms) {
  const std::pair<const char*, const char*> titles[] = {
      {"/a/qti_examples-2.htm", "Qti Examples 2"},
      {"/Groups/Config/CreatePortal.asp", "Create Portal"},
      {"/x/tutorials.asp", "Tutorials"},
      {"/engine/plugins/help.htm", "Help"},
  };
  for (const auto& [path, title] : titles)
    EXPECT_EQ(TitleFromPath(path), title);
  EXPECT_EQ(UrlDecode("a%20b+c%2"), "a b c%2");
  EXPECT_EQ(UrlDecode("%zz%41"), "%zzA");
  const auto fields = DecodeForm("msg=caf%E9%26x&&flag&sender=KZOWord");
  ASSERT_EQ(fields.size(), 3u);
  EXPECT_EQ(fields[0].second, "caf\xC3\xA9&x");
  EXPECT_EQ(fields[1].first, "flag");
  EXPECT_EQ(fields[1].second, "");
  // A page's title and text are plain text: what means markup comes out escaped, in the title,
  // the heading and the paragraph alike, inside the frame the learner preview's pages have too.
  const std::string page = HtmlPage("<a href=\"x\">&</a>", "/x?a=<b>");
  EXPECT_THAT(page, ::testing::StartsWith("<!DOCTYPE html>\n<html lang=\"en\">"));
  EXPECT_THAT(page,
              ::testing::HasSubstr("<title>&lt;a href=&quot;x&quot;&gt;&amp;&lt;/a&gt;</title>"));
  EXPECT_THAT(page, ::testing::HasSubstr("<h1>&lt;a href=&quot;x&quot;&gt;&amp;&lt;/a&gt;</h1>"));
  EXPECT_THAT(page, ::testing::HasSubstr("<p>/x?a=&lt;b&gt;</p>"));
  EXPECT_THAT(page, ::testing::EndsWith("</body>\n</html>\n"));
}

// The command runs in the foreground, says where it listens, maps the course host while it runs
// and removes the mapping when it is stopped.
TEST(CourseHostCommand, MapsWhileRunningAndUnmapsOnSigterm) {
  const char* bin = std::getenv("QUORVANTA_BIN");
  if (!bin) GTEST_SKIP() << "QUORVANTA_BIN is not set";
  testing::TempProfile profile;
  int out[2];
  ASSERT_EQ(::pipe(out), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  const std::string dir = (profile.Dir() / "reports").string();
  std::vector<std::string> argv = {bin, "coursehost", "--map", "--version", "33", "--dir", dir};
  std::vector<char*> cargv;
  for (auto& a : argv)
    cargv.push_back(a.data());
  cargv.push_back(nullptr);
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, bin, &actions, nullptr, cargv.data(), environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);

  std::string line;
  char c = 0;
  while (line.find('\n') == std::string::npos) {
    pollfd p{out[0], POLLIN, 0};
    if (::poll(&p, 1, 10000) <= 0 || ::read(out[0], &c, 1) != 1) break;
    line += c;
  }
  const std::string prefix = "listening on 127.0.0.1:";
  ASSERT_EQ(line.substr(0, prefix.size()), prefix) << line;
  const int port = std::stoi(line.substr(prefix.size()));
  const auto mapped = platform::ApplyHostOverrides(online::kDefaultCourseHost, 80);
  EXPECT_EQ(mapped.port, port);
  online::PostOptions post(online::kWordAddInSender);
  post.makeClient = [] { return std::make_unique<platform::SocketInternetClient>(Quick()); };
  EXPECT_EQ(online::HttpPost("getVer=true", "/engine/help/info.asp", post).substr(0, 7), "ver=33;");

  ::kill(pid, SIGTERM);
  int status = 0;
  ::waitpid(pid, &status, 0);
  ::close(out[0]);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(platform::ApplyHostOverrides(online::kDefaultCourseHost, 80).port, 80);
}

}  // namespace
}  // namespace qv::tools
