#include "platform/registry/hive.h"

#include "platform/registry/key_names.h"

namespace qv::platform {

namespace {

constexpr HiveInfo kHives[] = {
    {kHkeyClassesRoot, "HKEY_CLASSES_ROOT", "HKCR"},
    {kHkeyCurrentUser, "HKEY_CURRENT_USER", "HKCU"},
    {kHkeyLocalMachine, "HKEY_LOCAL_MACHINE", "HKLM"},
    {kHkeyUsers, "HKEY_USERS", "HKU"},
};

}  // namespace

std::optional<HiveInfo> FindHive(HiveHandle handle) {
  for (const auto& h : kHives)
    if (h.handle == handle) return h;
  return std::nullopt;
}

std::optional<HiveInfo> FindHiveByName(std::string_view name) {
  for (const auto& h : kHives)
    if (NamesEqual(name, h.longName) || NamesEqual(name, h.shortName)) return h;
  return std::nullopt;
}

}  // namespace qv::platform
