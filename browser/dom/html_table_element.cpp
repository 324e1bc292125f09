#include "browser/dom/html_table_element.h"

#include "browser/dom/reflected.h"

namespace qv::browser {

using automation::ClassTable;
using automation::Variant;

const automation::DispatchTable& HTMLTableElement::Members() const {
  static const auto table = ClassTable<Element>("HTMLTableElement")
                                .Inherit(ElementMembers())
                                .With(Reflected<Element>("border"))
                                .With(Reflected<Element>("cellPadding", "cellpadding"))
                                .With(Reflected<Element>("cellSpacing", "cellspacing"))
                                .With(Reflected<Element>("width"))
                                .Build();
  return table;
}

}  // namespace qv::browser
