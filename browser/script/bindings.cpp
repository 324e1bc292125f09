#include "browser/script/bindings.h"

#include <cstdio>
#include <cstring>

#include "browser/dom/event_target.h"
#include "browser/script/script_engine.h"
#include "browser/script_object.h"
#include "browser/windows/html_window.h"

namespace qv::browser {

using automation::AutomationError;
using automation::CallKind;
using automation::ObjectRef;
using automation::Variant;

namespace {

// Hidden properties (not visible to scripts) of wrappers and bound methods.
constexpr const char* kHolderKey = DUK_HIDDEN_SYMBOL("qvHolder");
constexpr const char* kMemberKey = DUK_HIDDEN_SYMBOL("qvMember");
constexpr const char* kOwnerKey = DUK_HIDDEN_SYMBOL("qvOwner");

// A native's body asks for the script value on top of the stack to be thrown.
struct ScriptThrow {};

enum class Outcome { Returned, Threw, Stopped };

// Runs a native's body with every C++ exception caught: a host error becomes a script error of
// that message (pushed), the others say what happened.
Outcome RunBody(duk_context* ctx, duk_c_function body, duk_ret_t& ret) noexcept {
  try {
    ret = body(ctx);
    return Outcome::Returned;
  } catch (const ScriptThrow&) {
    return Outcome::Threw;
  } catch (const ScriptStopped&) {
    return Outcome::Stopped;
  } catch (const AutomationError& e) {
    duk_push_error_object(ctx, DUK_ERR_ERROR, "%s", e.Description().c_str());
  } catch (const std::exception& e) {
    duk_push_error_object(ctx, DUK_ERR_ERROR, "%s", e.what());
  }
  return Outcome::Threw;
}

// The trampoline of every native function. The body runs in a frame of its own, so whatever
// leaves the interpreter afterwards (a script error, a stop) does so with no C++ object alive:
// nothing is skipped. A native called straight from the interpreter (not from our own code under
// the same guard) also ends the script when its time is up, and never returns into an
// interpreter that must be left.
template <duk_ret_t (*Body)(duk_context*)>
duk_ret_t Native(duk_context* ctx) {
  ScriptEngine& engine = EngineOf(ctx);
  StopGuard* guard = InnermostGuard();
  const bool fromInterpreter = guard && guard->engine == &engine && guard->inHost == 0;
  if (guard && guard->engine == &engine) guard->inHost = guard->inHost + 1;
  duk_ret_t ret = 0;
  const Outcome outcome = RunBody(ctx, Body, ret);
  if (guard && guard->engine == &engine) guard->inHost = guard->inHost - 1;
  if (fromInterpreter && engine.MustLeave()) siglongjmp(guard->jump, 1);
  // Stopped while our own code ran under the guard (only finalizers get here): nothing to undo.
  if (outcome == Outcome::Stopped && engine.Dead()) return 0;
  if (outcome == Outcome::Stopped)
    duk_push_error_object(ctx, DUK_ERR_RANGE_ERROR, "script time limit exceeded");
  if (outcome != Outcome::Returned) return duk_throw(ctx);
  if (fromInterpreter && engine.TimeUp())
    return duk_error(ctx, DUK_ERR_RANGE_ERROR, "script time limit exceeded");
  return ret;
}

// Runs `call` in the interpreter for a native: its error is thrown on as the script's, a stop
// ends the native.
void Protect(duk_context* ctx, duk_safe_call_function call, int nargs, int nrets) {
  const int rc = EngineOf(ctx).Protected(call, nullptr, nargs, nrets);
  if (rc == ScriptEngine::kStopped) throw ScriptStopped{};
  if (rc != DUK_EXEC_SUCCESS) throw ScriptThrow{};
}

// [target key] -> value
duk_ret_t GetOwn(duk_context* ctx, void*) {
  duk_get_prop(ctx, 0);
  return 1;
}

// [target key value] -> nothing
duk_ret_t PutOwn(duk_context* ctx, void*) {
  duk_put_prop(ctx, 0);
  return 0;
}

// [value] -> its text
duk_ret_t ValueText(duk_context* ctx, void*) {
  duk_safe_to_string(ctx, 0);
  return 1;
}

// The text of the script value at `index` (its own toString may be a script).
std::string TextOf(duk_context* ctx, duk_idx_t index) {
  duk_dup(ctx, index);
  Protect(ctx, ValueText, 1, 1);
  duk_size_t length = 0;
  const char* text = duk_get_lstring(ctx, -1, &length);
  std::string out = text ? std::string(text, length) : std::string();
  duk_pop(ctx);
  return out;
}

// Whether the key at `index` is a name (not a symbol). An index arrives as a number and is
// made its text, as scripts' property names are.
bool IsPlainKey(duk_context* ctx, duk_idx_t index) {
  if (duk_is_number(ctx, index)) duk_to_string(ctx, index);
  return duk_is_string(ctx, index) && !duk_is_symbol(ctx, index);
}

ScriptEngine::Holder* HolderOf(duk_context* ctx, duk_idx_t index) {
  duk_get_prop_string(ctx, index, kHolderKey);
  auto* holder = static_cast<ScriptEngine::Holder*>(duk_get_pointer(ctx, -1));
  duk_pop(ctx);
  return holder;
}

duk_ret_t CallMember(duk_context* ctx) {
  const duk_idx_t count = duk_get_top(ctx);
  duk_push_current_function(ctx);
  duk_get_prop_string(ctx, -1, kOwnerKey);
  auto* holder = HolderOf(ctx, -1);
  duk_pop(ctx);
  duk_get_prop_string(ctx, -1, kMemberKey);
  const std::string name = duk_get_string(ctx, -1) ? duk_get_string(ctx, -1) : "";
  duk_pop_2(ctx);
  ScriptEngine& engine = EngineOf(ctx);
  ObjectRef object = holder ? holder->Get() : nullptr;
  if (!object) automation::Raise(automation::err::kObjectNotSet);
  std::vector<Variant> args;
  for (duk_idx_t i = 0; i < count; ++i)
    args.push_back(engine.ToVariant(i));
  const Variant result = automation::Invoke(*object, name, CallKind::Method, args);
  engine.Push(result);
  return 1;
}

// A method of the wrapper at `owner`, bound to it: the function keeps the wrapper alive.
void PushMember(duk_context* ctx, duk_idx_t owner, const std::string& name) {
  owner = duk_normalize_index(ctx, owner);
  duk_push_c_function(ctx, Native<CallMember>, DUK_VARARGS);
  duk_dup(ctx, owner);
  duk_put_prop_string(ctx, -2, kOwnerKey);
  duk_push_lstring(ctx, name.data(), name.size());
  duk_put_prop_string(ctx, -2, kMemberKey);
}

// A handler property as a script sees it: its own function, a host object, or null.
void PushHandler(ScriptEngine& engine, EventTarget& target, const std::string& type) {
  HTMLWindow* window = engine.Window();
  // Resolving may compile the handler's attribute, a call into this engine.
  const EventHandler handler = window ? window->ResolveHandler(target, type) : EventHandler{};
  engine.CheckAlive();
  if (handler.script) {
    engine.PushFunction(*handler.script);
    if (duk_is_undefined(engine.Context(), -1)) {
      duk_pop(engine.Context());
      duk_push_null(engine.Context());
    }
  } else if (handler.host) {
    engine.Push(Variant(handler.host));
  } else {
    duk_push_null(engine.Context());
  }
}

// The target's own property (symbols, a script's own properties on a host object).
duk_ret_t PushOwn(duk_context* ctx) {
  duk_dup(ctx, 0);
  duk_dup(ctx, 1);
  Protect(ctx, GetOwn, 2, 1);
  return 1;
}

// Proxy trap get(target, key, receiver).
duk_ret_t TrapGet(duk_context* ctx) {
  if (!IsPlainKey(ctx, 1)) return PushOwn(ctx);
  auto* holder = HolderOf(ctx, 0);
  ScriptEngine& engine = EngineOf(ctx);
  const std::string name = duk_get_string(ctx, 1);
  ObjectRef object = holder ? holder->Get() : nullptr;
  auto* scriptObject = dynamic_cast<ScriptObject*>(object.get());
  Variant value;
  if (object) {
    if (object->NamedItemsFirst() && object->ScriptGet(name, value)) {
      engine.Push(value);
      return 1;
    }
    if (EventTarget* target = scriptObject ? scriptObject->AsEventTarget() : nullptr;
        target && IsEventName(name)) {
      PushHandler(engine, *target, name);
      return 1;
    }
    if (const automation::Member* member = object->Members().Find(name)) {
      // Methods, and properties that take arguments (an indexed item), are called.
      if (member->isMethod || member->takesArgs) {
        PushMember(ctx, 2, member->name);
        return 1;
      }
      std::vector<Variant> none;
      value = automation::Invoke(*object, name, CallKind::PropertyGet, none);
      engine.Push(value);
      return 1;
    }
    if (!object->NamedItemsFirst() && object->ScriptGet(name, value)) {
      engine.Push(value);
      return 1;
    }
  }
  engine.CheckAlive();
  return PushOwn(ctx);
}

// Proxy trap set(target, key, value, receiver).
duk_ret_t TrapSet(duk_context* ctx) {
  if (IsPlainKey(ctx, 1)) {
    auto* holder = HolderOf(ctx, 0);
    ScriptEngine& engine = EngineOf(ctx);
    const std::string name = duk_get_string(ctx, 1);
    ObjectRef object = holder ? holder->Get() : nullptr;
    auto* scriptObject = dynamic_cast<ScriptObject*>(object.get());
    if (object) {
      if (EventTarget* target = scriptObject ? scriptObject->AsEventTarget() : nullptr;
          target && IsEventName(name)) {
        EventHandler handler;
        if (duk_is_function(ctx, 2))
          handler.script = engine.Keep(2, "handler " + name);
        else if (auto host = UnwrapObject(ctx, 2))
          handler.host = host;
        target->SetHandler(name, std::move(handler));
        engine.CheckAlive();
        duk_push_true(ctx);
        return 1;
      }
      if (const automation::Member* member = object->Members().Find(name)) {
        // A read-only member ignores the assignment, as the host's objects do for scripts.
        if (member->put) {
          std::vector<Variant> args{engine.ToVariant(2)};
          automation::Invoke(*object, name, CallKind::PropertyPut, args);
        }
        engine.CheckAlive();
        duk_push_true(ctx);
        return 1;
      }
      if (object->ScriptPut(name, engine.ToVariant(2))) {
        engine.CheckAlive();
        duk_push_true(ctx);
        return 1;
      }
    }
    engine.CheckAlive();
  }
  duk_dup(ctx, 0);
  duk_dup(ctx, 1);
  duk_dup(ctx, 2);
  Protect(ctx, PutOwn, 3, 0);
  duk_push_true(ctx);
  return 1;
}

// Proxy trap has(target, key): `name in object`.
duk_ret_t TrapHas(duk_context* ctx) {
  bool found = false;
  if (IsPlainKey(ctx, 1)) {
    auto* holder = HolderOf(ctx, 0);
    const std::string name = duk_get_string(ctx, 1);
    ObjectRef object = holder ? holder->Get() : nullptr;
    Variant ignored;
    found = object && (object->Members().Find(name) || object->ScriptGet(name, ignored));
    EngineOf(ctx).CheckAlive();
  }
  if (!found) {
    duk_dup(ctx, 1);
    found = duk_has_prop(ctx, 0);
  }
  duk_push_boolean(ctx, found);
  return 1;
}

// ---- the window's globals ----

HTMLWindow* WindowOf(duk_context* ctx) {
  return EngineOf(ctx).Window();
}

// The text of argument `index`, empty when it was not given.
std::string ArgumentText(duk_context* ctx, duk_idx_t index) {
  return duk_is_undefined(ctx, index) ? std::string() : TextOf(ctx, index);
}

duk_ret_t GlobalDocument(duk_context* ctx) {
  HTMLWindow* window = WindowOf(ctx);
  EngineOf(ctx).Push(window ? Variant(window->Document()) : Variant(ObjectRef()));
  return 1;
}

duk_ret_t GlobalEvent(duk_context* ctx) {
  HTMLWindow* window = WindowOf(ctx);
  auto event = window ? window->Event() : nullptr;
  EngineOf(ctx).Push(event ? Variant(event) : Variant(ObjectRef()));
  return 1;
}

duk_ret_t GlobalLocation(duk_context* ctx) {
  HTMLWindow* window = WindowOf(ctx);
  EngineOf(ctx).Push(window ? automation::Get(window->shared_from_this(), "location")
                            : Variant(ObjectRef()));
  return 1;
}

// `location = url` navigates, as `location.href = url` does.
duk_ret_t GlobalSetLocation(duk_context* ctx) {
  const std::string url = TextOf(ctx, 0);
  if (HTMLWindow* window = WindowOf(ctx)) window->Navigate(url);
  return 0;
}

duk_ret_t GlobalAlert(duk_context* ctx) {
  const std::string text = ArgumentText(ctx, 0);
  if (HTMLWindow* window = WindowOf(ctx)) window->Alert(text);
  return 0;
}

duk_ret_t GlobalSetTimeout(duk_context* ctx) {
  HTMLWindow* window = WindowOf(ctx);
  int32_t id = 0;
  if (window) {
    const int32_t delay = duk_is_number(ctx, 1) ? duk_get_int(ctx, 1) : 0;
    if (duk_is_function(ctx, 0))
      id = window->SetTimeout(EngineOf(ctx).Keep(0, "setTimeout"), delay);
    else if (duk_is_string(ctx, 0))
      id = window->SetTimeout(std::string(duk_get_string(ctx, 0)), delay);
  }
  duk_push_int(ctx, id);
  return 1;
}

duk_ret_t GlobalClearTimeout(duk_context* ctx) {
  if (HTMLWindow* window = WindowOf(ctx); window && duk_is_number(ctx, 0))
    window->ClearTimeout(duk_get_int(ctx, 0));
  return 0;
}

duk_ret_t GlobalOpen(duk_context* ctx) {
  HTMLWindow* window = WindowOf(ctx);
  const std::string url = ArgumentText(ctx, 0), name = ArgumentText(ctx, 1),
                    features = ArgumentText(ctx, 2);
  auto opened = window ? window->Open(url, name, features) : nullptr;
  EngineOf(ctx).Push(opened ? Variant(std::static_pointer_cast<automation::Dispatch>(opened))
                            : Variant(ObjectRef()));
  return 1;
}

duk_ret_t GlobalNavigate(duk_context* ctx) {
  const std::string url = ArgumentText(ctx, 0);
  if (HTMLWindow* window = WindowOf(ctx)) window->Navigate(url);
  return 0;
}

duk_ret_t GlobalFocus(duk_context* ctx) {
  if (HTMLWindow* window = WindowOf(ctx)) window->Focus();
  return 0;
}

duk_ret_t GlobalClose(duk_context* ctx) {
  if (HTMLWindow* window = WindowOf(ctx)) window->Close();
  return 0;
}

// Called at each loop turn: its trampoline throws the stop error once the time is up.
duk_ret_t LoopGuard(duk_context* ctx) {
  duk_push_true(ctx);
  return 1;
}

void DefineGetter(duk_context* ctx, const char* name, duk_c_function getter) {
  duk_push_global_object(ctx);
  duk_push_string(ctx, name);
  duk_push_c_function(ctx, getter, 0);
  duk_def_prop(ctx, -3, DUK_DEFPROP_HAVE_GETTER | DUK_DEFPROP_SET_ENUMERABLE);
  duk_pop(ctx);
}

void DefineAccessor(duk_context* ctx, const char* name, duk_c_function getter,
                    duk_c_function setter) {
  duk_push_global_object(ctx);
  duk_push_string(ctx, name);
  duk_push_c_function(ctx, getter, 0);
  duk_push_c_function(ctx, setter, 1);
  duk_def_prop(ctx, -4,
               DUK_DEFPROP_HAVE_GETTER | DUK_DEFPROP_HAVE_SETTER | DUK_DEFPROP_SET_ENUMERABLE);
  duk_pop(ctx);
}

void DefineFunction(duk_context* ctx, const char* name, duk_c_function function, duk_idx_t nargs,
                    bool fixed = false) {
  duk_push_global_object(ctx);
  duk_push_string(ctx, name);
  duk_push_c_function(ctx, function, nargs);
  duk_def_prop(ctx, -3,
               DUK_DEFPROP_HAVE_VALUE | DUK_DEFPROP_SET_ENUMERABLE |
                   (fixed ? (DUK_DEFPROP_CLEAR_WRITABLE | DUK_DEFPROP_CLEAR_CONFIGURABLE)
                          : (DUK_DEFPROP_SET_WRITABLE | DUK_DEFPROP_SET_CONFIGURABLE)));
  duk_pop(ctx);
}

}  // namespace

ScriptEngine& EngineOf(duk_context* ctx) {
  duk_memory_functions functions;
  duk_get_memory_functions(ctx, &functions);
  return *static_cast<ScriptEngine*>(functions.udata);
}

ObjectRef UnwrapObject(duk_context* ctx, duk_idx_t index) {
  if (!duk_is_object(ctx, index) || duk_is_function(ctx, index)) return nullptr;
  auto* holder = HolderOf(ctx, index);
  return holder ? holder->Get() : nullptr;
}

// Frees the holder of a wrapper that is not kept for its identity, when the wrapper goes.
duk_ret_t FinalizeHolder(duk_context* ctx) {
  EngineOf(ctx).FreeHolder(HolderOf(ctx, 0));
  duk_push_pointer(ctx, nullptr);
  duk_put_prop_string(ctx, 0, kHolderKey);
  return 0;
}

void PushWrapper(ScriptEngine& engine, const ObjectRef& object) {
  duk_context* ctx = engine.Context();
  if (!object) {
    duk_push_null(ctx);
    return;
  }
  if (auto* scriptObject = dynamic_cast<const ScriptObject*>(object.get());
      scriptObject && !scriptObject->KeepsScriptIdentity()) {
    duk_push_object(ctx);
    duk_push_pointer(ctx, engine.NewPassingHolder(object));
    duk_put_prop_string(ctx, -2, kHolderKey);
    duk_push_c_function(ctx, Native<FinalizeHolder>, 2);
    duk_set_finalizer(ctx, -2);
    duk_push_global_stash(ctx);
    duk_get_prop_string(ctx, -1, "qvHandler");
    duk_remove(ctx, -2);
    duk_push_proxy(ctx, 0);
    return;
  }
  char key[32];
  std::snprintf(key, sizeof key, "%p", static_cast<const void*>(object.get()));
  duk_push_global_stash(ctx);
  duk_get_prop_string(ctx, -1, "qvWrappers");
  if (duk_get_prop_string(ctx, -1, key)) {
    duk_remove(ctx, -2);
    duk_remove(ctx, -2);
    return;
  }
  duk_pop(ctx);
  // [stash wrappers] -> target, handler -> proxy
  duk_push_object(ctx);
  duk_push_pointer(ctx, engine.NewHolder(object));
  duk_put_prop_string(ctx, -2, kHolderKey);
  duk_get_prop_string(ctx, -3, "qvHandler");
  duk_push_proxy(ctx, 0);
  duk_dup(ctx, -1);
  duk_put_prop_string(ctx, -3, key);
  duk_remove(ctx, -2);
  duk_remove(ctx, -2);
}

void InstallBindings(ScriptEngine& engine) {
  duk_context* ctx = engine.Context();
  duk_push_global_stash(ctx);
  duk_push_object(ctx);
  duk_put_prop_string(ctx, -2, "qvWrappers");
  duk_push_object(ctx);
  duk_put_prop_string(ctx, -2, "qvFunctions");
  duk_push_object(ctx);
  duk_push_c_function(ctx, Native<TrapGet>, 3);
  duk_put_prop_string(ctx, -2, "get");
  duk_push_c_function(ctx, Native<TrapSet>, 4);
  duk_put_prop_string(ctx, -2, "set");
  duk_push_c_function(ctx, Native<TrapHas>, 2);
  duk_put_prop_string(ctx, -2, "has");
  duk_put_prop_string(ctx, -2, "qvHandler");
  duk_pop(ctx);

  // The global object is the window, under its usual names.
  duk_push_global_object(ctx);
  for (const char* name : {"window", "self", "top", "parent"}) {
    duk_push_global_object(ctx);
    duk_put_prop_string(ctx, -2, name);
  }
  // The interpreter's own object could set finalizers that run while the heap is destroyed.
  duk_del_prop_string(ctx, -1, "Duktape");
  duk_pop(ctx);

  DefineGetter(ctx, "document", Native<GlobalDocument>);
  DefineGetter(ctx, "event", Native<GlobalEvent>);
  DefineAccessor(ctx, "location", Native<GlobalLocation>, Native<GlobalSetLocation>);
  DefineFunction(ctx, "alert", Native<GlobalAlert>, 1);
  DefineFunction(ctx, "setTimeout", Native<GlobalSetTimeout>, 2);
  DefineFunction(ctx, "clearTimeout", Native<GlobalClearTimeout>, 1);
  DefineFunction(ctx, "open", Native<GlobalOpen>, 3);
  DefineFunction(ctx, "navigate", Native<GlobalNavigate>, 1);
  DefineFunction(ctx, "focus", Native<GlobalFocus>, 0);
  DefineFunction(ctx, "close", Native<GlobalClose>, 0);
  DefineFunction(ctx, kLoopGuardName, Native<LoopGuard>, 0, true);
}

}  // namespace qv::browser
