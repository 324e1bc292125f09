#include "browser/dom/html_span_element.h"

namespace qv::browser {

using automation::ClassTable;

const automation::DispatchTable& HTMLSpanElement::Members() const {
  static const auto table =
      ClassTable<Element>("HTMLSpanElement").Inherit(ElementMembers()).Build();
  return table;
}

}  // namespace qv::browser
