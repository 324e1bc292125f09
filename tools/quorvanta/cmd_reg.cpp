// quorvanta reg: inspect and seed the embedded registry from the command line, in the manner of the
// host's own registry tool.
//
//   quorvanta reg query  KEY [/v NAME | /ve] [/s]
//   quorvanta reg add    KEY [/v NAME | /ve] [/t REG_SZ|REG_DWORD] [/d DATA] [/f]
//   quorvanta reg delete KEY [/v NAME | /ve | /va] [/f]
//
// Nothing is ever asked: every command acts as if /f were given, and standard input is not read,
// so scripts and tests can run it unattended. Exit code 0 on success, 1 on any failure.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "automation/text/ascii.h"
#include "platform/registry/key_names.h"
#include "platform/registry/registry.h"
#include "tools/quorvanta/commands.h"

namespace qv::tools {

namespace {

using platform::KeyNode;
using platform::RegResult;
using platform::RegValue;

constexpr const char* kNotFound =
    "ERROR: The system was unable to find the specified registry key or value.";

int Usage(std::FILE* out) {
  std::fputs(
      "usage: quorvanta reg query  KEY [/v NAME | /ve] [/s]\n"
      "       quorvanta reg add    KEY [/v NAME | /ve] [/t REG_SZ|REG_DWORD] [/d DATA] [/f]\n"
      "       quorvanta reg delete KEY [/v NAME | /ve | /va] [/f]\n"
      "\n"
      "  KEY    HIVE[\\SUBKEY]; HIVE is HKCR, HKCU, HKLM, HKU or HKEY_CLASSES_ROOT,\n"
      "         HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS\n"
      "  /v     the value NAME          /ve   the key's default (unnamed) value\n"
      "  /va    all values of the key   /s    the key and all keys below it\n"
      "  /t     the type of the data (REG_SZ when not given)\n"
      "  /d     the data (REG_DWORD: decimal or 0x hexadecimal)\n"
      "  /f     accepted; nothing is ever asked\n",
      out);
  return out == stdout ? 0 : 1;
}

int BadSyntax(const std::string& why) {
  std::fprintf(stderr, "ERROR: Invalid syntax. %s\n", why.c_str());
  Usage(stderr);
  return 1;
}

int Failed(const RegResult& r) {
  if (r.code == platform::regerr::kFileNotFound) {
    std::fprintf(stderr, "%s\n", kNotFound);
  } else {
    const std::string text = r.message.empty() ? platform::RegStatusText(r.code) : r.message;
    std::fprintf(stderr, "ERROR: %s\n", text.c_str());
  }
  return 1;
}

int Done() {
  std::printf("The operation completed successfully.\n");
  return 0;
}

struct Command {
  std::string operation;  // "query", "add" or "delete", lower case
  platform::HiveInfo hive{};
  std::string path;     // below the hive, without a trailing "\"
  std::string display;  // the key as printed: long hive name and the path as given
  std::optional<std::string> valueName;
  bool allValues = false;
  bool recursive = false;
  std::optional<std::string> type;
  std::optional<std::string> data;
};

bool IsOption(const std::string& arg, const char* name) {
  return arg.size() >= 2 && (arg[0] == '/' || arg[0] == '-') &&
         text::AsciiLowered(arg.substr(1)) == name;
}

// Parses everything after "reg"; on failure `error` says why.
std::optional<Command> Parse(const CommandArgs& args, std::string& error) {
  Command c;
  if (args.size() < 2) {
    error = "An operation and a key are needed.";
    return std::nullopt;
  }
  c.operation = text::AsciiLowered(args[0]);
  if (c.operation != "query" && c.operation != "add" && c.operation != "delete") {
    error = "Unknown operation \"" + args[0] + "\".";
    return std::nullopt;
  }
  std::string key = args[1];
  if (key.rfind("\\\\", 0) == 0) {
    error = "Remote registries cannot be reached; give a key of this machine.";
    return std::nullopt;
  }
  while (!key.empty() && key.back() == '\\')
    key.pop_back();
  const size_t slash = key.find('\\');
  const auto hive = platform::FindHiveByName(key.substr(0, slash));
  if (!hive) {
    error = "\"" + args[1] + "\" does not start with a hive name.";
    return std::nullopt;
  }
  c.hive = *hive;
  c.path = slash == std::string::npos ? "" : key.substr(slash + 1);
  c.display = std::string(hive->longName) + (c.path.empty() ? "" : "\\" + c.path);

  for (size_t i = 2; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasNext = i + 1 < args.size();
    const bool query = c.operation == "query";
    const bool add = c.operation == "add";
    if (IsOption(a, "v") && hasNext && !c.valueName && !c.allValues) {
      c.valueName = args[++i];
    } else if (IsOption(a, "ve") && !c.valueName && !c.allValues) {
      c.valueName = "";
    } else if (IsOption(a, "va") && c.operation == "delete" && !c.valueName) {
      c.allValues = true;
    } else if (IsOption(a, "s") && query) {
      c.recursive = true;
    } else if (IsOption(a, "t") && add && hasNext && !c.type) {
      c.type = args[++i];
    } else if (IsOption(a, "d") && add && hasNext && !c.data) {
      c.data = args[++i];
    } else if (IsOption(a, "f") && !query) {
      // Nothing is ever asked.
    } else {
      error = "Unexpected \"" + a + "\".";
      return std::nullopt;
    }
  }
  if (c.recursive && c.valueName) {
    error = "/s lists whole keys; it cannot be combined with /v or /ve.";
    return std::nullopt;
  }
  return c;
}

std::string ShownName(const std::string& name) {
  return name.empty() ? "(Default)" : name;
}

std::string ShownData(const RegValue& v) {
  if (v.IsText()) return v.data;
  char buf[16];
  if (v.type == platform::kRegDword) {
    std::snprintf(buf, sizeof buf, "0x%x", v.AsDword());
    return buf;
  }
  std::string hex;
  for (unsigned char b : v.data) {
    std::snprintf(buf, sizeof buf, "%02X", b);
    hex += buf;
  }
  return hex;
}

void PrintValue(const std::string& name, const RegValue& v) {
  std::printf("    %s    %s    %s\n", ShownName(name).c_str(),
              platform::RegTypeName(v.type).c_str(), ShownData(v).c_str());
}

// One key with its values; with `recursive`, every key below it the same way; otherwise the
// sub-keys by name after the values.
void PrintKey(const KeyNode& key, const std::string& display, bool recursive) {
  std::printf("%s\n", display.c_str());
  for (const auto& [name, v] : key.values)
    PrintValue(name, v);
  std::printf("\n");
  for (const auto& sub : key.keys) {
    if (recursive)
      PrintKey(sub, display + "\\" + sub.name, true);
    else
      std::printf("%s\\%s\n", display.c_str(), sub.name.c_str());
  }
}

int Query(const Command& c) {
  platform::Registry reg;
  KeyNode key;
  if (auto r = reg.ReadTree(c.hive.handle, c.path, key); !r) return Failed(r);
  if (c.valueName) {
    for (const auto& [name, v] : key.values) {
      if (platform::NamesEqual(name, *c.valueName)) {
        std::printf("\n%s\n", c.display.c_str());
        PrintValue(name, v);
        std::printf("\n");
        return 0;
      }
    }
    return Failed(RegResult::Fail(platform::regerr::kFileNotFound));
  }
  std::printf("\n");
  PrintKey(key, c.display, c.recursive);
  return 0;
}

// REG_DWORD data as the host's tool takes it: decimal, or hexadecimal after "0x".
std::optional<uint32_t> ParseDword(const std::string& text) {
  if (text.empty()) return 0u;
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const std::string digits = hex ? text.substr(2) : text;
  uint64_t n = 0;
  for (char ch : digits) {
    int d;
    if (ch >= '0' && ch <= '9')
      d = ch - '0';
    else if (hex && ch >= 'a' && ch <= 'f')
      d = ch - 'a' + 10;
    else if (hex && ch >= 'A' && ch <= 'F')
      d = ch - 'A' + 10;
    else
      return std::nullopt;
    n = n * (hex ? 16 : 10) + static_cast<uint64_t>(d);
    if (n > 0xFFFFFFFFull) return std::nullopt;
  }
  return static_cast<uint32_t>(n);
}

int Add(const Command& c) {
  RegValue value;
  if (c.valueName) {
    const std::string type = c.type ? text::AsciiLowered(*c.type) : "reg_sz";
    if (type == "reg_sz") {
      value = RegValue::Text(c.data.value_or(""));
    } else if (type == "reg_dword") {
      const auto n = ParseDword(c.data.value_or(""));
      if (!n) return BadSyntax("\"" + *c.data + "\" is not a REG_DWORD number.");
      value = RegValue::Dword(*n);
    } else {
      return BadSyntax("Type \"" + *c.type + "\" is not REG_SZ or REG_DWORD.");
    }
  } else if (c.type || c.data) {
    return BadSyntax("/t and /d need /v or /ve.");
  }
  platform::Registry reg;
  if (c.valueName) {
    // Most adds go to a key that exists; only a missing key costs a second write.
    auto r = reg.SetValue(c.hive.handle, c.path, *c.valueName, value);
    if (r.code == platform::regerr::kFileNotFound) {
      if (r = reg.CreateKey(c.hive.handle, c.path); r)
        r = reg.SetValue(c.hive.handle, c.path, *c.valueName, value);
    }
    return r ? Done() : Failed(r);
  }
  if (auto r = reg.CreateKey(c.hive.handle, c.path); !r) return Failed(r);
  return Done();
}

int Delete(const Command& c) {
  platform::Registry reg;
  if (c.valueName) {
    if (auto r = reg.DeleteValue(c.hive.handle, c.path, *c.valueName); !r) return Failed(r);
    return Done();
  }
  if (c.allValues) {
    std::vector<std::pair<std::string, RegValue>> values;
    if (auto r = reg.EnumValues(c.hive.handle, c.path, values); !r) return Failed(r);
    for (const auto& entry : values) {
      auto r = reg.DeleteValue(c.hive.handle, c.path, entry.first);
      // Another program may have removed it meanwhile; that is what was asked for anyway.
      if (!r && r.code != platform::regerr::kFileNotFound) return Failed(r);
    }
    return Done();
  }
  if (c.path.empty()) {
    std::fprintf(stderr, "ERROR: A whole hive cannot be deleted.\n");
    return 1;
  }
  // As the host's tool does, deleting a key takes everything below it.
  if (auto r = reg.DeleteTree(c.hive.handle, c.path); !r) return Failed(r);
  return Done();
}

}  // namespace

int RegCommand(const CommandArgs& args) {
  if (args.size() == 1 && (args[0] == "/?" || args[0] == "-h" || args[0] == "--help"))
    return Usage(stdout);
  std::string error;
  const auto command = Parse(args, error);
  if (!command) return BadSyntax(error);
  if (command->operation == "query") return Query(*command);
  if (command->operation == "add") return Add(*command);
  return Delete(*command);
}

}  // namespace qv::tools
