#pragma once
// <table>: the grid the pages lay their fields out in.

#include <string>

#include "browser/dom/element.h"

namespace qv::browser {

class HTMLTableElement final : public Element {
 public:
  explicit HTMLTableElement(std::string tag = "table") : Element(std::move(tag)) {}
  const automation::DispatchTable& Members() const override;
};

}  // namespace qv::browser
