#pragma once
// The installed script interpreter has no execution time-out compiled in, so the browser bounds
// a page's scripts itself: before a script is compiled, every loop condition gets a call of the
// guard function in front of it ("while (c)" becomes "while (guard()&&(c))", and a "for" with
// an empty condition gets the call as its condition). The guard throws once the script has run
// past its time limit. Recursion without end is stopped by the interpreter's own call depth
// limit. Code made at run time (eval, new Function) is not rewritten; docs/browser.md says so.
//
// The rewrite keeps every line where it was, so error line numbers stay those of the page.

#include <string>

namespace qv::browser {

// `source` with the guard call `guard` inserted into each loop condition. Strings, comments and
// regular expression literals are left alone. An old-style "<!--" that hides a script from
// ancient browsers becomes a line comment, as browsers read it.
std::string GuardLoops(const std::string& source, const std::string& guard);

}  // namespace qv::browser
