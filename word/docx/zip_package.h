#pragma once
// The zip container of a docx package, read and written in memory with libzip.
//
// Reading distrusts the archive: part names must be relative and stay inside the package (no
// leading "/", no "..", no backslashes or drive letters), the number of parts and the bytes each
// part and the whole package inflate to are bounded (the sizes are counted while inflating, never
// taken from the headers), so a zip bomb stops at the bound. Nothing is ever extracted to disk.

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace qv::word::docx {

// A package that cannot be read; the message says why, in the author's terms.
struct PackageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct PackageLimits {
  size_t maxParts = 10000;
  uint64_t maxPartBytes = 64ull << 20;    // one part, inflated
  uint64_t maxTotalBytes = 256ull << 20;  // all parts together, inflated
};

// Part name -> bytes.
using PackageParts = std::map<std::string, std::string>;

// Raises PackageError when the archive is not a zip, is damaged, or breaks a limit or naming rule.
PackageParts ReadPackage(const std::string& zipBytes, const PackageLimits& limits = {});

// Builds a zip archive of `parts` in the order given (the content-types part must come first).
std::string WritePackage(const std::vector<std::pair<std::string, std::string>>& parts);

// Whether `name` is a safe relative part name.
bool SafePartName(const std::string& name);

}  // namespace qv::word::docx
