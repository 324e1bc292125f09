#include "browser/script/script_engine.h"

#include <duktape.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "browser/script/bindings.h"
#include "browser/script/loop_guard.h"
#include "browser/windows/html_window.h"

namespace qv::browser {

using automation::Variant;

namespace {

// Every block of the heap carries its size in front, so the heap's total can be bounded.
constexpr size_t kHeader = 16;

void* HeapAlloc(void* udata, duk_size_t size) {
  auto* engine = static_cast<ScriptEngine*>(udata);
  if (size > engine->HeapLimit() - engine->HeapUsed()) return nullptr;
  auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
  if (!block) return nullptr;
  std::memcpy(block, &size, sizeof size);
  engine->HeapUsed() += size;
  return block + kHeader;
}

void HeapFree(void* udata, void* ptr) {
  if (!ptr) return;
  auto* engine = static_cast<ScriptEngine*>(udata);
  auto* block = static_cast<unsigned char*>(ptr) - kHeader;
  size_t size = 0;
  std::memcpy(&size, block, sizeof size);
  engine->HeapUsed() -= size;
  std::free(block);
}

void* HeapRealloc(void* udata, void* ptr, duk_size_t size) {
  if (!ptr) return HeapAlloc(udata, size);
  if (size == 0) {
    HeapFree(udata, ptr);
    return nullptr;
  }
  auto* engine = static_cast<ScriptEngine*>(udata);
  auto* block = static_cast<unsigned char*>(ptr) - kHeader;
  size_t old = 0;
  std::memcpy(&old, block, sizeof old);
  if (size > old && size - old > engine->HeapLimit() - engine->HeapUsed()) return nullptr;
  auto* grown = static_cast<unsigned char*>(std::realloc(block, size + kHeader));
  if (!grown) return nullptr;
  std::memcpy(grown, &size, sizeof size);
  engine->HeapUsed() = engine->HeapUsed() - old + size;
  return grown + kHeader;
}

[[noreturn]] void Fatal(void*, const char* message) {
  // Only reached when an error escapes every protected call, which the engine never allows.
  std::fprintf(stderr, "script engine fatal error: %s\n", message ? message : "");
  std::abort();
}

}  // namespace

ScriptEngine::Entry::Entry(ScriptEngine& engine) : engine_(engine) {
  if (engine_.depth_++ == 0) {
    engine_.deadline_ = std::chrono::steady_clock::now() + engine_.limits_.timeLimit;
    engine_.timedOut_ = false;
    engine_.ticks_ = 0;
  }
}

ScriptEngine::Entry::~Entry() {
  --engine_.depth_;
}

std::shared_ptr<ScriptEngine> ScriptEngine::Create(HTMLWindow& window, ScriptLimits limits) {
  return std::make_shared<ScriptEngine>(window, limits);
}

ScriptEngine::ScriptEngine(HTMLWindow& window, ScriptLimits limits)
    : window_(&window), limits_(limits) {
  ctx_ = duk_create_heap(HeapAlloc, HeapRealloc, HeapFree, this, Fatal);
  if (!ctx_) throw std::bad_alloc();
  InstallBindings(*this);
}

ScriptEngine::~ScriptEngine() {
  window_ = nullptr;
  duk_destroy_heap(ctx_);
  holders_.clear();
}

ScriptEngine::Holder* ScriptEngine::NewHolder(const automation::ObjectRef& object) {
  auto holder = std::make_unique<Holder>();
  // The engine's own window owns the engine: a strong reference back would keep both for ever.
  if (window_ && object.get() == static_cast<automation::Dispatch*>(window_))
    holder->weak = object;
  else
    holder->strong = object;
  holders_.push_back(std::move(holder));
  return holders_.back().get();
}

bool ScriptEngine::TimeUp() {
  if (timedOut_) return true;
  if ((++ticks_ & 255) == 0 && std::chrono::steady_clock::now() > deadline_) timedOut_ = true;
  return timedOut_;
}

void ScriptEngine::Report(const std::string& source) {
  ScriptError error;
  error.source = source;
  if (duk_is_object(ctx_, -1)) {
    duk_get_prop_string(ctx_, -1, "lineNumber");
    error.line = duk_is_number(ctx_, -1) ? duk_get_int(ctx_, -1) : 0;
    duk_pop(ctx_);
  }
  duk_dup(ctx_, -1);
  error.message = duk_safe_to_string(ctx_, -1);
  duk_pop(ctx_);
  if (timedOut_)
    error.message = "the script ran longer than " + std::to_string(limits_.timeLimit.count()) +
                    " ms and was stopped (" + error.message + ")";
  if (window_) window_->ReportScriptError(error);
}

bool ScriptEngine::Run(const std::string& code, const std::string& source) {
  Entry entry(*this);
  const std::string guarded = GuardLoops(code, std::string(kLoopGuardName) + "()");
  duk_push_lstring(ctx_, source.data(), source.size());
  if (duk_pcompile_lstring_filename(ctx_, 0, guarded.data(), guarded.size()) != 0) {
    Report(source);
    duk_pop(ctx_);
    return false;
  }
  if (duk_pcall(ctx_, 0) != 0) {
    Report(source);
    duk_pop(ctx_);
    return false;
  }
  duk_pop(ctx_);
  return true;
}

bool ScriptEngine::Evaluate(const std::string& code, const std::string& source, Variant& result) {
  Entry entry(*this);
  result = Variant();
  const std::string guarded = GuardLoops(code, std::string(kLoopGuardName) + "()");
  duk_push_lstring(ctx_, source.data(), source.size());
  if (duk_pcompile_lstring_filename(ctx_, DUK_COMPILE_EVAL, guarded.data(), guarded.size()) != 0 ||
      duk_pcall(ctx_, 0) != 0) {
    Report(source);
    duk_pop(ctx_);
    return false;
  }
  result = ToVariant(-1);
  duk_pop(ctx_);
  return true;
}

std::shared_ptr<ScriptFunction> ScriptEngine::CompileHandler(const std::string& body,
                                                             const std::string& source) {
  Entry entry(*this);
  // No line break before the body, so lines count as in the attribute.
  const std::string code =
      "(function(event){" + GuardLoops(body, std::string(kLoopGuardName) + "()") + "\n})";
  duk_push_lstring(ctx_, source.data(), source.size());
  if (duk_pcompile_lstring_filename(ctx_, DUK_COMPILE_EVAL, code.data(), code.size()) != 0 ||
      duk_pcall(ctx_, 0) != 0) {
    Report(source);
    duk_pop(ctx_);
    return nullptr;
  }
  auto function = Keep(-1, source);
  duk_pop(ctx_);
  return function;
}

bool ScriptEngine::Call(const ScriptFunction& function, const automation::ObjectRef& self,
                        const Variant& argument, Variant& result) {
  Entry entry(*this);
  result = Variant();
  PushFunction(function);
  if (!duk_is_function(ctx_, -1)) {
    duk_pop(ctx_);
    return true;
  }
  Push(Variant(self));
  Push(argument);
  if (duk_pcall_method(ctx_, 1) != 0) {
    Report(function.Source());
    duk_pop(ctx_);
    return false;
  }
  result = ToVariant(-1);
  duk_pop(ctx_);
  return true;
}

bool ScriptEngine::CallGlobalIfFunction(const std::string& name) {
  Entry entry(*this);
  duk_get_global_string(ctx_, name.c_str());
  if (!duk_is_function(ctx_, -1)) {
    duk_pop(ctx_);
    return false;
  }
  duk_push_global_object(ctx_);
  if (duk_pcall_method(ctx_, 0) != 0) Report("window." + name);
  duk_pop(ctx_);
  return true;
}

std::shared_ptr<ScriptFunction> ScriptEngine::Keep(int index, const std::string& source) {
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
  using T = Variant::Type;
  switch (value.GetType()) {
    case T::Empty:
      duk_push_undefined(ctx_);
      return;
    case T::Boolean:
      duk_push_boolean(ctx_, value.ToBool());
      return;
    case T::Int16:
    case T::Int32:
    case T::Double:
      duk_push_number(ctx_, value.ToDouble());
      return;
    case T::Object:
      PushWrapper(*this, value.ToObject());
      return;
    case T::Array: {
      const auto array = value.ToArray();
      const duk_idx_t arr = duk_push_array(ctx_);
      duk_uarridx_t i = 0;
      for (const auto& element : array->elements) {
        Push(element);
        duk_put_prop_index(ctx_, arr, i++);
      }
      return;
    }
    default: {
      const std::string text = value.ToText();
      duk_push_lstring(ctx_, text.data(), text.size());
      return;
    }
  }
}

Variant ScriptEngine::ToVariant(int index) {
  const duk_idx_t at = duk_normalize_index(ctx_, index);
  switch (duk_get_type(ctx_, at)) {
    case DUK_TYPE_NULL:
      return Variant(automation::ObjectRef());
    case DUK_TYPE_BOOLEAN:
      return Variant(static_cast<bool>(duk_get_boolean(ctx_, at)));
    case DUK_TYPE_NUMBER: {
      const double d = duk_get_number(ctx_, at);
      if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 2147483648.0)
        return Variant(static_cast<int32_t>(d));
      return Variant(d);
    }
    case DUK_TYPE_STRING: {
      duk_size_t length = 0;
      const char* s = duk_get_lstring(ctx_, at, &length);
      return Variant(std::string(s, length));
    }
    case DUK_TYPE_OBJECT: {
      if (auto object = UnwrapObject(ctx_, at)) return Variant(object);
      if (duk_is_function(ctx_, at)) return Variant();
      duk_dup(ctx_, at);
      std::string text = duk_safe_to_string(ctx_, -1);
      duk_pop(ctx_);
      return Variant(std::move(text));
    }
    default:
      return Variant();
  }
}

}  // namespace qv::browser
