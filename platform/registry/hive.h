#pragma once
// The hives of the registry, by the handle numbers the host's registry functions take, with the
// long and short names people write them with ("HKEY_CURRENT_USER", "HKCU").

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv::platform {

using HiveHandle = uint32_t;

inline constexpr HiveHandle kHkeyClassesRoot = 0x80000000u;
inline constexpr HiveHandle kHkeyCurrentUser = 0x80000001u;
inline constexpr HiveHandle kHkeyLocalMachine = 0x80000002u;
inline constexpr HiveHandle kHkeyUsers = 0x80000003u;

struct HiveInfo {
  HiveHandle handle;
  const char* longName;   // "HKEY_CURRENT_USER"; also the stem of the hive's file
  const char* shortName;  // "HKCU"
};

// The hive with this handle, or nullopt for a handle that is no hive of this registry.
std::optional<HiveInfo> FindHive(HiveHandle handle);
// The hive named by its long or short name, without regard to case.
std::optional<HiveInfo> FindHiveByName(std::string_view name);

}  // namespace qv::platform
