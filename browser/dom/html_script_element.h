#pragma once
// <script>: a block of script, run once when the page loads, in document order.

#include <string>

#include "browser/dom/element.h"

namespace qv::browser {

class HTMLScriptElement final : public Element {
 public:
  explicit HTMLScriptElement(std::string tag = "script") : Element(std::move(tag)) {}
  const automation::DispatchTable& Members() const override;
};

}  // namespace qv::browser
