#pragma once
// The event being handled (window.event): the element that raised it, its kind, the key of a key
// event, and the handler's verdict (returnValue false cancels the element's own action,
// cancelBubble stops the event from reaching the elements around).

#include <cstdint>
#include <string>

#include "browser/dom/element.h"
#include "browser/script_object.h"

namespace qv::browser {

class EventObject final : public ScriptObject {
 public:
  EventObject(ElementRef source, std::string type, int32_t keyCode)
      : source_(std::move(source)), type_(std::move(type)), keyCode_(keyCode) {}
  const automation::DispatchTable& Members() const override;
  bool KeepsScriptIdentity() const override { return false; }

  const ElementRef& SrcElement() const { return source_; }
  // The kind without "on" ("click").
  const std::string& Type() const { return type_; }
  int32_t KeyCode() const { return keyCode_; }
  void KeyCode(int32_t code) { keyCode_ = code; }
  bool Cancelled() const { return cancelled_; }
  void Cancel() { cancelled_ = true; }
  bool CancelBubble() const { return cancelBubble_; }
  void CancelBubble(bool cancel) { cancelBubble_ = cancel; }

 private:
  ElementRef source_;
  std::string type_;
  int32_t keyCode_;
  bool cancelled_ = false;
  bool cancelBubble_ = false;
};

}  // namespace qv::browser
