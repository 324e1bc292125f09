#pragma once
// Module Module1 of the web page viewer: its whole command line is the address to show.

#include <string>

namespace qv::helper {

// The usage message, lines separated by CR LF.
std::string UsageText();

// The start procedure: the usage message for an empty command line, else the window with the
// page at the command line, used exactly as given.
void Main(const std::string& commandLine);

}  // namespace qv::helper
