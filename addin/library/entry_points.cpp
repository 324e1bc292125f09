// The four entry points of the add-in library, with C linkage, as every in-process component of
// the host exports them.

#include <dlfcn.h>

#include <exception>
#include <string>

#include "addin/library/public_classes.h"
#include "platform/com/activation.h"

namespace {

// The file this library was loaded from.
std::string ThisLibrary() {
  Dl_info info{};
  if (::dladdr(reinterpret_cast<void*>(&ThisLibrary), &info) == 0 || !info.dli_fname) return "";
  return info.dli_fname;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) int DllGetClassObject(const char* progId,
                                                             qv::automation::ObjectRef* object) {
  if (!progId || !object) return qv::platform::E_FAIL;
  try {
    *object = qv::addin::CreatePublicObject(progId);
  } catch (const std::exception&) {
    return qv::platform::E_FAIL;
  }
  return *object ? qv::platform::S_OK : qv::platform::CLASS_E_CLASSNOTAVAILABLE;
}

// Objects of the library may outlive any count we could keep here, so it stays loaded.
__attribute__((visibility("default"))) int DllCanUnloadNow() {
  return qv::platform::S_FALSE;
}

__attribute__((visibility("default"))) int DllRegisterServer() {
  const std::string file = ThisLibrary();
  if (file.empty()) return qv::platform::E_FAIL;
  try {
    qv::addin::RegisterLibrary(file);
  } catch (const std::exception&) {
    return qv::platform::E_FAIL;
  }
  return qv::platform::S_OK;
}

__attribute__((visibility("default"))) int DllUnregisterServer() {
  try {
    qv::addin::UnregisterLibrary();
  } catch (const std::exception&) {
    return qv::platform::E_FAIL;
  }
  return qv::platform::S_OK;
}

}  // extern "C"
