#include "browser/dom/html_option_element.h"

#include <cctype>

#include "browser/dom/html_select_element.h"
#include "browser/dom/reflected.h"

namespace qv::browser {

using automation::ClassTable;
using automation::Variant;

std::string HTMLOptionElement::Text() const {
  std::string out;
  bool blank = false;
  for (char c : TextContent()) {
    if (std::isspace(static_cast<unsigned char>(c))) {
      blank = !out.empty();
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    out += c;
  }
  return out;
}

std::string HTMLOptionElement::Value() const {
  if (auto v = GetAttribute("value")) return *v;
  return Text();
}

HTMLSelectElement* HTMLOptionElement::OwnerSelect() const {
  for (Element* e = Parent(); e; e = e->Parent())
    if (e->TagName() == "select") return static_cast<HTMLSelectElement*>(e);
  return nullptr;
}

bool HTMLOptionElement::Selected() const {
  if (HTMLSelectElement* select = OwnerSelect()) select->ResetSelectedness();
  return RawSelected();
}

void HTMLOptionElement::SetSelected(bool selected) {
  selected_ = selected;
  if (HTMLSelectElement* select = OwnerSelect())
    select->ResetSelectedness(selected ? this : nullptr);
}

int32_t HTMLOptionElement::Index() const {
  HTMLSelectElement* select = OwnerSelect();
  if (!select) return 0;
  int32_t i = 0;
  for (const auto& option : select->Options()) {
    if (option.get() == this) return i;
    ++i;
  }
  return 0;
}

const automation::DispatchTable& HTMLOptionElement::Members() const {
  static const auto table =
      ClassTable<HTMLOptionElement>("HTMLOptionElement")
          .Inherit(ElementMembers())
          .Prop(
              "text", [](HTMLOptionElement& e) { return e.Text(); },
              [](HTMLOptionElement& e, const Variant& v) { e.Text(v.ToText()); })
          .With(ReflectedReadBy<HTMLOptionElement>("value", "value", &HTMLOptionElement::Value))
          .Prop(
              "selected", [](HTMLOptionElement& e) { return e.Selected(); },
              [](HTMLOptionElement& e, const Variant& v) { e.SetSelected(v.ToBool()); })
          .Get("defaultSelected", [](HTMLOptionElement& e) { return e.DefaultSelected(); })
          .Get("index", [](HTMLOptionElement& e) { return e.Index(); })
          .Build();
  return table;
}

}  // namespace qv::browser
