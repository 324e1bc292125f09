#include "browser/dom/html_form_element.h"

#include "browser/dom/html_input_element.h"
#include "browser/dom/html_select_element.h"
#include "browser/dom/html_text_area_element.h"
#include "browser/dom/reflected.h"

namespace qv::browser {

using automation::Args;
using automation::ClassTable;
using automation::ObjectRef;
using automation::Variant;

std::vector<ElementRef> HTMLFormElement::Elements() const {
  std::vector<ElementRef> out;
  ForEachDescendant([&](Element& e) {
    if (e.IsFormControl() && e.Form() == this) out.push_back(e.SharedElement());
    return true;
  });
  return out;
}

std::vector<ElementRef> HTMLFormElement::ElementsNamed(const std::string& name) const {
  std::vector<ElementRef> out;
  if (name.empty()) return out;
  for (auto& e : Elements())
    if (e->Name() == name || e->Id() == name) out.push_back(e);
  return out;
}

Variant HTMLFormElement::Item(const std::string& name) const {
  auto self = std::static_pointer_cast<const HTMLFormElement>(
      std::static_pointer_cast<const Element>(shared_from_this()));
  return NamedItem(ElementsNamed(name), [self, name] { return self->ElementsNamed(name); });
}

void HTMLFormElement::Reset() {
  for (auto& e : Elements()) {
    if (e->TagName() == "input") static_cast<HTMLInputElement&>(*e).Reset();
    if (e->TagName() == "textarea") static_cast<HTMLTextAreaElement&>(*e).Reset();
    if (e->TagName() == "select") static_cast<HTMLSelectElement&>(*e).Reset();
  }
}

bool HTMLFormElement::ScriptGet(const std::string& name, Variant& out) {
  int32_t index = 0;
  if (ParseIndex(name, index)) {
    auto elements = Elements();
    if (index >= static_cast<int32_t>(elements.size())) return false;
    out = Variant(elements[static_cast<size_t>(index)]);
    return true;
  }
  Variant v = Item(name);
  if (v.IsEmpty()) return false;
  out = v;
  return true;
}

const automation::DispatchTable& HTMLFormElement::Members() const {
  static const auto table =
      ClassTable<HTMLFormElement>("HTMLFormElement")
          .Inherit(ElementMembers())
          .Get("elements",
               [](HTMLFormElement& f) {
                 auto self = std::static_pointer_cast<HTMLFormElement>(f.SharedElement());
                 return Variant(
                     std::make_shared<ElementCollection>([self] { return self->Elements(); }));
               })
          .Get("length",
               [](HTMLFormElement& f) { return static_cast<int32_t>(f.Elements().size()); })
          .With(Reflected<HTMLFormElement>("action"))
          .With(Reflected<HTMLFormElement>("method", "method", "get"))
          .Method("item",
                  [](HTMLFormElement& f, Args& a) {
                    const Variant key = a.Opt(0, Variant());
                    if (key.IsText()) {
                      int32_t index = 0;
                      if (!ParseIndex(key.ToText(), index)) {
                        Variant v = f.Item(key.ToText());
                        return v.IsEmpty() ? Variant(ObjectRef()) : v;
                      }
                    }
                    auto elements = f.Elements();
                    const int32_t i = key.ToInt32();
                    if (i < 0 || i >= static_cast<int32_t>(elements.size()))
                      return Variant(ObjectRef());
                    return Variant(elements[static_cast<size_t>(i)]);
                  })
          .Method("namedItem",
                  [](HTMLFormElement& f, Args& a) {
                    Variant v = f.Item(a.Text(0));
                    return v.IsEmpty() ? Variant(ObjectRef()) : v;
                  })
          .Sub("reset", [](HTMLFormElement& f, Args&) { f.Reset(); })
          // Pages shown here are read back by their host; nothing is ever sent anywhere.
          .Sub("submit", [](HTMLFormElement& f, Args&) { f.FireEvent("onsubmit"); })
          .Default("item")
          .Build();
  return table;
}

}  // namespace qv::browser
