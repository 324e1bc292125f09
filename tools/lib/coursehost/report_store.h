#pragma once
// The folder where the course host keeps the error reports it received: one JSON file per
// report, numbered in the order of arrival (000001.json, 000002.json, ...), so that a listing
// sorted by name is the order they came in. Several course hosts may share one folder: numbering
// happens under a lock, and every file is written atomically.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qv::tools {

class ReportStore {
 public:
  explicit ReportStore(std::filesystem::path dir) : dir_(std::move(dir)) {}

  const std::filesystem::path& Dir() const { return dir_; }
  // Stores one report (a JSON text) under the next number; its path, or nullopt when it could
  // not be written.
  std::optional<std::filesystem::path> Store(const std::string& json) const;
  // The stored reports, oldest first.
  std::vector<std::filesystem::path> List() const;

 private:
  std::filesystem::path dir_;
};

}  // namespace qv::tools
