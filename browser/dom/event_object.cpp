#include "browser/dom/event_object.h"

namespace qv::browser {

using automation::ClassTable;
using automation::ObjectRef;
using automation::Variant;

const automation::DispatchTable& EventObject::Members() const {
  static const auto table =
      ClassTable<EventObject>("IHTMLEventObj")
          .Get("srcElement",
               [](EventObject& e) {
                 return e.SrcElement() ? Variant(e.SrcElement()) : Variant(ObjectRef());
               })
          .Get("type", [](EventObject& e) { return e.Type(); })
          .Prop(
              "keyCode", [](EventObject& e) { return e.KeyCode(); },
              [](EventObject& e, const Variant& v) { e.KeyCode(v.ToInt32()); })
          .Prop(
              "returnValue", [](EventObject& e) { return Variant(!e.Cancelled()); },
              [](EventObject& e, const Variant& v) {
                if (!v.IsEmpty() && !v.ToBool()) e.Cancel();
              })
          .Prop(
              "cancelBubble", [](EventObject& e) { return e.CancelBubble(); },
              [](EventObject& e, const Variant& v) { e.CancelBubble(v.ToBool()); })
          .Build();
  return table;
}

}  // namespace qv::browser
