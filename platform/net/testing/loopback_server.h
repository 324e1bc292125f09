#pragma once
// A scripted HTTP peer on 127.0.0.1 for tests of the internet client and its callers: each
// accepted connection is handed to the test's handler on the server thread, one after another.
// Requests read through the connection are kept for the test to look at.

#include <atomic>
#include <charconv>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/net/http_wire.h"
#include "platform/net/tcp_socket.h"

namespace qv::testing {

class LoopbackServer {
 public:
  class Connection {
   public:
    Connection(LoopbackServer& server, platform::Socket socket)
        : server_(server), socket_(std::move(socket)) {}

    // The request head and as much body as its Content-Length announces (bounded by time).
    std::string ReadRequest() {
      using namespace std::chrono_literals;
      std::string data;
      char chunk[4096];
      const auto deadline = std::chrono::steady_clock::now() + 5s;
      size_t want = std::string::npos;
      while (data.size() < want && std::chrono::steady_clock::now() < deadline) {
        size_t got = 0;
        const auto status = platform::ReceiveSome(socket_, chunk, sizeof chunk, 50ms, got);
        if (status == platform::NetStatus::TimedOut) continue;
        if (status != platform::NetStatus::Ok) break;
        data.append(chunk, got);
        const size_t end = platform::FindHeadEnd(data);
        if (end != std::string::npos && want == std::string::npos) {
          want = end;
          const auto head = platform::ParseHeaderLines(
              std::string_view(data).substr(data.find('\n') + 1, end - data.find('\n') - 1));
          if (head) {
            if (auto length = platform::FindHeader(*head, "Content-Length")) {
              size_t n = 0;
              std::from_chars(length->data(), length->data() + length->size(), n);
              want = end + n;
            }
          }
        }
      }
      std::lock_guard lock(server_.mutex_);
      server_.requests_.push_back(data);
      return data;
    }

    bool Send(std::string_view bytes) {
      return platform::SendAll(socket_, bytes, std::chrono::seconds(5)) == platform::NetStatus::Ok;
    }

    // Waits until the peer closes the connection or the server stops.
    void WaitForClose() {
      char chunk[1024];
      while (!Stopping()) {
        size_t got = 0;
        const auto status =
            platform::ReceiveSome(socket_, chunk, sizeof chunk, std::chrono::milliseconds(20), got);
        if (status != platform::NetStatus::Ok && status != platform::NetStatus::TimedOut) return;
      }
    }

    bool Stopping() const { return server_.stop_; }

   private:
    LoopbackServer& server_;
    platform::Socket socket_;
  };

  using Handler = std::function<void(Connection&)>;

  explicit LoopbackServer(Handler handler)
      : listener_(platform::ListenLoopback(0, port_)), handler_(std::move(handler)) {
    thread_ = std::thread([this] { Run(); });
  }
  ~LoopbackServer() {
    stop_ = true;
    thread_.join();
  }
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  uint16_t Port() const { return port_; }
  std::vector<std::string> Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
  }

  // An answer with the given body and a status line of 200.
  static std::string Answer(std::string_view body, bool withLength = true) {
    std::string out = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n";
    if (withLength) out += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    out += "\r\n";
    out += body;
    return out;
  }

 private:
  void Run() {
    while (!stop_) {
      auto socket = platform::AcceptConnection(listener_, std::chrono::milliseconds(20));
      if (!socket.Valid()) continue;
      Connection connection(*this, std::move(socket));
      handler_(connection);
    }
  }

  uint16_t port_ = 0;
  platform::Socket listener_;
  Handler handler_;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

}  // namespace qv::testing
