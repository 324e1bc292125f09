#pragma once
// The bytes of HTTP/1.0 messages: header lists as a request collects them, the request as it goes
// on the wire, and the head of an answer. No I/O here.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::platform {

struct HeaderField {
  std::string name;
  std::string value;
};
using HeaderList = std::vector<HeaderField>;

// The value of the first header called `name`, if any.
std::optional<std::string> FindHeader(const HeaderList& headers, std::string_view name);

// "Name: value" lines separated by CR LF (or LF alone); blank lines are skipped. Nullopt when a
// line has no colon, an empty or blank-containing name, or a control character.
std::optional<HeaderList> ParseHeaderLines(std::string_view text);

// Merges `add` into `headers` under the modifiers of HttpAddRequestHeaders (inet::kAddReqFlag*):
// replace an existing header (an empty value removes it), add when missing, refuse a duplicate, or
// by default append. Returns 0 or the host library's error number; on error nothing changes.
uint32_t MergeRequestHeaders(HeaderList& headers, const HeaderList& add, uint32_t modifiers);

struct RequestHead {
  std::string verb = "GET";
  std::string object = "/";
  std::string version = "HTTP/1.0";
  std::string host;  // the Host header, port included when it is not 80
  std::string agent;
  std::string referrer;
  std::vector<std::string> acceptTypes;
  HeaderList headers;
};

// Request line, Host, User-Agent, Referer, Accept, the headers in order, Content-Length when
// there is a body (any Content-Length among the headers is replaced by the true one), a blank
// line and the body.
std::string FormatRequest(const RequestHead& head, std::string_view body);

// The offset just past the blank line that ends a message head in `buffer`, or npos.
size_t FindHeadEnd(std::string_view buffer);

struct ResponseHead {
  std::string version;
  int status = 0;
  std::string statusText;
  HeaderList headers;
  std::string raw;  // status line and headers, each ended by CR LF, and a final CR LF
  std::optional<uint64_t> contentLength;
};

// Parses the head of an answer (status line and headers, without the blank line's end
// requirement); nullopt when it is not an HTTP answer.
std::optional<ResponseHead> ParseResponseHead(std::string_view head);

}  // namespace qv::platform
