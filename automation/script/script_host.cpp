#include "automation/script/script_host.h"

#include <duktape.h>

#include <cmath>
#include <limits>

namespace qv::automation {

struct HostData;

namespace {

// Keys under which the bridge keeps its own data on engine objects.
constexpr const char* kRefKey = DUK_HIDDEN_SYMBOL("qvref");    // ObjectRef* on a proxy target
constexpr const char* kFnKey = DUK_HIDDEN_SYMBOL("qvfn");      // Function* on a global function
constexpr const char* kOwnerKey = DUK_HIDDEN_SYMBOL("qvobj");  // the proxy a bound member uses
constexpr const char* kNameKey = DUK_HIDDEN_SYMBOL("qvname");  // the member a bound function calls
constexpr const char* kHandlerKey = "qvProxyHandler";          // in the heap stash
constexpr const char* kCallbacksKey = "qvCallbacks";           // in the heap stash
// Scripts cannot reach hidden symbols through a proxy, so the proxy answers this key with its ref.
constexpr const char* kUnwrapKey = "__qv_object_ref__";

void PushVariant(duk_context* ctx, const Variant& v, const std::shared_ptr<bool>& alive);
Variant ToVariant(duk_context* ctx, duk_idx_t idx, const std::shared_ptr<bool>& alive);

}  // namespace

// What the engine's callbacks need of their host, reached through the heap's user data.
struct HostData {
  std::shared_ptr<bool> alive;
  int nextCallbackId = 0;
};

namespace {

HostData& DataOf(duk_context* ctx) {
  duk_memory_functions funcs;
  duk_get_memory_functions(ctx, &funcs);
  return *static_cast<HostData*>(funcs.udata);
}

std::shared_ptr<bool> AliveOf(duk_context* ctx) {
  return DataOf(ctx).alive;
}

// Turns a C++ failure into an engine error on the stack; the caller throws it once every C++
// object of its frame is gone (the engine unwinds with longjmp).
void PushFailure(duk_context* ctx, int32_t number, const std::string& description) {
  duk_push_error_object(ctx, DUK_ERR_ERROR, "%s", description.c_str());
  duk_push_int(ctx, number);
  duk_put_prop_string(ctx, -2, "number");
  duk_push_string(ctx, description.c_str());
  duk_put_prop_string(ctx, -2, "description");
}

// What a callback's body answers when it left an engine error on the stack to be thrown.
constexpr duk_ret_t kFailed = -1000;

// Runs `body` (which pushes exactly one result) and converts C++ errors into engine errors. It
// does not throw them: its caller's frame still holds C++ objects that the engine's longjmp would
// skip (a leaked reference, an unfreed string). Throwing<> throws from a frame that holds none.
template <class Body>
duk_ret_t Guarded(duk_context* ctx, Body&& body) {
  bool failed = false;
  {
    try {
      body();
    } catch (const AutomationError& e) {
      PushFailure(ctx, e.Number(), e.Description());
      failed = true;
    } catch (const std::exception& e) {
      PushFailure(ctx, 0, e.what());
      failed = true;
    }
  }
  return failed ? kFailed : 1;
}

// The engine's entry for a callback: the callback runs and returns, destroying its C++ objects,
// before its failure is thrown.
template <duk_ret_t (*Callback)(duk_context*)>
duk_ret_t Throwing(duk_context* ctx) {
  const duk_ret_t result = Callback(ctx);
  return result == kFailed ? duk_throw(ctx) : result;
}

ObjectRef Unwrap(duk_context* ctx, duk_idx_t idx) {
  if (!duk_is_object(ctx, idx)) return nullptr;
  duk_get_prop_string(ctx, idx, kUnwrapKey);
  ObjectRef result;
  if (duk_is_pointer(ctx, -1)) result = *static_cast<ObjectRef*>(duk_get_pointer(ctx, -1));
  duk_pop(ctx);
  return result;
}

ObjectRef TargetRef(duk_context* ctx, duk_idx_t targetIdx) {
  duk_get_prop_string(ctx, targetIdx, kRefKey);
  auto* ref = static_cast<ObjectRef*>(duk_get_pointer(ctx, -1));
  duk_pop(ctx);
  return ref ? *ref : nullptr;
}

std::vector<Variant> ArgsFromArray(duk_context* ctx, duk_idx_t arrIdx,
                                   const std::shared_ptr<bool>& alive) {
  std::vector<Variant> args;
  const auto n = static_cast<duk_uarridx_t>(duk_get_length(ctx, arrIdx));
  for (duk_uarridx_t i = 0; i < n; ++i) {
    duk_get_prop_index(ctx, arrIdx, i);
    args.push_back(ToVariant(ctx, -1, alive));
    duk_pop(ctx);
  }
  return args;
}

std::vector<Variant> ArgsFromStack(duk_context* ctx, const std::shared_ptr<bool>& alive) {
  std::vector<Variant> args;
  const duk_idx_t n = duk_get_top(ctx);
  for (duk_idx_t i = 0; i < n; ++i)
    args.push_back(ToVariant(ctx, i, alive));
  return args;
}

duk_ret_t TargetFinalizer(duk_context* ctx) {
  duk_get_prop_string(ctx, 0, kRefKey);
  delete static_cast<ObjectRef*>(duk_get_pointer(ctx, -1));
  duk_pop(ctx);
  duk_push_pointer(ctx, nullptr);
  duk_put_prop_string(ctx, 0, kRefKey);
  return 0;
}

duk_ret_t TargetBody(duk_context*) {
  return 0;
}

// A member that must be called: `this` of the call is ignored, the owner proxy is kept on the
// function itself.
duk_ret_t BoundMember(duk_context* ctx) {
  auto alive = AliveOf(ctx);
  duk_push_current_function(ctx);
  duk_get_prop_string(ctx, -1, kOwnerKey);
  duk_get_prop_string(ctx, -2, kNameKey);
  const std::string name = duk_get_string(ctx, -1);
  duk_pop(ctx);
  const duk_idx_t ownerIdx = duk_get_top_index(ctx);
  return Guarded(ctx, [&] {
    ObjectRef obj = Unwrap(ctx, ownerIdx);
    if (!obj) Raise(err::kObjectNotSet);
    duk_idx_t nargs = ownerIdx - 1;  // arguments lie below the function and its owner
    std::vector<Variant> args;
    for (duk_idx_t i = 0; i < nargs; ++i)
      args.push_back(ToVariant(ctx, i, alive));
    const Member* m = obj->Members().Find(name);
    const CallKind kind = m && m->isMethod ? CallKind::Method : CallKind::PropertyGet;
    const Variant result = Invoke(*obj, name, kind, args);
    PushVariant(ctx, result, alive);
  });
}

duk_ret_t ToStringMember(duk_context* ctx) {
  auto alive = AliveOf(ctx);
  duk_push_current_function(ctx);
  duk_get_prop_string(ctx, -1, kOwnerKey);
  const duk_idx_t ownerIdx = duk_get_top_index(ctx);
  return Guarded(ctx, [&] {
    ObjectRef obj = Unwrap(ctx, ownerIdx);
    std::string text = "[object]";
    if (obj) {
      text = "[object " + obj->TypeName() + "]";
      const Member* def = obj->Members().Find(obj->Members().DefaultMember());
      if (def && !def->takesArgs) {
        std::vector<Variant> none;
        text = Invoke(*obj, def->name, CallKind::PropertyGet, none).ToText();
      }
    }
    duk_push_string(ctx, text.c_str());
  });
}

// Proxy trap get(target, key, receiver).
duk_ret_t TrapGet(duk_context* ctx) {
  auto alive = AliveOf(ctx);
  if (!duk_is_string(ctx, 1) || duk_is_symbol(ctx, 1)) {
    duk_push_undefined(ctx);
    return 1;
  }
  const std::string key = duk_get_string(ctx, 1);
  if (key == kUnwrapKey) {
    duk_get_prop_string(ctx, 0, kRefKey);
    return 1;
  }
  return Guarded(ctx, [&] {
    ObjectRef obj = TargetRef(ctx, 0);
    if (!obj) Raise(err::kObjectNotSet);
    const Member* m = obj->Members().Find(key);
    // The object's named items (a form's controls, a document's forms), as the browser's page
    // scripts see them.
    if (Variant item; (!m || obj->NamedItemsFirst()) && obj->ScriptGet(key, item)) {
      PushVariant(ctx, item, alive);
      return;
    }
    if (!m) {
      if (key == "toString" || key == "valueOf") {
        duk_push_c_function(ctx, Throwing<ToStringMember>, 0);
        duk_dup(ctx, 2);
        duk_put_prop_string(ctx, -2, kOwnerKey);
        return;
      }
      if (key == "toJSON" || key == "constructor" || key == "prototype" || key == "inspect") {
        duk_push_undefined(ctx);
        return;
      }
      throw AutomationError(err::kNoSuchMember, StandardDescription(err::kNoSuchMember) + " (" +
                                                    obj->TypeName() + "." + key + ")");
    }
    if (m->takesArgs) {
      duk_push_c_function(ctx, Throwing<BoundMember>, DUK_VARARGS);
      duk_dup(ctx, 2);
      duk_put_prop_string(ctx, -2, kOwnerKey);
      duk_push_string(ctx, m->name.c_str());
      duk_put_prop_string(ctx, -2, kNameKey);
      return;
    }
    std::vector<Variant> none;
    PushVariant(ctx, Invoke(*obj, m->name, CallKind::PropertyGet, none), alive);
  });
}

// Proxy trap set(target, key, value, receiver).
duk_ret_t TrapSet(duk_context* ctx) {
  auto alive = AliveOf(ctx);
  if (!duk_is_string(ctx, 1) || duk_is_symbol(ctx, 1)) {
    duk_push_false(ctx);
    return 1;
  }
  const std::string key = duk_get_string(ctx, 1);
  return Guarded(ctx, [&] {
    ObjectRef obj = TargetRef(ctx, 0);
    if (!obj) Raise(err::kObjectNotSet);
    std::vector<Variant> args{ToVariant(ctx, 2, alive)};
    Invoke(*obj, key, CallKind::PropertyPut, args);
    duk_push_true(ctx);
  });
}

// Proxy trap apply(target, thisArg, argArray): the call form uses the default member.
duk_ret_t TrapApply(duk_context* ctx) {
  auto alive = AliveOf(ctx);
  return Guarded(ctx, [&] {
    ObjectRef obj = TargetRef(ctx, 0);
    if (!obj) Raise(err::kObjectNotSet);
    const std::string& def = obj->Members().DefaultMember();
    const Member* m = def.empty() ? nullptr : obj->Members().Find(def);
    if (!m) Raise(err::kNoSuchMember);
    std::vector<Variant> args = ArgsFromArray(ctx, 2, alive);
    const CallKind kind = m->isMethod ? CallKind::Method : CallKind::PropertyGet;
    PushVariant(ctx, Invoke(*obj, m->name, kind, args), alive);
  });
}

void PushObject(duk_context* ctx, const ObjectRef& obj) {
  if (!obj) {
    duk_push_null(ctx);
    return;
  }
  duk_push_c_function(ctx, TargetBody, DUK_VARARGS);
  duk_push_pointer(ctx, new ObjectRef(obj));
  duk_put_prop_string(ctx, -2, kRefKey);
  duk_push_c_function(ctx, TargetFinalizer, 1);
  duk_set_finalizer(ctx, -2);
  duk_push_heap_stash(ctx);
  duk_get_prop_string(ctx, -1, kHandlerKey);
  duk_remove(ctx, -2);
  duk_push_proxy(ctx, 0);
}

// A script function handed to C++ (an event handler, a driver callback): its default member
// calls the function.
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
    duk_push_heap_stash(ctx_);
    duk_get_prop_string(ctx_, -1, kCallbacksKey);
    duk_get_prop_index(ctx_, -1, static_cast<duk_uarridx_t>(id_));
    for (const auto& a : args)
      PushVariant(ctx_, a, alive_);
    const bool ok = duk_pcall(ctx_, static_cast<duk_idx_t>(args.size())) == DUK_EXEC_SUCCESS;
    if (!ok) {
      int32_t number = 0;
      if (duk_is_object(ctx_, -1)) {
        duk_get_prop_string(ctx_, -1, "number");
        number = duk_is_number(ctx_, -1) ? duk_get_int(ctx_, -1) : 0;
        duk_pop(ctx_);
      }
      std::string message = duk_safe_to_string(ctx_, -1);
      duk_pop_3(ctx_);
      throw AutomationError(number ? number : err::kInvalidCall, message);
    }
    Variant result = ToVariant(ctx_, -1, alive_);
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

void PushVariant(duk_context* ctx, const Variant& v, const std::shared_ptr<bool>& alive) {
  switch (v.GetType()) {
    case Variant::Type::Empty:
      duk_push_undefined(ctx);
      break;
    case Variant::Type::Boolean:
      duk_push_boolean(ctx, v.ToBool());
      break;
    case Variant::Type::Int16:
    case Variant::Type::Int32:
    case Variant::Type::Double:
      duk_push_number(ctx, v.ToDouble());
      break;
    case Variant::Type::Date:
    case Variant::Type::Text: {
      const std::string s = v.ToText();
      duk_push_lstring(ctx, s.data(), s.size());
      break;
    }
    case Variant::Type::Object:
      PushObject(ctx, v.ToObject());
      break;
    case Variant::Type::Array: {
      const auto arr = v.ToArray();
      duk_push_array(ctx);
      for (size_t i = 0; i < arr->elements.size(); ++i) {
        PushVariant(ctx, arr->elements[i], alive);
        duk_put_prop_index(ctx, -2, static_cast<duk_uarridx_t>(i));
      }
      break;
    }
  }
}

Variant ToVariant(duk_context* ctx, duk_idx_t idx, const std::shared_ptr<bool>& alive) {
  idx = duk_normalize_index(ctx, idx);
  switch (duk_get_type(ctx, idx)) {
    case DUK_TYPE_UNDEFINED:
    case DUK_TYPE_NONE:
      return Variant();
    case DUK_TYPE_NULL:
      return Variant(ObjectRef());
    case DUK_TYPE_BOOLEAN:
      return Variant(static_cast<bool>(duk_get_boolean(ctx, idx)));
    case DUK_TYPE_NUMBER: {
      const double d = duk_get_number(ctx, idx);
      if (std::trunc(d) == d && d >= std::numeric_limits<int32_t>::min() &&
          d <= std::numeric_limits<int32_t>::max())
        return Variant(static_cast<int32_t>(d));
      return Variant(d);
    }
    case DUK_TYPE_STRING: {
      duk_size_t len = 0;
      const char* s = duk_get_lstring(ctx, idx, &len);
      return Variant(std::string(s, len));
    }
    case DUK_TYPE_OBJECT: {
      if (ObjectRef obj = Unwrap(ctx, idx)) return Variant(obj);
      if (duk_is_array(ctx, idx)) return Variant::Array(0, ArgsFromArray(ctx, idx, alive));
      if (duk_is_function(ctx, idx)) {
        const int id = ++DataOf(ctx).nextCallbackId;
        duk_push_heap_stash(ctx);
        duk_get_prop_string(ctx, -1, kCallbacksKey);
        duk_dup(ctx, idx);
        duk_put_prop_index(ctx, -2, static_cast<duk_uarridx_t>(id));
        duk_pop_2(ctx);
        return Variant(ObjectRef(std::make_shared<ScriptFunction>(ctx, id, alive)));
      }
      Raise(err::kTypeMismatch);
    }
    default:
      Raise(err::kTypeMismatch);
  }
}

duk_ret_t GlobalFunction(duk_context* ctx) {
  auto alive = AliveOf(ctx);
  duk_push_current_function(ctx);
  duk_get_prop_string(ctx, -1, kFnKey);
  auto* fn = static_cast<ScriptHost::Function*>(duk_get_pointer(ctx, -1));
  duk_pop_2(ctx);
  return Guarded(ctx, [&] {
    std::vector<Variant> args = ArgsFromStack(ctx, alive);
    PushVariant(ctx, (*fn)(args), alive);
  });
}

void Fatal(void*, const char* msg) {
  // The engine's own invariants broke; nothing safe is left to do.
  std::fprintf(stderr, "script engine fatal error: %s\n", msg ? msg : "");
  std::abort();
}

void* Alloc(void*, duk_size_t size) {
  return std::malloc(size);
}
void* Realloc(void*, void* ptr, duk_size_t size) {
  return std::realloc(ptr, size);
}
void Free(void*, void* ptr) {
  std::free(ptr);
}

std::string FailureText(duk_context* ctx, const char* key) {
  if (!duk_is_object(ctx, -1)) return "";
  duk_get_prop_string(ctx, -1, key);
  std::string s = duk_is_undefined(ctx, -1) ? "" : duk_safe_to_string(ctx, -1);
  duk_pop(ctx);
  return s;
}

}  // namespace

ScriptHost::ScriptHost() : alive_(std::make_shared<bool>(true)) {
  data_ = std::make_unique<HostData>(HostData{alive_, 0});
  ctx_ = duk_create_heap(Alloc, Realloc, Free, data_.get(), Fatal);
  if (!ctx_) throw std::bad_alloc();
  duk_push_heap_stash(ctx_);
  duk_push_object(ctx_);
  duk_push_c_function(ctx_, Throwing<TrapGet>, 3);
  duk_put_prop_string(ctx_, -2, "get");
  duk_push_c_function(ctx_, Throwing<TrapSet>, 4);
  duk_put_prop_string(ctx_, -2, "set");
  duk_push_c_function(ctx_, Throwing<TrapApply>, 3);
  duk_put_prop_string(ctx_, -2, "apply");
  duk_put_prop_string(ctx_, -2, kHandlerKey);
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
  *alive_ = false;
  duk_destroy_heap(ctx_);  // runs the finalizers, which release the objects scripts still held
}

void ScriptHost::UseFactory(const ClassFactory* factory) {
  factory_ = factory;
}

void ScriptHost::DefineFunction(const std::string& name, Function fn) {
  functions_.push_back(std::make_unique<Function>(std::move(fn)));
  duk_push_global_object(ctx_);
  duk_push_c_function(ctx_, Throwing<GlobalFunction>, DUK_VARARGS);
  duk_push_pointer(ctx_, functions_.back().get());
  duk_put_prop_string(ctx_, -2, kFnKey);
  duk_put_prop_string(ctx_, -2, name.c_str());
  duk_pop(ctx_);
}

void ScriptHost::DefineGlobal(const std::string& name, const Variant& value) {
  duk_push_global_object(ctx_);
  PushVariant(ctx_, value, alive_);
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
    if (duk_is_object(ctx_, -1)) {
      duk_get_prop_string(ctx_, -1, "number");
      failure.number = duk_is_number(ctx_, -1) ? duk_get_int(ctx_, -1) : 0;
      duk_pop(ctx_);
    }
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
    int32_t number = 0;
    if (duk_is_object(ctx_, -1)) {
      duk_get_prop_string(ctx_, -1, "number");
      number = duk_is_number(ctx_, -1) ? duk_get_int(ctx_, -1) : 0;
      duk_pop(ctx_);
    }
    duk_pop(ctx_);
    throw AutomationError(number ? number : err::kInvalidCall, message);
  }
  Variant v = ToVariant(ctx_, -1, alive_);
  duk_pop(ctx_);
  return v;
}

}  // namespace qv::automation
