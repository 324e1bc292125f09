#pragma once
// Where the settings live: the hive and the key paths that the add-in and the installer share.
// Key names match without regard to case, so the installer's "Word Add-in" and the add-in's
// "Word Add-In" name the same key.

#include <cstdint>

namespace qv::online {

// The hive of every setting: the current user's.
inline constexpr uint32_t HKEY_CURRENT_USER = 0x80000001u;

// The company key: strHost, strQuery, isInstallOK.
inline constexpr const char* kCompanyKey = "SOFTWARE\\Quorvanta Technologies, Inc.";
// The add-in key: installation paths, first-run flags, version, numAs, LastQType, ...
inline constexpr const char* kAddinKey = "SOFTWARE\\Quorvanta Technologies, Inc.\\Word Add-In";
// The PowerPoint add-in's key; removed with the others at uninstallation.
inline constexpr const char* kPowerPointKey =
    "SOFTWARE\\Quorvanta Technologies, Inc.\\PowerPoint Add-in";
// The parent of every word-processor add-in registration.
inline constexpr const char* kWordAddinsKey = "SOFTWARE\\Microsoft\\Office\\Word\\Addins";
// The registration that makes the word processor load the add-in.
inline constexpr const char* kWordAddinRegistrationKey =
    "SOFTWARE\\Microsoft\\Office\\Word\\Addins\\KZOWord.Connect";

}  // namespace qv::online
