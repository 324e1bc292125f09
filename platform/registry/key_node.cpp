#include "platform/registry/key_node.h"

#include <algorithm>

#include "platform/registry/key_names.h"

namespace qv::platform {

KeyNode* KeyNode::FindKey(std::string_view keyName) {
  for (auto& k : keys)
    if (NamesEqual(k.name, keyName)) return &k;
  return nullptr;
}

const KeyNode* KeyNode::FindKey(std::string_view keyName) const {
  return const_cast<KeyNode*>(this)->FindKey(keyName);
}

KeyNode& KeyNode::AddKey(std::string keyName) {
  const auto at =
      std::upper_bound(keys.begin(), keys.end(), keyName,
                       [](const std::string& n, const KeyNode& k) { return NameLess(n, k.name); });
  KeyNode node;
  node.name = std::move(keyName);
  return *keys.insert(at, std::move(node));
}

bool KeyNode::RemoveKey(std::string_view keyName) {
  for (auto it = keys.begin(); it != keys.end(); ++it) {
    if (NamesEqual(it->name, keyName)) {
      keys.erase(it);
      return true;
    }
  }
  return false;
}

const RegValue* KeyNode::FindValue(std::string_view valueName) const {
  for (const auto& [n, v] : values)
    if (NamesEqual(n, valueName)) return &v;
  return nullptr;
}

void KeyNode::SetValue(std::string_view valueName, RegValue value) {
  for (auto& [n, v] : values) {
    if (NamesEqual(n, valueName)) {
      v = std::move(value);
      return;
    }
  }
  values.emplace_back(std::string(valueName), std::move(value));
}

bool KeyNode::RemoveValue(std::string_view valueName) {
  for (auto it = values.begin(); it != values.end(); ++it) {
    if (NamesEqual(it->first, valueName)) {
      values.erase(it);
      return true;
    }
  }
  return false;
}

KeyNode* KeyNode::Walk(const std::vector<std::string>& path) {
  KeyNode* cur = this;
  for (const auto& part : path) {
    cur = cur->FindKey(part);
    if (!cur) return nullptr;
  }
  return cur;
}

const KeyNode* KeyNode::Walk(const std::vector<std::string>& path) const {
  return const_cast<KeyNode*>(this)->Walk(path);
}

}  // namespace qv::platform
