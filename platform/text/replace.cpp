#include "platform/text/replace.h"

namespace qv::platform {

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string out;
  size_t start = 0;
  for (size_t p; (p = text.find(from, start)) != std::string_view::npos; start = p + from.size())
    out.append(text, start, p - start).append(to);
  out.append(text, start, std::string_view::npos);
  return out;
}

}  // namespace qv::platform
