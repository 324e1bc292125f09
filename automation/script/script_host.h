#pragma once
// Runs automation scripts (ECMAScript 5, duktape) against objects of the call-by-name dispatch, the
// way an automation client drives the host. Objects reach the script through the script bridge
// (script_bridge.h) with the automation client's rules: an object with a default member can be
// called directly, so `doc.Tables(1)` calls `Item(1)`; a name the object does not know raises 438,
// assigning a read-only property raises 450; a script function handed to the object model is an
// object whose default member calls it. Errors of the object model reach the script as Error
// objects with `number` and `description`.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "automation/class_factory.h"
#include "automation/dispatch.h"

struct duk_hthread;

namespace qv::automation {

class HostBridge;

// Where an uncaught script error happened and what it said.
struct ScriptFailure {
  std::string message;  // "Error: ..." as the engine formats it
  std::string stack;    // with file and line
  int32_t number = 0;   // the object model's error number, when it came from there
};

class ScriptHost {
 public:
  using Function = std::function<Variant(std::vector<Variant>& args)>;

  ScriptHost();
  ~ScriptHost();
  ScriptHost(const ScriptHost&) = delete;
  ScriptHost& operator=(const ScriptHost&) = delete;

  // Makes `CreateObject(progId)` available to scripts, creating through `factory` (which must
  // outlive the host).
  void UseFactory(const ClassFactory* factory);
  // Defines a global function of the script.
  void DefineFunction(const std::string& name, Function fn);
  // Defines a global value (an object, a number, a text).
  void DefineGlobal(const std::string& name, const Variant& value);

  // Runs a whole script; false with `failure` filled when it ended with an uncaught error.
  bool Run(const std::string& source, const std::string& fileName, ScriptFailure& failure);
  // Evaluates an expression or statements and returns the last value (for tests).
  Variant Eval(const std::string& source);

  duk_hthread* Context() const { return ctx_; }

 private:
  std::unique_ptr<HostBridge> bridge_;  // before ctx_: the heap refers to it
  duk_hthread* ctx_ = nullptr;
  const ClassFactory* factory_ = nullptr;
  std::vector<std::unique_ptr<Function>> functions_;
};

}  // namespace qv::automation
