#pragma once
// The internet client over real TCP sockets: HTTP/1.0, one connection per request, closed when
// the answer has been read or the request handle is closed. Host names go through the override
// table (host_overrides.h) and then the system's resolver.

#include <chrono>
#include <cstddef>
#include <map>
#include <memory>

#include "platform/net/http_wire.h"
#include "platform/net/internet_client.h"
#include "platform/net/tcp_socket.h"

namespace qv::platform {

struct NetOptions {
  Millis connectTimeout{10000};  // resolving and connecting, per request
  Millis readTimeout{30000};     // sending, waiting for the answer's head, and each read
  // The largest answer body a request reads. This bound mends an unbounded read: without it a
  // server that never stops sending would make the reader grow its answer without end. Past the
  // limit reads fail as if the connection broke.
  size_t maxResponseBytes = size_t{1} << 20;

  // The defaults, changed by QUORVANTA_NET_CONNECT_TIMEOUT_MS, QUORVANTA_NET_READ_TIMEOUT_MS and
  // QUORVANTA_NET_MAX_RESPONSE_BYTES where they hold a positive number.
  static NetOptions FromEnvironment();
};

class SocketInternetClient final : public InternetClient {
 public:
  explicit SocketInternetClient(NetOptions options = NetOptions::FromEnvironment());
  ~SocketInternetClient() override;

  HInternet InternetOpen(const std::string& agent, uint32_t accessType, const std::string& proxy,
                         const std::string& proxyBypass, uint32_t flags) override;
  HInternet InternetConnect(HInternet root, const std::string& server, uint16_t port,
                            const std::string& user, const std::string& password, uint32_t service,
                            uint32_t flags) override;
  HInternet HttpOpenRequest(HInternet connection, const std::string& verb,
                            const std::string& object, const std::string& version,
                            const std::string& referrer,
                            const std::vector<std::string>& acceptTypes, uint32_t flags) override;
  bool HttpAddRequestHeaders(HInternet request, const std::string& headers, int32_t length,
                             uint32_t modifiers) override;
  bool HttpSendRequest(HInternet request, const std::string& headers, int32_t length,
                       const std::string& optional) override;
  bool InternetReadFile(HInternet request, char* buffer, uint32_t toRead, uint32_t& read) override;
  bool HttpQueryInfo(HInternet request, uint32_t infoLevel, std::string& value) override;
  bool InternetCloseHandle(HInternet handle) override;
  uint32_t LastError() const override { return lastError_; }

  const NetOptions& Options() const { return options_; }

 private:
  enum class Kind { Root, Connection, Request };
  struct Exchange;
  struct Node {
    Kind kind = Kind::Root;
    HInternet parent = 0;
    std::string agent;                   // root
    std::string server;                  // connection
    uint16_t port = 0;                   // connection
    RequestHead head;                    // request
    std::unique_ptr<Exchange> exchange;  // request, once sent
  };

  Node* Find(HInternet handle, Kind kind);
  bool Fail(uint32_t error);
  HInternet FailHandle(uint32_t error);
  HInternet Add(Node node);
  bool ReadHead(Exchange& x);
  // Moves body bytes into `out` until `want` are there, the body ends, or an error stops it.
  void Fill(Exchange& x, std::string& out, size_t want);

  NetOptions options_;
  std::map<HInternet, Node> nodes_;
  HInternet next_ = 1;
  uint32_t lastError_ = 0;
};

}  // namespace qv::platform
