#include "addin/questions/MultipleChoiceFillInTheBlank.h"

namespace qv::addin {

const automation::DispatchTable& MultipleChoiceFillInTheBlank::Members() const {
  static const automation::DispatchTable table =
      MemberTable("MultipleChoiceFillInTheBlank", "AddRadioChoice");
  return table;
}

}  // namespace qv::addin
