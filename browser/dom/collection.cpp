#include "browser/dom/collection.h"

namespace qv::browser {

using automation::Args;
using automation::ClassTable;
using automation::ObjectRef;
using automation::Variant;

bool ParseIndex(const std::string& name, int32_t& index) {
  if (name.empty() || name.size() > 9) return false;
  int32_t n = 0;
  for (char c : name) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + (c - '0');
  }
  index = n;
  return true;
}

Variant NamedItem(std::vector<ElementRef> matches, ElementCollection::Provider liveGroup) {
  if (matches.empty()) return Variant();
  if (matches.size() == 1) return Variant(matches.front());
  return Variant(std::make_shared<ElementCollection>(std::move(liveGroup)));
}

ElementRef ElementCollection::At(int32_t index) const {
  auto items = Items();
  if (index < 0 || index >= static_cast<int32_t>(items.size())) return nullptr;
  return items[static_cast<size_t>(index)];
}

std::vector<ElementRef> ElementCollection::Named(const std::string& name) const {
  std::vector<ElementRef> out;
  for (auto& e : Items())
    if (e->Name() == name || e->Id() == name) out.push_back(e);
  return out;
}

Variant ElementCollection::Item(const Variant& key) const {
  if (key.IsEmpty()) return Variant(ObjectRef());
  if (!key.IsText()) {
    auto e = At(key.ToInt32());
    return e ? Variant(e) : Variant(ObjectRef());
  }
  const std::string name = key.ToText();
  int32_t index = 0;
  if (ParseIndex(name, index)) return Item(Variant(index));
  auto provider = provider_;
  Variant v = NamedItem(Named(name), [provider, name] {
    std::vector<ElementRef> out;
    for (auto& e : provider())
      if (e->Name() == name || e->Id() == name) out.push_back(e);
    return out;
  });
  return v.IsEmpty() ? Variant(ObjectRef()) : v;
}

bool ElementCollection::ScriptGet(const std::string& name, Variant& out) {
  int32_t index = 0;
  if (ParseIndex(name, index)) {
    auto e = At(index);
    if (!e) return false;
    out = Variant(e);
    return true;
  }
  Variant v = Item(Variant(name));
  if (v.IsObject() && !v.ToObject()) return false;
  out = v;
  return true;
}

const automation::DispatchTable& ElementCollection::Members() const {
  static const auto table =
      ClassTable<ElementCollection>("HTMLCollection")
          .Get("length", [](ElementCollection& c) { return c.Length(); })
          .Method("item", [](ElementCollection& c, Args& a) { return c.Item(a.Opt(0, Variant())); })
          .Method("namedItem",
                  [](ElementCollection& c, Args& a) { return c.Item(Variant(a.Text(0))); })
          .Default("item")
          .Build();
  return table;
}

}  // namespace qv::browser
