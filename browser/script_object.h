#pragma once
// The base of every object of the browser that a page's scripts can reach. Besides the members of
// its class table, such an object may answer names that are not members (Dispatch::ScriptGet):
// the items of a collection by index or name, the controls of a form by name, the properties of
// a style.

#include <string>

#include "automation/dispatch.h"

namespace qv::browser {

class EventTarget;

class ScriptObject : public automation::Dispatch {
 public:
  // The object's event handlers, when it has any (elements and documents).
  virtual EventTarget* AsEventTarget() { return nullptr; }
  // Whether scripts must see one and the same wrapper each time they reach this object (the
  // page's nodes, documents, windows). Objects made afresh on each read (collections, event
  // objects) say no, so that a script reading them in a loop does not keep every one of them.
  virtual bool KeepsScriptIdentity() const { return true; }
};

}  // namespace qv::browser
