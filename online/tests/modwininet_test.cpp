#include "online/modWinInet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "online/course_host_name.h"
#include "platform/net/host_overrides.h"
#include "platform/net/socket_internet_client.h"
#include "platform/net/testing/loopback_server.h"
#include "platform/testing/temp_profile.h"

namespace qv::online {
namespace {

using namespace std::chrono_literals;
using testing::LoopbackServer;

// The body of the one request a server saw.
std::string BodyOf(const std::string& request) {
  return request.substr(request.find("\r\n\r\n") + 4);
}

class ModWinInetTest : public ::testing::Test {
 protected:
  // Maps the default course host to `port` and makes posts with quick time-outs that record the
  // mouse pointer changes.
  PostOptions Options(uint16_t port, PostSender sender = kWordAddInSender) {
    EXPECT_TRUE(platform::MapHost(kDefaultCourseHost, "127.0.0.1", port));
    PostOptions o(sender);
    o.setMousePointer = [this](int code) { pointers_.push_back(code); };
    o.makeClient = [this] { return std::make_unique<platform::SocketInternetClient>(net_); };
    return o;
  }

  // A server that answers every request with `answer`, sent as it stands.
  static LoopbackServer::Handler Answering(std::string answer) {
    return [answer](LoopbackServer::Connection& c) {
      c.ReadRequest();
      c.Send(answer);
    };
  }

  testing::TempProfile profile_;
  platform::NetOptions net_{2s, 3s, size_t{1} << 20};
  std::vector<int> pointers_;
};

TEST_F(ModWinInetTest, PostsTheFormWithTheSenderFieldAndPadsTheAnswer) {
  LoopbackServer server(Answering(LoopbackServer::Answer("ver=28;")));
  const auto answer =
      HttpPost("getVer=true&ver=27", "/engine/help/info.asp", Options(server.Port()));
  EXPECT_EQ(answer, "ver=28;" + std::string(93, ' '));
  EXPECT_EQ(pointers_, (std::vector<int>{11, 0}));
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0],
            "POST /engine/help/info.asp HTTP/1.0\r\n"
            "Host: courses.quorvanta.example\r\n"
            "User-Agent: Word Add-In\r\n"
            "Content-Type: application/x-www-form-urlencoded\r\n"
            "Content-Length: 33\r\n"
            "\r\n"
            "getVer=true&ver=27&sender=KZOWord");
}

TEST_F(ModWinInetTest, EachProgramNamesItselfAndEmptyDataSendsTheSenderAlone) {
  LoopbackServer server(Answering(LoopbackServer::Answer("")));
  EXPECT_EQ(HttpPost("", "/p", Options(server.Port())), "");
  EXPECT_EQ(HttpPost("", "/p", Options(server.Port(), kInitializerSender)), "");
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(BodyOf(requests[0]), "&sender=KZOWord");
  EXPECT_EQ(BodyOf(requests[1]), "&sender=KZOInitializer");
  EXPECT_NE(requests[1].find("User-Agent: Quorvanta Initializer\r\n"), std::string::npos);
}

TEST_F(ModWinInetTest, AnswersArePaddedToWholeHundreds) {
  struct Case {
    size_t bytes;
    size_t characters;
  };
  for (const auto c : {Case{250, 300}, Case{200, 200}, Case{1, 100}, Case{0, 0}}) {
    const std::string body(c.bytes, 'a');
    // Without a length the answer ends when the server closes: the reads must fill up anyway.
    LoopbackServer server(Answering(LoopbackServer::Answer(body, false)));
    const auto answer = HttpPost("x=1", "/p", Options(server.Port()));
    EXPECT_EQ(answer, body + std::string(c.characters - c.bytes, ' ')) << c.bytes;
  }
}

TEST_F(ModWinInetTest, TheStatusIsNotExaminedAndAnswerBytesAreCodePage1252) {
  LoopbackServer server(Answering("HTTP/1.0 500 Oops\r\n\r\n\xE9\x80"));
  EXPECT_EQ(HttpPost("x=1", "/p", Options(server.Port())),
            "\xC3\xA9\xE2\x82\xAC" + std::string(98, ' '));
}

TEST_F(ModWinInetTest, FormTextLeavesAsSingleBytes) {
  LoopbackServer server(Answering(LoopbackServer::Answer("")));
  HttpPost("strHost=caf\xC3\xA9", "/p", Options(server.Port()));
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(BodyOf(server.Requests()[0]), "strHost=caf\xE9&sender=KZOWord");
}

