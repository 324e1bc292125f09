#include "browser/dom/html_select_element.h"

#include "browser/dom/collection.h"
#include "browser/dom/html_option_element.h"

namespace qv::browser {

using automation::ClassTable;
using automation::Variant;

std::vector<std::shared_ptr<HTMLOptionElement>> HTMLSelectElement::Options() const {
  std::vector<std::shared_ptr<HTMLOptionElement>> out;
  ForEachDescendant([&](Element& e) {
    if (e.TagName() == "option")
      out.push_back(std::static_pointer_cast<HTMLOptionElement>(e.SharedElement()));
    return true;
  });
  return out;
}

void HTMLSelectElement::ResetSelectedness(const HTMLOptionElement* chosen) const {
  auto options = Options();
  if (Multiple()) return;
  HTMLOptionElement* keep = nullptr;
  for (auto& o : options)
    if (o.get() == chosen || (!chosen && o->RawSelected())) keep = o.get();
  const bool dropDown = AttributeOr("size", "1") == "1" || !HasAttribute("size");
  if (!keep && dropDown)
    for (auto& o : options)
      if (!o->Disabled()) {
        keep = o.get();
        break;
      }
  for (auto& o : options)
    o->selected_ = o.get() == keep;
}

int32_t HTMLSelectElement::SelectedIndex() const {
  ResetSelectedness();
  int32_t i = 0;
  for (auto& o : Options()) {
    if (o->RawSelected()) return i;
    ++i;
  }
  return -1;
}

void HTMLSelectElement::SelectedIndex(int32_t index) {
  auto options = Options();
  for (auto& o : options)
    o->selected_ = false;
  if (index >= 0 && index < static_cast<int32_t>(options.size())) {
    options[static_cast<size_t>(index)]->selected_ = true;
    ResetSelectedness(options[static_cast<size_t>(index)].get());
  }
}

std::string HTMLSelectElement::Value() const {
  const int32_t i = SelectedIndex();
  return i < 0 ? "" : Options()[static_cast<size_t>(i)]->Value();
}

std::string HTMLSelectElement::SelectedText() const {
  const int32_t i = SelectedIndex();
  return i < 0 ? "" : Options()[static_cast<size_t>(i)]->Text();
}

void HTMLSelectElement::Reset() {
  for (auto& o : Options())
    o->selected_.reset();
}

bool HTMLSelectElement::ScriptGet(const std::string& name, Variant& out) {
  int32_t index = 0;
  if (!ParseIndex(name, index)) return false;
  auto options = Options();
  if (index >= static_cast<int32_t>(options.size())) return false;
  out = Variant(options[static_cast<size_t>(index)]);
  return true;
}

const automation::DispatchTable& HTMLSelectElement::Members() const {
  static const auto table =
      ClassTable<HTMLSelectElement>("HTMLSelectElement")
          .Inherit(ElementMembers())
          .Get("type",
               [](HTMLSelectElement& e) { return e.Multiple() ? "select-multiple" : "select-one"; })
          .Prop(
              "selectedIndex", [](HTMLSelectElement& e) { return e.SelectedIndex(); },
              [](HTMLSelectElement& e, const Variant& v) { e.SelectedIndex(v.ToInt32()); })
          .Prop(
              "value", [](HTMLSelectElement& e) { return e.Value(); },
              [](HTMLSelectElement& e, const Variant& v) {
                const std::string want = v.ToText();
                int32_t i = 0;
                for (auto& o : e.Options()) {
                  if (o->Value() == want) return e.SelectedIndex(i);
                  ++i;
                }
                e.SelectedIndex(-1);
              })
          .Get("length",
               [](HTMLSelectElement& e) { return static_cast<int32_t>(e.Options().size()); })
          .Get("multiple", [](HTMLSelectElement& e) { return e.Multiple(); })
          .Get("options",
               [](HTMLSelectElement& e) {
                 auto self = std::static_pointer_cast<HTMLSelectElement>(e.SharedElement());
                 return Variant(std::make_shared<ElementCollection>(
                     [self] {
                       auto options = self->Options();
                       return std::vector<ElementRef>(options.begin(), options.end());
                     },
                     "HTMLOptionsCollection"));
               })
          .Build();
  return table;
}

}  // namespace qv::browser
