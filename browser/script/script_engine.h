#pragma once
// The script engine of one page: an interpreter heap whose global object is the page's window,
// bound to the page's objects. Every object of the browser (and any host object handed to a
// script) reaches scripts through its dispatch table: a script reads and writes the members by
// name and calls the methods; collections and forms answer their items by index and name.
// A script's own properties on such objects are kept on the script side.
//
// Bounds: a script that runs past the time limit is stopped (see loop_guard.h), the heap has a
// size limit, and recursion is bounded by the interpreter. Errors never escape: every entry
// reports a failing script (message and line) to the window and returns, and the engine stays
// usable.

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "automation/variant.h"
#include "browser/script/script_function.h"

struct duk_hthread;

namespace qv::browser {

class HTMLWindow;

struct ScriptLimits {
  std::chrono::milliseconds timeLimit{5000};  // per entry from the host (script block, event)
  size_t heapBytes = size_t{256} << 20;
};

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
  // The window is gone: scripts still referring to it see nothing.
  void Detach() { window_ = nullptr; }
  HTMLWindow* Window() const { return window_; }

  // ---- used by the bindings ----
  duk_hthread* Context() const { return ctx_; }
  // Pushes the script value of `value` (objects as their script wrappers).
  void Push(const automation::Variant& value);
  // The host value of the script value at `index`.
  automation::Variant ToVariant(int index);
  // Registers the function at `index` and gives a handle to it.
  std::shared_ptr<ScriptFunction> Keep(int index, const std::string& source);
  // Pushes a registered function, or undefined when it is of another engine.
  void PushFunction(const ScriptFunction& function);
  // Called by the loop guard: throws once the time limit has passed.
  bool TimeUp();
  size_t& HeapUsed() { return heapUsed_; }
  size_t HeapLimit() const { return limits_.heapBytes; }
  std::chrono::milliseconds TimeLimit() const { return limits_.timeLimit; }
  // Keeps a host object for the lifetime of the heap; its script wrapper refers to it.
  struct Holder {
    automation::ObjectRef strong;
    std::weak_ptr<automation::Dispatch> weak;  // the engine's own window, which owns the engine
    automation::ObjectRef Get() const { return strong ? strong : weak.lock(); }
  };
  // A holder that lives as long as the heap (wrappers of objects with an identity).
  Holder* NewHolder(const automation::ObjectRef& object);

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
  void Report(const std::string& source);
  void DefineGlobals();

  HTMLWindow* window_;
  ScriptLimits limits_;
  duk_hthread* ctx_ = nullptr;
  int depth_ = 0;
  std::chrono::steady_clock::time_point deadline_;
  bool timedOut_ = false;
  uint32_t ticks_ = 0;
  uint32_t nextFunction_ = 1;
  size_t heapUsed_ = 0;
  std::vector<std::unique_ptr<Holder>> holders_;
};

}  // namespace qv::browser
