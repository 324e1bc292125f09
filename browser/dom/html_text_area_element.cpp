#include "browser/dom/html_text_area_element.h"

#include "browser/dom/reflected.h"

namespace qv::browser {

using automation::Args;
using automation::ClassTable;
using automation::Variant;

const automation::DispatchTable& HTMLTextAreaElement::Members() const {
  static const auto table =
      ClassTable<HTMLTextAreaElement>("HTMLTextAreaElement")
          .Inherit(ElementMembers())
          .Get("type", [](HTMLTextAreaElement&) { return "textarea"; })
          .Prop(
              "value", [](HTMLTextAreaElement& e) { return e.Value(); },
              [](HTMLTextAreaElement& e, const Variant& v) { e.Value(v.ToText()); })
          .Prop(
              "defaultValue", [](HTMLTextAreaElement& e) { return e.DefaultValue(); },
              [](HTMLTextAreaElement& e, const Variant& v) { e.DefaultValue(v.ToText()); })
          .With(ReflectedNumber<HTMLTextAreaElement>("cols", "cols", 20))
          .With(ReflectedNumber<HTMLTextAreaElement>("rows", "rows", 2))
          .Sub("select", [](HTMLTextAreaElement& e, Args&) { e.Focus(); })
          .Build();
  return table;
}

}  // namespace qv::browser
