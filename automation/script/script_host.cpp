#include "automation/script/script_host.h"

#include <duktape.h>

#include <cstdio>
#include <cstdlib>

#include "automation/script/script_bridge.h"

namespace qv::automation {

namespace {

constexpr const char* kFnKey = DUK_HIDDEN_SYMBOL("qvfn");  // Function* on a global function
constexpr const char* kCallbacksKey = "qvCallbacks";       // in the heap stash

// The object model's number of the error on top of the stack, 0 when it has none.
int32_t ErrorNumber(duk_context* ctx) {
  if (!duk_is_object(ctx, -1)) return 0;
  duk_get_prop_string(ctx, -1, "number");
  const int32_t number = duk_is_number(ctx, -1) ? duk_get_int(ctx, -1) : 0;
  duk_pop(ctx);
  return number;
}

std::string FailureText(duk_context* ctx, const char* key) {
  if (!duk_is_object(ctx, -1)) return "";
  duk_get_prop_string(ctx, -1, key);
  std::string s = duk_is_undefined(ctx, -1) ? "" : duk_safe_to_string(ctx, -1);
  duk_pop(ctx);
  return s;
}

// A script function handed to C++ (an event handler, a driver callback): its default member
// calls the function. It fails with 91 once the engine is gone.
class ScriptFunction : public Dispatch {
 public:
  ScriptFunction(duk_context* ctx, int id, std::shared_ptr<bool> alive)
      : ctx_(ctx), id_(id), alive_(std::move(alive)) {}
  ~ScriptFunction() override {
    if (!*alive_) return;
    duk_push_heap_stash(ctx_);
    duk_get_prop_string(ctx_, -1, kCallbacksKey);
    duk_del_prop_index(ctx_, -1, static_cast<duk_uarridx_t>(id_));
    duk_pop_2(ctx_);
  }

  Variant Call(std::vector<Variant>& args) {
    if (!*alive_) Raise(err::kObjectNotSet);
    ScriptBridge& bridge = ScriptBridge::Of(ctx_);
    duk_push_heap_stash(ctx_);
    duk_get_prop_string(ctx_, -1, kCallbacksKey);
    duk_get_prop_index(ctx_, -1, static_cast<duk_uarridx_t>(id_));
    for (const auto& a : args)
      bridge.Push(ctx_, a);
    if (duk_pcall(ctx_, static_cast<duk_idx_t>(args.size())) != DUK_EXEC_SUCCESS) {
      const int32_t number = ErrorNumber(ctx_);
      std::string message = duk_safe_to_string(ctx_, -1);
      duk_pop_3(ctx_);
      throw AutomationError(number ? number : err::kInvalidCall, message);
    }
    Variant result;
    try {
      result = bridge.ToVariant(ctx_, -1);
    } catch (...) {
      duk_pop_3(ctx_);
      throw;
    }
    duk_pop_3(ctx_);
    return result;
  }

  const DispatchTable& Members() const override;

 private:
  duk_context* ctx_;
  int id_;
  std::shared_ptr<bool> alive_;
};

const DispatchTable& ScriptFunction::Members() const {
  static const DispatchTable table = ClassTable<ScriptFunction>("Function")
                                         .Method("Call",
                                                 [](ScriptFunction& f, Args& a) {
                                                   std::vector<Variant> args;
                                                   for (size_t i = 0; i < a.Count(); ++i)
                                                     args.push_back(a[i]);
                                                   return f.Call(args);
                                                 })
                                         .Default("Call")
                                         .Build();
  return table;
}

duk_ret_t GlobalFunction(duk_context* ctx) {
  ScriptBridge& bridge = ScriptBridge::Of(ctx);
  const duk_idx_t count = duk_get_top(ctx);
  duk_push_current_function(ctx);
  duk_get_prop_string(ctx, -1, kFnKey);
  auto* fn = static_cast<ScriptHost::Function*>(duk_get_pointer(ctx, -1));
  duk_pop_2(ctx);
  std::vector<Variant> args = bridge.Arguments(ctx, count);
  bridge.Push(ctx, (*fn)(args));
  return 1;
}

[[noreturn]] void Fatal(void*, const char* msg) {
  // The engine's own invariants broke; nothing safe is left to do.
  std::fprintf(stderr, "script engine fatal error: %s\n", msg ? msg : "");
  std::abort();
}

}  // namespace

// The automation client's side of the bridge: every default of BridgePolicy, and script functions
// as callable objects.
class HostBridge : public ScriptBridge {
 public:
  HostBridge() : ScriptBridge(BridgePolicy{}) {}

