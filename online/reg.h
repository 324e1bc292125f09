#pragma once
// Module reg: the small registry access both the add-in and the installer use. Every operation
// takes the hive and the key path, opens and closes the key itself, and never raises: a missing
// key or value reads as empty, a write that cannot be done is lost silently. Only CreateKey makes
// keys.

#include <cstdint>
#include <string>

#include "automation/variant.h"

namespace qv::online::reg {

// The value types SetValue writes.
inline constexpr int32_t REG_SZ = 1;
inline constexpr int32_t REG_DWORD = 4;

// Creates the key and any missing parents; an existing key is left as it is.
void CreateKey(uint32_t hive, const std::string& keyPath);
// Deletes the key (only one without sub-keys, as the registry allows).
void DeleteKey(uint32_t hive, const std::string& keyPath);
void DeleteValue(uint32_t hive, const std::string& keyPath, const std::string& valueName);

// The value: text for a text value, a 32-bit integer for a 32-bit number value; empty when the key
// or the value is missing, has another type, or the registry cannot be read. A non-empty
// `machineName` asks for that machine's registry, which this platform cannot reach: empty.
automation::Variant QueryValue(uint32_t hive, const std::string& keyPath,
                               const std::string& valueName, const std::string& machineName = "");

// Writes into an existing key: type REG_SZ the value's text, REG_DWORD its 32-bit integer value.
// Any other type, a value that does not convert, or a missing key writes nothing.
void SetValue(uint32_t hive, const std::string& keyPath, const std::string& valueName,
              const automation::Variant& value, int32_t type);

}  // namespace qv::online::reg
