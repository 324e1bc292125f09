#pragma once
// The page's side of the script bridge (automation/script/script_bridge.h): what a page's scripts
// see differently from an automation client, as the host browser shows its objects to pages.
// Wrappers are plain objects; a name the object does not know is the script's own property on
// it; assigning a read-only property is ignored; arrays and plain objects reach the object model
// as their text; event-handler properties (onclick, ...) hold the page's functions. Nodes,
// documents and windows keep one wrapper for the page's life (`a === b` holds); objects made
// afresh on each read get a wrapper that goes with the script's last reference. Every native call
// is bounded by the page's time limit (script_watchdog.h).

#include "automation/script/script_bridge.h"

namespace qv::browser {

class ScriptEngine;

class PageBridge : public automation::ScriptBridge {
 public:
  explicit PageBridge(ScriptEngine& engine);
  ScriptEngine& Engine() const { return engine_; }

  NativeFrame EnterNative() override;
  void LeaveNative(const NativeFrame& frame) override;
  bool Abandoned() const override;
  bool MustStop(const NativeFrame& frame) const override;
  void CheckAlive() const override;
  int SafeCall(duk_context* ctx, duk_safe_call_function call, duk_idx_t nargs,
               duk_idx_t nrets) override;
  bool GetExtra(duk_context* ctx, automation::Dispatch& object, const std::string& name) override;
  bool PutExtra(duk_context* ctx, automation::Dispatch& object, const std::string& name,
                duk_idx_t value) override;

 protected:
  bool KeepsIdentity(const automation::Dispatch& object) const override;
  bool HeldWeakly(const automation::Dispatch& object) const override;

 private:
  ScriptEngine& engine_;
};

// The engine that owns the heap of `ctx`.
ScriptEngine& EngineOf(duk_context* ctx);

}  // namespace qv::browser
