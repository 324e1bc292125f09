#include "office/find_control_args.h"

namespace qv::office {

using automation::Variant;

ControlQuery FindControlQuery(automation::Args& args) {
  ControlQuery q;
  q.type = args.Opt(0, Variant(0)).ToInt32();
  q.id = args.Opt(1, Variant(0)).ToInt32();
  q.tag = args.Opt(2, Variant("")).ToText();
  q.visibleOnly = args.Opt(3, Variant(false)).ToBool();
  return q;
}

}  // namespace qv::office
