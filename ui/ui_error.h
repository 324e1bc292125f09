#pragma once
// Raises the run-time errors of the forms toolkit with the host's descriptions (numbers in
// ui/constants.h); other numbers get the automation core's standard description.

#include <cstdint>
#include <string>

namespace qv::ui {

[[noreturn]] void RaiseUi(int32_t number);
// As RaiseUi, with the name the host puts in the description ("Control 'txtName' not found").
[[noreturn]] void RaiseUi(int32_t number, const std::string& name);

}  // namespace qv::ui
