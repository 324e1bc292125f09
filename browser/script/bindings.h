#pragma once
// The bridge between the script heap and the host's objects (internal to the script engine):
// wrappers that route a script's property reads, writes and calls through an object's dispatch
// table, and the window's global functions.

#include <duktape.h>

#include <string>

#include "automation/variant.h"

namespace qv::browser {

class ScriptEngine;

// The engine that owns the heap of `ctx`.
ScriptEngine& EngineOf(duk_context* ctx);
// Pushes the wrapper of `object` (the same wrapper each time for one object).
void PushWrapper(ScriptEngine& engine, const automation::ObjectRef& object);
// The host object behind the value at `index`, or nullptr when it is not a wrapper.
automation::ObjectRef UnwrapObject(duk_context* ctx, duk_idx_t index);
// Creates the wrapper handler and the window's globals (window, document, event, alert, ...).
void InstallBindings(ScriptEngine& engine);

// The name of the loop guard function the loop rewrite calls.
inline constexpr const char* kLoopGuardName = "__qvLoopGuard";

}  // namespace qv::browser
