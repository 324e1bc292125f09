#include "office/com_addin.h"

#include "office/com_addins.h"

namespace qv::office {

using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

COMAddIn::COMAddIn(std::weak_ptr<COMAddIns> list, std::string progId)
    : list_(std::move(list)), progId_(std::move(progId)) {}

const DispatchTable& COMAddIn::Members() const {
  using A = COMAddIn;
  static const DispatchTable table =
      ClassTable<A>("COMAddIn")
          .Get("ProgId", [](A& a) { return a.ProgId(); })
          .Prop(
              "Description", [](A& a) { return a.Description(); },
              [](A& a, const Variant& v) { a.SetDescription(v.ToText()); })
          .Get("Guid", [](A& a) { return a.Guid(); })
          .Prop(
              "Connect", [](A& a) { return a.Connect(); },
              [](A& a, const Variant& v) { a.SetConnect(v.ToBool()); })
          .Prop(
              "Object", [](A& a) { return a.Object(); },
              [](A& a, const Variant& v) { a.SetObject(v.ToObject()); })
          .Build();
  return table;
}

void COMAddIn::SetConnect(bool value) {
  if (value == connected_) return;
  if (auto list = list_.lock()) {
    list->SetConnect(*this, value);
  } else {
    // The host that listed the add-in is gone: nothing can load or unload it any more.
    automation::Raise(automation::err::kObjectDeleted);
  }
}

}  // namespace qv::office
