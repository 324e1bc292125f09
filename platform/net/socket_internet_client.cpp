#include "platform/net/socket_internet_client.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>

#include "platform/net/host_overrides.h"

namespace qv::platform {
namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kMaxHeadBytes = 64 * 1024;

std::optional<long long> PositiveFromEnv(const char* name) {
  const char* text = std::getenv(name);
  if (!text || !*text) return std::nullopt;
  long long value = 0;
  const auto [end, ec] = std::from_chars(text, text + std::strlen(text), value);
  if (ec != std::errc() || *end != '\0' || value <= 0) return std::nullopt;
  return value;
}

// Text that goes into the request line or a header line must not be able to end it.
bool FitsOnALine(const std::string& s, bool allowBlanks) {
  return std::none_of(s.begin(), s.end(), [&](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F || (!allowBlanks && c == ' ');
  });
}

Millis Remaining(Clock::time_point deadline) {
  return std::max(Millis{0}, std::chrono::duration_cast<Millis>(deadline - Clock::now()));
}

std::string Prefix(const std::string& text, int32_t length) {
  return length < 0 ? text : text.substr(0, static_cast<size_t>(length));
}

}  // namespace

struct SocketInternetClient::Exchange {
  Socket socket;
  ResponseHead head;
  std::string pending;    // body bytes received and not yet read
  uint64_t received = 0;  // body bytes received so far
  bool ended = false;     // the whole body has been received
  uint32_t error = 0;     // what ends the body early, reported once `pending` is read

  void AcceptBody(const char* bytes, size_t count, size_t maxBytes) {
    uint64_t take = count;
    if (head.contentLength) take = std::min<uint64_t>(take, *head.contentLength - received);
    if (received + take > maxBytes) {
      take = maxBytes - received;
      error = inet::kErrorConnectionAborted;
    }
    pending.append(bytes, static_cast<size_t>(take));
    received += take;
    if (head.contentLength && received == *head.contentLength) ended = true;
    if (ended || error) socket.Close();
  }
};

NetOptions NetOptions::FromEnvironment() {
  NetOptions o;
  if (auto v = PositiveFromEnv("QUORVANTA_NET_CONNECT_TIMEOUT_MS")) o.connectTimeout = Millis{*v};
  if (auto v = PositiveFromEnv("QUORVANTA_NET_READ_TIMEOUT_MS")) o.readTimeout = Millis{*v};
  if (auto v = PositiveFromEnv("QUORVANTA_NET_MAX_RESPONSE_BYTES")) {
    o.maxResponseBytes = static_cast<size_t>(*v);
  }
  return o;
}

SocketInternetClient::SocketInternetClient(NetOptions options) : options_(options) {}
SocketInternetClient::~SocketInternetClient() = default;

SocketInternetClient::Node* SocketInternetClient::Find(HInternet handle, Kind kind) {
  const auto it = nodes_.find(handle);
  if (it == nodes_.end()) {
    lastError_ = inet::kErrorInvalidHandle;
    return nullptr;
  }
  if (it->second.kind != kind) {
    lastError_ = inet::kErrorIncorrectHandleType;
    return nullptr;
  }
  return &it->second;
}

bool SocketInternetClient::Fail(uint32_t error) {
  lastError_ = error;
  return false;
}

HInternet SocketInternetClient::FailHandle(uint32_t error) {
  lastError_ = error;
  return 0;
}

HInternet SocketInternetClient::Add(Node node) {
  while (next_ == 0 || nodes_.count(next_))
    ++next_;
  const HInternet handle = next_++;
  nodes_.emplace(handle, std::move(node));
  return handle;
}

HInternet SocketInternetClient::InternetOpen(const std::string& agent, uint32_t, const std::string&,
                                             const std::string&, uint32_t) {
  // Proxies are not used: the embedded platform always connects directly.
  if (!FitsOnALine(agent, true)) return FailHandle(inet::kErrorInvalidParameter);
  Node root;
  root.kind = Kind::Root;
  root.agent = agent;
  return Add(std::move(root));
}

HInternet SocketInternetClient::InternetConnect(HInternet root, const std::string& server,
                                                uint16_t port, const std::string&,
                                                const std::string&, uint32_t service, uint32_t) {
  if (!Find(root, Kind::Root)) return 0;
  if (service != inet::kServiceHttp || server.empty() || !FitsOnALine(server, false)) {
    return FailHandle(inet::kErrorInvalidParameter);
  }
  Node conn;
  conn.kind = Kind::Connection;
  conn.parent = root;
  conn.server = server;
  conn.port = port == 0 ? inet::kDefaultHttpPort : port;
  return Add(std::move(conn));
}

