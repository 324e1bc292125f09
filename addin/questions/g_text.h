#pragma once
// Small text helpers of module G used by the question classes and the attribute form.

#include <string>

namespace qv::addin {

// The short (8.3) form of a file path. When the system cannot give it, a message box shows the
// system's error number and the result is "".
std::string ShortPathName(const std::string& path);

// Whether the first character of `text` can belong to a token: alphanumeric by the system's
// character classification, or one of the codes 33 to 47, 58 to 64 and 123 to 126. An empty
// text has no such character.
bool IsTokenChar(const std::string& text);

// The short title of a text, as questions and pages are named to the author and the course host:
// of its first 40 characters, the run that starts at the first token character and goes on over
// token characters and blanks, without blanks at its end; "" when it has no token character.
std::string ShortTitle(const std::string& text);

}  // namespace qv::addin
