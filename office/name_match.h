#pragma once
// How command bars and controls are matched by name: without regard to (ASCII) case
// (text::EqualsIgnoreCase), and for controls without the "&" that marks the accelerator key of a
// caption ("&&" stands for a literal "&").

#include <string>
#include <string_view>

namespace qv::office {

std::string StripAccelerator(std::string_view caption);

}  // namespace qv::office
