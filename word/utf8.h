#pragma once
// Conversions between the UTF-8 text of every interface and the code points a story stores.
// Malformed bytes become U+FFFD rather than being dropped, so a length never silently shrinks.

#include <string>
#include <string_view>

namespace qv::word {

std::u32string DecodeUtf8(std::string_view text);
std::string EncodeUtf8(std::u32string_view text);
void AppendUtf8(std::string& out, char32_t cp);
// The number of code points of a UTF-8 text.
size_t CountCodePoints(std::string_view text);

}  // namespace qv::word
