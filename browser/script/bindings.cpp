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

// Runs a native's body; an error of the host becomes a script error of that message. The throw
// happens after the body's frame is gone, so no destructor is skipped.
template <class F>
bool TryNative(duk_context* ctx, F& body, duk_ret_t& ret) noexcept {
  try {
    ret = body();
    return true;
  } catch (const AutomationError& e) {
    duk_push_error_object(ctx, DUK_ERR_ERROR, "%s", e.Description().c_str());
  } catch (const std::exception& e) {
    duk_push_error_object(ctx, DUK_ERR_ERROR, "%s", e.what());
  }
  return false;
}

template <class F>
duk_ret_t Guarded(duk_context* ctx, F&& body) {
  duk_ret_t ret = 0;
  if (TryNative(ctx, body, ret)) return ret;
  return duk_throw(ctx);
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
  std::string name = duk_get_string(ctx, -1) ? duk_get_string(ctx, -1) : "";
  duk_pop_2(ctx);
  return Guarded(ctx, [&]() -> duk_ret_t {
    ScriptEngine& engine = EngineOf(ctx);
    ObjectRef object = holder ? holder->Get() : nullptr;
    if (!object) automation::Raise(automation::err::kObjectNotSet);
    std::vector<Variant> args;
    for (duk_idx_t i = 0; i < count; ++i)
      args.push_back(engine.ToVariant(i));
    const Variant result = automation::Invoke(*object, name, CallKind::Method, args);
    engine.Push(result);
    return 1;
  });
}

// A method of the wrapper at `owner`, bound to it: the function keeps the wrapper alive.
void PushMember(duk_context* ctx, duk_idx_t owner, const std::string& name) {
  owner = duk_normalize_index(ctx, owner);
  duk_push_c_function(ctx, CallMember, DUK_VARARGS);
  duk_dup(ctx, owner);
  duk_put_prop_string(ctx, -2, kOwnerKey);
  duk_push_lstring(ctx, name.data(), name.size());
  duk_put_prop_string(ctx, -2, kMemberKey);
}

// A handler property as a script sees it: its own function, a host object, or null.
void PushHandler(ScriptEngine& engine, EventTarget& target, const std::string& type) {
  HTMLWindow* window = engine.Window();
  const EventHandler handler = window ? window->ResolveHandler(target, type) : EventHandler{};
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

// Proxy trap get(target, key, receiver).
duk_ret_t TrapGet(duk_context* ctx) {
  if (!IsPlainKey(ctx, 1)) {
    duk_dup(ctx, 1);
    duk_get_prop(ctx, 0);
    return 1;
  }
  auto* holder = HolderOf(ctx, 0);
  return Guarded(ctx, [&]() -> duk_ret_t {
    ScriptEngine& engine = EngineOf(ctx);
    const std::string name = duk_get_string(ctx, 1);
    ObjectRef object = holder ? holder->Get() : nullptr;
    auto* scriptObject = dynamic_cast<ScriptObject*>(object.get());
    Variant value;
    if (object) {
      if (scriptObject && scriptObject->NamedItemsFirst() && scriptObject->ScriptGet(name, value)) {
        engine.Push(value);
        return 1;
      }
      if (EventTarget* target = scriptObject ? scriptObject->AsEventTarget() : nullptr;
          target && IsEventName(name)) {
        PushHandler(engine, *target, name);
        return 1;
      }
      if (const automation::Member* member = object->Members().Find(name)) {
        if (member->isMethod) {
          PushMember(ctx, 2, member->name);
          return 1;
        }
        std::vector<Variant> none;
        try {
          value = automation::Invoke(*object, name, CallKind::PropertyGet, none);
        } catch (const AutomationError& e) {
          // A property that needs arguments (an indexed item) is called like a method.
          if (e.Number() != automation::err::kWrongArgCount) throw;
          PushMember(ctx, 2, member->name);
          return 1;
        }
        engine.Push(value);
        return 1;
      }
      if (scriptObject && !scriptObject->NamedItemsFirst() &&
          scriptObject->ScriptGet(name, value)) {
        engine.Push(value);
        return 1;
      }
    }
    duk_dup(ctx, 1);
    duk_get_prop(ctx, 0);
    return 1;
  });
}

// Proxy trap set(target, key, value, receiver).
duk_ret_t TrapSet(duk_context* ctx) {
  if (!IsPlainKey(ctx, 1)) {
    duk_dup(ctx, 1);
    duk_dup(ctx, 2);
    duk_put_prop(ctx, 0);
    duk_push_true(ctx);
    return 1;
  }
  auto* holder = HolderOf(ctx, 0);
  return Guarded(ctx, [&]() -> duk_ret_t {
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
        duk_push_true(ctx);
        return 1;
      }
      if (const automation::Member* member = object->Members().Find(name)) {
        // A read-only member ignores the assignment, as the host's objects do for scripts.
        if (member->put) {
          std::vector<Variant> args{engine.ToVariant(2)};
          automation::Invoke(*object, name, CallKind::PropertyPut, args);
        }
        duk_push_true(ctx);
        return 1;
      }
      if (scriptObject && scriptObject->ScriptPut(name, engine.ToVariant(2))) {
        duk_push_true(ctx);
        return 1;
      }
    }
    duk_dup(ctx, 1);
    duk_dup(ctx, 2);
    duk_put_prop(ctx, 0);
    duk_push_true(ctx);
    return 1;
  });
}

