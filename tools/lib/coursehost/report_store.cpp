#include "tools/lib/coursehost/report_store.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "platform/files.h"

namespace qv::tools {
namespace {

// The number of a report file name ("000042.json" -> 42), or 0 for any other file.
unsigned long long ReportNumber(const std::filesystem::path& path) {
  const std::string name = path.filename().string();
  if (name.size() <= 5 || name.substr(name.size() - 5) != ".json") return 0;
  unsigned long long n = 0;
  const char* end = name.data() + name.size() - 5;
  const auto [p, ec] = std::from_chars(name.data(), end, n);
  return ec == std::errc() && p == end ? n : 0;
}

std::vector<std::filesystem::path> Reports(const std::filesystem::path& dir) {
  std::vector<std::filesystem::path> out;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    if (ReportNumber(entry.path()) > 0) out.push_back(entry.path());
  }
  std::sort(out.begin(), out.end(),
            [](const auto& a, const auto& b) { return ReportNumber(a) < ReportNumber(b); });
  return out;
}

}  // namespace

std::optional<std::filesystem::path> ReportStore::Store(const std::string& json) const {
  std::error_code ec;
  std::filesystem::create_directories(dir_, ec);
  platform::FileLock lock(dir_ / ".lock");
  if (!lock.Held()) return std::nullopt;
  const auto existing = Reports(dir_);
  const unsigned long long next = existing.empty() ? 1 : ReportNumber(existing.back()) + 1;
  char name[32];
  std::snprintf(name, sizeof name, "%06llu.json", next);
  const auto path = dir_ / name;
  if (!platform::WriteFileAtomically(path, json)) return std::nullopt;
  return path;
}

std::vector<std::filesystem::path> ReportStore::List() const {
  return Reports(dir_);
}

}  // namespace qv::tools
