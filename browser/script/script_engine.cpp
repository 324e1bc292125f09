#include "browser/script/script_engine.h"

#include <duktape.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "browser/script/bindings.h"
#include "browser/script/loop_guard.h"
#include "browser/script/page_bridge.h"
#include "browser/windows/html_window.h"

namespace qv::browser {

using automation::Variant;

namespace {

// The heap's user data is its bridge (automation::ScriptBridge::Of).
ScriptArena& ArenaOf(void* udata) {
  return static_cast<PageBridge*>(static_cast<automation::ScriptBridge*>(udata))->Engine().Arena();
}

void* HeapAlloc(void* udata, duk_size_t size) {
  return ArenaOf(udata).Allocate(size);
}

void HeapFree(void* udata, void* ptr) {
  ArenaOf(udata).Free(ptr);
}

void* HeapRealloc(void* udata, void* ptr, duk_size_t size) {
  return ArenaOf(udata).Reallocate(ptr, size);
}

[[noreturn]] void Fatal(void*, const char* message) {
  // Only reached when an error escapes every protected call, which the engine never allows.
  std::fprintf(stderr, "script engine fatal error: %s\n", message ? message : "");
  std::abort();
}

// ---- calls made under a StopGuard: interpreter calls only, no C++ objects ----

struct CompileData {
  const char* code;
  size_t codeSize;
  const char* source;
  size_t sourceSize;
  duk_uint_t flags;
  bool call;
};

duk_ret_t CompileAndCall(duk_context* ctx, void* udata) {
  const auto* data = static_cast<const CompileData*>(udata);
  duk_push_lstring(ctx, data->source, data->sourceSize);
  duk_compile_lstring_filename(ctx, data->flags, data->code, data->codeSize);
  if (data->call) duk_call(ctx, 0);
  return 1;
}

// A protected call opens no frame of its own: when the host calls in from inside a native, the
// native's values lie below, so these find their arguments from the top.

// [function this arguments...] -> result; `udata` holds the number of arguments.
duk_ret_t CallMethod(duk_context* ctx, void* udata) {
  duk_call_method(ctx, *static_cast<const duk_idx_t*>(udata));
  return 1;
}

// [error] -> [line message]
duk_ret_t DescribeError(duk_context* ctx, void*) {
  if (duk_is_object(ctx, -1)) {
    duk_get_prop_string(ctx, -1, "lineNumber");
    if (!duk_is_number(ctx, -1)) {
      duk_pop(ctx);
      duk_push_int(ctx, 0);
    }
  } else {
    duk_push_int(ctx, 0);
  }
  duk_dup(ctx, -2);
  duk_safe_to_string(ctx, -1);
  return 2;
}

}  // namespace

ScriptEngine::Entry::Entry(ScriptEngine& engine) : engine_(engine) {
  if (engine_.depth_++ == 0)
    engine_.clock_.Start(engine_.limits_.timeLimit, engine_.limits_.graceTime);
}

ScriptEngine::Entry::~Entry() {
  if (--engine_.depth_ == 0) engine_.clock_.Stop();
}

std::shared_ptr<ScriptEngine> ScriptEngine::Create(HTMLWindow& window, ScriptLimits limits) {
  return std::make_shared<ScriptEngine>(window, limits);
}

ScriptEngine::ScriptEngine(HTMLWindow& window, ScriptLimits limits)
    : window_(&window),
      limits_(limits),
      arena_(limits.heapBytes),
      bridge_(std::make_unique<PageBridge>(*this)) {
  ctx_ = duk_create_heap(HeapAlloc, HeapRealloc, HeapFree,
                         static_cast<automation::ScriptBridge*>(bridge_.get()), Fatal);
  if (!ctx_) throw std::bad_alloc();
  bridge_->Attach(ctx_);
  InstallBindings(*this);
}

ScriptEngine::~ScriptEngine() {
  window_ = nullptr;
  // A heap left in the middle of an instruction cannot be walked: the arena drops it whole.
  if (!dead_) duk_destroy_heap(ctx_);
  bridge_->ReleaseObjects();
}

int ScriptEngine::Protected(int (*call)(duk_hthread*, void*), void* data, int nargs, int nrets) {
  if (MustLeave()) {
    if (!dead_) duk_pop_n(ctx_, nargs);
    return kStopped;
  }
  StopGuard guard;
  guard.engine = this;
  guard.clock = &clock_;
  PushGuard(guard);
  if (sigsetjmp(guard.jump, 1) != 0) {
    // Left by force: the interpreter's state is whatever the interrupted instruction made it.
    PopGuard(guard);
    dead_ = true;
    return kStopped;
  }
  const int rc = duk_safe_call(ctx_, call, data, nargs, nrets);
  PopGuard(guard);
  return rc;
}

void ScriptEngine::Report(int rc, const std::string& source) {
  ScriptError error;
  error.source = source;
  const std::string stopped = "the script ran longer than " +
                              std::to_string(limits_.timeLimit.count()) + " ms and was stopped";
  if (rc == kStopped) {
    if (stopReported_) return;
    stopReported_ = true;
    error.message = stopped;
  } else if (Protected(DescribeError, nullptr, 1, 2) == kStopped) {
    if (stopReported_) return;
    stopReported_ = true;
    error.message = stopped;
  } else {
    error.line = duk_get_int(ctx_, -2);
    duk_size_t length = 0;
    const char* text = duk_get_lstring(ctx_, -1, &length);
    error.message = text ? std::string(text, length) : std::string();
    duk_pop_2(ctx_);
    if (TimeUp()) error.message = stopped + " (" + error.message + ")";
  }
  if (window_) window_->ReportScriptError(error);
}

bool ScriptEngine::Run(const std::string& code, const std::string& source) {
  if (dead_) return false;
  Entry entry(*this);
  const std::string guarded = GuardLoops(code, std::string(kLoopGuardName) + "()");
  CompileData data{guarded.data(), guarded.size(), source.data(), source.size(), 0, true};
  const int rc = Protected(CompileAndCall, &data, 0, 1);
  if (rc != DUK_EXEC_SUCCESS) {
    Report(rc, source);
    return false;
  }
  duk_pop(ctx_);
  return true;
}

bool ScriptEngine::Evaluate(const std::string& code, const std::string& source, Variant& result) {
  result = Variant();
  if (dead_) return false;
  Entry entry(*this);
  const std::string guarded = GuardLoops(code, std::string(kLoopGuardName) + "()");
  CompileData data{guarded.data(), guarded.size(),   source.data(),
                   source.size(),  DUK_COMPILE_EVAL, true};
  const int rc = Protected(CompileAndCall, &data, 0, 1);
  if (rc != DUK_EXEC_SUCCESS) {
    Report(rc, source);
    return false;
  }
  try {
    result = ToVariant(-1);
  } catch (const ScriptStopped&) {
    Report(kStopped, source);
    return false;
  }
  duk_pop(ctx_);
  return true;
}

std::shared_ptr<ScriptFunction> ScriptEngine::CompileHandler(const std::string& body,
                                                             const std::string& source) {
  if (dead_) return nullptr;
  Entry entry(*this);
  // No line break before the body, so lines count as in the attribute.
  const std::string code =
      "(function(event){" + GuardLoops(body, std::string(kLoopGuardName) + "()") + "\n})";
  CompileData data{code.data(), code.size(), source.data(), source.size(), DUK_COMPILE_EVAL, true};
  const int rc = Protected(CompileAndCall, &data, 0, 1);
  if (rc != DUK_EXEC_SUCCESS) {
    Report(rc, source);
    return nullptr;
  }
  auto function = Keep(-1, source);
  duk_pop(ctx_);
  return function;
}

bool ScriptEngine::Call(const ScriptFunction& function, const automation::ObjectRef& self,
                        const Variant& argument, Variant& result) {
  result = Variant();
  if (dead_) return false;
  Entry entry(*this);
  PushFunction(function);
  if (!duk_is_function(ctx_, -1)) {
    duk_pop(ctx_);
    return true;
  }
  Push(Variant(self));
  Push(argument);
  duk_idx_t nargs = 1;
  const int rc = Protected(CallMethod, &nargs, 3, 1);
  if (rc != DUK_EXEC_SUCCESS) {
    Report(rc, function.Source());
    return false;
  }
  try {
    result = ToVariant(-1);
  } catch (const ScriptStopped&) {
    Report(kStopped, function.Source());
    return false;
  }
  duk_pop(ctx_);
  return true;
}

bool ScriptEngine::CallGlobalIfFunction(const std::string& name) {
  if (dead_) return false;
  Entry entry(*this);
  duk_get_global_string(ctx_, name.c_str());
  if (!duk_is_function(ctx_, -1)) {
    duk_pop(ctx_);
    return false;
  }
  duk_push_global_object(ctx_);
  duk_idx_t nargs = 0;
  const int rc = Protected(CallMethod, &nargs, 2, 1);
  if (rc != DUK_EXEC_SUCCESS)
    Report(rc, "window." + name);
  else
    duk_pop(ctx_);
  return true;
}

std::shared_ptr<ScriptFunction> ScriptEngine::Keep(int index, const std::string& source) {
  CheckAlive();
  const duk_idx_t at = duk_normalize_index(ctx_, index);
  const uint32_t id = nextFunction_++;
  duk_push_global_stash(ctx_);
  duk_get_prop_string(ctx_, -1, "qvFunctions");
  duk_dup(ctx_, at);
  duk_put_prop_index(ctx_, -2, id);
  duk_pop_2(ctx_);
  return std::make_shared<ScriptFunction>(weak_from_this(), id, source);
}

void ScriptEngine::PushFunction(const ScriptFunction& function) {
  CheckAlive();
  if (function.Engine().get() != this) {
    duk_push_undefined(ctx_);
    return;
  }
  duk_push_global_stash(ctx_);
  duk_get_prop_string(ctx_, -1, "qvFunctions");
  duk_get_prop_index(ctx_, -1, function.Id());
  duk_remove(ctx_, -2);
  duk_remove(ctx_, -2);
}

void ScriptEngine::Push(const Variant& value) {
  bridge_->Push(ctx_, value);
}

Variant ScriptEngine::ToVariant(int index) {
  return bridge_->ToVariant(ctx_, index);
}

}  // namespace qv::browser
