#pragma once
// File helpers that keep data safe: whole-file reads with a size bound, atomic replacement
// (write a temporary file beside the target, flush it, rename it over the target), and an
// advisory lock that serialises writers of one store across processes.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace qv::platform {

// The whole content of `path` (a file, a pipe, a device), read through one open to its end; nullopt
// when it cannot be read or holds more than `maxBytes`.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path,
                                         size_t maxBytes = 256u << 20);

// Moves a damaged file out of the way as `path` + ".damaged" (then ".damaged.1", ".damaged.2",
// ...), never over an earlier kept copy. The name it got, or nullopt when it could not be moved.
std::optional<std::filesystem::path> KeepAside(const std::filesystem::path& path);

// Replaces `path` with `content` so that a reader sees either the old or the new file, never a
// part. Returns false (and leaves the old file) when anything fails.
[[nodiscard]] bool WriteFileAtomically(const std::filesystem::path& path,
                                       const std::string& content);

// An exclusive advisory lock on a lock file, held for the object's lifetime.
class FileLock {
 public:
  explicit FileLock(const std::filesystem::path& lockFile);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  bool Held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace qv::platform
