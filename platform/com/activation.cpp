#include "platform/com/activation.h"

#include <dlfcn.h>

#include <cstdio>
#include <map>
#include <mutex>

#include "platform/registry/registry.h"

namespace qv::platform {
namespace {

using GetClassObjectFn = int (*)(const char*, automation::ObjectRef*);
using RegistrationFn = int (*)();

std::string DefaultValue(Registry& reg, const std::string& path) {
  RegValue value;
  if (!reg.QueryValue(kHkeyClassesRoot, path, "", value).Ok() || !value.IsText()) return "";
  return value.data;
}

// Libraries stay loaded for the life of the process, as the host keeps an in-process server
// loaded while its objects may live; a handle per file.
void* LoadLibraryFile(const std::string& file, std::string& error) {
  static std::mutex lock;
  static std::map<std::string, void*> loaded;
  std::lock_guard<std::mutex> guard(lock);
  if (auto it = loaded.find(file); it != loaded.end()) return it->second;
  void* handle = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* why = ::dlerror();
    error = why ? why : "cannot load the library";
    return nullptr;
  }
  loaded[file] = handle;
  return handle;
}

}  // namespace

std::string RegisteredLibrary(const std::string& progId) {
  Registry reg;
  const std::string classId = DefaultValue(reg, progId + "\\CLSID");
  if (classId.empty()) return "";
  return DefaultValue(reg, "CLSID\\" + classId + "\\InprocServer32");
}

automation::ObjectRef CreateRegisteredObject(const std::string& progId) {
  const std::string file = RegisteredLibrary(progId);
  if (file.empty()) automation::Raise(automation::err::kCannotCreate);
  std::string error;
  void* handle = LoadLibraryFile(file, error);
  if (!handle) {
    throw automation::AutomationError(
        automation::err::kCannotCreate,
        automation::StandardDescription(automation::err::kCannotCreate) + " (" + error + ")");
  }
  auto get = reinterpret_cast<GetClassObjectFn>(::dlsym(handle, "DllGetClassObject"));
  if (!get) automation::Raise(automation::err::kCannotCreate);
  automation::ObjectRef object;
  if (get(progId.c_str(), &object) != S_OK || !object)
    automation::Raise(automation::err::kCannotCreate);
  return object;
}

int32_t CallRegistrationEntry(const std::string& libraryFile, bool unregister, std::string& error) {
  void* handle = LoadLibraryFile(libraryFile, error);
  if (!handle) return E_FAIL;
  const char* name = unregister ? "DllUnregisterServer" : "DllRegisterServer";
  auto fn = reinterpret_cast<RegistrationFn>(::dlsym(handle, name));
  if (!fn) {
    error = std::string("the library has no ") + name;
    return E_FAIL;
  }
  return fn();
}

void RegisterClass(const std::string& progId, const std::string& classId,
                   const std::string& libraryFile, const std::string& typeLibDescription) {
  Registry reg;
  (void)reg.CreateKey(kHkeyClassesRoot, progId + "\\CLSID");
  (void)reg.SetValue(kHkeyClassesRoot, progId, "", RegValue::Text(progId));
  (void)reg.SetValue(kHkeyClassesRoot, progId + "\\CLSID", "", RegValue::Text(classId));
  const std::string clsid = "CLSID\\" + classId;
  (void)reg.CreateKey(kHkeyClassesRoot, clsid + "\\InprocServer32");
  (void)reg.CreateKey(kHkeyClassesRoot, clsid + "\\ProgID");
  (void)reg.SetValue(kHkeyClassesRoot, clsid, "", RegValue::Text(progId));
  (void)reg.SetValue(kHkeyClassesRoot, clsid + "\\InprocServer32", "", RegValue::Text(libraryFile));
  (void)reg.SetValue(kHkeyClassesRoot, clsid + "\\ProgID", "", RegValue::Text(progId));
  if (!typeLibDescription.empty()) {
    (void)reg.CreateKey(kHkeyClassesRoot, clsid + "\\TypeLib");
    (void)reg.SetValue(kHkeyClassesRoot, clsid + "\\TypeLib", "",
                       RegValue::Text(typeLibDescription));
  }
}

void UnregisterClass(const std::string& progId, const std::string& classId) {
  Registry reg;
  (void)reg.DeleteTree(kHkeyClassesRoot, progId);
  (void)reg.DeleteTree(kHkeyClassesRoot, "CLSID\\" + classId);
}

std::string ClassIdFor(const std::string& progId) {
  // Two FNV-1a hashes of the identifier give the 128 bits of a name-based id.
  auto fnv = [&](uint64_t seed) {
    uint64_t h = seed;
    for (unsigned char c : progId) {
      h ^= c;
      h *= 0x100000001b3ull;
    }
    return h;
  };
  const uint64_t a = fnv(0xcbf29ce484222325ull);
  const uint64_t b = fnv(0x84222325cbf29ce4ull);
  char text[40];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%04X-%012llX}", static_cast<unsigned>(a >> 32),
                static_cast<unsigned>((a >> 16) & 0xFFFF), static_cast<unsigned>(a & 0xFFFF),
                static_cast<unsigned>(b >> 48),
                static_cast<unsigned long long>(b & 0xFFFFFFFFFFFFull));
  return text;
}

}  // namespace qv::platform
