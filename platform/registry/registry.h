#pragma once
// The embedded registry, with the host's semantics: hives by handle number, keys as "\"-separated
// paths, key and value names compared without regard to case and kept in the case they were made
// with, typed values.
//
// Each hive is one JSON file under the profile's "registry" folder (hive_file.h). A hive is parsed
// once and kept while its file stays the same version (the same inode, size and times; every
// write replaces the file), so reads cost a stat, and a value another program has just written is
// still seen at once. Every write is read-modify-write of the whole file under an
// exclusive lock on the hive's lock file, and the new file replaces the old one atomically, so
// programs writing at the same time lose nothing and a reader never sees half a file.
//
// A hive file that cannot be parsed is never overwritten: reads report kRegistryCorrupt and see
// the hive as empty, writes fail with the same status; the message names the file.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/registry/hive.h"
#include "platform/registry/key_node.h"
#include "platform/registry/reg_status.h"
#include "platform/registry/reg_value.h"

namespace qv::platform {

class Registry {
 public:
  // The registry of the current profile.
  Registry();
  // A registry kept in `directory` (one file per hive).
  explicit Registry(std::filesystem::path directory);

  // Connecting to a machine's registry: "" is this machine; no other machine can be reached from
  // this platform, so any other name fails as an unreachable network path.
  static RegResult Connect(std::string_view machineName);

  // Creates the key and every missing parent. `existed` (when given) tells whether it was there.
  RegResult CreateKey(HiveHandle hive, std::string_view path, bool* existed = nullptr);
  // Success when the key exists, kFileNotFound when it does not.
  RegResult OpenKey(HiveHandle hive, std::string_view path) const;
  // Writes a value of an existing key; a missing key is kFileNotFound and creates nothing.
  RegResult SetValue(HiveHandle hive, std::string_view path, std::string_view name,
                     const RegValue& value);
  RegResult QueryValue(HiveHandle hive, std::string_view path, std::string_view name,
                       RegValue& out) const;
  RegResult DeleteValue(HiveHandle hive, std::string_view path, std::string_view name);
  // Deletes a key that has no sub-keys (its values go with it). A key that still has sub-keys is
  // kept and the call fails with kAccessDenied, as the host's key deletion does; so does the root.
  RegResult DeleteKey(HiveHandle hive, std::string_view path);
  // Deletes a key with everything below it, in one write.
  RegResult DeleteTree(HiveHandle hive, std::string_view path);

  // The sub-key names, in the registry's listing order (without regard to case).
  RegResult EnumKeys(HiveHandle hive, std::string_view path, std::vector<std::string>& names) const;
  // The values, in the order they were first set.
  RegResult EnumValues(HiveHandle hive, std::string_view path,
                       std::vector<std::pair<std::string, RegValue>>& values) const;
  // A copy of the key with everything below it, read in one go (for listings of a whole tree).
  RegResult ReadTree(HiveHandle hive, std::string_view path, KeyNode& out) const;

  // The file that holds `hive` (whether or not it exists yet).
  std::filesystem::path HiveFile(const HiveInfo& hive) const;

 private:
  // The hive as it is on disk now (shared with other readers; never changed once made).
  RegResult Load(HiveHandle hive, std::shared_ptr<const KeyNode>& root) const;
  // A copy to change.
  RegResult Load(HiveHandle hive, KeyNode& root) const;
  template <class Change>
  RegResult Modify(HiveHandle hive, Change&& change);

  std::filesystem::path dir_;
};

}  // namespace qv::platform
