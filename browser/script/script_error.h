#pragma once
// A script error of a page as the browser reports it: what went wrong, on which line, in which
// script (the page's address and the script block, or the handler attribute).

#include <cstdint>
#include <string>

namespace qv::browser {

struct ScriptError {
  std::string message;
  int32_t line = 0;
  std::string source;
  std::string Text() const {
    return source + (line > 0 ? " line " + std::to_string(line) : "") + ": " + message;
  }
};

}  // namespace qv::browser
