#include "platform/rot/wire.h"

namespace qv::platform::rot {
namespace {

using Clock = std::chrono::steady_clock;

// The deepest nesting of `text`, counting brackets outside strings; stops early beyond `limit`.
int Nesting(std::string_view text, int limit) {
  int depth = 0, deepest = 0;
  bool inString = false, escaped = false;
  for (char c : text) {
    if (inString) {
      if (escaped)
        escaped = false;
      else if (c == '\\')
        escaped = true;
      else if (c == '"')
        inString = false;
      continue;
    }
    if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      deepest = std::max(deepest, ++depth);
      if (deepest > limit) return deepest;
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return deepest;
}

}  // namespace

std::string EncodeFrame(const nlohmann::json& message) {
  // Texts from documents may hold bytes that are not UTF-8; they travel replaced rather than
  // failing the whole call.
  const std::string text = message.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  const auto n = static_cast<uint32_t>(text.size());
  std::string frame;
  frame.reserve(text.size() + 4);
  frame.push_back(static_cast<char>((n >> 24) & 0xFF));
  frame.push_back(static_cast<char>((n >> 16) & 0xFF));
  frame.push_back(static_cast<char>((n >> 8) & 0xFF));
  frame.push_back(static_cast<char>(n & 0xFF));
  frame += text;
  return frame;
}

std::optional<nlohmann::json> ParseMessage(std::string_view text) {
  if (Nesting(text, kMaxNesting) > kMaxNesting) return std::nullopt;
  auto j = nlohmann::json::parse(text, nullptr, false);
  if (j.is_discarded() || !j.is_object()) return std::nullopt;
  return j;
}

FrameReader::Status FrameReader::Next(nlohmann::json& message, std::string& why) {
  if (buffer_.size() < 4) return Status::Incomplete;
  const auto b = [&](size_t i) {
    return static_cast<uint32_t>(static_cast<unsigned char>(buffer_[i]));
  };
  const size_t n = (b(0) << 24) | (b(1) << 16) | (b(2) << 8) | b(3);
  if (n > kMaxMessageBytes) {
    why = "message of " + std::to_string(n) + " bytes is beyond the limit of " +
          std::to_string(kMaxMessageBytes);
    return Status::Broken;
  }
  if (buffer_.size() < n + 4) return Status::Incomplete;
  auto parsed = ParseMessage(std::string_view(buffer_).substr(4, n));
  buffer_.erase(0, n + 4);
  if (!parsed) {
    why = "message is not a JSON object of the protocol";
    return Status::Broken;
  }
  message = std::move(*parsed);
  return Status::Message;
}

WireStatus SendMessage(const Socket& socket, const nlohmann::json& message, Millis timeout) {
  switch (SendAll(socket, EncodeFrame(message), timeout)) {
    case NetStatus::Ok:
      return WireStatus::Ok;
    case NetStatus::TimedOut:
      return WireStatus::TimedOut;
    default:
      return WireStatus::Closed;
  }
}

WireStatus ReceiveMessage(const Socket& socket, FrameReader& reader, nlohmann::json& message,
                          Millis timeout, std::string& why) {
  const auto deadline = Clock::now() + timeout;
  char buffer[16384];
  for (;;) {
    switch (reader.Next(message, why)) {
      case FrameReader::Status::Message:
        return WireStatus::Ok;
      case FrameReader::Status::Broken:
        return WireStatus::Broken;
      case FrameReader::Status::Incomplete:
        break;
    }
    const auto left = std::chrono::duration_cast<Millis>(deadline - Clock::now());
    if (left.count() <= 0) return WireStatus::TimedOut;
    size_t received = 0;
    switch (ReceiveSome(socket, buffer, sizeof buffer, left, received)) {
      case NetStatus::Ok:
        reader.Append(buffer, received);
        break;
      case NetStatus::TimedOut:
        return WireStatus::TimedOut;
      default:
        return WireStatus::Closed;
    }
  }
}

}  // namespace qv::platform::rot