TEST_F(ModWinInetTest, FailuresAreSilentAndBounded) {
  net_.readTimeout = 300ms;
  const auto start = std::chrono::steady_clock::now();
  {
    uint16_t port = 0;
    { auto closed = platform::ListenLoopback(0, port); }
    EXPECT_EQ(HttpPost("x=1", "/p", Options(port)), "");  // refused
  }
  {
    LoopbackServer silent([](LoopbackServer::Connection& c) {
      c.ReadRequest();
      c.WaitForClose();
    });
    EXPECT_EQ(HttpPost("x=1", "/p", Options(silent.Port())), "");
  }
  {
    LoopbackServer endless([](LoopbackServer::Connection& c) {
      c.ReadRequest();
      if (!c.Send("HTTP/1.0 200 OK\r\n\r\n")) return;
      while (!c.Stopping() && c.Send(std::string(1000, 'z'))) {
      }
    });
    net_.maxResponseBytes = 4050;
    // What arrived within the limit is kept; the read that crosses it ends the answer.
    EXPECT_EQ(HttpPost("x=1", "/p", Options(endless.Port())),
              std::string(4050, 'z') + std::string(50, ' '));
  }
  EXPECT_EQ(pointers_, (std::vector<int>{11, 0, 11, 0, 11, 0}));
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}

TEST_F(ModWinInetTest, ErrorReportsArriveAsOneEncodedField) {
  LoopbackServer server(Answering(LoopbackServer::Answer("thanks")));
  SendErrorReport("An error has occurred in G.X\r\n\r\nbad & worse (5)\r\n",
                  Options(server.Port(), kInitializerSender));
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0].substr(0, 32), "POST /Err/rptErr.asp HTTP/1.0\r\nH");
  EXPECT_EQ(BodyOf(server.Requests()[0]),
            "msg=An%20error%20has%20occurred%20in%20G.X%0D%0A%0D%0Abad%20%26%20worse%20%285%29"
            "%0D%0A&sender=KZOInitializer");
}

// Records every call of the post with its arguments; `failAt` names the call that fails.
class RecordingClient : public platform::InternetClient {
 public:
  RecordingClient(std::vector<std::string>& log, std::string failAt, std::string answer)
      : log_(log), failAt_(std::move(failAt)), answer_(std::move(answer)) {}

  platform::HInternet InternetOpen(const std::string& agent, uint32_t access,
                                   const std::string& proxy, const std::string& bypass,
                                   uint32_t flags) override {
    return Handle("InternetOpen " + agent + "|" + std::to_string(access) + "|" + proxy + "|" +
                      bypass + "|" + std::to_string(flags),
                  1);
  }
  platform::HInternet InternetConnect(platform::HInternet root, const std::string& server,
                                      uint16_t port, const std::string& user,
                                      const std::string& password, uint32_t service,
                                      uint32_t flags) override {
    return Handle("InternetConnect " + std::to_string(root) + "|" + server + "|" +
                      std::to_string(port) + "|" + user + "|" + password + "|" +
                      std::to_string(service) + "|" + std::to_string(flags),
                  2);
  }
  platform::HInternet HttpOpenRequest(platform::HInternet conn, const std::string& verb,
                                      const std::string& object, const std::string& version,
                                      const std::string& referrer,
                                      const std::vector<std::string>& accept,
                                      uint32_t flags) override {
    return Handle("HttpOpenRequest " + std::to_string(conn) + "|" + verb + "|" + object + "|" +
                      version + "|" + referrer + "|" + std::to_string(accept.size()) + "|" +
                      std::to_string(flags),
                  3);
  }
  bool HttpAddRequestHeaders(platform::HInternet req, const std::string& headers, int32_t length,
                             uint32_t modifiers) override {
    return Step("HttpAddRequestHeaders " + std::to_string(req) + "|" + headers + "|" +
                std::to_string(length) + "|" + std::to_string(modifiers));
  }
  bool HttpSendRequest(platform::HInternet req, const std::string& headers, int32_t length,
                       const std::string& body) override {
    return Step("HttpSendRequest " + std::to_string(req) + "|" + headers + "|" +
                std::to_string(length) + "|" + body);
  }
  bool InternetReadFile(platform::HInternet, char* buffer, uint32_t toRead,
                        uint32_t& read) override {
    if (!Step("InternetReadFile " + std::to_string(toRead))) return false;
    read = static_cast<uint32_t>(std::min<size_t>(toRead, answer_.size()));
    answer_.copy(buffer, read);
    answer_.erase(0, read);
    return true;
  }
  bool HttpQueryInfo(platform::HInternet, uint32_t, std::string&) override { return false; }
  bool InternetCloseHandle(platform::HInternet h) override {
    return Step("InternetCloseHandle " + std::to_string(h));
  }
  uint32_t LastError() const override { return 0; }

