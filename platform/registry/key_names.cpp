#include "platform/registry/key_names.h"

#include "automation/text/ascii.h"
#include "automation/text/utf8.h"

namespace qv::platform {

namespace {

constexpr size_t kMaxKeyNameLength = 255;

}  // namespace

bool NamesEqual(std::string_view a, std::string_view b) {
  return text::EqualsIgnoreCase(a, b);
}

std::string FoldedName(std::string_view name) {
  return text::AsciiUppered(name);
}

bool NameLess(std::string_view a, std::string_view b) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const auto fa = static_cast<unsigned char>(text::AsciiUpper(a[i]));
    const auto fb = static_cast<unsigned char>(text::AsciiUpper(b[i]));
    if (fa != fb) return fa < fb;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

bool SplitKeyPath(std::string_view path, std::vector<std::string>& components) {
  components.clear();
  if (path.empty()) return true;
  size_t start = 0;
  while (true) {
    const size_t end = path.find('\\', start);
    const std::string_view part =
        path.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (part.empty() || part.size() > kMaxKeyNameLength || !text::IsValidUtf8(part)) return false;
    if (components.size() == kMaxKeyDepth) return false;
    components.emplace_back(part);
    if (end == std::string_view::npos) return true;
    start = end + 1;
  }
}

}  // namespace qv::platform
