#pragma once
// How automation values cross between processes. Plain values travel as JSON (empty as null,
// Boolean, 32-bit integers as JSON integers, doubles as JSON numbers with a fraction, texts as
// strings); the kinds JSON cannot tell apart travel tagged: {"$i2": n} for a 16-bit integer,
// {"$date": serial} for a date, {"$array": [lowerBound, [elements...]]} for an array. Objects
// never cross: each side puts an id in their place ({"$obj": id, ...}) through its ObjectMarshal.

#include <functional>

#include <nlohmann/json.hpp>

#include "automation/variant.h"

namespace qv::platform::rot {

struct ObjectMarshal {
  // The wire form of an object (a null reference, "Nothing", included).
  std::function<nlohmann::json(const automation::ObjectRef&)> toWire;
  // The object of a wire form {"$obj": ...}; raises AutomationError when it names no object.
  std::function<automation::ObjectRef(const nlohmann::json&)> fromWire;
};

nlohmann::json EncodeValue(const automation::Variant& value, const ObjectMarshal& objects);
// Raises AutomationError 13 (type mismatch) for a wire form that is no value.
automation::Variant DecodeValue(const nlohmann::json& wire, const ObjectMarshal& objects);

}  // namespace qv::platform::rot
