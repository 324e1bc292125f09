#pragma once
// The event relay of the attribute dialog: assigned to the page document's onclick and
// onkeypress, it is called by the browser (EventFired is its default member) and raises
// HTMLEvent, which the dialog handles. It holds nothing of the page or the dialog, so the
// document that keeps it cannot keep either alive through it.

#include "automation/dispatch.h"
#include "ui/event.h"

namespace qv::addin {

class clsHTMEvent : public automation::Dispatch {
 public:
  const automation::DispatchTable& Members() const override;

  // What the browser calls when an event reaches the document.
  void EventFired() { HTMLEvent(); }

  ui::Event<> HTMLEvent;
};

}  // namespace qv::addin
