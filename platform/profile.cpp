#include "platform/profile.h"

#include <cstdlib>

namespace qv::platform {

std::filesystem::path ProfileDir() {
  std::filesystem::path dir;
  if (const char* home = std::getenv("QUORVANTA_HOME"); home && *home) {
    dir = home;
  } else if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
    dir = std::filesystem::path(xdg) / "quorvanta";
  } else if (const char* user = std::getenv("HOME"); user && *user) {
    dir = std::filesystem::path(user) / ".local" / "share" / "quorvanta";
  } else {
    dir = std::filesystem::temp_directory_path() / "quorvanta";
  }
  std::filesystem::create_directories(dir);
  return dir;
}

std::filesystem::path ProfileSubdir(const std::filesystem::path& name) {
  auto dir = ProfileDir() / name;
  std::filesystem::create_directories(dir);
  return dir;
}

}  // namespace qv::platform
