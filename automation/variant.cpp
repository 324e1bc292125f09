#include "automation/variant.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "automation/automation_error.h"
#include "automation/dispatch.h"
#include "automation/text/ascii.h"

namespace qv::automation {

Variant& SafeArray::At(int32_t index) {
  if (index < lowerBound || index > UBound()) Raise(err::kSubscript);
  return elements[static_cast<size_t>(index - lowerBound)];
}

const Variant& SafeArray::At(int32_t index) const {
  if (index < lowerBound || index > UBound()) Raise(err::kSubscript);
  return elements[static_cast<size_t>(index - lowerBound)];
}

Variant Variant::Long(int64_t value) {
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
    Raise(err::kOverflow);
  return Variant(static_cast<int32_t>(value));
}

Variant Variant::Array(int32_t lowerBound, std::vector<Variant> elements) {
  auto a = std::make_shared<SafeArray>();
  a->lowerBound = lowerBound;
  a->elements = std::move(elements);
  return Variant(std::move(a));
}

Variant::Type Variant::GetType() const {
  switch (v_.index()) {
    case 0:
      return Type::Empty;
    case 1:
      return Type::Boolean;
    case 2:
      return Type::Int16;
    case 3:
      return Type::Int32;
    case 4:
      return Type::Double;
    case 5:
      return Type::Date;
    case 6:
      return Type::Text;
    case 7:
      return Type::Object;
    default:
      return Type::Array;
  }
}

std::string Variant::TypeName() const {
  switch (GetType()) {
    case Type::Empty:
      return "Empty";
    case Type::Boolean:
      return "Boolean";
    case Type::Int16:
      return "Integer";
    case Type::Int32:
      return "Long";
    case Type::Double:
      return "Double";
    case Type::Date:
      return "Date";
    case Type::Text:
      return "String";
    case Type::Object: {
      const auto& o = std::get<ObjectRef>(v_);
      return o ? o->TypeName() : "Nothing";
    }
    case Type::Array:
      return "Variant()";
  }
  return "Empty";
}

std::string FormatDouble(double d) {
  if (d == 0) return "0";
  if (std::isnan(d) || std::isinf(d)) Raise(err::kOverflow);
  char buf[64];
  // Up to 15 significant digits, without trailing zeros.
  std::snprintf(buf, sizeof buf, "%.15G", d);
  std::string s = buf;
  const auto e = s.find('E');
  std::string mantissa = s.substr(0, e);
  std::string exponent = e == std::string::npos ? "" : s.substr(e);
  if (mantissa.find('.') != std::string::npos) {
    while (!mantissa.empty() && mantissa.back() == '0')
      mantissa.pop_back();
    if (!mantissa.empty() && mantissa.back() == '.') mantissa.pop_back();
  }
  if (!exponent.empty()) {
    // "E+20", "E-05" → "E+20", "E-05": the host writes at least two exponent digits.
    const char sign = exponent[1];
    std::string digits = exponent.substr(2);
    while (digits.size() > 2 && digits[0] == '0')
      digits.erase(0, 1);
    exponent = std::string("E") + sign + digits;
  }
  return mantissa + exponent;
}

bool ParseNumber(const std::string& text, double& out) {
  size_t i = 0;
  size_t n = text.size();
  while (i < n && std::isspace(static_cast<unsigned char>(text[i])))
    ++i;
  while (n > i && std::isspace(static_cast<unsigned char>(text[n - 1])))
    --n;
  if (i == n) return false;
  const std::string t = text.substr(i, n - i);
  if (t.size() > 2 && t[0] == '&' && (t[1] == 'H' || t[1] == 'h')) {
    char* end = nullptr;
    const unsigned long long v = std::strtoull(t.c_str() + 2, &end, 16);
    if (*end != '\0' || v > 0xFFFFFFFFull) return false;
    // &H literals of up to 4 digits are 16-bit, of up to 8 digits 32-bit, both signed.
    if (t.size() - 2 <= 4)
      out = static_cast<int16_t>(static_cast<uint16_t>(v));
    else
      out = static_cast<int32_t>(static_cast<uint32_t>(v));
    return true;
  }
  // Only decimal forms: no "inf", "nan" or C hexadecimal floats.
  for (char c : t) {
    if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '+' || c == '-' ||
          c == 'e' || c == 'E'))
      return false;
  }
  char* end = nullptr;
  out = std::strtod(t.c_str(), &end);
  return end == t.c_str() + t.size() && std::isfinite(out);
}

