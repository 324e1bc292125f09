#pragma once
// Creating objects of registered in-process libraries, as the host's component runtime does: the
// programmatic identifier leads through the registry (HKEY_CLASSES_ROOT\<ProgId>\CLSID, then
// HKEY_CLASSES_ROOT\CLSID\<class id>\InprocServer32) to the library's file, which is loaded once
// and asked for the object through its class-object entry point.
//
// Library entry points (C linkage), as every add-in library exports them:
//   int DllGetClassObject(const char* progId, qv::automation::ObjectRef* object);
//   int DllCanUnloadNow(void);
//   int DllRegisterServer(void);    // writes the registration below
//   int DllUnregisterServer(void);  // removes it

#include <string>

#include "automation/dispatch.h"

namespace qv::platform {

// Result codes of the entry points and of activation.
inline constexpr int32_t S_OK = 0;
inline constexpr int32_t S_FALSE = 1;
inline constexpr int32_t E_FAIL = static_cast<int32_t>(0x80004005u);
inline constexpr int32_t REGDB_E_CLASSNOTREG = static_cast<int32_t>(0x80040154u);
inline constexpr int32_t CLASS_E_CLASSNOTAVAILABLE = static_cast<int32_t>(0x80040111u);

// The library file registered for `progId`, or "" when the identifier is not registered.
std::string RegisteredLibrary(const std::string& progId);

// Creates an object of a registered class; raises 429 "ActiveX component can't create object"
// when it is not registered, its library cannot be loaded, or the library refuses.
automation::ObjectRef CreateRegisteredObject(const std::string& progId);

// Loads the library file and calls one of its registration entry points (DllRegisterServer or
// DllUnregisterServer), as the host's registration tool does. Returns the entry point's result, or
// E_FAIL with `error` filled when the library cannot be loaded.
int32_t CallRegistrationEntry(const std::string& libraryFile, bool unregister, std::string& error);

// Writes the registration of one class of a library: the programmatic identifier, its class id,
// and the library file. `classId` in braces ("{...}").
void RegisterClass(const std::string& progId, const std::string& classId,
                   const std::string& libraryFile, const std::string& typeLibDescription);
void UnregisterClass(const std::string& progId, const std::string& classId);

// A stable class id for a programmatic identifier (the same text always gives the same id).
std::string ClassIdFor(const std::string& progId);

}  // namespace qv::platform
