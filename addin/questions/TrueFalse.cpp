#include "addin/questions/TrueFalse.h"

namespace qv::addin {

const automation::DispatchTable& TrueFalse::Members() const {
  static const automation::DispatchTable table = MemberTable("TrueFalse", "");
  return table;
}

}  // namespace qv::addin
