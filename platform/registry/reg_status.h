#pragma once
// The outcome of a registry call, as the host's registry functions report it: a status number
// (0 on success, else one of the host's error codes) and, for failures that a person must act on
// (a damaged hive file, a file that cannot be written), a message that names the file.

#include <cstdint>
#include <string>
#include <utility>

namespace qv::platform {

// Status numbers of the host's registry functions.
namespace regerr {
inline constexpr int32_t kSuccess = 0;
inline constexpr int32_t kFileNotFound = 2;        // key or value does not exist
inline constexpr int32_t kAccessDenied = 5;        // key still has sub-keys; the hive root
inline constexpr int32_t kInvalidHandle = 6;       // not a hive this registry has
inline constexpr int32_t kBadNetPath = 53;         // a remote machine's registry
inline constexpr int32_t kInvalidParameter = 87;   // malformed key path or value data
inline constexpr int32_t kCantRead = 1012;         // the hive file cannot be read
inline constexpr int32_t kCantWrite = 1013;        // the hive file cannot be written or locked
inline constexpr int32_t kRegistryCorrupt = 1015;  // the hive file is damaged
}  // namespace regerr

struct [[nodiscard]] RegResult {
  int32_t code = regerr::kSuccess;
  std::string message;  // for failures: what went wrong, naming the hive file where it matters

  bool Ok() const { return code == regerr::kSuccess; }
  explicit operator bool() const { return Ok(); }

  static RegResult Success() { return {}; }
  static RegResult Fail(int32_t code, std::string message = {}) {
    return RegResult{code, std::move(message)};
  }
};

// The host's text for a registry status number ("The system cannot find the file specified.").
std::string RegStatusText(int32_t code);

}  // namespace qv::platform
