#include "browser/dom/node.h"

namespace qv::browser {

using automation::ClassTable;
using automation::Variant;

const automation::DispatchTable& Text::Members() const {
  static const auto table = ClassTable<Text>("Text")
                                .Prop(
                                    "data", [](Text& t) { return t.Data(); },
                                    [](Text& t, const Variant& v) { t.Data(v.ToText()); })
                                .Get("nodeValue", [](Text& t) { return t.Data(); })
                                .Get("nodeType", [](Text&) { return 3; })
                                .Build();
  return table;
}

}  // namespace qv::browser
