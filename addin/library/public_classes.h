#pragma once
// The add-in library's public classes, by programmatic identifier ("KZOWord." + class name), and
// the registration that makes the word processor and automation clients find them.

#include <string>
#include <vector>

#include "automation/dispatch.h"

namespace qv::addin {

inline constexpr const char* kTypeLibDescription = "Quorvanta COM Addin for Microsoft Word";
inline constexpr const char* kFriendlyName = "Quorvanta Add-Ins";

// The identifiers of every public class, "KZOWord.Connect" first.
std::vector<std::string> PublicProgIds();

// Creates an object of a public class; null for an identifier the library does not have.
automation::ObjectRef CreatePublicObject(const std::string& progId);

// Writes (or removes) the registration of every public class with the library file, and the
// add-in's registration for the word processor under the current user (friendly name, load at
// start-up).
void RegisterLibrary(const std::string& libraryFile);
void UnregisterLibrary();

}  // namespace qv::addin
