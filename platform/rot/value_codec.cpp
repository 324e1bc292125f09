#include "platform/rot/value_codec.h"

#include <limits>

#include "automation/automation_error.h"

namespace qv::platform::rot {

using automation::Variant;
using nlohmann::json;

namespace {

[[noreturn]] void BadValue(const std::string& what) {
  throw automation::AutomationError(automation::err::kTypeMismatch,
                                    "Type mismatch: " + what + " is not a value");
}

Variant Decode(const json& wire, const ObjectMarshal& objects, int depth) {
  if (depth > 32) BadValue("an array nested this deep");
  switch (wire.type()) {
    case json::value_t::null:
      return Variant();
    case json::value_t::boolean:
      return Variant(wire.get<bool>());
    case json::value_t::number_integer:
    case json::value_t::number_unsigned: {
      if (wire.is_number_unsigned() &&
          wire.get<uint64_t>() > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
        return Variant(static_cast<double>(wire.get<uint64_t>()));
      const int64_t n = wire.get<int64_t>();
      if (n < std::numeric_limits<int32_t>::min() || n > std::numeric_limits<int32_t>::max())
        return Variant(static_cast<double>(n));
      return Variant(static_cast<int32_t>(n));
    }
    case json::value_t::number_float:
      return Variant(wire.get<double>());
    case json::value_t::string:
      return Variant(wire.get<std::string>());
    case json::value_t::object:
      break;
    default:
      BadValue(wire.dump());
  }
  if (wire.size() >= 1 && wire.contains("$obj")) return Variant(objects.fromWire(wire));
  if (wire.size() != 1) BadValue("an object of " + std::to_string(wire.size()) + " fields");
  if (auto it = wire.find("$i2"); it != wire.end() && it->is_number_integer()) {
    const int64_t n = it->get<int64_t>();
    if (n < std::numeric_limits<int16_t>::min() || n > std::numeric_limits<int16_t>::max())
      BadValue("a 16-bit integer out of range");
    return Variant(static_cast<int16_t>(n));
  }
  if (auto it = wire.find("$date"); it != wire.end() && it->is_number())
    return Variant(automation::Date(it->get<double>()));
  if (auto it = wire.find("$array"); it != wire.end() && it->is_array() && it->size() == 2 &&
                                     (*it)[0].is_number_integer() && (*it)[1].is_array()) {
    std::vector<Variant> elements;
    for (const auto& e : (*it)[1])
      elements.push_back(Decode(e, objects, depth + 1));
    const int64_t lb = (*it)[0].get<int64_t>();
    if (lb < std::numeric_limits<int32_t>::min() / 2 ||
        lb > std::numeric_limits<int32_t>::max() / 2)
      BadValue("an array bound out of range");
    return Variant::Array(static_cast<int32_t>(lb), std::move(elements));
  }
  BadValue("a tagged object");
}

}  // namespace

json EncodeValue(const Variant& value, const ObjectMarshal& objects) {
  switch (value.GetType()) {
    case Variant::Type::Empty:
      return nullptr;
    case Variant::Type::Boolean:
      return value.ToBool();
    case Variant::Type::Int16:
      return json{{"$i2", value.ToInt16()}};
    case Variant::Type::Int32:
      return value.ToInt32();
    case Variant::Type::Double:
      return value.ToDouble();
    case Variant::Type::Date:
      return json{{"$date", value.ToDate().Serial()}};
    case Variant::Type::Text:
      return value.ToText();
    case Variant::Type::Object:
      return objects.toWire(value.ToObject());
    case Variant::Type::Array: {
      const auto array = value.ToArray();
      json elements = json::array();
      for (const auto& e : array->elements)
        elements.push_back(EncodeValue(e, objects));
      return json{{"$array", json::array({array->lowerBound, std::move(elements)})}};
    }
  }
  BadValue(value.TypeName());
}

Variant DecodeValue(const json& wire, const ObjectMarshal& objects) {
  return Decode(wire, objects, 0);
}

}  // namespace qv::platform::rot
