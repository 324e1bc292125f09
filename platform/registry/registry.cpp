#include "platform/registry/registry.h"

#include <sys/stat.h>

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>

#include "automation/text/utf8.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/registry/hive_file.h"
#include "platform/registry/key_names.h"

namespace qv::platform {

namespace {

RegResult BadPath(std::string_view path) {
  return RegResult::Fail(regerr::kInvalidParameter,
                         "\"" + std::string(path) + "\" is not a valid key path");
}

RegResult NoSuchKey() {
  return RegResult::Fail(regerr::kFileNotFound);
}

// A key to be deleted: the path of the key that holds it, and its own name. A hive is held by
// nothing and cannot be deleted.
RegResult SplitDeletedKey(std::string_view path, std::vector<std::string>& parent,
                          std::string& leaf) {
  if (!SplitKeyPath(path, parent)) return BadPath(path);
  if (parent.empty()) return RegResult::Fail(regerr::kAccessDenied, "a hive cannot be deleted");
  leaf = parent.back();
  parent.pop_back();
  return RegResult::Success();
}

// The change that removes the key `leaf` held by the key at `parentPath`, with everything below
// it; with `onlyWithoutSubKeys`, a key that still has sub-keys stays and the change is refused.
auto KeyRemoval(const std::vector<std::string>& parentPath, const std::string& leaf,
                bool onlyWithoutSubKeys) {
  return [&parentPath, &leaf, onlyWithoutSubKeys](KeyNode& root, bool& changed) {
    KeyNode* parent = root.Walk(parentPath);
    KeyNode* key = parent ? parent->FindKey(leaf) : nullptr;
    if (!key) return NoSuchKey();
    if (onlyWithoutSubKeys && !key->keys.empty())
      return RegResult::Fail(regerr::kAccessDenied, "the key still has sub-keys");
    parent->RemoveKey(leaf);
    changed = true;
    return RegResult::Success();
  };
}

}  // namespace

Registry::Registry() : dir_(ProfileSubdir("registry")) {}

Registry::Registry(std::filesystem::path directory) : dir_(std::move(directory)) {}

RegResult Registry::Connect(std::string_view machineName) {
  if (machineName.empty()) return RegResult::Success();
  return RegResult::Fail(
      regerr::kBadNetPath,
      "the registry of machine \"" + std::string(machineName) + "\" cannot be reached");
}

std::filesystem::path Registry::HiveFile(const HiveInfo& hive) const {
  return dir_ / (std::string(hive.longName) + ".json");
}

namespace {

// What tells one version of a hive file from another: every write replaces the file (a new inode),
// and an edit in place changes its size or times.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  int64_t modified = 0;
  int64_t changed = 0;
  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

std::optional<FileIdentity> Identify(const std::filesystem::path& file) {
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0) return std::nullopt;
  return FileIdentity{st.st_dev, st.st_ino, st.st_size,
                      int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec,
                      int64_t{st.st_ctim.tv_sec} * 1000000000 + st.st_ctim.tv_nsec};
}

// Hives parsed once and kept while their file stays the same version, for every registry object of
// the process: a large hive would otherwise cost its whole parse at every read.
struct ParsedHive {
  FileIdentity identity;
  std::shared_ptr<const KeyNode> root;
};
std::mutex gParsedMutex;
std::map<std::filesystem::path, ParsedHive> gParsed;

}  // namespace

RegResult Registry::Load(HiveHandle hive, std::shared_ptr<const KeyNode>& root) const {
  static const auto empty = std::make_shared<const KeyNode>();
  root = empty;
  const auto info = FindHive(hive);
  if (!info) return RegResult::Fail(regerr::kInvalidHandle);
  const auto file = HiveFile(*info);
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) {
    if (!ec) return RegResult::Success();  // a hive nobody has written to yet is empty
    return RegResult::Fail(regerr::kCantRead,
                           "cannot read the registry file " + file.string() + ": " + ec.message());
  }
  const auto before = Identify(file);
  if (before) {
    std::lock_guard lock(gParsedMutex);
    auto it = gParsed.find(file);
    if (it != gParsed.end() && it->second.identity == *before) {
      root = it->second.root;
      return RegResult::Success();
    }
  }
  const auto text = ReadWholeFile(file);
  if (!text)
    return RegResult::Fail(regerr::kCantRead, "cannot read the registry file " + file.string());
  std::string why;
  auto parsed = std::make_shared<KeyNode>();
  if (!ParseHiveText(*text, *parsed, why)) {
    return RegResult::Fail(regerr::kRegistryCorrupt,
                           "the registry file " + file.string() + " is damaged (" + why +
                               "); it is left untouched and no change is written until it is "
                               "repaired or removed");
  }
  root = parsed;
  // Kept only when the file was the same version before and after the read.
  if (before && Identify(file) == before) {
    std::lock_guard lock(gParsedMutex);
    gParsed[file] = ParsedHive{*before, root};
  }
  return RegResult::Success();
}

RegResult Registry::Load(HiveHandle hive, KeyNode& root) const {
  std::shared_ptr<const KeyNode> parsed;
  auto result = Load(hive, parsed);
  root = *parsed;
  return result;
}

