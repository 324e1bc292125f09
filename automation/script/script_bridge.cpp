#include "automation/script/script_bridge.h"

#include <cmath>
#include <cstdio>

namespace qv::automation {

namespace {

// Hidden properties (scripts cannot reach them) of wrapper targets and bound members. A hidden
// key read on a wrapper passes the proxy's traps and reads its target.
constexpr const char* kHolderKey = DUK_HIDDEN_SYMBOL("qvHolder");
constexpr const char* kOwnerKey = DUK_HIDDEN_SYMBOL("qvOwner");
constexpr const char* kMemberKey = DUK_HIDDEN_SYMBOL("qvMember");
// In the heap stash: the wrappers' handler, and the wrappers of objects with an identity.
constexpr const char* kHandlerKey = "qvHandler";
constexpr const char* kWrappersKey = "qvWrappers";

constexpr const char* kStopMessage = "script time limit exceeded";

enum class Outcome { Returned, Threw, Stopped };

void PushError(duk_context* ctx, int32_t number, const std::string& description) {
  duk_push_error_object(ctx, DUK_ERR_ERROR, "%s", description.c_str());
  duk_push_int(ctx, number);
  duk_put_prop_string(ctx, -2, "number");
  duk_push_lstring(ctx, description.data(), description.size());
  duk_put_prop_string(ctx, -2, "description");
}

// Runs a native's body with every C++ exception caught. The error is pushed once the handler
// has ended: an engine error thrown from inside a catch block would skip the runtime's own
// bookkeeping of the exception.
Outcome RunBody(duk_context* ctx, duk_c_function body, duk_ret_t& ret) noexcept {
  int32_t number = 0;
  std::string description;
  try {
    ret = body(ctx);
    return Outcome::Returned;
  } catch (const ScriptThrow&) {
    return Outcome::Threw;
  } catch (const ScriptStopped&) {
    return Outcome::Stopped;
  } catch (const AutomationError& e) {
    number = e.Number();
    description = e.Description();
  } catch (const std::exception& e) {
    description = e.what();
  } catch (...) {
    description = "unexpected failure";
  }
  PushError(ctx, number, description);
  return Outcome::Threw;
}

ScriptBridge::Holder* HolderOf(duk_context* ctx, duk_idx_t index) {
  duk_get_prop_string(ctx, index, kHolderKey);
  auto* holder = static_cast<ScriptBridge::Holder*>(duk_get_pointer(ctx, -1));
  duk_pop(ctx);
  return holder;
}

// The object behind the wrapper target at `index`.
ObjectRef TargetObject(duk_context* ctx, duk_idx_t index) {
  const ScriptBridge::Holder* holder = HolderOf(ctx, index);
  return holder ? holder->Get() : nullptr;
}

// Whether the key at `index` is a name (not a symbol). An index arrives as a number and is made
// its text, as a script's property names are.
bool IsPlainKey(duk_context* ctx, duk_idx_t index) {
  if (duk_is_number(ctx, index)) duk_to_string(ctx, index);
  return duk_is_string(ctx, index) && !duk_is_symbol(ctx, index);
}

[[noreturn]] void RaiseNoSuchMember(const Dispatch& object, const std::string& name) {
  throw AutomationError(err::kNoSuchMember, StandardDescription(err::kNoSuchMember) + " (" +
                                                object.TypeName() + "." + name + ")");
}

// ---- calls into the interpreter: no C++ objects, they may be left by a jump ----
// A protected call opens no frame of its own: it sees the whole frame of the native that made it,
// so it finds its arguments from the top.

// [target key] -> value
duk_ret_t GetOwn(duk_context* ctx, void*) {
  duk_get_prop(ctx, -2);
  return 1;
}

// [target key value] -> nothing
duk_ret_t PutOwn(duk_context* ctx, void*) {
  duk_put_prop(ctx, -3);
  return 0;
}

// [target key] -> whether the target has it
duk_ret_t HasOwn(duk_context* ctx, void*) {
  duk_push_boolean(ctx, duk_has_prop(ctx, -2));
  return 1;
}

// [value] -> its text
duk_ret_t ValueText(duk_context* ctx, void*) {
  duk_safe_to_string(ctx, -1);
  return 1;
}

// ---- natives ----

std::vector<Variant> ArgsFromArray(duk_context* ctx, ScriptBridge& bridge, duk_idx_t array) {
  std::vector<Variant> args;
  const auto count = static_cast<duk_uarridx_t>(duk_get_length(ctx, array));
  for (duk_uarridx_t i = 0; i < count; ++i) {
    duk_get_prop_index(ctx, array, i);
    args.push_back(bridge.ToVariant(ctx, -1));
    duk_pop(ctx);
  }
  return args;
}

// A member that takes arguments, bound to its wrapper: `this` of the call does not matter, so
// `var f = doc.Tables; f(1)` works as the host's objects do.
duk_ret_t CallMember(duk_context* ctx) {
  ScriptBridge& bridge = ScriptBridge::Of(ctx);
  const duk_idx_t count = duk_get_top(ctx);
  duk_push_current_function(ctx);
  duk_get_prop_string(ctx, -1, kOwnerKey);
  const ObjectRef object = ScriptBridge::Unwrap(ctx, -1);
  duk_get_prop_string(ctx, -2, kMemberKey);
  const std::string name = duk_get_string(ctx, -1) ? duk_get_string(ctx, -1) : "";
  duk_pop_3(ctx);
  if (!object) Raise(err::kObjectNotSet);
  std::vector<Variant> args = bridge.Arguments(ctx, count);
  const Variant result = Invoke(*object, name, CallKind::Method, args);
  bridge.Push(ctx, result);
  return 1;
}

void PushBound(duk_context* ctx, duk_idx_t owner, const std::string& name) {
  owner = duk_normalize_index(ctx, owner);
  duk_push_c_function(ctx, Native<CallMember>, DUK_VARARGS);
  duk_dup(ctx, owner);
  duk_put_prop_string(ctx, -2, kOwnerKey);
  duk_push_lstring(ctx, name.data(), name.size());
  duk_put_prop_string(ctx, -2, kMemberKey);
}

// toString and valueOf of an object whose unknown names raise: its default member's value when
// that takes no arguments, else "[object Type]".
duk_ret_t ObjectText(duk_context* ctx) {
  duk_push_current_function(ctx);
  duk_get_prop_string(ctx, -1, kOwnerKey);
  const ObjectRef object = ScriptBridge::Unwrap(ctx, -1);
  duk_pop_2(ctx);
  std::string text = "[object]";
  if (object) {
    text = "[object " + object->TypeName() + "]";
    const Member* def = object->Members().Find(object->Members().DefaultMember());
    if (def && !def->takesArgs) {
      std::vector<Variant> none;
      text = Invoke(*object, def->name, CallKind::PropertyGet, none).ToText();
    }
  }
  ScriptBridge::Of(ctx).CheckAlive();
  duk_push_lstring(ctx, text.data(), text.size());
  return 1;
}

// The target's own property (symbols, a script's own properties on a wrapper).
duk_ret_t PushOwn(duk_context* ctx, ScriptBridge& bridge) {
  duk_dup(ctx, 0);
  duk_dup(ctx, 1);
  bridge.Protect(ctx, GetOwn, 2, 1);
  return 1;
}

// Pushes what `name` reads on `object`: a named item that comes first, a property only one side
// has, a member's value or a function bound to it, another named item. False when the object
// knows no such name.
bool PushName(duk_context* ctx, ScriptBridge& bridge, Dispatch& object, const std::string& name) {
  const bool itemsFirst = object.NamedItemsFirst();
  Variant value;
  if (itemsFirst && object.ScriptGet(name, value)) {
    bridge.Push(ctx, value);
    return true;
  }
  if (bridge.GetExtra(ctx, object, name)) return true;
  if (const Member* member = object.Members().Find(name)) {
    // Methods, and properties that take arguments (an indexed item), are called.
    if (member->takesArgs) {
      PushBound(ctx, 2, member->name);
      return true;
    }
    std::vector<Variant> none;
    Args args(none);
    value = member->get(object, args);
    bridge.Push(ctx, value);
    return true;
  }
  if (!itemsFirst && object.ScriptGet(name, value)) {
    bridge.Push(ctx, value);
    return true;
  }
  return false;
}

// Proxy trap get(target, key, receiver).
duk_ret_t TrapGet(duk_context* ctx) {
  ScriptBridge& bridge = ScriptBridge::Of(ctx);
  if (!IsPlainKey(ctx, 1)) return PushOwn(ctx, bridge);
  const std::string name = duk_get_string(ctx, 1);
  const ObjectRef object = TargetObject(ctx, 0);
  const bool raise = bridge.Policy().unknownNamesRaise;
  if (!object && raise) Raise(err::kObjectNotSet);
  if (object && PushName(ctx, bridge, *object, name)) return 1;
  bridge.CheckAlive();
  if (!raise) return PushOwn(ctx, bridge);
  if (name == "toString" || name == "valueOf") {
    duk_push_c_function(ctx, Native<ObjectText>, 0);
    duk_dup(ctx, 2);
    duk_put_prop_string(ctx, -2, kOwnerKey);
    return 1;
  }
  // Names the engine itself asks for (JSON, printing): nothing, rather than an error.
  if (name == "toJSON" || name == "constructor" || name == "prototype" || name == "inspect") {
    duk_push_undefined(ctx);
    return 1;
  }
  RaiseNoSuchMember(*object, name);
}

// Writes the value at index 2 to `name` of `object`; false when the object knows no such name.
bool PutName(duk_context* ctx, ScriptBridge& bridge, Dispatch& object, const std::string& name) {
  if (bridge.PutExtra(ctx, object, name, 2)) return true;
  const Member* member = object.Members().Find(name);
  if ((!member || object.NamedItemsFirst()) && object.ScriptPut(name, bridge.ToVariant(ctx, 2)))
    return true;
  if (!member) return false;
  if (member->put) {
    const Variant value = bridge.ToVariant(ctx, 2);
    std::vector<Variant> none;
    Args args(none);
    member->put(object, args, value);
  } else if (bridge.Policy().readOnlyWritesRaise) {
    Raise(err::kWrongArgCount);
  }
  return true;
}

// Proxy trap set(target, key, value, receiver).
duk_ret_t TrapSet(duk_context* ctx) {
  ScriptBridge& bridge = ScriptBridge::Of(ctx);
  if (IsPlainKey(ctx, 1)) {
    const std::string name = duk_get_string(ctx, 1);
    const ObjectRef object = TargetObject(ctx, 0);
    const bool raise = bridge.Policy().unknownNamesRaise;
    if (!object && raise) Raise(err::kObjectNotSet);
    if (object && PutName(ctx, bridge, *object, name)) {
      bridge.CheckAlive();
      duk_push_true(ctx);
      return 1;
    }
    bridge.CheckAlive();
    if (raise) RaiseNoSuchMember(*object, name);
  }
  duk_dup(ctx, 0);
  duk_dup(ctx, 1);
  duk_dup(ctx, 2);
  bridge.Protect(ctx, PutOwn, 3, 0);
  duk_push_true(ctx);
  return 1;
}

// Proxy trap has(target, key): `name in object`.
duk_ret_t TrapHas(duk_context* ctx) {
  ScriptBridge& bridge = ScriptBridge::Of(ctx);
  bool found = false;
  if (IsPlainKey(ctx, 1)) {
    const std::string name = duk_get_string(ctx, 1);
    const ObjectRef object = TargetObject(ctx, 0);
    Variant ignored;
    found = object && (object->Members().Find(name) || object->ScriptGet(name, ignored));
    bridge.CheckAlive();
  }
  if (found) {
    duk_push_true(ctx);
    return 1;
  }
  duk_dup(ctx, 0);
  duk_dup(ctx, 1);
  bridge.Protect(ctx, HasOwn, 2, 1);
  return 1;
}

// Proxy trap apply(target, thisArg, argArray): the call form uses the default member.
duk_ret_t TrapApply(duk_context* ctx) {
  ScriptBridge& bridge = ScriptBridge::Of(ctx);
  const ObjectRef object = TargetObject(ctx, 0);
  if (!object) Raise(err::kObjectNotSet);
  const std::string& name = object->Members().DefaultMember();
  const Member* member = name.empty() ? nullptr : object->Members().Find(name);
  if (!member) Raise(err::kNoSuchMember);
  std::vector<Variant> args = ArgsFromArray(ctx, bridge, 2);
  const Variant result = Invoke(*object, member->name, CallKind::Method, args);
  bridge.Push(ctx, result);
  return 1;
}

// A wrapper's target when wrappers are callable: the proxy's apply trap answers every call.
duk_ret_t TargetBody(duk_context*) {
  return 0;
}

// Frees the holder of a wrapper that is not kept for its identity, when the wrapper goes.
duk_ret_t FinalizeHolder(duk_context* ctx) {
  ScriptBridge::Of(ctx).FreeHolder(HolderOf(ctx, 0));
  duk_push_pointer(ctx, nullptr);
  duk_put_prop_string(ctx, 0, kHolderKey);
  return 0;
}

}  // namespace

duk_ret_t RunNative(duk_context* ctx, duk_c_function body) {
  ScriptBridge& bridge = ScriptBridge::Of(ctx);
  const ScriptBridge::NativeFrame frame = bridge.EnterNative();
  duk_ret_t ret = 0;
  const Outcome outcome = RunBody(ctx, body, ret);
  bridge.LeaveNative(frame);
  if (outcome == Outcome::Stopped) {
    // Stopped while the heap's owner ran it under its own guard (only finalizers get here):
    // nothing to undo.
    if (bridge.Abandoned()) return 0;
    duk_push_error_object(ctx, DUK_ERR_RANGE_ERROR, "%s", kStopMessage);
  }
  if (outcome != Outcome::Returned) return duk_throw(ctx);
  if (bridge.MustStop(frame)) return duk_error(ctx, DUK_ERR_RANGE_ERROR, "%s", kStopMessage);
  return ret;
}

ScriptBridge::~ScriptBridge() {
  ReleaseObjects();
}

void ScriptBridge::Attach(duk_context* ctx) {
  duk_push_heap_stash(ctx);
  duk_push_object(ctx);
  duk_put_prop_string(ctx, -2, kWrappersKey);
  duk_push_object(ctx);
  duk_push_c_function(ctx, Native<TrapGet>, 3);
  duk_put_prop_string(ctx, -2, "get");
  duk_push_c_function(ctx, Native<TrapSet>, 4);
  duk_put_prop_string(ctx, -2, "set");
  duk_push_c_function(ctx, Native<TrapHas>, 2);
  duk_put_prop_string(ctx, -2, "has");
  duk_push_c_function(ctx, Native<TrapApply>, 3);
  duk_put_prop_string(ctx, -2, "apply");
  duk_put_prop_string(ctx, -2, kHandlerKey);
  duk_pop(ctx);
}

ScriptBridge& ScriptBridge::Of(duk_context* ctx) {
  duk_memory_functions functions;
  duk_get_memory_functions(ctx, &functions);
  return *static_cast<ScriptBridge*>(functions.udata);
}

int ScriptBridge::SafeCall(duk_context* ctx, duk_safe_call_function call, duk_idx_t nargs,
                           duk_idx_t nrets) {
  return duk_safe_call(ctx, call, nullptr, nargs, nrets);
}

void ScriptBridge::Protect(duk_context* ctx, duk_safe_call_function call, duk_idx_t nargs,
                           duk_idx_t nrets) {
  const int rc = SafeCall(ctx, call, nargs, nrets);
  if (rc == kStopped) throw ScriptStopped{};
  if (rc != DUK_EXEC_SUCCESS) throw ScriptThrow{};
}

std::string ScriptBridge::TextOf(duk_context* ctx, duk_idx_t index) {
  duk_dup(ctx, index);
  Protect(ctx, ValueText, 1, 1);
  duk_size_t length = 0;
  const char* text = duk_get_lstring(ctx, -1, &length);
  std::string out = text ? std::string(text, length) : std::string();
  duk_pop(ctx);
  return out;
}

std::vector<Variant> ScriptBridge::Arguments(duk_context* ctx, duk_idx_t count) {
  std::vector<Variant> args;
  args.reserve(static_cast<size_t>(count));
  for (duk_idx_t i = 0; i < count; ++i)
    args.push_back(ToVariant(ctx, i));
  return args;
}

ObjectRef ScriptBridge::Unwrap(duk_context* ctx, duk_idx_t index) {
  if (!duk_is_object(ctx, index)) return nullptr;
  return TargetObject(ctx, index);
}

void ScriptBridge::Push(duk_context* ctx, const Variant& value) {
  CheckAlive();
  switch (value.GetType()) {
    case Variant::Type::Empty:
      duk_push_undefined(ctx);
      return;
    case Variant::Type::Boolean:
      duk_push_boolean(ctx, value.ToBool());
      return;
    case Variant::Type::Int16:
    case Variant::Type::Int32:
    case Variant::Type::Double:
      duk_push_number(ctx, value.ToDouble());
      return;
    case Variant::Type::Object:
      PushWrapper(ctx, value.ToObject());
      return;
    case Variant::Type::Array: {
      const auto array = value.ToArray();
      const duk_idx_t at = duk_push_array(ctx);
      duk_uarridx_t i = 0;
      for (const auto& element : array->elements) {
        Push(ctx, element);
        duk_put_prop_index(ctx, at, i++);
      }
      return;
    }
    case Variant::Type::Date:
    case Variant::Type::Text: {
      const std::string text = value.ToText();
      duk_push_lstring(ctx, text.data(), text.size());
      return;
    }
  }
}

Variant ScriptBridge::ToVariant(duk_context* ctx, duk_idx_t index) {
  CheckAlive();
  const duk_idx_t at = duk_normalize_index(ctx, index);
  switch (duk_get_type(ctx, at)) {
    case DUK_TYPE_UNDEFINED:
    case DUK_TYPE_NONE:
      return Variant();
    case DUK_TYPE_NULL:
      return Variant(ObjectRef());
    case DUK_TYPE_BOOLEAN:
      return Variant(static_cast<bool>(duk_get_boolean(ctx, at)));
    case DUK_TYPE_NUMBER: {
      const double d = duk_get_number(ctx, at);
      // Whole numbers in the 32-bit range are integers.
      if (std::isfinite(d) && d == std::floor(d) && d >= -2147483648.0 && d <= 2147483647.0)
        return Variant(static_cast<int32_t>(d));
      return Variant(d);
    }
    case DUK_TYPE_STRING: {
      duk_size_t length = 0;
      const char* s = duk_get_lstring(ctx, at, &length);
      return Variant(std::string(s, length));
    }
    case DUK_TYPE_OBJECT: {
      if (ObjectRef object = Unwrap(ctx, at)) return Variant(object);
      if (duk_is_function(ctx, at)) return FunctionValue(ctx, at);
      if (!policy_.convertsScriptObjects) return Variant(TextOf(ctx, at));
      if (duk_is_array(ctx, at)) return Variant::Array(0, ArgsFromArray(ctx, *this, at));
      Raise(err::kTypeMismatch);
    }
    default:
      if (duk_is_function(ctx, at)) return FunctionValue(ctx, at);
      if (!policy_.convertsScriptObjects) return Variant();
      Raise(err::kTypeMismatch);
  }
}

ScriptBridge::Holder* ScriptBridge::NewHolder(const ObjectRef& object, bool kept) {
  auto holder = std::make_unique<Holder>();
  if (HeldWeakly(*object))
    holder->weak = object;
  else
    holder->strong = object;
  Holder* raw = holder.get();
  if (kept)
    kept_.push_back(std::move(holder));
  else
    passing_.emplace(raw, std::move(holder));
  return raw;
}

void ScriptBridge::FreeHolder(Holder* holder) {
  const auto found = passing_.find(holder);
  if (found == passing_.end()) return;
  // The object may let go of others that reach this bridge: it goes once the table is whole.
  const std::unique_ptr<Holder> gone = std::move(found->second);
  passing_.erase(found);
}

void ScriptBridge::ReleaseObjects() {
  auto kept = std::move(kept_);
  auto passing = std::move(passing_);
  kept_.clear();
  passing_.clear();
}

void ScriptBridge::PushWrapper(duk_context* ctx, const ObjectRef& object) {
  if (!object) {
    duk_push_null(ctx);
    return;
  }
  const bool kept = KeepsIdentity(*object);
  char key[32];
  if (kept) {
    std::snprintf(key, sizeof key, "%p", static_cast<const void*>(object.get()));
    duk_push_heap_stash(ctx);
    duk_get_prop_string(ctx, -1, kWrappersKey);
    if (duk_get_prop_string(ctx, -1, key)) {
      duk_remove(ctx, -2);
      duk_remove(ctx, -2);
      return;
    }
    duk_pop_3(ctx);
  }
  if (policy_.callableWrappers)
    duk_push_c_function(ctx, TargetBody, DUK_VARARGS);
  else
    duk_push_object(ctx);
  duk_push_pointer(ctx, NewHolder(object, kept));
  duk_put_prop_string(ctx, -2, kHolderKey);
  if (!kept) {
    duk_push_c_function(ctx, Native<FinalizeHolder>, 2);
    duk_set_finalizer(ctx, -2);
  }
  duk_push_heap_stash(ctx);
  duk_get_prop_string(ctx, -1, kHandlerKey);
  duk_remove(ctx, -2);
  duk_push_proxy(ctx, 0);
  if (kept) {
    duk_push_heap_stash(ctx);
    duk_get_prop_string(ctx, -1, kWrappersKey);
    duk_dup(ctx, -3);
    duk_put_prop_string(ctx, -2, key);
    duk_pop_2(ctx);
  }
}

}  // namespace qv::automation
