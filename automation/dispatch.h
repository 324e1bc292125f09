#pragma once
// Call-by-name dispatch. Every object that scripts (and any other automation client) can reach
// derives from Dispatch and declares its properties and methods once, in one ClassTable; the same
// table serves the script binding and Invoke below. Names match without regard to case, as the
// host's automation does.
//
//   const DispatchTable& Table::Members() const {
//     static const auto table = ClassTable<Table>("Table")
//         .Get("NestingLevel", [](Table& t) { return Variant(t.NestingLevel()); })
//         .Method("Cell", [](Table& t, Args& a) { return Variant(t.Cell(a.Int(0), a.Int(1))); })
//         .Build();
//     return table;
//   }

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "automation/automation_error.h"
#include "automation/variant.h"

namespace qv::automation {

enum class CallKind { Method, PropertyGet, PropertyPut };

// The arguments of one call, by reference so that a callee can write back (the host's ByRef
// arguments, such as the cancel flag of a click event).
class Args {
 public:
  explicit Args(std::vector<Variant>& values) : values_(values) {}

  size_t Count() const { return values_.size(); }
  bool Has(size_t i) const { return i < values_.size() && !values_[i].IsEmpty(); }
  // The argument at `i`; raises "Wrong number of arguments" when it was not passed.
  Variant& operator[](size_t i);
  Variant Opt(size_t i, Variant fallback) const { return Has(i) ? values_[i] : fallback; }
  std::string Text(size_t i) { return (*this)[i].ToText(); }
  int32_t Int(size_t i) { return (*this)[i].ToInt32(); }
  double Double(size_t i) { return (*this)[i].ToDouble(); }
  bool Bool(size_t i) { return (*this)[i].ToBool(); }
  ObjectRef Object(size_t i) { return (*this)[i].ToObject(); }

 private:
  std::vector<Variant>& values_;
};

class Dispatch;

struct Member {
  std::string name;
  bool isMethod = false;
  bool takesArgs = false;  // methods and indexed properties: a script must call them
  std::function<Variant(Dispatch&, Args&)> get;  // a method's body, or a property's reader
  std::function<void(Dispatch&, Args&, const Variant&)> put;  // a property's writer, if any
};

class DispatchTable {
 public:
  DispatchTable() = default;
  DispatchTable(std::string className, std::vector<Member> members, std::string defaultMember);

  const std::string& ClassName() const { return className_; }
  const Member* Find(std::string_view name) const;
  const std::string& DefaultMember() const { return default_; }
  const std::vector<Member>& Members() const { return members_; }

 private:
  std::string className_;
  std::vector<Member> members_;
  std::unordered_map<std::string, size_t> index_;  // lower-cased name -> member
  std::string default_;
};

class Dispatch : public std::enable_shared_from_this<Dispatch> {
 public:
  virtual ~Dispatch() = default;
  virtual const DispatchTable& Members() const = 0;
  // The class name the host's TypeName reports.
  virtual std::string TypeName() const { return Members().ClassName(); }

  // Names beyond the class's members that the object answers, as the host's objects do through
  // automation: a form's controls and a document's forms by name, a collection's items by index
  // or name, a style's properties. False when the object has no such item.
  virtual bool ScriptGet(const std::string& name, Variant& out) {
    (void)name;
    (void)out;
    return false;
  }
  // Writes such a name; false when the object does not take it.
  virtual bool ScriptPut(const std::string& name, const Variant& value) {
    (void)name;
    (void)value;
    return false;
  }
  // Whether named items hide the class's own members: a form's controls do, as on the host,
  // where a field named "title" hides the form's own title.
  virtual bool NamedItemsFirst() const { return false; }
};

// Calls a member by name, or reads or writes one of the object's named items (ScriptGet,
// ScriptPut) when it has no member of that name or its named items come first. Raises 438 when
// the object has neither, 450 when a property without a writer is assigned.
Variant Invoke(Dispatch& object, std::string_view name, CallKind kind, std::vector<Variant>& args);
// Convenience forms for code and tests.
Variant Get(const ObjectRef& object, std::string_view name, std::vector<Variant> args = {});
void Put(const ObjectRef& object, std::string_view name, const Variant& value);
Variant Call(const ObjectRef& object, std::string_view name, std::vector<Variant> args = {});

// Builds the table of one class. Readers and method bodies receive the object already cast to T.
template <class T>
class ClassTable {
 public:
  explicit ClassTable(std::string className) : className_(std::move(className)) {}

