#include "platform/net/http_wire.h"

#include <gtest/gtest.h>

#include "platform/net/internet_client.h"

namespace qv::platform {
namespace {

std::string Names(const HeaderList& list) {
  std::string out;
  for (const auto& h : list)
    out += h.name + "=" + h.value + ";";
  return out;
}

TEST(HttpWire, MergesHeadersUnderEachModifier) {
  const uint32_t add = inet::kAddReqFlagAdd, replace = inet::kAddReqFlagReplace,
                 ifNew = inet::kAddReqFlagAddIfNew;
  struct Case {
    const char* lines;
    uint32_t modifiers;
    const char* result;  // nullptr: refused, list unchanged
  };
  const Case cases[] = {
      {"X-New: 1", 0, "A=1;B=2;X-New=1;"}, {"a: 9", 0, "A=1;B=2;a=9;"},
      {"a: 9", replace, "a=9;B=2;"},       {"a:", replace, "B=2;"},
      {"C: 3", replace, nullptr},          {"C: 3", replace | add, "A=1;B=2;C=3;"},
      {"b: 5", replace | add, "A=1;b=5;"}, {"b: 5", ifNew, nullptr},
      {"C: 3\r\nb: 5", ifNew, nullptr},  // all or nothing
  };
  for (const auto& c : cases) {
    HeaderList headers{{"A", "1"}, {"B", "2"}};
    const auto parsed = ParseHeaderLines(c.lines);
    ASSERT_TRUE(parsed) << c.lines;
    const uint32_t error = MergeRequestHeaders(headers, *parsed, c.modifiers);
    if (c.result) {
      EXPECT_EQ(error, 0u) << c.lines;
      EXPECT_EQ(Names(headers), c.result) << c.lines;
    } else {
      EXPECT_NE(error, 0u) << c.lines;
      EXPECT_EQ(Names(headers), "A=1;B=2;") << c.lines;
    }
  }
}

TEST(HttpWire, FormatsTheRequestWithItsTrueLength) {
  RequestHead head;
  head.verb = "POST";
  head.object = "/p";
  head.host = "h:8080";
  head.referrer = "http://r/";
  head.acceptTypes = {"text/*", "*/*"};
  head.headers = {{"Content-Length", "999"}, {"X", "y"}};
  EXPECT_EQ(FormatRequest(head, "abc"),
            "POST /p HTTP/1.0\r\nHost: h:8080\r\nReferer: http://r/\r\nAccept: text/*, */*\r\n"
            "X: y\r\nContent-Length: 3\r\n\r\nabc");
  head.headers.clear();
  head.referrer.clear();
  head.acceptTypes.clear();
  EXPECT_EQ(FormatRequest(head, ""), "POST /p HTTP/1.0\r\nHost: h:8080\r\n\r\n");
}

TEST(HttpWire, ParsesAnswerHeads) {
  const std::string text =
      "HTTP/1.1 404 Not Found\r\nContent-Length: 12\nbroken\r\nX: a: b\r\n\r\n";
  ASSERT_EQ(FindHeadEnd(text), text.size());
  const auto head = ParseResponseHead(text);
  ASSERT_TRUE(head);
  EXPECT_EQ(head->status, 404);
  EXPECT_EQ(head->statusText, "Not Found");
  EXPECT_EQ(head->contentLength, 12u);
  EXPECT_EQ(FindHeader(head->headers, "x"), "a: b");
  EXPECT_EQ(head->raw, "HTTP/1.1 404 Not Found\r\nContent-Length: 12\r\nX: a: b\r\n\r\n");
  EXPECT_FALSE(ParseResponseHead("HTTP/1.0 2000 OK\r\n"));
  // A status that is not three digits is no answer (a sign was once read as part of it).
  EXPECT_FALSE(ParseResponseHead("HTTP/1.0 -31 Odd\r\n"));
  EXPECT_FALSE(ParseResponseHead("HTTP/1.0 +20 Odd\r\n"));
  EXPECT_FALSE(ParseResponseHead("HTTP/1.0 2a0 Odd\r\n"));
  EXPECT_FALSE(ParseResponseHead("hello\r\n"));
  EXPECT_EQ(FindHeadEnd("HTTP/1.0 200 OK\n\nbody"), 17u);
  EXPECT_EQ(FindHeadEnd("HTTP/1.0 200 OK\r\n"), std::string::npos);
}

}  // namespace
}  // namespace qv::platform
