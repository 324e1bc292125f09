#pragma once
// The host's date value: days since 30 December 1899 with the time of day as the fraction, and its
// default text form ("12/7/2026 5:40:24 AM"; a date alone when the time is midnight, a time alone
// when the date is the zero day).

#include <cstdint>
#include <optional>
#include <string>

namespace qv::automation {

struct DateParts {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0;
};

class Date {
 public:
  Date() = default;
  explicit Date(double serial) : serial_(serial) {}

  static Date FromParts(const DateParts& p);
  double Serial() const { return serial_; }
  DateParts Parts() const;

  // The default text form of the host (US English regional settings).
  std::string Text() const;
  // Reads the default text form back ("M/D/YYYY", "h:mm:ss AM", or both); nullopt when it is not
  // one.
  static std::optional<Date> Parse(const std::string& text);

  friend bool operator==(const Date&, const Date&) = default;

 private:
  double serial_ = 0;
};

}  // namespace qv::automation
