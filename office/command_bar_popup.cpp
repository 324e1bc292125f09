#include "office/command_bar_popup.h"

#include "office/command_bar.h"
#include "office/command_bar_controls.h"

namespace qv::office {

using automation::ClassTable;
using automation::DispatchTable;

CommandBarPopup::CommandBarPopup(int32_t id, bool builtIn, bool temporary,
                                 std::shared_ptr<BarsContext> context)
    : CommandBarControl(msoControlPopup, id, builtIn, temporary, std::move(context)) {}

const DispatchTable& CommandBarPopup::Members() const {
  using P = CommandBarPopup;
  static const DispatchTable table = ClassTable<P>("CommandBarPopup")
                                         .Inherit(CommonMembers())
                                         .Get("Controls", [](P& p) { return p.Controls(); })
                                         .Get("CommandBar", [](P& p) { return p.CommandBar(); })
                                         .Build();
  return table;
}

std::shared_ptr<CommandBarControls> CommandBarPopup::Controls() const {
  CheckAlive();
  return bar_->Controls();
}

std::shared_ptr<CommandBar> CommandBarPopup::CommandBar() const {
  CheckAlive();
  return bar_;
}

void CommandBarPopup::MarkDeleted() {
  CommandBarControl::MarkDeleted();
  bar_->MarkDeleted();
}

}  // namespace qv::office
