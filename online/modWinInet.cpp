#include "online/modWinInet.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>

#include "automation/text/cp1252.h"
#include "online/course_host_name.h"
#include "platform/net/socket_internet_client.h"

namespace qv::online {
namespace {

namespace inet = platform::inet;

constexpr size_t kReadBuffer = 100;
constexpr const char* kFormHeader = "Content-Type: application/x-www-form-urlencoded\r\n";

// Why a post came back short. Nobody is shown this; with QUORVANTA_DEBUG set it goes to the
// debug log so that a lost report can still be explained.
void Trace(const std::string& what, uint32_t error) {
  if (!std::getenv("QUORVANTA_DEBUG")) return;
  std::fprintf(stderr, "modWinInet: error %u%s\n", error, what.c_str());
}

}  // namespace

std::string HttpPost(std::string_view data, std::string_view path, const PostOptions& options) {
  const auto pointer = [&](int code) {
    if (options.setMousePointer) options.setMousePointer(code);
  };
  const std::string host = kDefaultCourseHost;
  pointer(kMousePointerHourglass);
  std::unique_ptr<platform::InternetClient> client =
      options.makeClient ? options.makeClient()
                         : std::make_unique<platform::SocketInternetClient>();
  std::string response;
  platform::HInternet root = 0, connection = 0;
  const auto steps = [&] {
    if (!client) return Trace(" while trying to access your internet connection.", 0);
    platform::InternetClient& net = *client;
    root = net.InternetOpen(std::string(options.sender.agent), inet::kOpenTypePreconfig, "", "", 0);
    if (!root) return Trace(" while trying to access your internet connection.", net.LastError());
    connection =
        net.InternetConnect(root, host, inet::kDefaultHttpPort, "", "", inet::kServiceHttp, 0);
    if (!connection) {
      return Trace(" while setting up the HTTP connection with " + host + ".", net.LastError());
    }
    const auto request = net.HttpOpenRequest(connection, "POST", std::string(path), "HTTP/1.0", "",
                                             {}, inet::kFlagReload);
    if (!request) {
      return Trace(" while trying to send upload information to " + host + ".", net.LastError());
    }
    const std::string header = kFormHeader;
    if (!net.HttpAddRequestHeaders(request, header, static_cast<int32_t>(header.size()),
                                   inet::kAddReqFlagAdd | inet::kAddReqFlagReplace)) {
      return Trace(" while trying to add the required headers to the upload information.",
                   net.LastError());
    }
    // The form leaves as single-byte text, one byte per character.
    std::string body = std::string(data);
    body += options.sender.field;
    if (!net.HttpSendRequest(request, "", 0, text::Utf8ToCp1252(body))) {
      return Trace(" while sending the HTTP request to " + host + ".", net.LastError());
    }
    for (;;) {
      std::string buffer(kReadBuffer, ' ');
      uint32_t read = 0;
      if (!net.InternetReadFile(request, buffer.data(), kReadBuffer, read)) {
        return Trace(" while trying to read the HTTP response from " + host + ".", net.LastError());
      }
      if (read == 0) return;
      // The whole buffer counts, read bytes and the blanks left after them.
      response += text::Cp1252ToUtf8(buffer);
    }
  };
  try {
    steps();
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& e) {
    // The caller must only ever see a short answer, whatever went wrong underneath.
    Trace(std::string(" (") + e.what() + ")", 0);
  }
  if (client && connection) client->InternetCloseHandle(connection);
  if (client && root) client->InternetCloseHandle(root);
  pointer(kMousePointerDefault);
  return response;
}

std::string URLEncode(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : qv::text::Utf8ToCp1252(text)) {
    const auto code = static_cast<unsigned char>(c);
    const bool plain = (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z') ||
                       (code >= '0' && code <= '9') || c == '@' || c == '_' || c == '-' || c == '.';
    if (plain) {
      out += c;
    } else {
      out += '%';
      out += kHex[code >> 4];
      out += kHex[code & 0x0F];
    }
  }
  return out;
}

void SendErrorReport(std::string_view text, const PostOptions& options) {
  HttpPost("msg=" + URLEncode(text), "/Err/rptErr.asp", options);
}

}  // namespace qv::online