bool Variant::IsNumeric() const {
  switch (GetType()) {
    case Type::Boolean:
    case Type::Int16:
    case Type::Int32:
    case Type::Double:
      return true;
    case Type::Text: {
      double d;
      return ParseNumber(std::get<std::string>(v_), d);
    }
    default:
      return false;
  }
}

std::string Variant::ToText() const {
  switch (GetType()) {
    case Type::Empty:
      return "";
    case Type::Boolean:
      return std::get<bool>(v_) ? "True" : "False";
    case Type::Int16:
      return std::to_string(std::get<int16_t>(v_));
    case Type::Int32:
      return std::to_string(std::get<int32_t>(v_));
    case Type::Double:
      return FormatDouble(std::get<double>(v_));
    case Type::Date:
      return std::get<Date>(v_).Text();
    case Type::Text:
      return std::get<std::string>(v_);
    default:
      Raise(err::kTypeMismatch);
  }
}

double Variant::ToDouble() const {
  switch (GetType()) {
    case Type::Empty:
      return 0;
    case Type::Boolean:
      return std::get<bool>(v_) ? -1 : 0;
    case Type::Int16:
      return std::get<int16_t>(v_);
    case Type::Int32:
      return std::get<int32_t>(v_);
    case Type::Double:
      return std::get<double>(v_);
    case Type::Date:
      return std::get<Date>(v_).Serial();
    case Type::Text: {
      double d;
      if (!ParseNumber(std::get<std::string>(v_), d)) Raise(err::kTypeMismatch);
      return d;
    }
    default:
      Raise(err::kTypeMismatch);
  }
}

int32_t Variant::ToInt32() const {
  if (GetType() == Type::Int32) return std::get<int32_t>(v_);
  const double d = std::nearbyint(ToDouble());  // round half to even, as the host does
  if (d < std::numeric_limits<int32_t>::min() || d > std::numeric_limits<int32_t>::max())
    Raise(err::kOverflow);
  return static_cast<int32_t>(d);
}

int16_t Variant::ToInt16() const {
  const int32_t i = ToInt32();
  if (i < std::numeric_limits<int16_t>::min() || i > std::numeric_limits<int16_t>::max())
    Raise(err::kOverflow);
  return static_cast<int16_t>(i);
}

bool Variant::ToBool() const {
  if (GetType() == Type::Boolean) return std::get<bool>(v_);
  if (GetType() == Type::Text) {
    const std::string t = text::AsciiLowered(std::get<std::string>(v_));
    if (t == "true") return true;
    if (t == "false") return false;
  }
  return ToDouble() != 0;
}

Date Variant::ToDate() const {
  switch (GetType()) {
    case Type::Date:
      return std::get<Date>(v_);
    case Type::Text: {
      if (auto d = Date::Parse(std::get<std::string>(v_))) return *d;
      Raise(err::kTypeMismatch);
    }
    default:
      return Date(ToDouble());
  }
}

ObjectRef Variant::ToObject() const {
  if (!IsObject()) Raise(err::kObjectRequired);
  return std::get<ObjectRef>(v_);
}

ArrayRef Variant::ToArray() const {
  if (!IsArray()) Raise(err::kTypeMismatch);
  return std::get<ArrayRef>(v_);
}

bool operator==(const Variant& a, const Variant& b) {
  return a.v_ == b.v_;
}

}  // namespace qv::automation
