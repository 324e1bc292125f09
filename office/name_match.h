#pragma once
// How command bars and controls are matched by name: without regard to (ASCII) case, and for
// controls without the "&" that marks the accelerator key of a caption ("&&" stands for a
// literal "&").

#include <string>
#include <string_view>

namespace qv::office {

std::string StripAccelerator(std::string_view caption);
bool EqualsNoCase(std::string_view a, std::string_view b);

}  // namespace qv::office
