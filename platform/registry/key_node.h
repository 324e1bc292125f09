#pragma once
// The in-memory form of one hive: a tree of keys, each with its values. Names keep the case they
// were created with and are looked up without regard to case. Sub-keys are kept in the order the
// registry lists them (NameLess); values in the order they were first set.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/registry/reg_value.h"

namespace qv::platform {

struct KeyNode {
  std::string name;
  std::vector<std::pair<std::string, RegValue>> values;
  std::vector<KeyNode> keys;

  KeyNode* FindKey(std::string_view keyName);
  const KeyNode* FindKey(std::string_view keyName) const;
  // Adds a sub-key in listing order; the caller has made sure no sub-key of that name exists.
  KeyNode& AddKey(std::string keyName);
  bool RemoveKey(std::string_view keyName);

  const RegValue* FindValue(std::string_view valueName) const;
  // Replaces the data and type of an existing value (keeping its name's case and its place) or
  // appends a new one.
  void SetValue(std::string_view valueName, RegValue value);
  bool RemoveValue(std::string_view valueName);

  // The key at the end of `path` below this one, or nullptr.
  KeyNode* Walk(const std::vector<std::string>& path);
  const KeyNode* Walk(const std::vector<std::string>& path) const;
};

}  // namespace qv::platform
