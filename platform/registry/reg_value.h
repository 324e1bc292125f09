#pragma once
// One registry value: its type number and its data. The registry stores every type number it is
// given, so a value of a type the product does not read (binary data, multi-texts) survives and
// reads back as that other type.

#include <cstdint>
#include <string>

namespace qv::platform {

// The host's value type numbers.
inline constexpr uint32_t kRegNone = 0;
inline constexpr uint32_t kRegSz = 1;
inline constexpr uint32_t kRegExpandSz = 2;
inline constexpr uint32_t kRegBinary = 3;
inline constexpr uint32_t kRegDword = 4;
inline constexpr uint32_t kRegMultiSz = 7;

struct RegValue {
  uint32_t type = kRegNone;
  // The data bytes. Text types (REG_SZ, REG_EXPAND_SZ): UTF-8 text without a terminating null.
  // REG_DWORD: exactly four bytes, least significant first. Other types: the bytes as given.
  std::string data;

  static RegValue Text(std::string text) { return RegValue{kRegSz, std::move(text)}; }
  static RegValue Dword(uint32_t number);

  bool IsText() const { return type == kRegSz || type == kRegExpandSz; }
  // The number of a REG_DWORD value (its four bytes, least significant first).
  uint32_t AsDword() const;
  // Whether the data has the shape its type asks for (four bytes for REG_DWORD, UTF-8 for text).
  bool WellFormed() const;

  friend bool operator==(const RegValue&, const RegValue&) = default;
};

// "REG_SZ", "REG_DWORD", ... for the known type numbers; "REG_<n>" for others.
std::string RegTypeName(uint32_t type);

}  // namespace qv::platform
