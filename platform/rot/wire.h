#pragma once
// The wire of the running-object endpoint: one message is a 4-byte big-endian length and that
// many bytes of JSON text. Every message is bounded in size and in nesting depth, and every wait
// is bounded in time, so that a broken or hostile peer ends in a clear error, never in a hang or
// an exhausted process.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "platform/net/tcp_socket.h"

namespace qv::platform::rot {

// The largest message either side accepts.
inline constexpr size_t kMaxMessageBytes = 4u << 20;
// The deepest nesting of arrays and objects either side accepts.
inline constexpr int kMaxNesting = 64;

// The length prefix and the JSON text of one message.
std::string EncodeFrame(const nlohmann::json& message);

// Reads the JSON of one message from `text` (the bytes after the prefix); nullopt when it is not
// JSON or nests too deep.
std::optional<nlohmann::json> ParseMessage(std::string_view text);

// Collects bytes as they arrive and hands out whole messages.
class FrameReader {
 public:
  enum class Status { Incomplete, Message, Broken };

  void Append(const char* data, size_t size) { buffer_.append(data, size); }
  // Takes the next whole message off the buffer. Broken: the length is beyond the limit or the
  // text is not a message; the stream cannot be read any further.
  Status Next(nlohmann::json& message, std::string& why);
  bool Empty() const { return buffer_.empty(); }
  size_t Size() const { return buffer_.size(); }

 private:
  std::string buffer_;
};

enum class WireStatus { Ok, Closed, TimedOut, Broken };

// Sends one message within `timeout`.
WireStatus SendMessage(const Socket& socket, const nlohmann::json& message, Millis timeout);
// Waits at most `timeout` for one whole message.
WireStatus ReceiveMessage(const Socket& socket, FrameReader& reader, nlohmann::json& message,
                          Millis timeout, std::string& why);

}  // namespace qv::platform::rot
