#include "addin/questions/MultipleCorrect.h"

namespace qv::addin {

const automation::DispatchTable& MultipleCorrect::Members() const {
  static const automation::DispatchTable table = MemberTable("MultipleCorrect", "AddAnswer");
  return table;
}

}  // namespace qv::addin
