#pragma once
// The command line of a program of this platform: its arguments joined with single blanks,
// exactly as given. A caller who wants a quoted part passes the double-quote characters inside
// the argument (argv {"initializer", "-w", "\"/opt/base/\""}).

#include <string>

namespace qv::initializer {

std::string CommandLine(int argc, const char* const* argv);

}  // namespace qv::initializer