// Proxy trap has(target, key): `name in object`.
duk_ret_t TrapHas(duk_context* ctx) {
  if (!IsPlainKey(ctx, 1)) {
    duk_push_boolean(ctx, duk_has_prop(ctx, 0));
    return 1;
  }
  auto* holder = HolderOf(ctx, 0);
  return Guarded(ctx, [&]() -> duk_ret_t {
    const std::string name = duk_get_string(ctx, 1);
    ObjectRef object = holder ? holder->Get() : nullptr;
    auto* scriptObject = dynamic_cast<ScriptObject*>(object.get());
    Variant ignored;
    bool found = object && (object->Members().Find(name) ||
                            (scriptObject && scriptObject->ScriptGet(name, ignored)));
    if (!found) {
      duk_dup(ctx, 1);
      found = duk_has_prop(ctx, 0);
    }
    duk_push_boolean(ctx, found);
    return 1;
  });
}

// ---- the window's globals ----

HTMLWindow* WindowOf(duk_context* ctx) {
  return EngineOf(ctx).Window();
}

duk_ret_t GlobalDocument(duk_context* ctx) {
  return Guarded(ctx, [&]() -> duk_ret_t {
    HTMLWindow* window = WindowOf(ctx);
    EngineOf(ctx).Push(window ? Variant(window->Document()) : Variant(ObjectRef()));
    return 1;
  });
}

duk_ret_t GlobalEvent(duk_context* ctx) {
  return Guarded(ctx, [&]() -> duk_ret_t {
    HTMLWindow* window = WindowOf(ctx);
    auto event = window ? window->Event() : nullptr;
    EngineOf(ctx).Push(event ? Variant(event) : Variant(ObjectRef()));
    return 1;
  });
}

duk_ret_t GlobalLocation(duk_context* ctx) {
  return Guarded(ctx, [&]() -> duk_ret_t {
    HTMLWindow* window = WindowOf(ctx);
    EngineOf(ctx).Push(window ? automation::Get(window->shared_from_this(), "location")
                              : Variant(ObjectRef()));
    return 1;
  });
}

// `location = url` navigates, as `location.href = url` does.
duk_ret_t GlobalSetLocation(duk_context* ctx) {
  return Guarded(ctx, [&]() -> duk_ret_t {
    const std::string url = duk_safe_to_string(ctx, 0);
    if (HTMLWindow* window = WindowOf(ctx)) window->Navigate(url);
    return 0;
  });
}

