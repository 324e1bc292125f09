#include "automation/date.h"

#include <cmath>
#include <cstdio>
#include <regex>

namespace qv::automation {
namespace {

// Days from 1970-01-01 for a civil date (proleptic Gregorian), after H. Hinnant's algorithm.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (m <= 2));
}

constexpr int64_t kEpochOffset = 25569;  // days from 1899-12-30 to 1970-01-01

}  // namespace

Date Date::FromParts(const DateParts& p) {
  const int64_t days =
      DaysFromCivil(p.year, static_cast<unsigned>(p.month), static_cast<unsigned>(p.day)) +
      kEpochOffset;
  const double fraction = (p.hour * 3600 + p.minute * 60 + p.second) / 86400.0;
  // Before the zero day the host stores the time as a positive fraction after a negative day.
  return Date(days >= 0 ? static_cast<double>(days) + fraction
                        : static_cast<double>(days) - fraction);
}

DateParts Date::Parts() const {
  DateParts p;
  const double whole = std::trunc(serial_);
  const double fraction = std::fabs(serial_ - whole);
  auto seconds = static_cast<int64_t>(std::llround(fraction * 86400.0));
  int64_t days = static_cast<int64_t>(whole);
  if (seconds >= 86400) {
    seconds -= 86400;
    days += serial_ >= 0 ? 1 : -1;
  }
  CivilFromDays(days - kEpochOffset, p.year, p.month, p.day);
  p.hour = static_cast<int>(seconds / 3600);
  p.minute = static_cast<int>(seconds / 60 % 60);
  p.second = static_cast<int>(seconds % 60);
  return p;
}

std::string Date::Text() const {
  const DateParts p = Parts();
  char date[32];
  char time[32];
  std::snprintf(date, sizeof date, "%d/%d/%d", p.month, p.day, p.year);
  const int h12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
  std::snprintf(time, sizeof time, "%d:%02d:%02d %s", h12, p.minute, p.second,
                p.hour < 12 ? "AM" : "PM");
  const bool hasTime = p.hour != 0 || p.minute != 0 || p.second != 0;
  const bool hasDate = std::trunc(serial_) != 0;
  if (!hasDate && hasTime) return time;
  if (!hasTime) return date;
  return std::string(date) + " " + time;
}

std::optional<Date> Date::Parse(const std::string& text) {
  static const std::regex form(
      R"(^\s*(?:(\d{1,2})/(\d{1,2})/(\d{4}))?\s*(?:(\d{1,2}):(\d{2})(?::(\d{2}))?\s*([AaPp][Mm])?)?\s*$)");
  std::smatch m;
  if (!std::regex_match(text, m, form) || (!m[1].matched && !m[4].matched)) return std::nullopt;
  DateParts p;
  if (m[1].matched) {
    p.month = std::stoi(m[1]);
    p.day = std::stoi(m[2]);
    p.year = std::stoi(m[3]);
    if (p.month < 1 || p.month > 12 || p.day < 1 || p.day > 31) return std::nullopt;
  }
  if (m[4].matched) {
    p.hour = std::stoi(m[4]);
    p.minute = std::stoi(m[5]);
    p.second = m[6].matched ? std::stoi(m[6]) : 0;
    if (m[7].matched) {
      if (p.hour < 1 || p.hour > 12) return std::nullopt;
      const bool pm = m[7].str()[0] == 'P' || m[7].str()[0] == 'p';
      p.hour = p.hour % 12 + (pm ? 12 : 0);
    }
    if (p.hour > 23 || p.minute > 59 || p.second > 59) return std::nullopt;
  }
  return FromParts(p);
}

}  // namespace qv::automation