// Runs `change(root, changed)` on the hive as it is on disk, under the hive's lock, and writes the
// hive back when the change succeeded and set `changed`.
template <class Change>
RegResult Registry::Modify(HiveHandle hive, Change&& change) {
  const auto info = FindHive(hive);
  if (!info) return RegResult::Fail(regerr::kInvalidHandle);
  const auto file = HiveFile(*info);
  const auto lockFile = dir_ / (std::string(info->longName) + ".lock");
  FileLock lock(lockFile);
  if (!lock.Held())
    return RegResult::Fail(regerr::kCantWrite, "cannot lock the registry file " + file.string() +
                                                   " (lock " + lockFile.string() + ")");
  KeyNode root;
  if (auto loaded = Load(hive, root); !loaded) return loaded;
  bool changed = false;
  RegResult result = change(root, changed);
  if (!result || !changed) return result;
  if (!WriteFileAtomically(file, HiveText(root, *info)))
    return RegResult::Fail(regerr::kCantWrite, "cannot write the registry file " + file.string());
  // Under the lock nobody else writes: the version just written is the one to keep.
  if (const auto written = Identify(file)) {
    std::lock_guard guard(gParsedMutex);
    gParsed[file] = ParsedHive{*written, std::make_shared<const KeyNode>(std::move(root))};
  }
  return result;
}

RegResult Registry::CreateKey(HiveHandle hive, std::string_view path, bool* existed) {
  std::vector<std::string> parts;
  if (!SplitKeyPath(path, parts)) return BadPath(path);
  return Modify(hive, [&](KeyNode& root, bool& changed) {
    KeyNode* cur = &root;
    for (const auto& part : parts) {
      KeyNode* next = cur->FindKey(part);
      if (!next) {
        next = &cur->AddKey(part);
        changed = true;
      }
      cur = next;
    }
    if (existed) *existed = !changed;
    return RegResult::Success();
  });
}

RegResult Registry::OpenKey(HiveHandle hive, std::string_view path) const {
  std::vector<std::string> parts;
  if (!SplitKeyPath(path, parts)) return BadPath(path);
  std::shared_ptr<const KeyNode> root;
  if (auto loaded = Load(hive, root); !loaded) return loaded;
  return root->Walk(parts) ? RegResult::Success() : NoSuchKey();
}

RegResult Registry::SetValue(HiveHandle hive, std::string_view path, std::string_view name,
                             const RegValue& value) {
  std::vector<std::string> parts;
  if (!SplitKeyPath(path, parts)) return BadPath(path);
  if (!text::IsValidUtf8(name))
    return RegResult::Fail(regerr::kInvalidParameter, "a value name must be UTF-8 text");
  if (!value.WellFormed())
    return RegResult::Fail(regerr::kInvalidParameter,
                           "the data does not fit type " + RegTypeName(value.type));
  return Modify(hive, [&](KeyNode& root, bool& changed) {
    KeyNode* key = root.Walk(parts);
    if (!key) return NoSuchKey();
    // The same data under the same name leaves the hive file as it is.
    const RegValue* old = key->FindValue(name);
    if (old && *old == value) return RegResult::Success();
    key->SetValue(name, value);
    changed = true;
    return RegResult::Success();
  });
}

RegResult Registry::QueryValue(HiveHandle hive, std::string_view path, std::string_view name,
                               RegValue& out) const {
  out = RegValue{};
  std::vector<std::string> parts;
  if (!SplitKeyPath(path, parts)) return BadPath(path);
  std::shared_ptr<const KeyNode> root;
  if (auto loaded = Load(hive, root); !loaded) return loaded;
  const KeyNode* key = root->Walk(parts);
  if (!key) return NoSuchKey();
  const RegValue* v = key->FindValue(name);
  if (!v) return NoSuchKey();
  out = *v;
  return RegResult::Success();
}

RegResult Registry::DeleteValue(HiveHandle hive, std::string_view path, std::string_view name) {
  std::vector<std::string> parts;
  if (!SplitKeyPath(path, parts)) return BadPath(path);
  return Modify(hive, [&](KeyNode& root, bool& changed) {
    KeyNode* key = root.Walk(parts);
    if (!key || !key->RemoveValue(name)) return NoSuchKey();
    changed = true;
    return RegResult::Success();
  });
}

RegResult Registry::DeleteKey(HiveHandle hive, std::string_view path) {
  std::vector<std::string> parentPath;
  std::string leaf;
  if (auto split = SplitDeletedKey(path, parentPath, leaf); !split) return split;
  return Modify(hive, KeyRemoval(parentPath, leaf, true));
}

RegResult Registry::DeleteTree(HiveHandle hive, std::string_view path) {
  std::vector<std::string> parentPath;
  std::string leaf;
  if (auto split = SplitDeletedKey(path, parentPath, leaf); !split) return split;
  return Modify(hive, KeyRemoval(parentPath, leaf, false));
}

RegResult Registry::EnumKeys(HiveHandle hive, std::string_view path,
                             std::vector<std::string>& names) const {
  names.clear();
  KeyNode key;
  if (auto read = ReadTree(hive, path, key); !read) return read;
  for (const auto& k : key.keys)
    names.push_back(k.name);
  return RegResult::Success();
}

RegResult Registry::EnumValues(HiveHandle hive, std::string_view path,
                               std::vector<std::pair<std::string, RegValue>>& values) const {
  values.clear();
  KeyNode key;
  if (auto read = ReadTree(hive, path, key); !read) return read;
  values = std::move(key.values);
  return RegResult::Success();
}

RegResult Registry::ReadTree(HiveHandle hive, std::string_view path, KeyNode& out) const {
  out = KeyNode{};
  std::vector<std::string> parts;
  if (!SplitKeyPath(path, parts)) return BadPath(path);
  std::shared_ptr<const KeyNode> root;
  if (auto loaded = Load(hive, root); !loaded) return loaded;
  const KeyNode* key = root->Walk(parts);
  if (!key) return NoSuchKey();
  out = *key;
  return RegResult::Success();
}

}  // namespace qv::platform
