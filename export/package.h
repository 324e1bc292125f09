#pragma once
// The files a writer produces, and the zip package (content package) they are stored in. The
// package is written beside its place under a temporary name and renamed over it only when
// complete, so a failed export never leaves half a package nor destroys an older one.

#include <filesystem>
#include <string>
#include <vector>

namespace qv::exporter {

struct PackageFile {
  std::string name;  // path inside the package, "/"-separated
  std::string bytes;
};

// Raises std::runtime_error naming the fault.
void WriteZip(const std::filesystem::path& out, const std::vector<PackageFile>& files);
std::vector<PackageFile> ReadZip(const std::filesystem::path& in);

// One file written the same way (temporary name, then renamed).
void WriteFileWhole(const std::filesystem::path& out, const std::string& bytes);

}  // namespace qv::exporter
