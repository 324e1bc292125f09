#pragma once
// <tbody>, <thead>, <tfoot>: the row groups of a table.

#include <string>

#include "browser/dom/element.h"

namespace qv::browser {

class HTMLTableSectionElement final : public Element {
 public:
  explicit HTMLTableSectionElement(std::string tag = "tbody") : Element(std::move(tag)) {}
  const automation::DispatchTable& Members() const override;
};

}  // namespace qv::browser
