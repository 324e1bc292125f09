#include "addin/settings/g_state.h"

#include "automation/automation_error.h"

namespace qv::addin {

std::string& PerTypeTexts::At(int32_t code) {
  if (code < 0 || code >= kQuestionTypeCount) automation::Raise(automation::err::kSubscript);
  return texts_[static_cast<size_t>(code)];
}

const std::string& PerTypeTexts::At(int32_t code) const {
  return const_cast<PerTypeTexts*>(this)->At(code);
}

GState& G() {
  static GState state;
  return state;
}

}  // namespace qv::addin
