#include "browser/dom/style.h"

#include <cctype>

#include "automation/text/ascii.h"

namespace qv::browser {

using automation::ClassTable;
using automation::Variant;

namespace {

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
    ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
    --e;
  return s.substr(b, e - b);
}

// Names a script commonly reads before ever setting them; they read as "".
constexpr const char* kKnown[] = {"display",      "visibility", "backgroundColor",
                                  "color",        "width",      "height",
                                  "fontWeight",   "font",       "border",
                                  "padding",      "margin",     "textDecoration",
                                  "position",     "left",       "top",
                                  "cursor",       "fontFamily", "fontSize",
                                  "borderBottom", "textAlign"};

}  // namespace

std::string CSSStyle::Get(const std::string& name) const {
  const std::string key = text::HyphenatedName(name);
  for (const auto& [k, v] : properties_)
    if (k == key) return v;
  return "";
}

void CSSStyle::Set(const std::string& name, const std::string& value) {
  const std::string key = text::HyphenatedName(name);
  for (auto it = properties_.begin(); it != properties_.end(); ++it) {
    if (it->first != key) continue;
    if (value.empty())
      properties_.erase(it);
    else
      it->second = value;
    return;
  }
  if (!value.empty()) properties_.emplace_back(key, value);
}

std::string CSSStyle::CssText() const {
  std::string out;
  for (const auto& [k, v] : properties_) {
    if (!out.empty()) out += "; ";
    out += k + ": " + v;
  }
  return out;
}

void CSSStyle::CssText(const std::string& text) {
  properties_.clear();
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(';', start);
    if (end == std::string::npos) end = text.size();
    const std::string decl = text.substr(start, end - start);
    const size_t colon = decl.find(':');
    if (colon != std::string::npos) {
      std::string key = text::AsciiLowered(Trim(decl.substr(0, colon)));
      Set(key, Trim(decl.substr(colon + 1)));
    }
    start = end + 1;
  }
}

bool CSSStyle::ScriptGet(const std::string& name, Variant& out) {
  const std::string v = Get(name);
  if (v.empty()) return false;
  out = Variant(v);
  return true;
}

bool CSSStyle::ScriptPut(const std::string& name, const Variant& value) {
  // Only names that look like style properties; anything else stays a script's own property.
  for (char c : name)
    if (!std::isalpha(static_cast<unsigned char>(c)) && c != '-') return false;
  Set(name, value.ToText());
  return true;
}

const automation::DispatchTable& CSSStyle::Members() const {
  static const auto table = [] {
    ClassTable<CSSStyle> t("CSSStyleDeclaration");
    for (const char* name : kKnown) {
      const std::string n = name;
      t.Prop(
          n, [n](CSSStyle& s) { return s.Get(n); },
          [n](CSSStyle& s, const Variant& v) { s.Set(n, v.ToText()); });
    }
    t.Prop(
        "cssText", [](CSSStyle& s) { return s.CssText(); },
        [](CSSStyle& s, const Variant& v) { s.CssText(v.ToText()); });
    return t.Build();
  }();
  return table;
}

}  // namespace qv::browser
