#pragma once
// <td> and <th>: a cell of a table row.

#include <string>

#include "browser/dom/element.h"

namespace qv::browser {

class HTMLTableCellElement final : public Element {
 public:
  explicit HTMLTableCellElement(std::string tag = "td") : Element(std::move(tag)) {}
  const automation::DispatchTable& Members() const override;
};

}  // namespace qv::browser
