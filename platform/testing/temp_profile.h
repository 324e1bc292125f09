#pragma once
// A fresh profile directory for one test: QUORVANTA_HOME points at a new temporary folder for the
// object's lifetime, and the folder is removed afterwards.

#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>

namespace qv::testing {

class TempProfile {
 public:
  TempProfile() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qv-profile-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary profile");
    dir_ = pattern;
    if (const char* old = ::getenv("QUORVANTA_HOME")) previous_ = old;
    ::setenv("QUORVANTA_HOME", dir_.c_str(), 1);
  }
  ~TempProfile() {
    if (previous_)
      ::setenv("QUORVANTA_HOME", previous_->c_str(), 1);
    else
      ::unsetenv("QUORVANTA_HOME");
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  TempProfile(const TempProfile&) = delete;
  TempProfile& operator=(const TempProfile&) = delete;

  const std::filesystem::path& Dir() const { return dir_; }

 private:
  std::filesystem::path dir_;
  std::optional<std::string> previous_;
};

}  // namespace qv::testing
