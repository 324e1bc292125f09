#include "tools/lib/coursehost/http_request.h"

#include <algorithm>

namespace qv::tools {
namespace {

bool IsMethod(std::string_view s) {
  return !s.empty() && s.size() <= 16 &&
         std::all_of(s.begin(), s.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

bool IsTarget(std::string_view s) {
  return !s.empty() && s.front() == '/' && std::none_of(s.begin(), s.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u <= 0x20 || u == 0x7F;
  });
}

bool IsVersion(std::string_view s) {
  return s.size() == 8 && s.substr(0, 5) == "HTTP/" && s[5] == '1' && s[6] == '.' && s[7] >= '0' &&
         s[7] <= '9';
}

}  // namespace

std::optional<HttpRequest> ParseRequestHead(std::string_view head) {
  const auto lf = head.find('\n');
  auto line = head.substr(0, lf);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  const auto sp1 = line.find(' ');
  if (sp1 == std::string_view::npos) return std::nullopt;
  const auto sp2 = line.find(' ', sp1 + 1);
  if (sp2 == std::string_view::npos || line.find(' ', sp2 + 1) != std::string_view::npos) {
    return std::nullopt;
  }
  HttpRequest r;
  r.method = std::string(line.substr(0, sp1));
  r.target = std::string(line.substr(sp1 + 1, sp2 - sp1 - 1));
  r.version = std::string(line.substr(sp2 + 1));
  if (!IsMethod(r.method) || !IsTarget(r.target) || !IsVersion(r.version)) return std::nullopt;
  const auto q = r.target.find('?');
  r.path = r.target.substr(0, q);
  if (q != std::string::npos) r.query = r.target.substr(q + 1);
  auto headers = platform::ParseHeaderLines(lf == std::string_view::npos ? std::string_view{}
                                                                         : head.substr(lf + 1));
  if (!headers) return std::nullopt;
  r.headers = std::move(*headers);
  return r;
}

std::string_view ReasonPhrase(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 400:
      return "Bad Request";
    case 404:
      return "Not Found";
    case 408:
      return "Request Timeout";
    case 413:
      return "Payload Too Large";
    case 500:
      return "Internal Server Error";
    case 501:
      return "Not Implemented";
    default:
      return "Unknown";
  }
}

std::string FormatResponse(const HttpResponse& response, bool headOnly) {
  std::string out = "HTTP/1.0 " + std::to_string(response.status) + " " +
                    std::string(ReasonPhrase(response.status)) + "\r\n";
  out += "Content-Type: " + response.contentType + "\r\n";
  out += "Content-Length: " + std::to_string(response.body.size()) + "\r\n";
  out += "Connection: close\r\n\r\n";
  if (!headOnly) out += response.body;
  return out;
}

}  // namespace qv::tools