HInternet SocketInternetClient::HttpOpenRequest(HInternet connection, const std::string& verb,
                                                const std::string& object,
                                                const std::string& version,
                                                const std::string& referrer,
                                                const std::vector<std::string>& acceptTypes,
                                                uint32_t) {
  const Node* conn = Find(connection, Kind::Connection);
  if (!conn) return 0;
  bool valid = FitsOnALine(verb, false) && FitsOnALine(object, false) &&
               FitsOnALine(version, false) && FitsOnALine(referrer, true);
  for (const auto& type : acceptTypes)
    valid = valid && FitsOnALine(type, true);
  if (!valid) return FailHandle(inet::kErrorInvalidParameter);
  Node req;
  req.kind = Kind::Request;
  req.parent = connection;
  if (!verb.empty()) req.head.verb = verb;
  if (!object.empty()) req.head.object = object;
  if (!version.empty()) req.head.version = version;
  req.head.host = conn->server;
  if (conn->port != inet::kDefaultHttpPort) req.head.host += ":" + std::to_string(conn->port);
  req.head.agent = nodes_.at(conn->parent).agent;
  req.head.referrer = referrer;
  req.head.acceptTypes = acceptTypes;
  return Add(std::move(req));
}

bool SocketInternetClient::HttpAddRequestHeaders(HInternet request, const std::string& headers,
                                                 int32_t length, uint32_t modifiers) {
  Node* req = Find(request, Kind::Request);
  if (!req) return false;
  const auto parsed = ParseHeaderLines(Prefix(headers, length));
  if (!parsed) return Fail(inet::kErrorInvalidHeader);
  if (const uint32_t error = MergeRequestHeaders(req->head.headers, *parsed, modifiers)) {
    return Fail(error);
  }
  return true;
}

bool SocketInternetClient::HttpSendRequest(HInternet request, const std::string& headers,
                                           int32_t length, const std::string& optional) {
  Node* req = Find(request, Kind::Request);
  if (!req) return false;
  req->exchange.reset();
  RequestHead head = req->head;
  const auto extra = ParseHeaderLines(Prefix(headers, length));
  if (!extra) return Fail(inet::kErrorInvalidHeader);
  MergeRequestHeaders(head.headers, *extra, 0);

  const Node& conn = nodes_.at(req->parent);
  const auto endpoint = ApplyHostOverrides(conn.server, conn.port);
  auto connected = ConnectTcp(endpoint.host, endpoint.port, options_.connectTimeout);
  switch (connected.status) {
    case NetStatus::Ok:
      break;
    case NetStatus::NotResolved:
      return Fail(inet::kErrorNameNotResolved);
    case NetStatus::TimedOut:
      return Fail(inet::kErrorTimeout);
    default:
      return Fail(inet::kErrorCannotConnect);
  }
  auto x = std::make_unique<Exchange>();
  x->socket = std::move(connected.socket);
  switch (SendAll(x->socket, FormatRequest(head, optional), options_.readTimeout)) {
    case NetStatus::Ok:
      break;
    case NetStatus::TimedOut:
      return Fail(inet::kErrorTimeout);
    default:
      return Fail(inet::kErrorConnectionReset);
  }
  if (!ReadHead(*x)) return false;
  if (head.verb == "HEAD" || x->head.status == 204 || x->head.status == 304 ||
      x->head.status < 200) {
    x->pending.clear();
    x->ended = true;
    x->socket.Close();
  }
  req->exchange = std::move(x);
  return true;
}

