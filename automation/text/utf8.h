#pragma once
// UTF-8, the text of every interface, and the code points that stories and the code page count.
// Decoding is strict: an overlong form, a surrogate, a value beyond U+10FFFF, a stray
// continuation byte or a cut-off sequence is malformed. Where text must go on, each byte of a
// malformed sequence becomes U+FFFD, so a length never silently shrinks and no hidden character
// (an overlong "/" or NUL) slips past a check made on the decoded text.

#include <optional>
#include <string>
#include <string_view>

namespace qv::text {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

constexpr bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The code point that starts at `pos`, advancing `pos` past it; for a malformed sequence nothing,
// with `pos` moved past its first byte only.
std::optional<char32_t> NextCodePoint(std::string_view text, size_t& pos);

std::u32string DecodeUtf8(std::string_view text);
// A surrogate or a value beyond U+10FFFF, which UTF-8 cannot carry, is written as U+FFFD.
void AppendUtf8(std::string& out, char32_t codePoint);
std::string EncodeUtf8(std::u32string_view text);

bool IsValidUtf8(std::string_view text);
// The number of code points of a UTF-8 text (every byte that is not a continuation byte).
size_t CountCodePoints(std::string_view text);
// The longest prefix of at most `maxBytes` bytes that does not cut a sequence in two.
size_t CutAtCodePoint(std::string_view text, size_t maxBytes);
// Removes the last code point (with a malformed tail, its last byte) of a UTF-8 text.
void DropLastCodePoint(std::string& text);

}  // namespace qv::text
