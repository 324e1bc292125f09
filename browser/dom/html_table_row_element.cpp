#include "browser/dom/html_table_row_element.h"

#include "browser/dom/reflected.h"

namespace qv::browser {

using automation::ClassTable;
using automation::Variant;

const automation::DispatchTable& HTMLTableRowElement::Members() const {
  static const auto table = ClassTable<Element>("HTMLTableRowElement")
                                .Inherit(ElementMembers())
                                .With(Reflected<Element>("align"))
                                .With(Reflected<Element>("vAlign", "valign"))
                                .Build();
  return table;
}

}  // namespace qv::browser
