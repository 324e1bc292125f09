#include "addin/questions/MultipleChoice.h"

namespace qv::addin {

const automation::DispatchTable& MultipleChoice::Members() const {
  static const automation::DispatchTable table = MemberTable("MultipleChoice", "AddRadioChoice");
  return table;
}

}  // namespace qv::addin
