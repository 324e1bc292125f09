#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/net/host_overrides.h"
#include "platform/net/socket_internet_client.h"
#include "platform/net/testing/loopback_server.h"
#include "platform/testing/temp_profile.h"

namespace qv::platform {
namespace {

using namespace std::chrono_literals;
using testing::LoopbackServer;

constexpr const char* kHost = "courses.test.example";

NetOptions Quick() {
  NetOptions o;
  o.connectTimeout = 2s;
  o.readTimeout = 3s;  // only the tests of time-outs shorten it
  return o;
}

// Opens root, connection (port 80 to kHost) and a request, as the product does.
struct Session {
  SocketInternetClient client;
  HInternet root = 0, conn = 0, req = 0;

  explicit Session(NetOptions options, const std::string& verb = "POST",
                   const std::string& path = "/Err/rptErr.asp")
      : client(options) {
    root = client.InternetOpen("Test Agent", inet::kOpenTypePreconfig, "", "", 0);
    conn =
        client.InternetConnect(root, kHost, inet::kDefaultHttpPort, "", "", inet::kServiceHttp, 0);
    req = client.HttpOpenRequest(conn, verb, path, "HTTP/1.0", "", {}, inet::kFlagReload);
  }

  // Reads chunks of `n` bytes until a read fails or returns 0; the sizes read, -1 for a failure.
  std::vector<int> ReadAll(uint32_t n, std::string* body = nullptr) {
    std::vector<int> sizes;
    std::vector<char> buffer(n);
    for (;;) {
      uint32_t got = 0;
      if (!client.InternetReadFile(req, buffer.data(), n, got)) {
        sizes.push_back(-1);
        return sizes;
      }
      sizes.push_back(static_cast<int>(got));
      if (body) body->append(buffer.data(), got);
      if (got == 0) return sizes;
    }
  }
};

class InternetClientTest : public ::testing::Test {
 protected:
  void MapTo(uint16_t port) { ASSERT_TRUE(MapHost(kHost, "127.0.0.1", port)); }
  testing::TempProfile profile_;
};

TEST_F(InternetClientTest, WritesTheRequestExactlyAndReturnsTheBody) {
  LoopbackServer server([](LoopbackServer::Connection& c) {
    c.ReadRequest();
    c.Send(LoopbackServer::Answer("hello"));
  });
  MapTo(server.Port());
  Session s(Quick());
  ASSERT_NE(s.req, 0u);
  const std::string header = "Content-Type: application/x-www-form-urlencoded\r\n";
  const uint32_t addReplace = inet::kAddReqFlagAdd | inet::kAddReqFlagReplace;
  ASSERT_TRUE(s.client.HttpAddRequestHeaders(s.req, header, int32_t(header.size()), addReplace));
  ASSERT_TRUE(s.client.HttpAddRequestHeaders(s.req, header, -1, addReplace));  // still one
  ASSERT_TRUE(s.client.HttpSendRequest(s.req, "", 0, "msg=a%20b&sender=X"));

  std::string body;
  EXPECT_EQ(s.ReadAll(100, &body), (std::vector<int>{5, 0}));
  EXPECT_EQ(body, "hello");
  std::string status;
  ASSERT_TRUE(s.client.HttpQueryInfo(s.req, inet::kQueryStatusCode, status));
  EXPECT_EQ(status, "200");
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0],
            "POST /Err/rptErr.asp HTTP/1.0\r\n"
            "Host: courses.test.example\r\n"
            "User-Agent: Test Agent\r\n"
            "Content-Type: application/x-www-form-urlencoded\r\n"
            "Content-Length: 18\r\n"
            "\r\n"
            "msg=a%20b&sender=X");
  EXPECT_TRUE(s.client.InternetCloseHandle(s.root));
}

TEST_F(InternetClientTest, ClosingTheRootClosesItsConnectionAndRequest) {
  Session s(Quick());
  ASSERT_NE(s.req, 0u);
  EXPECT_TRUE(s.client.InternetCloseHandle(s.root));
  EXPECT_FALSE(s.client.InternetCloseHandle(s.conn));
  EXPECT_EQ(s.client.LastError(), inet::kErrorInvalidHandle);
  EXPECT_FALSE(s.client.HttpAddRequestHeaders(s.req, "A: b", -1, 0));
  EXPECT_EQ(s.client.LastError(), inet::kErrorInvalidHandle);
}

TEST_F(InternetClientTest, RefusesTextThatWouldBreakTheRequestLine) {
  Session s(Quick(), "POST", "/x HTTP/1.0\r\nEvil: 1\r\n");
  EXPECT_EQ(s.req, 0u);
  Session t(Quick());
  EXPECT_FALSE(t.client.HttpAddRequestHeaders(t.req, "No colon here", -1, 0));
  EXPECT_FALSE(t.client.HttpAddRequestHeaders(t.req, "A: b\rInjected: c", -1, 0));
  EXPECT_EQ(t.client.LastError(), inet::kErrorInvalidHeader);
  uint32_t got = 7;
  char buffer[4];
  EXPECT_FALSE(t.client.InternetReadFile(t.req, buffer, 4, got));  // not sent yet
  EXPECT_EQ(got, 0u);
}

