#include "platform/net/tcp_socket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <system_error>

namespace qv::platform {
namespace {

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<Millis>(deadline - Clock::now()).count();
  return left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, 1 << 30));
}

// Waits for `events` on `fd` until `deadline`: true when ready (or in error, which the next call
// reports), false on time-out.
bool WaitFor(int fd, short events, Clock::time_point deadline) {
  for (;;) {
    pollfd p{fd, events, 0};
    const int n = ::poll(&p, 1, RemainingMs(deadline));
    if (n > 0) return true;
    if (n == 0) return false;
    if (errno != EINTR) return true;
  }
}

void SetNonBlocking(int fd) {
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL, 0) | O_NONBLOCK);
}

NetStatus ConnectOne(const addrinfo* ai, Clock::time_point deadline, Socket& out) {
  Socket s(::socket(ai->ai_family, ai->ai_socktype | SOCK_CLOEXEC, ai->ai_protocol));
  if (!s.Valid()) return NetStatus::Failed;
  SetNonBlocking(s.Fd());
  if (::connect(s.Fd(), ai->ai_addr, ai->ai_addrlen) != 0) {
    if (errno != EINPROGRESS) return errno == ECONNREFUSED ? NetStatus::Refused : NetStatus::Failed;
    if (!WaitFor(s.Fd(), POLLOUT, deadline)) return NetStatus::TimedOut;
    int error = 0;
    socklen_t len = sizeof error;
    if (::getsockopt(s.Fd(), SOL_SOCKET, SO_ERROR, &error, &len) != 0) return NetStatus::Failed;
    if (error != 0) return error == ECONNREFUSED ? NetStatus::Refused : NetStatus::Failed;
  }
  const int one = 1;
  ::setsockopt(s.Fd(), IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  out = std::move(s);
  return NetStatus::Ok;
}

}  // namespace

Socket& Socket::operator=(Socket&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

void Socket::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

ConnectResult ConnectTcp(const std::string& host, uint16_t port, Millis timeout) {
  const auto deadline = Clock::now() + timeout;
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const std::string service = std::to_string(port);
  if (::getaddrinfo(host.c_str(), service.c_str(), &hints, &found) != 0 || !found) {
    return {Socket{}, NetStatus::NotResolved};
  }
  std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> list(found, ::freeaddrinfo);
  ConnectResult result;
  for (const addrinfo* ai = found; ai; ai = ai->ai_next) {
    result.status = ConnectOne(ai, deadline, result.socket);
    if (result.status == NetStatus::Ok || result.status == NetStatus::TimedOut) break;
  }
  return result;
}

NetStatus SendAll(const Socket& socket, std::string_view data, Millis timeout) {
  const auto deadline = Clock::now() + timeout;
  size_t sent = 0;
  while (sent < data.size()) {
    const ssize_t n = ::send(socket.Fd(), data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
    if (n > 0) {
      sent += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (!WaitFor(socket.Fd(), POLLOUT, deadline)) return NetStatus::TimedOut;
      continue;
    }
    return errno == EPIPE || errno == ECONNRESET ? NetStatus::Closed : NetStatus::Failed;
  }
  return NetStatus::Ok;
}

NetStatus ReceiveSome(const Socket& socket, char* buffer, size_t max, Millis timeout,
                      size_t& received) {
  received = 0;
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    const ssize_t n = ::recv(socket.Fd(), buffer, max, MSG_DONTWAIT);
    if (n > 0) {
      received = static_cast<size_t>(n);
      return NetStatus::Ok;
    }
    if (n == 0) return NetStatus::Closed;
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) {
      return errno == ECONNRESET ? NetStatus::Closed : NetStatus::Failed;
    }
    if (!WaitFor(socket.Fd(), POLLIN, deadline)) return NetStatus::TimedOut;
  }
}

Socket ListenLoopback(uint16_t port, uint16_t& boundPort) {
  Socket s(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (!s.Valid()) throw std::system_error(errno, std::generic_category(), "socket");
  const int one = 1;
  ::setsockopt(s.Fd(), SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(port);
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::bind(s.Fd(), reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    throw std::system_error(errno, std::generic_category(),
                            "cannot listen on 127.0.0.1:" + std::to_string(port));
  }
  if (::listen(s.Fd(), 64) != 0) throw std::system_error(errno, std::generic_category(), "listen");
  socklen_t len = sizeof addr;
  ::getsockname(s.Fd(), reinterpret_cast<sockaddr*>(&addr), &len);
  boundPort = ntohs(addr.sin_port);
  SetNonBlocking(s.Fd());
  return s;
}

Socket AcceptConnection(const Socket& listener, Millis timeout) {
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    const int fd = ::accept4(listener.Fd(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd >= 0) return Socket(fd);
    if (errno == EINTR || errno == ECONNABORTED) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) return Socket{};
    if (!WaitFor(listener.Fd(), POLLIN, deadline)) return Socket{};
  }
}

}  // namespace qv::platform
