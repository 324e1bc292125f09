#include "platform/net/http_get.h"

#include <gtest/gtest.h>

#include "platform/net/host_overrides.h"
#include "platform/net/socket_internet_client.h"
#include "platform/net/testing/loopback_server.h"
#include "platform/testing/temp_profile.h"

namespace qv::platform {
namespace {

TEST(HttpGet, CracksHttpAddresses) {
  struct Case {
    const char* url;
    const char* host;  // nullptr: refused
    int port;
    const char* object;
  };
  const Case cases[] = {
      {"http://a.example/x/y.asp?id=1#top", "a.example", 80, "/x/y.asp?id=1"},
      {"HTTP://a.example:8080", "a.example", 8080, "/"},
      {"http://a.example?q=1", "a.example", 80, "/?q=1"},
      {"http://[::1]:81/p", "::1", 81, "/p"},
      {"https://a.example/", nullptr, 0, ""},
      {"a.example/Groups/x.asp", nullptr, 0, ""},
      {"http://user@a.example/", nullptr, 0, ""},
      {"http://a.example:99999/", nullptr, 0, ""},
      {"http:///p", nullptr, 0, ""},
  };
  for (const auto& c : cases) {
    const auto parts = CrackUrl(c.url);
    ASSERT_EQ(parts.has_value(), c.host != nullptr) << c.url;
    if (!parts) continue;
    EXPECT_EQ(parts->host, c.host) << c.url;
    EXPECT_EQ(parts->port, c.port) << c.url;
    EXPECT_EQ(parts->object, c.object) << c.url;
  }
}

TEST(HttpGet, FetchesThroughTheOverrideTable) {
  testing::TempProfile profile;
  testing::LoopbackServer server([](testing::LoopbackServer::Connection& c) {
    c.ReadRequest();
    c.Send("HTTP/1.0 404 Not Found\r\nContent-Type: text/html\r\n\r\n<title>x</title>");
  });
  ASSERT_TRUE(MapHost("pages.example", "127.0.0.1", server.Port()));
  SocketInternetClient client;
  const auto got = HttpGet(client, "http://pages.example/a?b=1", "viewer");
  EXPECT_TRUE(got.ok);
  EXPECT_EQ(got.status, 404);
  EXPECT_EQ(got.contentType, "text/html");
  EXPECT_EQ(got.body, "<title>x</title>");
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0],
            "GET /a?b=1 HTTP/1.0\r\nHost: pages.example\r\nUser-Agent: viewer\r\n\r\n");
  EXPECT_FALSE(HttpGet(client, "ftp://x/", "viewer").ok);
}

}  // namespace
}  // namespace qv::platform
