#pragma once
// The base of every object of the browser that a page's scripts can reach. Besides the members of
// its class table, such an object may answer names that are not members: the items of a
// collection by index or name, the controls of a form by name, the properties of a style.

#include <string>

#include "automation/dispatch.h"

namespace qv::browser {

class EventTarget;

class ScriptObject : public automation::Dispatch {
 public:
  // Reads a name beyond the class's members; false when the object has no such item.
  virtual bool ScriptGet(const std::string& name, automation::Variant& out) {
    (void)name;
    (void)out;
    return false;
  }
  // Writes a name beyond the class's members; false when the object does not take it (the
  // script then keeps it as a property of its own on the object).
  virtual bool ScriptPut(const std::string& name, const automation::Variant& value) {
    (void)name;
    (void)value;
    return false;
  }
  // Whether named items hide the class's own members: a form's controls do, as on the host,
  // where a field named "title" hides the form's own title.
  virtual bool NamedItemsFirst() const { return false; }
  // The object's event handlers, when it has any (elements and documents).
  virtual EventTarget* AsEventTarget() { return nullptr; }
  // Whether scripts must see one and the same wrapper each time they reach this object (the
  // page's nodes, documents, windows). Objects made afresh on each read (collections, event
  // objects) say no, so that a script reading them in a loop does not keep every one of them.
  virtual bool KeepsScriptIdentity() const { return true; }
};

}  // namespace qv::browser
