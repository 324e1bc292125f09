#include "platform/net/http_wire.h"

#include <algorithm>
#include <charconv>

#include "automation/text/ascii.h"
#include "platform/net/internet_client.h"

namespace qv::platform {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
    s.remove_suffix(1);
  return s;
}

bool HasControl(std::string_view s) {
  return std::any_of(s.begin(), s.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u < 0x20 && c != '\t') || u == 0x7F;
  });
}

// Splits at CR LF or LF; a lone CR inside a line stays and is refused as a control character.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const auto lf = text.find('\n');
    auto line = text.substr(0, lf);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    text = lf == std::string_view::npos ? std::string_view{} : text.substr(lf + 1);
  }
  return lines;
}

}  // namespace

std::optional<std::string> FindHeader(const HeaderList& headers, std::string_view name) {
  for (const auto& h : headers) {
    if (text::EqualsIgnoreCase(h.name, name)) return h.value;
  }
  return std::nullopt;
}

std::optional<HeaderList> ParseHeaderLines(std::string_view text) {
  HeaderList out;
  for (const auto line : SplitLines(text)) {
    if (Trim(line).empty()) continue;
    const auto colon = line.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const auto name = line.substr(0, colon);
    if (name.empty() || name.find_first_of(" \t") != std::string_view::npos) return std::nullopt;
    const auto value = Trim(line.substr(colon + 1));
    if (HasControl(name) || HasControl(value)) return std::nullopt;
    out.push_back({std::string(name), std::string(value)});
  }
  return out;
}

uint32_t MergeRequestHeaders(HeaderList& headers, const HeaderList& add, uint32_t modifiers) {
  HeaderList result = headers;
  for (const auto& field : add) {
    const auto existing = std::find_if(result.begin(), result.end(), [&](const HeaderField& h) {
      return text::EqualsIgnoreCase(h.name, field.name);
    });
    const bool found = existing != result.end();
    if (modifiers & inet::kAddReqFlagReplace) {
      if (found) {
        if (field.value.empty()) {
          result.erase(existing);
        } else {
          *existing = field;
        }
      } else if (modifiers & inet::kAddReqFlagAdd) {
        if (!field.value.empty()) result.push_back(field);
      } else {
        return inet::kErrorHeaderNotFound;
      }
    } else if (modifiers & inet::kAddReqFlagAddIfNew) {
      if (found) return inet::kErrorInvalidParameter;
      result.push_back(field);
    } else {
      result.push_back(field);
    }
  }
  headers = std::move(result);
  return 0;
}

std::string FormatRequest(const RequestHead& head, std::string_view body) {
  std::string out;
  out += head.verb + " " + head.object + " " + head.version + "\r\n";
  out += "Host: " + head.host + "\r\n";
  if (!head.agent.empty()) out += "User-Agent: " + head.agent + "\r\n";
  if (!head.referrer.empty()) out += "Referer: " + head.referrer + "\r\n";
  if (!head.acceptTypes.empty()) {
    out += "Accept: ";
    for (size_t i = 0; i < head.acceptTypes.size(); ++i) {
      out += (i ? ", " : "") + head.acceptTypes[i];
    }
    out += "\r\n";
  }
  for (const auto& h : head.headers) {
    if (text::EqualsIgnoreCase(h.name, "Content-Length")) continue;
    out += h.name + ": " + h.value + "\r\n";
  }
  if (!body.empty()) out += "Content-Length: " + std::to_string(body.size()) + "\r\n";
  out += "\r\n";
  out += body;
  return out;
}

size_t FindHeadEnd(std::string_view buffer) {
  const auto crlf = buffer.find("\r\n\r\n");
  const auto lf = buffer.find("\n\n");
  if (crlf == std::string_view::npos && lf == std::string_view::npos) return std::string_view::npos;
  if (lf == std::string_view::npos || (crlf != std::string_view::npos && crlf < lf)) {
    return crlf + 4;
  }
  return lf + 2;
}

std::optional<ResponseHead> ParseResponseHead(std::string_view head) {
  auto lines = SplitLines(head);
  if (lines.empty()) return std::nullopt;
  const auto statusLine = lines.front();
  if (statusLine.substr(0, 5) != "HTTP/") return std::nullopt;
  ResponseHead r;
  const auto sp1 = statusLine.find(' ');
  if (sp1 == std::string_view::npos) return std::nullopt;
  r.version = std::string(statusLine.substr(0, sp1));
  auto rest = statusLine.substr(sp1 + 1);
  const auto sp2 = rest.find(' ');
  const auto code = rest.substr(0, sp2);
  // Three digits: the number reader alone would also take "-31".
  if (code.size() != 3 ||
      !std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  r.status = (code[0] - '0') * 100 + (code[1] - '0') * 10 + (code[2] - '0');
  if (sp2 != std::string_view::npos) r.statusText = std::string(Trim(rest.substr(sp2 + 1)));
  r.raw = std::string(statusLine) + "\r\n";
  for (size_t i = 1; i < lines.size(); ++i) {
    const auto line = lines[i];
    if (Trim(line).empty()) continue;
    const auto colon = line.find(':');
    // A server's malformed header line is skipped rather than failing the whole answer.
    if (colon == std::string_view::npos || colon == 0) continue;
    r.headers.push_back(
        {std::string(Trim(line.substr(0, colon))), std::string(Trim(line.substr(colon + 1)))});
    r.raw += std::string(line) + "\r\n";
  }
  r.raw += "\r\n";
  if (const auto length = FindHeader(r.headers, "Content-Length")) {
    uint64_t n = 0;
    const auto [e, err] = std::from_chars(length->data(), length->data() + length->size(), n);
    if (err == std::errc() && e == length->data() + length->size()) r.contentLength = n;
  }
  return r;
}

}  // namespace qv::platform
