#include "platform/net/http_get.h"

#include <algorithm>
#include <charconv>

#include "automation/text/ascii.h"

namespace qv::platform {

std::optional<UrlParts> CrackUrl(std::string_view url) {
  constexpr std::string_view scheme = "http://";
  if (!text::StartsWithIgnoreCase(url, scheme)) return std::nullopt;
  url.remove_prefix(scheme.size());
  url = url.substr(0, url.find('#'));
  const auto slash = url.find_first_of("/?");
  auto authority = url.substr(0, slash);
  UrlParts parts;
  if (slash != std::string_view::npos) {
    parts.object = std::string(url.substr(slash));
    if (parts.object.front() == '?') parts.object.insert(0, "/");
  }
  if (authority.find('@') != std::string_view::npos) return std::nullopt;  // no user names
  auto portText = std::string_view{};
  if (!authority.empty() && authority.front() == '[') {
    const auto close = authority.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    parts.host = std::string(authority.substr(1, close - 1));
    const auto rest = authority.substr(close + 1);
    if (!rest.empty() && rest.front() != ':') return std::nullopt;
    if (!rest.empty()) portText = rest.substr(1);
  } else {
    const auto colon = authority.find(':');
    parts.host = std::string(authority.substr(0, colon));
    if (colon != std::string_view::npos) portText = authority.substr(colon + 1);
  }
  const auto badHostChar = [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u <= 0x20 || u == 0x7F || c == '/' || c == '\\';
  };
  if (parts.host.empty() || std::any_of(parts.host.begin(), parts.host.end(), badHostChar)) {
    return std::nullopt;
  }
  if (!portText.empty()) {
    unsigned port = 0;
    const auto [end, ec] =
        std::from_chars(portText.data(), portText.data() + portText.size(), port);
    if (ec != std::errc() || end != portText.data() + portText.size() || port == 0 ||
        port > 65535) {
      return std::nullopt;
    }
    parts.port = static_cast<uint16_t>(port);
  }
  return parts;
}

HttpGetResult HttpGet(InternetClient& client, std::string_view url, const std::string& agent) {
  HttpGetResult result;
  const auto parts = CrackUrl(url);
  if (!parts) {
    result.error = inet::kErrorInvalidParameter;
    return result;
  }
  const HInternet root = client.InternetOpen(agent, inet::kOpenTypePreconfig, "", "", 0);
  if (!root) {
    result.error = client.LastError();
    return result;
  }
  [&] {
    const HInternet conn =
        client.InternetConnect(root, parts->host, parts->port, "", "", inet::kServiceHttp, 0);
    const HInternet req =
        conn ? client.HttpOpenRequest(conn, "GET", parts->object, "HTTP/1.0", "", {}, 0) : 0;
    if (!req || !client.HttpSendRequest(req, "", 0, "")) {
      result.error = client.LastError();
      return;
    }
    result.ok = true;
    std::string text;
    if (client.HttpQueryInfo(req, inet::kQueryStatusCode, text)) {
      std::from_chars(text.data(), text.data() + text.size(), result.status);
    }
    client.HttpQueryInfo(req, inet::kQueryContentType, result.contentType);
    char buffer[8192];
    for (;;) {
      uint32_t read = 0;
      if (!client.InternetReadFile(req, buffer, sizeof buffer, read)) {
        result.error = client.LastError();
        return;
      }
      if (read == 0) return;
      result.body.append(buffer, read);
    }
  }();
  client.InternetCloseHandle(root);
  return result;
}

}  // namespace qv::platform
