#pragma once
// The value every automation call passes and returns, with the host's conversions between its
// kinds: empty, Boolean, 16- and 32-bit integers, double, text, date, object and a
// one-dimensional array with its own lower bound (as the connection events pass the custom array).

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "automation/date.h"

namespace qv::automation {

class Dispatch;
using ObjectRef = std::shared_ptr<Dispatch>;
class Variant;

// A one-dimensional array whose first element has the index `lowerBound`.
struct SafeArray {
  int32_t lowerBound = 0;
  std::vector<Variant> elements;

  // Defined after Variant: clang instantiates the vector's members here, where Variant is still
  // incomplete.
  int32_t UBound() const;
  // The element at `index` counted from the lower bound; raises "Subscript out of range" outside.
  Variant& At(int32_t index);
  const Variant& At(int32_t index) const;
};
using ArrayRef = std::shared_ptr<SafeArray>;

class Variant {
 public:
  // The host's variant type numbers.
  enum class Type : int {
    Empty = 0,
    Int16 = 2,
    Int32 = 3,
    Double = 5,
    Date = 7,
    Text = 8,
    Object = 9,
    Boolean = 11,
    Array = 0x200C,
  };

  Variant() = default;
  Variant(bool b) : v_(b) {}
  Variant(int16_t i) : v_(i) {}
  Variant(int32_t i) : v_(i) {}
  Variant(double d) : v_(d) {}
  Variant(Date d) : v_(d) {}
  Variant(std::string s) : v_(std::move(s)) {}
  Variant(const char* s) : v_(std::string(s)) {}
  Variant(ObjectRef o) : v_(std::move(o)) {}
  Variant(ArrayRef a) : v_(std::move(a)) {}
  template <class T>
  requires std::is_base_of_v<Dispatch, T> Variant(std::shared_ptr<T> o)
      : v_(ObjectRef(std::move(o))) {}

  // A 32-bit integer from any integral count (sizes, indexes); raises Overflow beyond 32 bits.
  static Variant Long(int64_t value);
  static Variant Array(int32_t lowerBound, std::vector<Variant> elements);

  Type GetType() const;
  bool IsEmpty() const { return std::holds_alternative<std::monostate>(v_); }
  bool IsObject() const { return std::holds_alternative<ObjectRef>(v_); }
  bool IsText() const { return std::holds_alternative<std::string>(v_); }
  bool IsArray() const { return std::holds_alternative<ArrayRef>(v_); }
  bool IsNumeric() const;  // as the host's IsNumeric: numbers, and text that reads as one

  // Conversions with the host's rules; each raises Type mismatch (13) or Overflow (6).
  std::string ToText() const;  // empty is "", true is "True", numbers in their shortest form
  int32_t ToInt32() const;     // doubles round half to even; text is parsed
  int16_t ToInt16() const;
  double ToDouble() const;
  bool ToBool() const;  // numbers: not 0; text: "True"/"False" in any case, or a number
  Date ToDate() const;
  ObjectRef ToObject() const;  // raises Object required (424) unless an object (null allowed)
  ArrayRef ToArray() const;    // raises Type mismatch unless an array

  // The host's name of the kind ("Empty", "Boolean", "Integer", "Long", "Double", "String", ...).
  std::string TypeName() const;

  // Same kind and equal value (objects: the same object).
  friend bool operator==(const Variant& a, const Variant& b);

 private:
  std::variant<std::monostate, bool, int16_t, int32_t, double, Date, std::string, ObjectRef,
               ArrayRef>
      v_;
};

inline int32_t SafeArray::UBound() const {
  return lowerBound + static_cast<int32_t>(elements.size()) - 1;
}

// The host's text form of a double (up to 15 significant digits, "1E+20" for large values).
std::string FormatDouble(double d);
// Parses a number as the host's text conversions do (blanks around, optional sign, decimals,
// exponent, "&H" hexadecimal); false when the text is not one.
bool ParseNumber(const std::string& text, double& out);

}  // namespace qv::automation
