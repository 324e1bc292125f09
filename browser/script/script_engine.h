#pragma once
// The script engine of one page: an interpreter heap whose global object is the page's window,
// bound to the page's objects. Every object of the browser (and any host object handed to a
// script) reaches scripts through its dispatch table: a script reads and writes the members by
// name and calls the methods; collections and forms answer their items by index and name.
// A script's own properties on such objects are kept on the script side.
//
// Bounds: a script that runs past the time limit is stopped (script_watchdog.h): at its next loop
// turn or native call, which keeps the engine, or by force after a grace time, which abandons the
// heap: the engine is then dead and every later call into it does nothing. The heap lives in its
// own arena with a size limit, and recursion is bounded by the interpreter. Errors never escape:
// every entry reports a failing script (message and line) to the window and returns.

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "automation/script/script_unwind.h"
#include "automation/variant.h"
#include "browser/script/script_arena.h"
#include "browser/script/script_function.h"
#include "browser/script/script_watchdog.h"

struct duk_hthread;

namespace qv::browser {

class HTMLWindow;

struct ScriptLimits {
  std::chrono::milliseconds timeLimit{5000};  // per entry from the host (script block, event)
  // After the time limit, how long a script may take to reach a loop turn or a native call before
  // it is stopped by force (and its engine dropped).
  std::chrono::milliseconds graceTime{1000};
  size_t heapBytes = size_t{256} << 20;
};

// Thrown (as a C++ exception) by the engine's helpers once the engine was stopped by force: the
// native function that called them unwinds and its trampoline leaves the interpreter.
using ScriptStopped = automation::ScriptStopped;

class PageBridge;

class ScriptEngine : public std::enable_shared_from_this<ScriptEngine> {
 public:
  // Use Create: functions handed out keep weak references to the engine.
  static std::shared_ptr<ScriptEngine> Create(HTMLWindow& window, ScriptLimits limits = {});
  ScriptEngine(HTMLWindow& window, ScriptLimits limits);
  ~ScriptEngine();
  ScriptEngine(const ScriptEngine&) = delete;
  ScriptEngine& operator=(const ScriptEngine&) = delete;

  // Runs a script block; false when it failed (the error has been reported).
  bool Run(const std::string& code, const std::string& source);
  // Evaluates an expression (or statements) and gives its value; false when it failed (reported).
  bool Evaluate(const std::string& code, const std::string& source, automation::Variant& result);
  // Compiles the text of a handler attribute as a function body; nullptr when it does not
  // compile (reported).
  std::shared_ptr<ScriptFunction> CompileHandler(const std::string& body,
                                                 const std::string& source);
  // Calls a function of this engine with `self` as `this` and `argument` as its one argument.
  // False when it threw (reported); `result` then stays empty.
  bool Call(const ScriptFunction& function, const automation::ObjectRef& self,
            const automation::Variant& argument, automation::Variant& result);
  // Calls the global function of that name when the page defined one (window.onload = f).
  bool CallGlobalIfFunction(const std::string& name);

  // True while a script of this engine runs (the host must not replace the page under it).
  bool Busy() const { return depth_ > 0; }
  // Stopped by force: the heap was abandoned and nothing runs in this engine any more.
  bool Dead() const { return dead_; }
  // The window is gone: scripts still referring to it see nothing.
  void Detach() { window_ = nullptr; }
  HTMLWindow* Window() const { return window_; }

  // ---- used by the bindings ----
  duk_hthread* Context() const { return ctx_; }
  // Pushes the script value of `value` through the page's bridge (page_bridge.h). These helpers
  // throw ScriptStopped once the engine is dead.
  void Push(const automation::Variant& value);
  // The host value of the script value at `index`.
  automation::Variant ToVariant(int index);
  // Throws ScriptStopped once the engine is dead (natives call it after calling the host, which
  // may have run a script of this engine that was stopped by force).
  void CheckAlive() const {
    if (dead_) throw ScriptStopped{};
  }
  // Runs `call` in the interpreter as duk_safe_call does, under a StopGuard: DUK_EXEC_SUCCESS or
  // DUK_EXEC_ERROR (the results or the error on the stack), or kStopped when the engine was
  // stopped by force during the call or before it (nothing on the stack then). `call` must hold
  // no C++ objects: it can be left by a jump at any instruction. It finds its arguments from the
  // top of the stack: called from inside a native, the native's values lie below them.
  static constexpr int kStopped = -1;
  int Protected(int (*call)(duk_hthread*, void*), void* data, int nargs, int nrets);
  // Whether a native returning now must not go back into the interpreter.
  bool MustLeave() const { return dead_ || clock_.Forced(); }
  // Registers the function at `index` and gives a handle to it.
  std::shared_ptr<ScriptFunction> Keep(int index, const std::string& source);
  // Pushes a registered function, or undefined when it is of another engine.
  void PushFunction(const ScriptFunction& function);
  // Past the time limit: the loop guard and the natives throw the stop error.
  bool TimeUp() const { return clock_.Up(); }
  size_t HeapUsed() const { return arena_.Used(); }
  ScriptArena& Arena() { return arena_; }
  std::chrono::milliseconds TimeLimit() const { return limits_.timeLimit; }
  PageBridge& Bridge() { return *bridge_; }

  // Marks a stretch where scripts of this engine run: the first entry starts the time limit.
  class Entry {
   public:
    explicit Entry(ScriptEngine& engine);
    ~Entry();
    Entry(const Entry&) = delete;
    Entry& operator=(const Entry&) = delete;

   private:
    ScriptEngine& engine_;
  };

 private:
  // Reports the error on top of the stack (and pops it); on kStopped, the forced stop once.
  void Report(int rc, const std::string& source);

  HTMLWindow* window_;
  ScriptLimits limits_;
  ScriptArena arena_;  // before ctx_: the heap lives in it
  duk_hthread* ctx_ = nullptr;
  int depth_ = 0;
  ScriptClock clock_;
  bool dead_ = false;
  bool stopReported_ = false;
  uint32_t nextFunction_ = 1;
  std::unique_ptr<PageBridge> bridge_;  // the heap's user data: outlives the heap
};

}  // namespace qv::browser
