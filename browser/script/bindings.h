#pragma once
// The window's global functions of a page's scripts (internal to the script engine); the page's
// objects reach its scripts through the page bridge (page_bridge.h).

namespace qv::browser {

class ScriptEngine;

// Creates the window's globals (window, document, event, alert, ...).
void InstallBindings(ScriptEngine& engine);

// The name of the loop guard function the loop rewrite calls.
inline constexpr const char* kLoopGuardName = "__qvLoopGuard";

}  // namespace qv::browser
