#include "platform/net/host_overrides.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <sstream>

#include "automation/text/ascii.h"
#include "platform/files.h"
#include "platform/profile.h"

namespace qv::platform {
namespace {

constexpr size_t kMaxHostsFileBytes = 1 << 20;

bool IsToken(std::string_view s) {
  return !s.empty() && std::none_of(s.begin(), s.end(), [](char c) {
    return std::isspace(static_cast<unsigned char>(c)) || c == '=' || c == ',' || c == '#' ||
           static_cast<unsigned char>(c) < 0x20;
  });
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
    s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
    s.remove_suffix(1);
  return s;
}

std::optional<uint16_t> ParsePort(std::string_view text) {
  unsigned value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value == 0 || value > 65535) {
    return std::nullopt;
  }
  return static_cast<uint16_t>(value);
}

// The name and target of one hosts file line, or nullopt for blanks, comments and junk.
std::optional<std::pair<std::string_view, std::string_view>> SplitLine(std::string_view line) {
  if (const auto hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
  line = Trim(line);
  const auto gap = line.find_first_of(" \t");
  if (line.empty() || gap == std::string_view::npos) return std::nullopt;
  return std::pair{line.substr(0, gap), Trim(line.substr(gap))};
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}

bool RewriteHostsFileLocked(const std::string& name, const std::optional<std::string>& newLine) {
  FileLock lock(ProfileDir() / "hosts.lock");
  if (!lock.Held()) return false;
  const auto path = HostsFilePath();
  std::string current;
  if (std::filesystem::exists(path)) {
    auto content = ReadWholeFile(path, kMaxHostsFileBytes);
    if (!content) return false;  // never overwrite what we could not read
    current = std::move(*content);
  }
  std::string out;
  for (const auto& line : Lines(current)) {
    const auto entry = SplitLine(line);
    if (entry && text::EqualsIgnoreCase(entry->first, name)) continue;
    out += line + "\n";
  }
  if (newLine) out += *newLine + "\n";
  return WriteFileAtomically(path, out);
}

bool RewriteHostsFile(const std::string& name, const std::optional<std::string>& newLine) {
  if (!IsToken(name)) return false;
  try {
    return RewriteHostsFileLocked(name, newLine);
  } catch (const std::filesystem::filesystem_error&) {
    return false;  // no profile directory to write into
  }
}

}  // namespace

std::optional<HostMapping> ParseHostTarget(std::string_view name, std::string_view target) {
  if (!IsToken(name) || !IsToken(target)) return std::nullopt;
  HostMapping m{std::string(name), {}, std::nullopt};
  std::string_view rest;
  if (target.front() == '[') {
    const auto close = target.find(']');
    if (close == std::string_view::npos || close == 1) return std::nullopt;
    m.host = std::string(target.substr(1, close - 1));
    rest = target.substr(close + 1);
    if (!rest.empty() && rest.front() != ':') return std::nullopt;
  } else {
    const auto colon = target.find(':');
    m.host = std::string(target.substr(0, colon));
    if (colon != std::string_view::npos) rest = target.substr(colon);
  }
  if (m.host.empty()) return std::nullopt;
  if (!rest.empty()) {
    m.port = ParsePort(rest.substr(1));
    if (!m.port) return std::nullopt;
  }
  return m;
}

std::filesystem::path HostsFilePath() {
  return ProfileDir() / "hosts";
}

std::vector<HostMapping> ReadHostsFile() {
  std::vector<HostMapping> out;
  std::optional<std::string> content;
  try {
    content = ReadWholeFile(HostsFilePath(), kMaxHostsFileBytes);
  } catch (const std::filesystem::filesystem_error&) {
    return out;  // no profile to read: no overrides
  }
  if (!content) return out;
  for (const auto& line : Lines(*content)) {
    if (const auto entry = SplitLine(line)) {
      if (auto m = ParseHostTarget(entry->first, entry->second)) out.push_back(std::move(*m));
    }
  }
  return out;
}

std::vector<HostMapping> EnvironmentHostMappings() {
  std::vector<HostMapping> out;
  const char* env = std::getenv("QUORVANTA_HOSTS");
  if (!env) return out;
  std::string_view all(env);
  while (!all.empty()) {
    const auto comma = all.find(',');
    const auto entry = Trim(all.substr(0, comma));
    all = comma == std::string_view::npos ? std::string_view{} : all.substr(comma + 1);
    const auto eq = entry.find('=');
    if (eq == std::string_view::npos) continue;
    if (auto m = ParseHostTarget(Trim(entry.substr(0, eq)), Trim(entry.substr(eq + 1)))) {
      out.push_back(std::move(*m));
    }
  }
  return out;
}

HostEndpoint ApplyHostOverrides(const std::string& name, uint16_t port) {
  for (const auto& table : {EnvironmentHostMappings(), ReadHostsFile()}) {
    for (const auto& m : table) {
      if (text::EqualsIgnoreCase(m.name, name)) return {m.host, m.port.value_or(port)};
    }
  }
  return {name, port};
}

bool MapHost(const std::string& name, const std::string& host, std::optional<uint16_t> port) {
  std::string target = host.find(':') != std::string::npos ? "[" + host + "]" : host;
  if (port) target += ":" + std::to_string(*port);
  if (!ParseHostTarget(name, target)) return false;
  return RewriteHostsFile(name, name + " " + target);
}

bool UnmapHost(const std::string& name) {
  return RewriteHostsFile(name, std::nullopt);
}

}  // namespace qv::platform
