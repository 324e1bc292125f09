#pragma once
// Reading what the add-in posted to the course host: the decoded form field of a request.

#include <string>

namespace qv::addin::testing {

// The form field `name` of the URL-encoded body of `request`, decoded byte for byte (the report
// arrives as code page 1252); empty when the field is missing.
inline std::string Field(const std::string& request, const std::string& name) {
  const auto body = request.substr(request.find("\r\n\r\n") + 4);
  const auto start = body.find(name + "=");
  if (start == std::string::npos) return "";
  const auto end = body.find('&', start);
  const std::string value = body.substr(start + name.size() + 1, end - start - name.size() - 1);
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '%' && i + 2 < value.size()) {
      out += static_cast<char>(std::stoi(value.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += value[i] == '+' ? ' ' : value[i];
    }
  }
  return out;
}

}  // namespace qv::addin::testing
