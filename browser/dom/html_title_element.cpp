#include "browser/dom/html_title_element.h"

namespace qv::browser {

using automation::ClassTable;
using automation::Variant;

const automation::DispatchTable& HTMLTitleElement::Members() const {
  static const auto table = ClassTable<Element>("HTMLTitleElement")
                                .Inherit(ElementMembers())
                                .Prop(
                                    "text", [](Element& e) { return e.TextContent(); },
                                    [](Element& e, const Variant& v) { e.SetText(v.ToText()); })
                                .Build();
  return table;
}

}  // namespace qv::browser
