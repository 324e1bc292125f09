#include "browser/dom/html_title_element.h"

#include "browser/dom/reflected.h"

namespace qv::browser {

using automation::ClassTable;

const automation::DispatchTable& HTMLTitleElement::Members() const {
  static const auto table = ClassTable<Element>("HTMLTitleElement")
                                .Inherit(ElementMembers())
                                .With(ReflectedText<Element>("text"))
                                .Build();
  return table;
}

}  // namespace qv::browser
