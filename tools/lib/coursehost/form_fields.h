#pragma once
// Decoding of URL-encoded forms as the course host receives them from the add-in and the
// installer: "name=value" pairs joined by "&", "%XX" escapes and "+" for a blank, the bytes in
// code page 1252.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qv::tools {

// "%XX" becomes its byte and "+" a blank; a "%" not followed by two hexadecimal digits stays.
std::string UrlDecode(std::string_view text);

// The fields of a form in their order, names and values decoded and converted from code page
// 1252 to UTF-8. A part without "=" is a field with an empty value; empty parts are skipped.
std::vector<std::pair<std::string, std::string>> DecodeForm(std::string_view body);

}  // namespace qv::tools
