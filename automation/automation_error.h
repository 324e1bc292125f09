#pragma once
// The error an object model raises: a number and a description, as the host hands them to the
// caller's error handler. Every platform call that fails throws this; product procedures catch it
// at their entry (see error_trap.h).

#include <cstdint>
#include <stdexcept>
#include <string>

namespace qv::automation {

// Error numbers of the host's run-time that the platform raises.
namespace err {
inline constexpr int32_t kInvalidCall = 5;       // Invalid procedure call or argument
inline constexpr int32_t kOverflow = 6;          // Overflow
inline constexpr int32_t kSubscript = 9;         // Subscript out of range
inline constexpr int32_t kTypeMismatch = 13;     // Type mismatch
inline constexpr int32_t kFileNotFound = 53;     // File not found
inline constexpr int32_t kObjectNotSet = 91;     // Object variable or With block variable not set
inline constexpr int32_t kObjectRequired = 424;  // Object required
inline constexpr int32_t kCannotCreate = 429;    // ActiveX component can't create object
inline constexpr int32_t kNoSuchMember = 438;    // Object doesn't support this property or method
inline constexpr int32_t kWrongArgCount = 450;   // Wrong number of arguments
inline constexpr int32_t kObjectDeleted = 5825;  // Object has been deleted.
inline constexpr int32_t kNoSuchItem =
    5941;  // The requested member of the collection does not exist.
inline constexpr int32_t kDialogCancelled = 32755;  // Cancel was selected (common dialog)
}  // namespace err

class AutomationError : public std::runtime_error {
 public:
  AutomationError(int32_t number, std::string description)
      : std::runtime_error(description), number_(number), description_(std::move(description)) {}

  int32_t Number() const noexcept { return number_; }
  const std::string& Description() const noexcept { return description_; }

 private:
  int32_t number_;
  std::string description_;
};

// The host's standard description of one of its own error numbers ("" for unknown numbers).
std::string StandardDescription(int32_t number);

// Throws AutomationError with the standard description of `number`.
[[noreturn]] void Raise(int32_t number);

}  // namespace qv::automation