 private:
  bool Step(const std::string& call) {
    log_.push_back(call);
    return call.substr(0, call.find(' ')) != failAt_;
  }
  platform::HInternet Handle(const std::string& call, platform::HInternet h) {
    return Step(call) ? h : 0;
  }
  std::vector<std::string>& log_;
  std::string failAt_;
  std::string answer_;
};

TEST(ModWinInetCalls, FollowTheHostLibrarysSequenceWithItsArguments) {
  std::vector<std::string> log;
  PostOptions o(kInitializerSender);
  o.makeClient = [&] { return std::make_unique<RecordingClient>(log, "", "ok"); };
  EXPECT_EQ(HttpPost("a=1", "/x.asp", o), "ok" + std::string(98, ' '));
  const std::vector<std::string> expected = {
      "InternetOpen Quorvanta Initializer|0|||0",
      "InternetConnect 1|courses.quorvanta.example|80|||3|0",
      "HttpOpenRequest 2|POST|/x.asp|HTTP/1.0||0|2147483648",
      "HttpAddRequestHeaders 3|Content-Type: application/x-www-form-urlencoded\r\n|49|2684354560",
      "HttpSendRequest 3||0|a=1&sender=KZOInitializer",
      "InternetReadFile 100",
      "InternetReadFile 100",
      "InternetCloseHandle 2",
      "InternetCloseHandle 1",
  };
  EXPECT_EQ(log, expected);
}

TEST(ModWinInetCalls, AFailingStepSkipsToTheCleanUp) {
  struct Case {
    const char* failAt;
    std::vector<std::string> closes;
  };
  const Case cases[] = {
      {"InternetOpen", {}},
      {"InternetConnect", {"InternetCloseHandle 1"}},
      {"HttpOpenRequest", {"InternetCloseHandle 2", "InternetCloseHandle 1"}},
      {"HttpAddRequestHeaders", {"InternetCloseHandle 2", "InternetCloseHandle 1"}},
      {"HttpSendRequest", {"InternetCloseHandle 2", "InternetCloseHandle 1"}},
      {"InternetReadFile", {"InternetCloseHandle 2", "InternetCloseHandle 1"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> log;
    std::vector<int> pointers;
    PostOptions o(kWordAddInSender);
    o.makeClient = [&] { return std::make_unique<RecordingClient>(log, c.failAt, "ok"); };
    o.setMousePointer = [&](int p) { pointers.push_back(p); };
    EXPECT_EQ(HttpPost("", "/p", o), "") << c.failAt;
    EXPECT_EQ(pointers, (std::vector<int>{11, 0})) << c.failAt;
    // The failing call is the last before the clean-up.
    const size_t failed = log.size() - c.closes.size() - 1;
    EXPECT_EQ(log[failed].substr(0, log[failed].find(' ')), c.failAt);
    EXPECT_EQ(std::vector<std::string>(log.begin() + long(failed) + 1, log.end()), c.closes)
        << c.failAt;
  }
}

TEST(URLEncode, KeepsOnlyLettersDigitsAndFourMarks) {
  const std::pair<const char*, const char*> cases[] = {
      {"a b&c", "a%20b%26c"},       {"\t", "%09"},
      {"\r\n", "%0D%0A"},           {"@_-.", "@_-."},
      {"AZaz09", "AZaz09"},         {"\xC3\xA9", "%E9"},
      {"\xE2\x82\xAC", "%80"},      {"\xE4\xB8\xAD", "%3F"},
      {"+=%/~", "%2B%3D%25%2F%7E"}, {"", ""},
  };
  for (const auto& [text, encoded] : cases)
    EXPECT_EQ(URLEncode(text), encoded) << text;
}

}  // namespace
}  // namespace qv::online
