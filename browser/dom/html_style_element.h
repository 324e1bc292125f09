#pragma once
// <style>: a style sheet block, kept as text.

#include <string>

#include "browser/dom/element.h"

namespace qv::browser {

class HTMLStyleElement final : public Element {
 public:
  explicit HTMLStyleElement(std::string tag = "style") : Element(std::move(tag)) {}
  const automation::DispatchTable& Members() const override;
};

}  // namespace qv::browser