TEST_F(InternetClientTest, ARefusedConnectionFailsTheSend) {
  uint16_t port = 0;
  { auto closed = ListenLoopback(0, port); }  // a port nobody listens on any more
  MapTo(port);
  Session s(Quick());
  EXPECT_FALSE(s.client.HttpSendRequest(s.req, "", 0, "x=1"));
  EXPECT_EQ(s.client.LastError(), inet::kErrorCannotConnect);
}

TEST_F(InternetClientTest, AServerThatNeverAnswersTimesOut) {
  LoopbackServer server([](LoopbackServer::Connection& c) {
    c.ReadRequest();
    c.WaitForClose();
  });
  MapTo(server.Port());
  auto options = Quick();
  options.readTimeout = 300ms;
  Session s(options);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(s.client.HttpSendRequest(s.req, "", 0, "x=1"));
  EXPECT_EQ(s.client.LastError(), inet::kErrorTimeout);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
}

TEST_F(InternetClientTest, AServerThatNeverStopsSendingIsCutAtTheSizeLimit) {
  LoopbackServer server([](LoopbackServer::Connection& c) {
    c.ReadRequest();
    const std::string chunk(4096, 'x');
    if (!c.Send("HTTP/1.0 200 OK\r\n\r\n")) return;
    while (!c.Stopping() && c.Send(chunk)) {
    }
  });
  MapTo(server.Port());
  auto options = Quick();
  options.maxResponseBytes = 64 * 1024;
  Session s(options);
  ASSERT_TRUE(s.client.HttpSendRequest(s.req, "", 0, "x=1"));
  std::string body;
  const auto sizes = s.ReadAll(1000, &body);
  EXPECT_EQ(body.size(), 64u * 1024);
  EXPECT_EQ(sizes.back(), -1);
  EXPECT_EQ(s.client.LastError(), inet::kErrorConnectionAborted);
  s.client.InternetCloseHandle(s.root);  // lets the server's send fail and its loop end
}

TEST_F(InternetClientTest, ReadsFillUpWhileAServerSendsInSmallPieces) {
  LoopbackServer server([](LoopbackServer::Connection& c) {
    c.ReadRequest();
    c.Send("HTTP/1.0 200 OK\r\n\r\n");
    const std::string body(250, 'b');
    for (size_t i = 0; i < body.size(); i += 7) {
      c.Send(std::string_view(body).substr(i, 7));
      std::this_thread::sleep_for(2ms);
    }
  });
  MapTo(server.Port());
  Session s(Quick());
  ASSERT_TRUE(s.client.HttpSendRequest(s.req, "", 0, "x=1"));
  EXPECT_EQ(s.ReadAll(100), (std::vector<int>{100, 100, 50, 0}));
}

TEST_F(InternetClientTest, ABodyCutShortOfItsLengthEndsInAFailureAfterItsBytes) {
  LoopbackServer server([](LoopbackServer::Connection& c) {
    c.ReadRequest();
    c.Send("HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\nabc");
  });
  MapTo(server.Port());
  Session s(Quick());
  ASSERT_TRUE(s.client.HttpSendRequest(s.req, "", 0, "x=1"));
  EXPECT_EQ(s.ReadAll(100), (std::vector<int>{3, -1}));
}

TEST_F(InternetClientTest, AGarbledAnswerFailsTheSend) {
  LoopbackServer server([](LoopbackServer::Connection& c) {
    c.ReadRequest();
    c.Send("SMTP ready\r\n\r\n");
  });
  MapTo(server.Port());
  Session s(Quick());
  EXPECT_FALSE(s.client.HttpSendRequest(s.req, "", 0, "x=1"));
  EXPECT_EQ(s.client.LastError(), inet::kErrorInvalidServerResponse);
}

TEST(NetOptions, TimeoutsComeFromTheEnvironment) {
  ::setenv("QUORVANTA_NET_CONNECT_TIMEOUT_MS", "150", 1);
  ::setenv("QUORVANTA_NET_READ_TIMEOUT_MS", "junk", 1);
  const auto o = NetOptions::FromEnvironment();
  ::unsetenv("QUORVANTA_NET_CONNECT_TIMEOUT_MS");
  ::unsetenv("QUORVANTA_NET_READ_TIMEOUT_MS");
  EXPECT_EQ(o.connectTimeout, 150ms);
  EXPECT_EQ(o.readTimeout, 30s);
  EXPECT_EQ(o.maxResponseBytes, size_t{1} << 20);
}

}  // namespace
}  // namespace qv::platform
