#include "addin/dialogs/clsHTMEvent.h"

namespace qv::addin {

const automation::DispatchTable& clsHTMEvent::Members() const {
  static const automation::DispatchTable table =
      automation::ClassTable<clsHTMEvent>("clsHTMEvent")
          .Sub("EventFired", [](clsHTMEvent& relay, automation::Args&) { relay.EventFired(); })
          .Default("EventFired")
          .Build();
  return table;
}

}  // namespace qv::addin
