#pragma once
// What a native function's C++ body throws to leave the interpreter without an error of the
// object model. The trampoline (script_bridge.h) catches both once the body's frame has ended.

namespace qv::automation {

// The heap must not be entered again (a page script stopped by force): the native unwinds and
// its trampoline leaves the interpreter.
struct ScriptStopped {};

// The script value on top of the stack is to be thrown as it is (a script error that passed
// through a call the native made into the interpreter).
struct ScriptThrow {};

}  // namespace qv::automation