  // A read-only property without arguments.
  template <class F>
  ClassTable& Get(std::string name, F reader) {
    return Add(
        std::move(name), false,
        [reader](Dispatch& d, Args&) { return Variant(reader(static_cast<T&>(d))); }, nullptr,
        false);
  }
  // A read-write property without arguments.
  template <class F, class W>
  ClassTable& Prop(std::string name, F reader, W writer) {
    return Add(
        std::move(name), false,
        [reader](Dispatch& d, Args&) { return Variant(reader(static_cast<T&>(d))); },
        [writer](Dispatch& d, Args&, const Variant& v) { writer(static_cast<T&>(d), v); }, false);
  }
  // A property that takes arguments (an indexed property such as Cell or Item).
  template <class F>
  ClassTable& GetArgs(std::string name, F reader) {
    return Add(
        std::move(name), false,
        [reader](Dispatch& d, Args& a) { return Variant(reader(static_cast<T&>(d), a)); }, nullptr,
        true);
  }
  // A method; its body returns a Variant (empty for a procedure).
  template <class F>
  ClassTable& Method(std::string name, F body) {
    return Add(
        std::move(name), true,
        [body](Dispatch& d, Args& a) { return Variant(body(static_cast<T&>(d), a)); }, nullptr,
        true);
  }
  // A method without a result.
  template <class F>
  ClassTable& Sub(std::string name, F body) {
    return Add(
        std::move(name), true,
        [body](Dispatch& d, Args& a) {
          body(static_cast<T&>(d), a);
          return Variant();
        },
        nullptr, true);
  }
  // The members every collection has: Count, and Item, the default member, so that `Tables(1)`
  // is `Tables.Item(1)`. Item takes one index: the Variant itself when the collection's Item
  // accepts one; else a name when the index is text and the collection finds items by name;
  // else a number. When the collection's Item can be called without an index (a default
  // argument), the index may be left out.
  ClassTable& Collection() {
    Get("Count", [](T& c) { return c.Count(); });
    GetArgs("Item", [](T& c, Args& a) {
      if constexpr (requires { c.Item(); }) {
        if (!a.Has(0)) return c.Item();
      }
      if constexpr (requires(Variant & v) { c.Item(v); }) {
        return c.Item(a[0]);
      } else if constexpr (requires(const std::string& name) { c.Item(name); }) {
        return a[0].IsText() ? c.Item(a.Text(0)) : c.Item(a.Int(0));
      } else {
        return c.Item(a.Int(0));
      }
    });
    return Default("Item");
  }
  // Adds members made elsewhere: `add` receives this table (for families of members such as an
  // element's reflected attributes).
  template <class F>
  ClassTable& With(F add) {
    add(*this);
    return *this;
  }
  // Names the member that the call form uses (`Tables(1)` calls `Item`).
  ClassTable& Default(std::string name) {
    default_ = std::move(name);
    return *this;
  }
  // Takes the members of a base class table (declared once there).
  ClassTable& Inherit(const DispatchTable& base) {
    for (const auto& m : base.Members())
      members_.push_back(m);
    if (default_.empty()) default_ = base.DefaultMember();
    return *this;
  }

  DispatchTable Build() { return DispatchTable(className_, std::move(members_), default_); }

 private:
  ClassTable& Add(std::string name, bool isMethod, std::function<Variant(Dispatch&, Args&)> get,
                  std::function<void(Dispatch&, Args&, const Variant&)> put, bool takesArgs) {
    members_.push_back(
        Member{std::move(name), isMethod, takesArgs, std::move(get), std::move(put)});
    return *this;
  }

  std::string className_;
  std::vector<Member> members_;
  std::string default_;
};

}  // namespace qv::automation
