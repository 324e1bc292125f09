#pragma once
// Element properties that stand for one attribute each: reading gives the attribute's text (or
// its fallback when the attribute is absent), writing sets it. Declared with
// `.With(Reflected<Element>("colSpan", "colspan", "1"))` in a class table; a whole number
// (`ReflectedNumber`) or a flag that the attribute's presence makes (`ReflectedFlag`) reads as
// such, and a reading with a rule of its own is `ReflectedReadBy`.

#include <cstdint>
#include <functional>
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

// A property whose reading has a rule of its own (an input's type falls back to "text", an
// option's value to its text): `read` (such as `&HTMLInputElement::Type`) gives it; writing sets
// the attribute to the value's text.
template <class T, class Read>
auto ReflectedReadBy(std::string property, std::string attribute, Read read) {
  return [property = std::move(property), attribute = std::move(attribute),
          read](automation::ClassTable<T>& table) {
    table.Prop(
        property, [read](T& e) { return std::invoke(read, e); },
        [attribute](T& e, const automation::Variant& v) { e.SetAttribute(attribute, v.ToText()); });
  };
}

// A whole number (size, cols, maxLength): `fallback` when the attribute is absent or not a
// positive number; writing sets the attribute to the value's text.
template <class T>
auto ReflectedNumber(std::string property, std::string attribute, int32_t fallback) {
  return [property = std::move(property), attribute = std::move(attribute),
          fallback](automation::ClassTable<T>& table) {
    table.Prop(
        property, [attribute, fallback](T& e) { return e.NumberAttribute(attribute, fallback); },
        [attribute](T& e, const automation::Variant& v) { e.SetAttribute(attribute, v.ToText()); });
  };
}

// A flag (disabled, defaultChecked): true while the attribute is present; writing true adds it
// empty, false removes it.
template <class T>
auto ReflectedFlag(std::string property, std::string attribute) {
  return [property = std::move(property),
          attribute = std::move(attribute)](automation::ClassTable<T>& table) {
    table.Prop(
        property, [attribute](T& e) { return e.HasAttribute(attribute); },
        [attribute](T& e, const automation::Variant& v) {
          if (v.ToBool())
            e.SetAttribute(attribute, "");
          else
            e.RemoveAttribute(attribute);
        });
  };
}

// The element's whole text (a script's or a style sheet's source, a title): reading joins its text
// nodes, writing replaces its content with one text node.
template <class T>
auto ReflectedText(std::string property) {
  return [property = std::move(property)](automation::ClassTable<T>& table) {
    table.Prop(
        property, [](T& e) { return e.TextContent(); },
        [](T& e, const automation::Variant& v) { e.SetText(v.ToText()); });
  };
}

}  // namespace qv::browser
