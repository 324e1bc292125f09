#include "browser/dom/html_script_element.h"

#include "browser/dom/reflected.h"

namespace qv::browser {

using automation::ClassTable;
using automation::Variant;

const automation::DispatchTable& HTMLScriptElement::Members() const {
  static const auto table = ClassTable<Element>("HTMLScriptElement")
                                .Inherit(ElementMembers())
                                .With(Reflected<Element>("language"))
                                .With(Reflected<Element>("type"))
                                .With(Reflected<Element>("src"))
                                .Prop(
                                    "text", [](Element& e) { return e.TextContent(); },
                                    [](Element& e, const Variant& v) { e.SetText(v.ToText()); })
                                .Build();
  return table;
}

}  // namespace qv::browser
