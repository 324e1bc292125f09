#include "powerpoint/addin_file.h"

#include <nlohmann/json.hpp>

namespace qv::powerpoint {

using nlohmann::json;

namespace {

std::string TextOf(const json& object, const char* key) {
  const auto it = object.find(key);
  return it != object.end() && it->is_string() ? it->get<std::string>() : std::string();
}

std::vector<AddInBar> BarsOf(const json& decl, const char* listKey, const char* nameKey) {
  std::vector<AddInBar> out;
  const auto list = decl.find(listKey);
  if (list == decl.end() || !list->is_array()) return out;
  for (const auto& entry : *list) {
    if (!entry.is_object()) continue;
    AddInBar bar;
    bar.name = TextOf(entry, nameKey);
    if (bar.name.empty()) continue;
    if (const auto buttons = entry.find("buttons"); buttons != entry.end() && buttons->is_array()) {
      for (const auto& b : *buttons) {
        if (b.is_object()) bar.buttons.push_back({TextOf(b, "caption"), TextOf(b, "tag")});
      }
    }
    out.push_back(std::move(bar));
  }
  return out;
}

}  // namespace

AddInDeclaration ReadAddInDeclaration(const std::string& content) {
  AddInDeclaration decl;
  const json parsed = json::parse(content, nullptr, false);
  if (parsed.is_discarded() || !parsed.is_object()) return decl;
  decl.toolbars = BarsOf(parsed, "toolbars", "name");
  decl.toolsMenu = BarsOf(parsed, "toolsMenu", "caption");
  return decl;
}

}  // namespace qv::powerpoint
