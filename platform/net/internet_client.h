#pragma once
// The internet client, with the host library's call sequence:
//
//   root  = InternetOpen(agent, access type, proxy, bypass, flags)
//   conn  = InternetConnect(root, server, port, user, password, service, flags)
//   req   = HttpOpenRequest(conn, verb, object, version, referrer, accept types, flags)
//           HttpAddRequestHeaders(req, text, length, modifiers)     (any number of times)
//           HttpSendRequest(req, headers, length, optional body)
//           InternetReadFile(req, buffer, n, read)                   (until it reads 0 bytes)
//           InternetCloseHandle(root)                                (closes conn and req too)
//
// Handles are small non-zero numbers, valid for the client object that made them; 0 means the
// call failed, and LastError() then says why (the host library's error numbers below). One client
// object serves one thread at a time.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qv::platform {

using HInternet = uint32_t;

// Constants and error numbers of the host library, under their meaning.
namespace inet {
inline constexpr uint32_t kOpenTypePreconfig = 0;  // the system's proxy settings
inline constexpr uint32_t kServiceHttp = 3;
inline constexpr uint16_t kDefaultHttpPort = 80;
inline constexpr uint32_t kFlagReload = 0x80000000;  // never answer from a cache
// Modifiers of HttpAddRequestHeaders.
inline constexpr uint32_t kAddReqFlagAddIfNew = 0x10000000;  // fail when the header exists
inline constexpr uint32_t kAddReqFlagAdd = 0x20000000;       // with Replace: add when missing
inline constexpr uint32_t kAddReqFlagReplace = 0x80000000;   // replace (empty value: remove)
// Information levels of HttpQueryInfo.
inline constexpr uint32_t kQueryContentType = 1;
inline constexpr uint32_t kQueryContentLength = 5;
inline constexpr uint32_t kQueryStatusCode = 19;
inline constexpr uint32_t kQueryStatusText = 20;
inline constexpr uint32_t kQueryRawHeadersCrlf = 22;

inline constexpr uint32_t kErrorInvalidHandle = 6;
inline constexpr uint32_t kErrorInvalidParameter = 87;
inline constexpr uint32_t kErrorTimeout = 12002;
inline constexpr uint32_t kErrorNameNotResolved = 12007;
inline constexpr uint32_t kErrorIncorrectHandleState = 12019;
inline constexpr uint32_t kErrorIncorrectHandleType = 12018;
inline constexpr uint32_t kErrorCannotConnect = 12029;
inline constexpr uint32_t kErrorConnectionAborted = 12030;
inline constexpr uint32_t kErrorConnectionReset = 12031;
inline constexpr uint32_t kErrorHeaderNotFound = 12150;
inline constexpr uint32_t kErrorInvalidServerResponse = 12152;
inline constexpr uint32_t kErrorInvalidHeader = 12153;
}  // namespace inet

class InternetClient {
 public:
  virtual ~InternetClient() = default;

  virtual HInternet InternetOpen(const std::string& agent, uint32_t accessType,
                                 const std::string& proxy, const std::string& proxyBypass,
                                 uint32_t flags) = 0;
  // Records where requests of this connection go; nothing touches the network yet.
  virtual HInternet InternetConnect(HInternet root, const std::string& server, uint16_t port,
                                    const std::string& user, const std::string& password,
                                    uint32_t service, uint32_t flags) = 0;
  // An empty verb means "GET", an empty object "/", an empty version "HTTP/1.0".
  virtual HInternet HttpOpenRequest(HInternet connection, const std::string& verb,
                                    const std::string& object, const std::string& version,
                                    const std::string& referrer,
                                    const std::vector<std::string>& acceptTypes,
                                    uint32_t flags) = 0;
  // `headers` holds one or more "Name: value" lines separated by CR LF; only its first `length`
  // bytes count (-1: all of it).
  virtual bool HttpAddRequestHeaders(HInternet request, const std::string& headers, int32_t length,
                                     uint32_t modifiers) = 0;
  // Resolves and connects, writes the request, and consumes the answer's status line and
  // headers; the body is left for InternetReadFile.
  virtual bool HttpSendRequest(HInternet request, const std::string& headers, int32_t length,
                               const std::string& optional) = 0;
  // Reads up to `toRead` bytes of the body into `buffer`, blocking until that many are there or
  // the body ends; `read` = 0 with a true result means the body has ended.
  virtual bool InternetReadFile(HInternet request, char* buffer, uint32_t toRead,
                                uint32_t& read) = 0;
  // The status code, status text, a header or all headers of the answer of a sent request.
  virtual bool HttpQueryInfo(HInternet request, uint32_t infoLevel, std::string& value) = 0;
  // Closes the handle and every handle opened from it.
  virtual bool InternetCloseHandle(HInternet handle) = 0;

  // The error number of the last call that failed on this client.
  virtual uint32_t LastError() const = 0;
};

}  // namespace qv::platform
