// HTTP answers as the internet client receives them: the head is found and parsed, or refused,
// never misread.

#include "fuzz/fuzz_target.h"
#include "platform/net/http_wire.h"

using namespace qv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view buffer(reinterpret_cast<const char*>(data), size);
  const size_t end = platform::FindHeadEnd(buffer);
  if (end != std::string_view::npos && end > size) fuzz::Fault("the head ends past the buffer");
  const auto head =
      platform::ParseResponseHead(end == std::string_view::npos ? buffer : buffer.substr(0, end));
  if (head) {
    (void)platform::FindHeader(head->headers, "Content-Length");
    if (head->status < 0) fuzz::Fault("a negative status");
  }
  (void)platform::ParseHeaderLines(buffer);
  return 0;
}

std::vector<std::string> qv::fuzz::Seeds() {
  return {"HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: 5\r\n\r\nhello",
          "HTTP/1.1 302 Found\r\nLocation: http://example.invalid/\r\n\r\n",
          "HTTP/1.0 500 Internal Server Error\n\n", "not an answer\r\n\r\n"};
}
