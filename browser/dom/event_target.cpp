#include "browser/dom/event_target.h"

namespace qv::browser {

bool IsEventName(const std::string& name) {
  for (const char* n : kEventNames)
    if (name == n) return true;
  return false;
}

const EventHandler* EventTarget::Handler(const std::string& type) const {
  const auto it = handlers_.find(type);
  return it == handlers_.end() ? nullptr : &it->second;
}

void EventTarget::SetHandler(const std::string& type, EventHandler handler) {
  if (handler)
    handlers_[type] = std::move(handler);
  else
    handlers_.erase(type);
}

}  // namespace qv::browser
