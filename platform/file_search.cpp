#include "platform/file_search.h"

#include <filesystem>

namespace qv::platform {

std::string Dir(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path p(path);
  if (path.empty() || !std::filesystem::is_regular_file(p, ec)) return "";
  return p.filename().string();
}

bool GetShortPathName(const std::string& path, std::string& shortPath, int& error) {
  std::error_code ec;
  if (path.empty() || !std::filesystem::exists(path, ec)) {
    error = 2;  // ERROR_FILE_NOT_FOUND
    shortPath.clear();
    return false;
  }
  error = 0;
  shortPath = path;
  return true;
}

}  // namespace qv::platform
