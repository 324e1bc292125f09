#include "platform/registry/reg_value.h"

#include "automation/text/utf8.h"

namespace qv::platform {

RegValue RegValue::Dword(uint32_t number) {
  std::string bytes(4, '\0');
  for (int k = 0; k < 4; ++k)
    bytes[k] = static_cast<char>((number >> (8 * k)) & 0xFF);
  return RegValue{kRegDword, std::move(bytes)};
}

uint32_t RegValue::AsDword() const {
  uint32_t n = 0;
  for (size_t k = 0; k < 4 && k < data.size(); ++k)
    n |= static_cast<uint32_t>(static_cast<unsigned char>(data[k])) << (8 * k);
  return n;
}

bool RegValue::WellFormed() const {
  if (type == kRegDword) return data.size() == 4;
  // Hive files are JSON, which carries only valid text.
  if (IsText()) return text::IsValidUtf8(data);
  return true;
}

std::string RegTypeName(uint32_t type) {
  switch (type) {
    case kRegNone:
      return "REG_NONE";
    case kRegSz:
      return "REG_SZ";
    case kRegExpandSz:
      return "REG_EXPAND_SZ";
    case kRegBinary:
      return "REG_BINARY";
    case kRegDword:
      return "REG_DWORD";
    case kRegMultiSz:
      return "REG_MULTI_SZ";
    default:
      return "REG_" + std::to_string(type);
  }
}

}  // namespace qv::platform
