#include "browser/fetch.h"

#include <charconv>
#include <filesystem>

#include "automation/text/ascii.h"
#include "platform/files.h"
#include "platform/net/socket_internet_client.h"

namespace qv::browser {
namespace {

constexpr size_t kMaxFileBytes = size_t{64} << 20;

bool HasScheme(const std::string& address) {
  const size_t colon = address.find(':');
  if (colon == std::string::npos || colon < 2) return false;  // "C:" is a drive, not a scheme
  // "host:8080/path" names a port, not a scheme.
  if (colon + 1 < address.size() && std::isdigit(static_cast<unsigned char>(address[colon + 1])))
    return false;
  if (!std::isalpha(static_cast<unsigned char>(address[0]))) return false;
  for (size_t i = 0; i < colon; ++i)
    if (!std::isalnum(static_cast<unsigned char>(address[i])) && address[i] != '+' &&
        address[i] != '-' && address[i] != '.')
      return false;
  return true;
}

std::string HtmlEscape(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else if (c == '&')
      out += "&amp;";
    else
      out += c;
  }
  return out;
}

FetchResult FetchFile(const std::string& path) {
  FetchResult r;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    r.error = "The file " + path + " was not found.";
    return r;
  }
  auto content = platform::ReadWholeFile(path, kMaxFileBytes);
  if (!content) {
    r.error = "The file " + path + " cannot be read.";
    return r;
  }
  r.ok = true;
  r.status = 200;
  r.body = std::move(*content);
  return r;
}

FetchResult FetchHttp(const std::string& url) {
  FetchResult r;
  // http://host[:port][/path]
  const std::string rest = url.substr(7);
  const size_t slash = rest.find_first_of("/?#");
  std::string authority = rest.substr(0, slash);
  std::string object = slash == std::string::npos ? "/" : rest.substr(slash);
  if (const size_t hash = object.find('#'); hash != std::string::npos) object.resize(hash);
  if (object.empty() || object[0] != '/') object = "/" + object;
  if (const size_t at = authority.rfind('@'); at != std::string::npos)
    authority = authority.substr(at + 1);
  uint16_t port = platform::inet::kDefaultHttpPort;
  std::string host = authority;
  if (const size_t colon = authority.rfind(':');
      colon != std::string::npos && authority.find(']', colon) == std::string::npos) {
    host = authority.substr(0, colon);
    const std::string digits = authority.substr(colon + 1);
    unsigned value = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || end != digits.data() + digits.size() || value == 0 || value > 65535) {
      r.error = "The address " + url + " is not valid.";
      return r;
    }
    port = static_cast<uint16_t>(value);
  }
  if (host.empty()) {
    r.error = "The address " + url + " is not valid.";
    return r;
  }
  platform::SocketInternetClient client;
  const platform::HInternet root =
      client.InternetOpen("Quorvanta browser", platform::inet::kOpenTypePreconfig, "", "", 0);
  const platform::HInternet connection =
      client.InternetConnect(root, host, port, "", "", platform::inet::kServiceHttp, 0);
  const platform::HInternet request = client.HttpOpenRequest(connection, "GET", object, "HTTP/1.0",
                                                             "", {}, platform::inet::kFlagReload);
  if (!request || !client.HttpSendRequest(request, "", 0, "")) {
    r.error = "The server " + host + " cannot be reached (error " +
              std::to_string(client.LastError()) + ").";
    client.InternetCloseHandle(root);
    return r;
  }
  std::string status;
  if (client.HttpQueryInfo(request, platform::inet::kQueryStatusCode, status))
    std::from_chars(status.data(), status.data() + status.size(), r.status);
  char buffer[8192];
  for (;;) {
    uint32_t read = 0;
    if (!client.InternetReadFile(request, buffer, sizeof buffer, read)) {
      r.error = "The connection to " + host + " broke off.";
      client.InternetCloseHandle(root);
      return r;
    }
    if (read == 0) break;
    r.body.append(buffer, read);
  }
  client.InternetCloseHandle(root);
  // The page of an error status is still a page; the browser shows what the server sent.
  r.ok = true;
  return r;
}

}  // namespace

std::string NormalizeAddress(const std::string& typed) {
  // Blanks around an address are dropped, as the address bar drops them.
  const size_t b = typed.find_first_not_of(" \t\r\n");
  const std::string address =
      b == std::string::npos ? "" : typed.substr(b, typed.find_last_not_of(" \t\r\n") - b + 1);
  if (address.empty() || HasScheme(address)) return address;
  std::error_code ec;
  if (std::filesystem::exists(address, ec)) return address;
  return "http://" + address;
}

FetchResult FetchPage(const std::string& url) {
  if (url == "about:blank" || url.empty()) return {true, 200, "", ""};
  if (text::StartsWithIgnoreCase(url, "http://")) return FetchHttp(url);
  if (text::StartsWithIgnoreCase(url, "file:")) {
    std::string path = url.substr(5);
    if (path.rfind("//", 0) == 0) path = path.substr(2);
    return FetchFile(path);
  }
  if (!HasScheme(url)) return FetchFile(url);
  FetchResult r;
  r.error = "The address " + url + " uses a protocol this browser does not support.";
  return r;
}

std::string ErrorPage(const std::string& url, const std::string& reason) {
  return "<html><head><title>The page cannot be displayed</title></head><body>"
         "<h1>The page cannot be displayed</h1><p>" +
         HtmlEscape(reason) + "</p><p>" + HtmlEscape(url) + "</p></body></html>";
}

}  // namespace qv::browser
