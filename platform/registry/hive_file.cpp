#include "platform/registry/hive_file.h"

#include <unordered_set>

#include <nlohmann/json.hpp>

#include "platform/registry/key_names.h"

namespace qv::platform {

namespace {

using nlohmann::json;

constexpr int kFormat = 1;

std::string ToHex(const std::string& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) {
    out.push_back(kDigits[c >> 4]);
    out.push_back(kDigits[c & 0x0F]);
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool FromHex(const std::string& hex, std::string& bytes) {
  if (hex.size() % 2 != 0) return false;
  bytes.clear();
  for (size_t i = 0; i < hex.size(); i += 2) {
    const int hi = HexDigit(hex[i]);
    const int lo = HexDigit(hex[i + 1]);
    if (hi < 0 || lo < 0) return false;
    bytes.push_back(static_cast<char>(hi * 16 + lo));
  }
  return true;
}

// The file is written directly rather than through a JSON document object: a hive is rewritten
// on every change, and building a document first costs several times the writing itself.
void AppendString(std::string& out, const std::string& s) {
  static constexpr char kDigits[] = "0123456789abcdef";
  out.push_back('"');
  for (unsigned char c : s) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          out += "\\u00";
          out.push_back(kDigits[c >> 4]);
          out.push_back(kDigits[c & 0x0F]);
        } else {
          out.push_back(static_cast<char>(c));  // text values are checked UTF-8
        }
    }
  }
  out.push_back('"');
}

void AppendValue(std::string& out, const std::string& indent, const std::string& name,
                 const RegValue& v) {
  out += indent + "{ \"name\": ";
  AppendString(out, name);
  out += ", \"type\": " + std::to_string(v.type) + ", \"data\": ";
  if (v.IsText())
    AppendString(out, v.data);
  else if (v.type == kRegDword)
    out += std::to_string(v.AsDword());
  else
    AppendString(out, ToHex(v.data));
  out += " }";
}

// Writes the body of one key object ("name", "values", "keys"), each field on its own line.
void AppendKey(std::string& out, const KeyNode& key, const std::string& indent, bool isRoot) {
  const std::string inner = indent + "  ";
  out += "{\n";
  if (!isRoot) {
    out += inner + "\"name\": ";
    AppendString(out, key.name);
    out += ",\n";
  }
  out += inner + "\"values\": [";
  for (size_t i = 0; i < key.values.size(); ++i) {
    out += i == 0 ? "\n" : ",\n";
    AppendValue(out, inner + "  ", key.values[i].first, key.values[i].second);
  }
  out += key.values.empty() ? "],\n" : "\n" + inner + "],\n";
  out += inner + "\"keys\": [";
  for (size_t i = 0; i < key.keys.size(); ++i) {
    out += i == 0 ? "\n" : ",\n";
    out += inner + "  ";
    AppendKey(out, key.keys[i], inner + "  ", false);
  }
  out += key.keys.empty() ? "]\n" : "\n" + inner + "]\n";
  out += indent + "}";
}

// Reads one key; `where` is the key's path for the error text.
bool ReadKey(const json& j, KeyNode& key, size_t depth, const std::string& path,
             std::string& error) {
  const std::string where = path.empty() ? "(root)" : path;
  if (!j.is_object()) {
    error = "key " + where + " is not an object";
    return false;
  }
  if (depth > kMaxKeyDepth) {
    error = "keys nested deeper than " + std::to_string(kMaxKeyDepth) + " levels";
    return false;
  }
  const auto values = j.find("values");
  const auto keys = j.find("keys");
  if (values == j.end() || !values->is_array() || keys == j.end() || !keys->is_array()) {
    error = "key " + where + " lacks its \"values\" or \"keys\" list";
    return false;
  }
  // Names seen so far, folded, so that a name given twice is found without a quadratic search.
  std::unordered_set<std::string> seen;
  for (const auto& v : *values) {
    const auto name = v.find("name");
    const auto type = v.find("type");
    const auto data = v.find("data");
    if (!v.is_object() || name == v.end() || !name->is_string() || type == v.end() ||
        !type->is_number_unsigned() || data == v.end()) {
      error = "a value of key " + where + " lacks its name, type or data";
      return false;
    }
    const auto typeNumber = type->get<uint64_t>();
    const auto valueName = name->get<std::string>();
    if (typeNumber > 0xFFFFFFFFull) {
      error = "value \"" + valueName + "\" of key " + where + " has a bad type";
      return false;
    }
    RegValue value;
    value.type = static_cast<uint32_t>(typeNumber);
    bool good = false;
    if (value.IsText()) {
      good = data->is_string();
      if (good) value.data = data->get<std::string>();
    } else if (value.type == kRegDword) {
      good = data->is_number_unsigned() && data->get<uint64_t>() <= 0xFFFFFFFFull;
      if (good) value = RegValue::Dword(static_cast<uint32_t>(data->get<uint64_t>()));
    } else {
      good = data->is_string() && FromHex(data->get<std::string>(), value.data);
    }
    if (!good) {
      error =
          "value \"" + valueName + "\" of key " + where + " has data that does not fit its type";
      return false;
    }
    if (!seen.insert(FoldedName(valueName)).second) {
      error = "value \"" + valueName + "\" appears twice in key " + where;
      return false;
    }
    key.values.emplace_back(valueName, std::move(value));
  }
  seen.clear();
  for (const auto& k : *keys) {
    const auto name = k.is_object() ? k.find("name") : k.end();
    if (!k.is_object() || name == k.end() || !name->is_string()) {
      error = "a sub-key of key " + where + " lacks its name";
      return false;
    }
    const auto keyName = name->get<std::string>();
    std::vector<std::string> parts;
    if (!SplitKeyPath(keyName, parts) || parts.size() != 1 ||
        !seen.insert(FoldedName(keyName)).second) {
      error = "sub-key \"" + keyName + "\" of key " + where +
              " is empty, holds \"\\\" or appears twice";
      return false;
    }
    KeyNode& child = key.AddKey(keyName);
    const std::string childWhere = path.empty() ? keyName : path + "\\" + keyName;
    if (!ReadKey(k, child, depth + 1, childWhere, error)) return false;
  }
  return true;
}

}  // namespace

bool ParseHiveText(const std::string& text, KeyNode& root, std::string& error) {
  root = KeyNode{};
  const json doc = json::parse(text, nullptr, /*allow_exceptions=*/false);
  if (doc.is_discarded()) {
    error = "not valid JSON";
    return false;
  }
  const auto format = doc.is_object() ? doc.find("format") : doc.end();
  if (!doc.is_object() || format == doc.end() || *format != kFormat) {
    error = "not a hive file of format " + std::to_string(kFormat);
    return false;
  }
  const auto r = doc.find("root");
  if (r == doc.end()) {
    error = "no \"root\" key";
    return false;
  }
  if (!ReadKey(*r, root, 0, "", error)) {
    root = KeyNode{};
    return false;
  }
  return true;
}

std::string HiveText(const KeyNode& root, const HiveInfo& hive) {
  std::string out = "{\n  \"hive\": \"" + std::string(hive.longName) +
                    "\",\n  \"format\": " + std::to_string(kFormat) + ",\n  \"root\": ";
  AppendKey(out, root, "  ", true);
  out += "\n}\n";
  return out;
}

}  // namespace qv::platform