bool SocketInternetClient::ReadHead(Exchange& x) {
  const auto deadline = Clock::now() + options_.readTimeout;
  std::string buffer;
  char chunk[4096];
  for (;;) {
    const size_t end = FindHeadEnd(buffer);
    if (end != std::string::npos) {
      auto head = ParseResponseHead(std::string_view(buffer).substr(0, end));
      if (!head) return Fail(inet::kErrorInvalidServerResponse);
      x.head = std::move(*head);
      if (x.head.contentLength && *x.head.contentLength == 0) x.ended = true;
      x.AcceptBody(buffer.data() + end, buffer.size() - end, options_.maxResponseBytes);
      return true;
    }
    if (buffer.size() > kMaxHeadBytes) return Fail(inet::kErrorInvalidServerResponse);
    const auto left = Remaining(deadline);
    if (left.count() == 0) return Fail(inet::kErrorTimeout);
    size_t got = 0;
    switch (ReceiveSome(x.socket, chunk, sizeof chunk, left, got)) {
      case NetStatus::Ok:
        buffer.append(chunk, got);
        break;
      case NetStatus::Closed: {
        // An answer that ends inside its head has no body; anything else is not an answer.
        auto head = ParseResponseHead(buffer);
        if (!head) return Fail(inet::kErrorInvalidServerResponse);
        x.head = std::move(*head);
        x.ended = true;
        return true;
      }
      case NetStatus::TimedOut:
        return Fail(inet::kErrorTimeout);
      default:
        return Fail(inet::kErrorConnectionReset);
    }
  }
}

void SocketInternetClient::Fill(Exchange& x, std::string& out, size_t want) {
  const auto deadline = Clock::now() + options_.readTimeout;
  char chunk[16384];
  while (out.size() < want) {
    if (!x.pending.empty()) {
      const size_t n = std::min(want - out.size(), x.pending.size());
      out.append(x.pending, 0, n);
      x.pending.erase(0, n);
      continue;
    }
    if (x.ended || x.error) return;
    const auto left = Remaining(deadline);
    if (left.count() == 0) {
      x.error = inet::kErrorTimeout;
      return;
    }
    size_t got = 0;
    switch (ReceiveSome(x.socket, chunk, sizeof chunk, left, got)) {
      case NetStatus::Ok:
        x.AcceptBody(chunk, got, options_.maxResponseBytes);
        break;
      case NetStatus::Closed:
        // A body shorter than its announced length was cut off: that is a broken connection,
        // not the end of the answer.
        if (x.head.contentLength && x.received < *x.head.contentLength) {
          x.error = inet::kErrorConnectionReset;
        } else {
          x.ended = true;
        }
        x.socket.Close();
        return;
      case NetStatus::TimedOut:
        x.error = inet::kErrorTimeout;
        return;
      default:
        x.error = inet::kErrorConnectionReset;
        return;
    }
  }
}

bool SocketInternetClient::InternetReadFile(HInternet request, char* buffer, uint32_t toRead,
                                            uint32_t& read) {
  read = 0;
  Node* req = Find(request, Kind::Request);
  if (!req) return false;
  if (!req->exchange) return Fail(inet::kErrorIncorrectHandleState);
  Exchange& x = *req->exchange;
  std::string out;
  Fill(x, out, toRead);
  // Bytes that arrived before a failure are handed out first; the failure comes with the next
  // read, so nothing received is lost.
  if (out.empty() && x.error) return Fail(x.error);
  if (!out.empty()) std::memcpy(buffer, out.data(), out.size());
  read = static_cast<uint32_t>(out.size());
  return true;
}

bool SocketInternetClient::HttpQueryInfo(HInternet request, uint32_t infoLevel,
                                         std::string& value) {
  Node* req = Find(request, Kind::Request);
  if (!req) return false;
  if (!req->exchange) return Fail(inet::kErrorIncorrectHandleState);
  const ResponseHead& head = req->exchange->head;
  std::optional<std::string> found;
  switch (infoLevel) {
    case inet::kQueryStatusCode:
      found = std::to_string(head.status);
      break;
    case inet::kQueryStatusText:
      found = head.statusText;
      break;
    case inet::kQueryRawHeadersCrlf:
      found = head.raw;
      break;
    case inet::kQueryContentType:
      found = FindHeader(head.headers, "Content-Type");
      break;
    case inet::kQueryContentLength:
      found = FindHeader(head.headers, "Content-Length");
      break;
    default:
      return Fail(inet::kErrorInvalidParameter);
  }
  if (!found) return Fail(inet::kErrorHeaderNotFound);
  value = std::move(*found);
  return true;
}

bool SocketInternetClient::InternetCloseHandle(HInternet handle) {
  if (!nodes_.count(handle)) return Fail(inet::kErrorInvalidHandle);
  std::vector<HInternet> doomed{handle};
  for (size_t i = 0; i < doomed.size(); ++i) {
    for (const auto& [h, node] : nodes_) {
      if (node.parent == doomed[i]) doomed.push_back(h);
    }
  }
  for (const HInternet h : doomed)
    nodes_.erase(h);
  return true;
}

}  // namespace qv::platform
