#include "online/reg.h"

#include <exception>
#include <new>

#include "platform/registry/registry.h"

namespace qv::online::reg {

namespace {

// Runs one registry operation so that nothing reaches the caller: failures of the store are
// already results, and a conversion error of the caller's value means "write nothing".
template <class Body>
void Quietly(Body&& body) {
  try {
    body();
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception&) {
  }
}

}  // namespace

void CreateKey(uint32_t hive, const std::string& keyPath) {
  Quietly([&] { (void)platform::Registry().CreateKey(hive, keyPath); });
}

void DeleteKey(uint32_t hive, const std::string& keyPath) {
  Quietly([&] { (void)platform::Registry().DeleteKey(hive, keyPath); });
}

void DeleteValue(uint32_t hive, const std::string& keyPath, const std::string& valueName) {
  Quietly([&] { (void)platform::Registry().DeleteValue(hive, keyPath, valueName); });
}

automation::Variant QueryValue(uint32_t hive, const std::string& keyPath,
                               const std::string& valueName, const std::string& machineName) {
  automation::Variant result;
  Quietly([&] {
    if (!platform::Registry::Connect(machineName)) return;
    platform::RegValue v;
    if (!platform::Registry().QueryValue(hive, keyPath, valueName, v)) return;
    if (v.type == platform::kRegSz)
      result = automation::Variant(v.data);
    else if (v.type == platform::kRegDword)
      result = automation::Variant(static_cast<int32_t>(v.AsDword()));
  });
  return result;
}

void SetValue(uint32_t hive, const std::string& keyPath, const std::string& valueName,
              const automation::Variant& value, int32_t type) {
  Quietly([&] {
    platform::RegValue data;
    if (type == REG_SZ)
      data = platform::RegValue::Text(value.ToText());
    else if (type == REG_DWORD)
      data = platform::RegValue::Dword(static_cast<uint32_t>(value.ToInt32()));
    else
      return;
    (void)platform::Registry().SetValue(hive, keyPath, valueName, data);
  });
}

}  // namespace qv::online::reg
