#pragma once
// Requests as the course host reads them and answers as it writes them (HTTP/1.0, one request
// per connection).

#include <optional>
#include <string>
#include <string_view>

#include "platform/net/http_wire.h"

namespace qv::tools {

struct HttpRequest {
  std::string method;
  std::string target;  // as sent: path and query
  std::string path;    // without the query
  std::string query;   // after "?", without it
  std::string version;
  platform::HeaderList headers;
  std::string body;
};

struct HttpResponse {
  int status = 200;
  std::string contentType = "text/html; charset=utf-8";
  std::string body;
};

// The request line and headers of `head` (everything before the blank line); nullopt when it is
// not a well-formed HTTP/1.x request head: a request line of exactly three parts, a method of
// upper-case letters, a target starting with "/" without blanks or control characters, and
// header lines that each have a name and a colon.
std::optional<HttpRequest> ParseRequestHead(std::string_view head);

std::string_view ReasonPhrase(int status);
// Status line, Content-Type, Content-Length, "Connection: close", blank line and, unless
// `headOnly`, the body.
std::string FormatResponse(const HttpResponse& response, bool headOnly);

}  // namespace qv::tools