  Variant FunctionValue(duk_context* ctx, duk_idx_t index) override {
    const int id = ++nextCallbackId_;
    duk_push_heap_stash(ctx);
    duk_get_prop_string(ctx, -1, kCallbacksKey);
    duk_dup(ctx, index);
    duk_put_prop_index(ctx, -2, static_cast<duk_uarridx_t>(id));
    duk_pop_2(ctx);
    return Variant(ObjectRef(std::make_shared<ScriptFunction>(ctx, id, alive)));
  }

  // Tells script functions held by C++ that the engine is gone.
  std::shared_ptr<bool> alive = std::make_shared<bool>(true);

 private:
  int nextCallbackId_ = 0;
};

ScriptHost::ScriptHost() : bridge_(std::make_unique<HostBridge>()) {
  // The engine's own allocator; the heap's user data names its bridge.
  ctx_ =
      duk_create_heap(nullptr, nullptr, nullptr, static_cast<ScriptBridge*>(bridge_.get()), Fatal);
  if (!ctx_) throw std::bad_alloc();
  bridge_->Attach(ctx_);
  duk_push_heap_stash(ctx_);
  duk_push_object(ctx_);
  duk_put_prop_string(ctx_, -2, kCallbacksKey);
  duk_pop(ctx_);

  DefineFunction("CreateObject", [this](std::vector<Variant>& args) -> Variant {
    if (args.empty()) Raise(err::kWrongArgCount);
    if (!factory_) Raise(err::kCannotCreate);
    return Variant(factory_->Create(args[0].ToText()));
  });
  DefineFunction("print", [](std::vector<Variant>& args) -> Variant {
    std::string line;
    for (size_t i = 0; i < args.size(); ++i) {
      if (i) line += ' ';
      line += args[i].IsObject() ? "[object " + args[i].TypeName() + "]" : args[i].ToText();
    }
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    return Variant();
  });
}

ScriptHost::~ScriptHost() {
  *bridge_->alive = false;
  duk_destroy_heap(ctx_);  // runs the finalizers, which release the objects scripts still held
  bridge_->ReleaseObjects();
}

void ScriptHost::UseFactory(const ClassFactory* factory) {
  factory_ = factory;
}

void ScriptHost::DefineFunction(const std::string& name, Function fn) {
  functions_.push_back(std::make_unique<Function>(std::move(fn)));
  duk_push_global_object(ctx_);
  duk_push_c_function(ctx_, Native<GlobalFunction>, DUK_VARARGS);
  duk_push_pointer(ctx_, functions_.back().get());
  duk_put_prop_string(ctx_, -2, kFnKey);
  duk_put_prop_string(ctx_, -2, name.c_str());
  duk_pop(ctx_);
}

void ScriptHost::DefineGlobal(const std::string& name, const Variant& value) {
  duk_push_global_object(ctx_);
  bridge_->Push(ctx_, value);
  duk_put_prop_string(ctx_, -2, name.c_str());
  duk_pop(ctx_);
}

bool ScriptHost::Run(const std::string& source, const std::string& fileName,
                     ScriptFailure& failure) {
  duk_push_string(ctx_, fileName.c_str());
  if (duk_pcompile_lstring_filename(ctx_, 0, source.data(), source.size()) != 0 ||
      duk_pcall(ctx_, 0) != DUK_EXEC_SUCCESS) {
    duk_dup_top(ctx_);
    failure.message = duk_safe_to_string(ctx_, -1);
    duk_pop(ctx_);
    failure.stack = FailureText(ctx_, "stack");
    failure.number = ErrorNumber(ctx_);
    duk_pop(ctx_);
    return false;
  }
  duk_pop(ctx_);
  return true;
}

Variant ScriptHost::Eval(const std::string& source) {
  if (duk_peval_lstring(ctx_, source.data(), source.size()) != 0) {
    duk_dup_top(ctx_);
    const std::string message = duk_safe_to_string(ctx_, -1);
    duk_pop(ctx_);
    const int32_t number = ErrorNumber(ctx_);
    duk_pop(ctx_);
    throw AutomationError(number ? number : err::kInvalidCall, message);
  }
  Variant v;
  try {
    v = bridge_->ToVariant(ctx_, -1);
  } catch (...) {
    duk_pop(ctx_);
    throw;
  }
  duk_pop(ctx_);
  return v;
}

}  // namespace qv::automation
