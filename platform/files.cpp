#include "platform/files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "automation/text/utf8.h"

namespace qv::platform {

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, size_t maxBytes) {
  // One open, read to its end: a size taken from another open could belong to a file a writer
  // has replaced since, and a pipe or a terminal has no size at all.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string content;
  char buffer[64 * 1024];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    if (content.size() + static_cast<size_t>(n) > maxBytes) {
      ::close(fd);
      return std::nullopt;
    }
    content.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return content;
}

std::optional<std::filesystem::path> KeepAside(const std::filesystem::path& path) {
  const std::string base = path.string() + ".damaged";
  for (int i = 0; i < 1000; ++i) {
    const std::string candidate = i == 0 ? base : base + "." + std::to_string(i);
    // A hard link is made only where no file is, so an earlier copy is never replaced.
    if (::link(path.c_str(), candidate.c_str()) == 0) {
      ::unlink(path.c_str());
      return std::filesystem::path(candidate);
    }
    if (errno != EEXIST) break;
  }
  return std::nullopt;
}

bool WriteFileAtomically(const std::filesystem::path& path, const std::string& content) {
  static std::atomic<unsigned> counter{0};
  std::error_code ec;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
  // The temporary name keeps at most 100 bytes of the target's name, so that a target whose name
  // is as long as the file system allows can still be written (cut at a character's start).
  std::string stem = path.filename().string();
  stem.resize(text::CutAtCodePoint(stem, 100));
  const auto tmp = path.parent_path() / ("." + stem + ".tmp." + std::to_string(::getpid()) + "." +
                                         std::to_string(counter++));
  const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  size_t written = 0;
  while (written < content.size()) {
    const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      ::unlink(tmp.c_str());
      return false;
    }
    written += static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    ::unlink(tmp.c_str());
    return false;
  }
  if (::rename(tmp.c_str(), path.c_str()) != 0) {
    ::unlink(tmp.c_str());
    return false;
  }
  return true;
}

FileLock::FileLock(const std::filesystem::path& lockFile) {
  std::error_code ec;
  if (lockFile.has_parent_path()) std::filesystem::create_directories(lockFile.parent_path(), ec);
  fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd_ < 0) return;
  while (::flock(fd_, LOCK_EX) != 0) {
    if (errno != EINTR) {
      ::close(fd_);
      fd_ = -1;
      return;
    }
  }
}

FileLock::~FileLock() {
  if (fd_ >= 0) {
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
  }
}

}  // namespace qv::platform
