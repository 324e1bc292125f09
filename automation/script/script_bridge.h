#pragma once
// The one bridge between dispatch objects and the script engine (duktape), for the automation
// scripts and for the browser's page scripts alike. Each object reaches a script as a wrapper (a
// proxy) whose reads, writes, `in` tests and calls go to the object's dispatch table: members by
// name without regard to case, named items (a form's controls, a collection's items) before or
// after the members as the object says, members that take arguments as functions bound to the
// object, and the object's default member for the call form (`doc.Tables(1)`).
//
// Where the two kinds of scripts must differ, the owner of the heap says so: a BridgePolicy of
// flags and the virtual hooks of ScriptBridge (where wrappers keep their object, which objects
// keep one wrapper, extra properties such as event handlers, script functions handed to the
// object model, and the bounds every native call checks).
//
// Exceptions never cross the engine's frames: every native function runs its C++ body through
// Native<>, which turns an AutomationError (or any std::exception) into an engine Error carrying
// `number` and `description`, and throws it only once the body's frame has ended.

#include <duktape.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "automation/dispatch.h"
#include "automation/script/script_unwind.h"

namespace qv::automation {

// What the object model does with names and values where the two kinds of scripts differ.
struct BridgePolicy {
  // Wrappers are functions, so an object with a default member can be called. Off: wrappers are
  // plain objects (`typeof` says "object"), as the host browser's objects are to its pages.
  bool callableWrappers = true;
  // A name the member table and the named items do not know: raises 438 with the type and the
  // name. Off: the name is the script's own property, kept on the wrapper.
  bool unknownNamesRaise = true;
  // Assigning a property without a writer raises 450. Off: the assignment is ignored.
  bool readOnlyWritesRaise = true;
  // Script arrays reach the object model as arrays; plain objects and values it cannot take raise
  // 13. Off: arrays and plain objects arrive as their text (as a page's objects read a script
  // object), other values as nothing.
  bool convertsScriptObjects = true;
};

class ScriptBridge {
 public:
  explicit ScriptBridge(BridgePolicy policy) : policy_(policy) {}
  virtual ~ScriptBridge();
  ScriptBridge(const ScriptBridge&) = delete;
  ScriptBridge& operator=(const ScriptBridge&) = delete;

  // Installs the wrappers' handler in a heap created with this bridge as its user data (the
  // `udata` of duk_create_heap, as a ScriptBridge*).
  void Attach(duk_context* ctx);
  // The bridge of the heap `ctx` belongs to.
  static ScriptBridge& Of(duk_context* ctx);
  const BridgePolicy& Policy() const { return policy_; }

  // Pushes the script value of `value`: objects as their wrappers, arrays as script arrays.
  void Push(duk_context* ctx, const Variant& value);
  // The object model's value of the script value at `index`.
  Variant ToVariant(duk_context* ctx, duk_idx_t index);
  // The object model's values of a native's first `count` arguments.
  std::vector<Variant> Arguments(duk_context* ctx, duk_idx_t count);
  // The object behind the wrapper at `index`, or nullptr when it is no wrapper.
  static ObjectRef Unwrap(duk_context* ctx, duk_idx_t index);
  // The text of the script value at `index` (its own toString may be a script).
  std::string TextOf(duk_context* ctx, duk_idx_t index);
  // What SafeCall answers when the heap was stopped by force during the call or before it.
  static constexpr int kStopped = -1;
  // Runs `call` in the interpreter for a native: its error is thrown on as the script's
  // (ScriptThrow), a stop ends the native (ScriptStopped). `call` opens no frame of its own (it
  // sees the native's values below its arguments), so it finds its arguments from the top.
  void Protect(duk_context* ctx, duk_safe_call_function call, duk_idx_t nargs, duk_idx_t nrets);
  // Drops every object the wrappers still hold; for the owner, once the heap is gone.
  void ReleaseObjects();

  // ---- the bounds of a native call (the page's time limit) ----
  struct NativeFrame {
    void* guard = nullptr;
    bool fromInterpreter = false;
  };
  // Called before a native's body runs.
  virtual NativeFrame EnterNative() { return {}; }
  // Called once the body's frame has ended; may leave the interpreter by force (and not return).
  virtual void LeaveNative(const NativeFrame& frame) { (void)frame; }
  // The heap was abandoned: a native stopped inside it returns without touching it.
  virtual bool Abandoned() const { return false; }
  // A native returning now raises the stop error instead.
  virtual bool MustStop(const NativeFrame& frame) const {
    (void)frame;
    return false;
  }
  // Throws ScriptStopped once the heap must not be touched (after a call into the object model,
  // which may have run a script of this heap).
  virtual void CheckAlive() const {}
  // Runs `call` as duk_safe_call does; the page side bounds it (ScriptEngine::Protected).
  virtual int SafeCall(duk_context* ctx, duk_safe_call_function call, duk_idx_t nargs,
                       duk_idx_t nrets);

  // ---- what only one side has ----
  // Pushes a property the object answers before its members (a page's event handlers); false
  // when `name` is none.
  virtual bool GetExtra(duk_context* ctx, Dispatch& object, const std::string& name) {
    (void)ctx, (void)object, (void)name;
    return false;
  }
  // Writes such a property from the script value at `value`; false when `name` is none.
  virtual bool PutExtra(duk_context* ctx, Dispatch& object, const std::string& name,
                        duk_idx_t value) {
    (void)ctx, (void)object, (void)name, (void)value;
    return false;
  }
  // The object model's value of a script function handed to it.
  virtual Variant FunctionValue(duk_context* ctx, duk_idx_t index) {
    (void)ctx, (void)index;
    return Variant();
  }

  // Where a wrapper keeps its object: in a holder of the bridge, freed with the wrapper (or with
  // the bridge, when the heap is dropped without its finalizers).
  struct Holder {
    ObjectRef strong;
    std::weak_ptr<Dispatch> weak;  // an object that owns the heap: a strong reference would leak
    ObjectRef Get() const { return strong ? strong : weak.lock(); }
  };
  // Frees the holder of a wrapper that is gone (its finalizer).
  void FreeHolder(Holder* holder);

 protected:
  // Whether scripts see one wrapper for the heap's life for `object` (the page's nodes): the
  // object is then held as long as the heap.
  virtual bool KeepsIdentity(const Dispatch& object) const {
    (void)object;
    return false;
  }
  // Whether the wrapper must not keep `object` alive (it owns the heap).
  virtual bool HeldWeakly(const Dispatch& object) const {
    (void)object;
    return false;
  }

 private:
  void PushWrapper(duk_context* ctx, const ObjectRef& object);
  Holder* NewHolder(const ObjectRef& object, bool kept);

  BridgePolicy policy_;
  std::vector<std::unique_ptr<Holder>> kept_;
  std::unordered_map<Holder*, std::unique_ptr<Holder>> passing_;
};

// The trampoline of every native function of a bridged heap: runs `body` in a frame of its own
// and converts what it throws into an engine error thrown after that frame has ended.
duk_ret_t RunNative(duk_context* ctx, duk_c_function body);

template <duk_ret_t (*Body)(duk_context*)>
duk_ret_t Native(duk_context* ctx) {
  return RunNative(ctx, Body);
}

}  // namespace qv::automation
