#pragma once
// File system questions the product asks as the host's run-time and system calls answer them.

#include <string>

namespace qv::platform {

// The host's directory search for one exact path: the file name of the file found there (without
// its folder), or "" when there is none. Folders do not count.
std::string Dir(const std::string& path);

// The short form of a path. This platform has no separate short names, so an existing path is its
// own short form; a path that does not exist fails (false) with the host's "file not found" error
// number in `error`.
bool GetShortPathName(const std::string& path, std::string& shortPath, int& error);

}  // namespace qv::platform
