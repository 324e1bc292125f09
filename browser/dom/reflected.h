#pragma once
// Element properties that stand for one attribute each: reading gives the attribute's text (or
// its fallback when the attribute is absent), writing sets it. Declared with
// `.With(Reflected<Element>("colSpan", "colspan", "1"))` in a class table.

#include <string>

#include "automation/dispatch.h"

namespace qv::browser {

template <class T>
auto Reflected(std::string property, std::string attribute, std::string fallback = "") {
  return [property = std::move(property), attribute = std::move(attribute),
          fallback = std::move(fallback)](automation::ClassTable<T>& table) {
    table.Prop(
        property, [attribute, fallback](T& e) { return e.AttributeOr(attribute, fallback); },
        [attribute](T& e, const automation::Variant& v) { e.SetAttribute(attribute, v.ToText()); });
  };
}

// A property whose name is its attribute's.
template <class T>
auto Reflected(const std::string& name) {
  return Reflected<T>(name, name);
}

}  // namespace qv::browser
