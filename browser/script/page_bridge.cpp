#include "browser/script/page_bridge.h"

#include "browser/dom/event_target.h"
#include "browser/script/script_engine.h"
#include "browser/script_object.h"
#include "browser/windows/html_window.h"

namespace qv::browser {

using automation::Dispatch;
using automation::ObjectRef;
using automation::Variant;

static_assert(ScriptEngine::kStopped == automation::ScriptBridge::kStopped);

namespace {

automation::BridgePolicy PagePolicy() {
  automation::BridgePolicy policy;
  policy.callableWrappers = false;
  policy.unknownNamesRaise = false;
  // The host browser ignores such assignments from its pages.
  policy.readOnlyWritesRaise = false;
  policy.convertsScriptObjects = false;
  return policy;
}

EventTarget* EventTargetOf(Dispatch& object) {
  auto* scriptObject = dynamic_cast<ScriptObject*>(&object);
  return scriptObject ? scriptObject->AsEventTarget() : nullptr;
}

}  // namespace

PageBridge::PageBridge(ScriptEngine& engine) : ScriptBridge(PagePolicy()), engine_(engine) {}

ScriptEngine& EngineOf(duk_context* ctx) {
  return static_cast<PageBridge&>(automation::ScriptBridge::Of(ctx)).Engine();
}

// A native called straight from the interpreter (not from our own code under the same guard) also
// ends the script when its time is up, and never returns into an interpreter that must be left.
PageBridge::NativeFrame PageBridge::EnterNative() {
  StopGuard* guard = InnermostGuard();
  if (!guard || guard->engine != &engine_) return {};
  const bool fromInterpreter = guard->inHost == 0;
  guard->inHost = guard->inHost + 1;
  return {guard, fromInterpreter};
}

void PageBridge::LeaveNative(const NativeFrame& frame) {
  auto* guard = static_cast<StopGuard*>(frame.guard);
  if (!guard) return;
  guard->inHost = guard->inHost - 1;
  // The native's own frame has ended: the jump skips nothing but interpreter frames.
  if (frame.fromInterpreter && engine_.MustLeave()) siglongjmp(guard->jump, 1);
}

bool PageBridge::Abandoned() const {
  return engine_.Dead();
}

bool PageBridge::MustStop(const NativeFrame& frame) const {
  return frame.fromInterpreter && engine_.TimeUp();
}

void PageBridge::CheckAlive() const {
  engine_.CheckAlive();
}

int PageBridge::SafeCall(duk_context*, duk_safe_call_function call, duk_idx_t nargs,
                         duk_idx_t nrets) {
  return engine_.Protected(call, nullptr, nargs, nrets);
}

// A handler property as a script sees it: its own function, a host object, or null.
bool PageBridge::GetExtra(duk_context* ctx, Dispatch& object, const std::string& name) {
  EventTarget* target = EventTargetOf(object);
  if (!target || !IsEventName(name)) return false;
  HTMLWindow* window = engine_.Window();
  // Resolving may compile the handler's attribute, a call into this engine.
  const EventHandler handler = window ? window->ResolveHandler(*target, name) : EventHandler{};
  engine_.CheckAlive();
  if (handler.script) {
    engine_.PushFunction(*handler.script);
    if (duk_is_undefined(ctx, -1)) {
      duk_pop(ctx);
      duk_push_null(ctx);
    }
  } else if (handler.host) {
    Push(ctx, Variant(handler.host));
  } else {
    duk_push_null(ctx);
  }
  return true;
}

bool PageBridge::PutExtra(duk_context* ctx, Dispatch& object, const std::string& name,
                          duk_idx_t value) {
  EventTarget* target = EventTargetOf(object);
  if (!target || !IsEventName(name)) return false;
  EventHandler handler;
  if (duk_is_function(ctx, value))
    handler.script = engine_.Keep(value, "handler " + name);
  else if (ObjectRef host = Unwrap(ctx, value))
    handler.host = host;
  target->SetHandler(name, std::move(handler));
  return true;
}

// Objects made afresh on each read (collections, event objects) say no, so that a script reading
// them in a loop does not keep every one of them; any other host object keeps its wrapper.
bool PageBridge::KeepsIdentity(const Dispatch& object) const {
  const auto* scriptObject = dynamic_cast<const ScriptObject*>(&object);
  return !scriptObject || scriptObject->KeepsScriptIdentity();
}

// The engine's own window owns the engine: a strong reference back would keep both for ever.
bool PageBridge::HeldWeakly(const Dispatch& object) const {
  const HTMLWindow* window = engine_.Window();
  return window && &object == static_cast<const Dispatch*>(window);
}

}  // namespace qv::browser
