#pragma once
// The first of the two stops of a page's scripts (script_watchdog.h): before a script is
// compiled, every loop condition gets a call of the guard function in front of it ("while (c)"
// becomes "while (guard()&&(c))", and a "for" with an empty condition gets the call as its
// condition). The guard throws once the script's time is up, which unwinds it cleanly and keeps
// the engine and the page's state. Code made at run time (eval, new Function) is not rewritten:
// the forced stop bounds it, at the cost of the engine.
//
// The rewrite keeps every line where it was, so error line numbers stay those of the page.

#include <string>

namespace qv::browser {

// `source` with the guard call `guard` inserted into each loop condition. Strings, comments and
// regular expression literals are left alone. An old-style "<!--" that hides a script from
// ancient browsers becomes a line comment, as browsers read it.
std::string GuardLoops(const std::string& source, const std::string& guard);

}  // namespace qv::browser
