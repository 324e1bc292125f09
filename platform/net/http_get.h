#pragma once
// Fetching one web address with the internet client, for whoever shows web pages (the browser
// windows navigate to addresses on the course host this way).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/net/internet_client.h"

namespace qv::platform {

struct UrlParts {
  std::string host;
  uint16_t port = inet::kDefaultHttpPort;
  std::string object = "/";  // path and query, without any "#" fragment
};

// Splits an "http://host[:port][/path][?query][#fragment]" address (the scheme without regard to
// case); nullopt for any other scheme or a malformed host or port.
std::optional<UrlParts> CrackUrl(std::string_view url);

struct HttpGetResult {
  bool ok = false;     // an answer came (whatever its status)
  uint32_t error = 0;  // the client's error number when not ok, or when the body was cut short
  int status = 0;
  std::string contentType;
  std::string body;  // as read, bytes as the server sent them
};

// A GET of `url` through `client` with its own handles, closed before returning.
HttpGetResult HttpGet(InternetClient& client, std::string_view url, const std::string& agent);

}  // namespace qv::platform
