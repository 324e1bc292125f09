#pragma once
// The single-byte code page 1252, in which text leaves the program for the course host and in
// which the operating system classifies characters. Our own text is UTF-8 everywhere else; these
// are the only crossings.

#include <string>
#include <string_view>

namespace qv::text {

// The code page 1252 byte of a code point, or -1 when the code page has none.
int Cp1252FromCodePoint(char32_t codePoint);
// The code point of a code page 1252 byte. The five bytes the code page leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) map to the control code points of the same value, as the host's
// conversion does, so that every byte survives a round trip.
char32_t CodePointFromCp1252(unsigned char byte);

// UTF-8 to code page 1252: a character outside the code page, and every malformed UTF-8
// sequence, becomes "?".
std::string Utf8ToCp1252(std::string_view utf8);
// Code page 1252 to UTF-8; never fails.
std::string Cp1252ToUtf8(std::string_view bytes);

// The host's character classification for code page 1252: letters (including the accented
// letters, the ligatures and the ordinal indicators of the code page) and digits (including the
// superscript digits, which the host counts as digits).
bool IsCharAlphaA(unsigned char byte);
bool IsCharAlphaNumericA(unsigned char byte);
// The same classification for one code point: a code point outside the code page is neither.
bool IsCodePointAlphaNumeric1252(char32_t codePoint);

}  // namespace qv::text
