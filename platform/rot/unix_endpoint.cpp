#include "platform/rot/unix_endpoint.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace qv::platform::rot {
namespace {

bool Address(const std::filesystem::path& path, sockaddr_un& addr, std::string& why) {
  addr = {};
  addr.sun_family = AF_UNIX;
  const std::string s = path.string();
  if (s.size() >= sizeof addr.sun_path) {
    why = "the socket path is too long for a local socket (" + std::to_string(s.size()) +
          " bytes): " + s;
    return false;
  }
  std::memcpy(addr.sun_path, s.c_str(), s.size() + 1);
  return true;
}

bool SetNonBlocking(int fd) {
  const int flags = ::fcntl(fd, F_GETFL);
  return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

// The peer must be this user: the endpoint hands out the word processor's whole object model.
bool SameUser(int fd) {
  ucred cred{};
  socklen_t len = sizeof cred;
  if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0) return false;
  return cred.uid == ::getuid();
}

std::string Errno(const std::string& what) {
  return what + ": " + std::strerror(errno);
}

}  // namespace

PublishedEndpoint::~PublishedEndpoint() {
  Withdraw();
}

bool PublishedEndpoint::Publish(const std::filesystem::path& socketPath,
                                const std::filesystem::path& lockPath, std::string& why) {
  Withdraw();
  sockaddr_un addr{};
  const std::filesystem::path temp = socketPath.string() + "." + std::to_string(::getpid());
  if (!Address(temp, addr, why)) return false;
  std::error_code ec;
  std::filesystem::create_directories(socketPath.parent_path(), ec);
  lockFd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (lockFd_ < 0) {
    why = Errno("cannot open the lock file");
    return false;
  }
  if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
    why = errno == EWOULDBLOCK ? "another program already publishes " + socketPath.string()
                               : Errno("cannot lock");
    ::close(lockFd_);
    lockFd_ = -1;
    return false;
  }
  // Holding the lock, whatever socket is there was left by a program that is gone.
  std::filesystem::remove(socketPath, ec);
  std::filesystem::remove(temp, ec);
  Socket s(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (!s.Valid() || ::bind(s.Fd(), reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      ::listen(s.Fd(), 8) != 0 || !SetNonBlocking(s.Fd())) {
    why = Errno("cannot listen");
    std::filesystem::remove(temp, ec);
    Withdraw();
    return false;
  }
  ::chmod(temp.c_str(), 0600);
  if (::rename(temp.c_str(), socketPath.c_str()) != 0) {
    why = Errno("cannot publish the socket");
    std::filesystem::remove(temp, ec);
    Withdraw();
    return false;
  }
  struct stat st {};
  if (::stat(socketPath.c_str(), &st) == 0) inode_ = st.st_ino;
  listener_ = std::move(s);
  path_ = socketPath;
  return true;
}

void PublishedEndpoint::Withdraw() {
  if (listener_.Valid()) {
    // Only our own socket goes: a later publisher's must stay.
    struct stat st {};
    if (::stat(path_.c_str(), &st) == 0 && st.st_ino == inode_) ::unlink(path_.c_str());
    listener_.Close();
  }
  if (lockFd_ >= 0) {
    ::close(lockFd_);
    lockFd_ = -1;
  }
}

ConnectOutcome ConnectEndpoint(const std::filesystem::path& socketPath, Socket& socket,
                               std::string& why) {
  sockaddr_un addr{};
  if (!Address(socketPath, addr, why)) return ConnectOutcome::Failed;
  Socket s(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (!s.Valid()) {
    why = Errno("socket");
    return ConnectOutcome::Failed;
  }
  int rc;
  do {
    rc = ::connect(s.Fd(), reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  } while (rc != 0 && errno == EINTR);
  if (rc != 0) {
    if (errno == ENOENT || errno == ECONNREFUSED || errno == ENOTSOCK)
      return ConnectOutcome::NotRunning;
    why = Errno("cannot connect to " + socketPath.string());
    return ConnectOutcome::Failed;
  }
  if (!SameUser(s.Fd())) {
    why = "the program publishing " + socketPath.string() + " runs as another user";
    return ConnectOutcome::Failed;
  }
  if (!SetNonBlocking(s.Fd())) {
    why = Errno("fcntl");
    return ConnectOutcome::Failed;
  }
  socket = std::move(s);
  return ConnectOutcome::Connected;
}

Socket AcceptClient(const Socket& listener) {
  for (;;) {
    Socket s(::accept4(listener.Fd(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
    if (!s.Valid()) {
      if (errno == EINTR) continue;
      return Socket();
    }
    if (!SameUser(s.Fd())) continue;
    return s;
  }
}

}  // namespace qv::platform::rot