duk_ret_t GlobalAlert(duk_context* ctx) {
  return Guarded(ctx, [&]() -> duk_ret_t {
    const std::string text = duk_is_undefined(ctx, 0) ? "" : duk_safe_to_string(ctx, 0);
    if (HTMLWindow* window = WindowOf(ctx)) window->Alert(text);
    return 0;
  });
}

duk_ret_t GlobalSetTimeout(duk_context* ctx) {
  return Guarded(ctx, [&]() -> duk_ret_t {
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
  });
}

duk_ret_t GlobalClearTimeout(duk_context* ctx) {
  if (HTMLWindow* window = WindowOf(ctx); window && duk_is_number(ctx, 0))
    window->ClearTimeout(duk_get_int(ctx, 0));
  return 0;
}

duk_ret_t GlobalOpen(duk_context* ctx) {
  return Guarded(ctx, [&]() -> duk_ret_t {
    HTMLWindow* window = WindowOf(ctx);
    auto text = [&](duk_idx_t i) {
      return duk_is_undefined(ctx, i) ? std::string() : std::string(duk_safe_to_string(ctx, i));
    };
    const std::string url = text(0), name = text(1), features = text(2);
    auto opened = window ? window->Open(url, name, features) : nullptr;
    EngineOf(ctx).Push(opened ? Variant(std::static_pointer_cast<automation::Dispatch>(opened))
                              : Variant(ObjectRef()));
    return 1;
  });
}

duk_ret_t GlobalNavigate(duk_context* ctx) {
  return Guarded(ctx, [&]() -> duk_ret_t {
    const std::string url = duk_is_undefined(ctx, 0) ? "" : duk_safe_to_string(ctx, 0);
    if (HTMLWindow* window = WindowOf(ctx)) window->Navigate(url);
    return 0;
  });
}

duk_ret_t GlobalFocus(duk_context* ctx) {
  return Guarded(ctx, [&]() -> duk_ret_t {
    if (HTMLWindow* window = WindowOf(ctx)) window->Focus();
    return 0;
  });
}

duk_ret_t GlobalClose(duk_context* ctx) {
  return Guarded(ctx, [&]() -> duk_ret_t {
    if (HTMLWindow* window = WindowOf(ctx)) window->Close();
    return 0;
  });
}

duk_ret_t LoopGuard(duk_context* ctx) {
  if (EngineOf(ctx).TimeUp()) return duk_range_error(ctx, "script time limit exceeded");
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
  delete HolderOf(ctx, 0);
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
    duk_push_pointer(ctx, new ScriptEngine::Holder{object, {}});
    duk_put_prop_string(ctx, -2, kHolderKey);
    duk_push_c_function(ctx, FinalizeHolder, 2);
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
  duk_push_c_function(ctx, TrapGet, 3);
  duk_put_prop_string(ctx, -2, "get");
  duk_push_c_function(ctx, TrapSet, 4);
  duk_put_prop_string(ctx, -2, "set");
  duk_push_c_function(ctx, TrapHas, 2);
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

  DefineGetter(ctx, "document", GlobalDocument);
  DefineGetter(ctx, "event", GlobalEvent);
  DefineAccessor(ctx, "location", GlobalLocation, GlobalSetLocation);
  DefineFunction(ctx, "alert", GlobalAlert, 1);
  DefineFunction(ctx, "setTimeout", GlobalSetTimeout, 2);
  DefineFunction(ctx, "clearTimeout", GlobalClearTimeout, 1);
  DefineFunction(ctx, "open", GlobalOpen, 3);
  DefineFunction(ctx, "navigate", GlobalNavigate, 1);
  DefineFunction(ctx, "focus", GlobalFocus, 0);
  DefineFunction(ctx, "close", GlobalClose, 0);
  DefineFunction(ctx, kLoopGuardName, LoopGuard, 0, true);
}

}  // namespace qv::browser
