#include "addin/questions/MultipleCorrectFillInTheBlank.h"

namespace qv::addin {

const automation::DispatchTable& MultipleCorrectFillInTheBlank::Members() const {
  static const automation::DispatchTable table =
      MemberTable("MultipleCorrectFillInTheBlank", "AddCheckboxAnswer");
  return table;
}

}  // namespace qv::addin
