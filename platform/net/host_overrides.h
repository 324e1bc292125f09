#pragma once
// The host override table: host names that connect somewhere other than where the system's name
// resolution would send them. It lets the deployment's fixed course host point at the local
// course host in tests and demos. Entries come from
//   - the environment variable QUORVANTA_HOSTS: "name=host:port" entries separated by commas;
//   - the file `hosts` in the profile directory: one "name host:port" per line, "#" comments.
// The environment wins over the file; within each, the first entry for a name wins. Names match
// without regard to case. ":port" may be left out, and then the caller's port stays.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::platform {

struct HostMapping {
  std::string name;
  std::string host;
  std::optional<uint16_t> port;  // empty: the port the caller asked for
};

struct HostEndpoint {
  std::string host;
  uint16_t port = 0;
};

// "host", "host:port", "[v6-address]" or "[v6-address]:port"; nullopt when malformed.
std::optional<HostMapping> ParseHostTarget(std::string_view name, std::string_view target);

std::filesystem::path HostsFilePath();
// The entries of the profile's hosts file and of QUORVANTA_HOSTS; malformed entries are skipped.
std::vector<HostMapping> ReadHostsFile();
std::vector<HostMapping> EnvironmentHostMappings();

// Where a connection to `name`:`port` goes after the override table.
HostEndpoint ApplyHostOverrides(const std::string& name, uint16_t port);

// Adds or replaces the hosts file entry of `name`, or removes it; other lines, comments included,
// stay as they are. The file is replaced atomically under a lock, so concurrent writers lose
// nothing. False when the entry is malformed or the file cannot be written.
[[nodiscard]] bool MapHost(const std::string& name, const std::string& host,
                           std::optional<uint16_t> port);
[[nodiscard]] bool UnmapHost(const std::string& name);

}  // namespace qv::platform
