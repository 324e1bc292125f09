#pragma once
// <tr>: a row of a table.

#include <string>

#include "browser/dom/element.h"

namespace qv::browser {

class HTMLTableRowElement final : public Element {
 public:
  explicit HTMLTableRowElement(std::string tag = "tr") : Element(std::move(tag)) {}
  const automation::DispatchTable& Members() const override;
};

}  // namespace qv::browser
