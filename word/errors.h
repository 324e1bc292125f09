#pragma once
// The errors the word processor's object model raises, with the host's numbers and texts.

#include "automation/automation_error.h"

namespace qv::word {

inline constexpr int32_t kErrNoDocument = 4248;
inline constexpr int32_t kErrFileNotFound = 5174;
inline constexpr int32_t kErrCorruptFile = 5151;
inline constexpr int32_t kErrBadParameter = 5149;
inline constexpr int32_t kErrNotInTable = 5991;
inline constexpr int32_t kErrFileNotRead = 5152;   // a picture or other file could not be read
inline constexpr int32_t kErrFileNotSaved = 5153;  // a document, template or list was not written
inline constexpr int32_t kErrCommandFailed = 4198;

// The largest page, table, cell or picture measurement the object model takes, in points.
inline constexpr double kMaxMeasurement = 1584;

[[noreturn]] void RaiseDeleted();                  // 5825 Object has been deleted.
[[noreturn]] void RaiseNoItem();                   // 5941 The requested member ...
[[noreturn]] void RaiseNoDocument();               // 4248 ... no document is open.
[[noreturn]] void RaiseBadValue();                 // 5149 The measurement must be ...
[[noreturn]] void RaiseInvalidCall();              // 5 Invalid procedure call or argument
[[noreturn]] void RaiseNotAvailable(const char*);  // 4605 This method or property is not ...
// Raises 5149 unless 0 <= points <= kMaxMeasurement.
void CheckMeasurement(double points);

// A one-based collection index checked against the count (5941 outside 1..count).
size_t CheckIndex(int64_t index, size_t count);

}  // namespace qv::word
