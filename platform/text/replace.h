#pragma once
// Replacing every occurrence of one text by another, left to right, as the host's Replace does.

#include <string>
#include <string_view>

namespace qv::platform {

// Every non-overlapping occurrence of `from` (searched left to right) replaced by `to`. An empty
// `from` leaves the text as it is.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

}  // namespace qv::platform
