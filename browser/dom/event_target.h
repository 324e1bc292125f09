#pragma once
// The event handlers of an element or a document: one per event name ("onclick"), either a
// function of the page's scripts or an object of the host whose default member the browser calls
// (the way an event relay object is assigned to a document's onclick). A handler written in an
// attribute (onclick="...") is compiled by the page's script engine the first time it is needed.

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "automation/variant.h"

namespace qv::browser {

class ScriptFunction;

struct EventHandler {
  automation::ObjectRef host;
  std::shared_ptr<ScriptFunction> script;
  bool fromAttribute = false;
  explicit operator bool() const { return host || script; }
};

// The event names the browser knows as handler properties.
inline constexpr const char* kEventNames[] = {
    "onclick",  "ondblclick",  "onkeypress", "onkeydown", "onkeyup",  "onblur",   "onfocus",
    "onchange", "onmouseover", "onmouseout", "onload",    "onunload", "onsubmit", "onselect"};

bool IsEventName(const std::string& name);

class EventTarget {
 public:
  virtual ~EventTarget() = default;

  // The handler assigned for `type`, or nullptr.
  const EventHandler* Handler(const std::string& type) const;
  void SetHandler(const std::string& type, EventHandler handler);
  void ClearHandler(const std::string& type) { handlers_.erase(type); }
  // The handler text of the attribute of that name, when there is one and no script has
  // assigned another handler since.
  virtual std::optional<std::string> HandlerAttribute(const std::string& type) const {
    (void)type;
    return std::nullopt;
  }

 private:
  std::map<std::string, EventHandler> handlers_;
};

}  // namespace qv::browser
