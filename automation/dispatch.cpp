#include "automation/dispatch.h"

#include "automation/text/ascii.h"

namespace qv::automation {

Variant& Args::operator[](size_t i) {
  if (i >= values_.size()) Raise(err::kWrongArgCount);
  return values_[i];
}

DispatchTable::DispatchTable(std::string className, std::vector<Member> members,
                             std::string defaultMember)
    : className_(std::move(className)),
      members_(std::move(members)),
      default_(std::move(defaultMember)) {
  // A later declaration of the same name (a derived class overriding a base member) wins.
  for (size_t i = 0; i < members_.size(); ++i)
    index_[text::AsciiLowered(members_[i].name)] = i;
}

const Member* DispatchTable::Find(std::string_view name) const {
  const auto it = index_.find(text::AsciiLowered(name));
  return it == index_.end() ? nullptr : &members_[it->second];
}

Variant Invoke(Dispatch& object, std::string_view name, CallKind kind, std::vector<Variant>& args) {
  const Member* m = object.Members().Find(name);
  if (!m || object.NamedItemsFirst()) {
    const std::string text(name);
    Variant item;
    if (kind == CallKind::PropertyGet && args.empty() && object.ScriptGet(text, item)) return item;
    if (kind == CallKind::PropertyPut && args.size() == 1 && object.ScriptPut(text, args[0]))
      return Variant();
  }
  if (!m) Raise(err::kNoSuchMember);
  Args a(args);
  if (kind == CallKind::PropertyPut) {
    if (!m->put || args.empty()) Raise(err::kWrongArgCount);
    const Variant value = args.back();
    std::vector<Variant> rest(args.begin(), args.end() - 1);
    Args ra(rest);
    m->put(object, ra, value);
    return Variant();
  }
  return m->get(object, a);
}

Variant Get(const ObjectRef& object, std::string_view name, std::vector<Variant> args) {
  if (!object) Raise(err::kObjectNotSet);
  return Invoke(*object, name, CallKind::PropertyGet, args);
}

void Put(const ObjectRef& object, std::string_view name, const Variant& value) {
  if (!object) Raise(err::kObjectNotSet);
  std::vector<Variant> args{value};
  Invoke(*object, name, CallKind::PropertyPut, args);
}

Variant Call(const ObjectRef& object, std::string_view name, std::vector<Variant> args) {
  if (!object) Raise(err::kObjectNotSet);
  return Invoke(*object, name, CallKind::Method, args);
}

}  // namespace qv::automation
