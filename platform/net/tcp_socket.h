#pragma once
// Blocking TCP with deadlines: every wait is bounded, so neither a silent peer nor a dead
// address can hang the caller. Writes never raise SIGPIPE; a peer that went away is an error.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qv::platform {

using Millis = std::chrono::milliseconds;

// An owned socket descriptor.
class Socket {
 public:
  Socket() = default;
  explicit Socket(int fd) : fd_(fd) {}
  ~Socket() { Close(); }
  Socket(Socket&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  Socket& operator=(Socket&& other) noexcept;
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;

  int Fd() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  void Close();

 private:
  int fd_ = -1;
};

enum class NetStatus { Ok, Closed, TimedOut, NotResolved, Refused, Failed };

struct ConnectResult {
  Socket socket;
  NetStatus status = NetStatus::Failed;
};

// Resolves `host` through the system and connects to the first address that answers, all within
// `timeout`.
ConnectResult ConnectTcp(const std::string& host, uint16_t port, Millis timeout);

// Writes all of `data` within `timeout`.
NetStatus SendAll(const Socket& socket, std::string_view data, Millis timeout);

// Waits at most `timeout` for data and receives up to `max` bytes into `buffer`; `received` = 0
// with Ok never happens: an orderly close is Closed.
NetStatus ReceiveSome(const Socket& socket, char* buffer, size_t max, Millis timeout,
                      size_t& received);

// A listening socket on 127.0.0.1:`port` (0: a free port, reported in `boundPort`). Throws
// std::system_error when the port cannot be had.
Socket ListenLoopback(uint16_t port, uint16_t& boundPort);

// Waits at most `timeout` for a connection on `listener`; an invalid socket when none came.
Socket AcceptConnection(const Socket& listener, Millis timeout);

}  // namespace qv::platform
