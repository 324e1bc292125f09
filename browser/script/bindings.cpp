#include "browser/script/bindings.h"

#include <cstdio>
#include <cstring>

#include "browser/script/page_bridge.h"
#include "browser/script/script_engine.h"
#include "browser/windows/html_window.h"

namespace qv::browser {

using automation::ObjectRef;
using automation::Variant;

namespace {

using automation::Native;

// ---- the window's globals ----

HTMLWindow* WindowOf(duk_context* ctx) {
  return EngineOf(ctx).Window();
}

// The text of the script value at `index` (its own toString may be a script).
std::string TextOf(duk_context* ctx, duk_idx_t index) {
  return EngineOf(ctx).Bridge().TextOf(ctx, index);
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

void InstallBindings(ScriptEngine& engine) {
  duk_context* ctx = engine.Context();
  // The functions the host keeps (ScriptEngine::Keep).
  duk_push_global_stash(ctx);
  duk_push_object(ctx);
  duk_put_prop_string(ctx, -2, "qvFunctions");
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
