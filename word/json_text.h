#pragma once
// JSON text of the native document file without a tree of the whole document.
//
// `PrettyJsonWriter` writes a record member by member, laid out exactly as nlohmann's
// dump(1, ' ', false, strict) lays out the same tree: every value (numbers, strings and any
// small record) is written by nlohmann's own serializer at the depth it has, only the braces,
// separators and indentation of the containers around them are written here. Keys must be given
// in the order nlohmann keeps them (sorted).
//
// `ScanObjectMembers` finds the members of a JSON object text and the items of its array members
// as spans of the text, so that a reader can parse one part at a time.

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace qv::word {

class PrettyJsonWriter {
 public:
  explicit PrettyJsonWriter(std::string& out);

  // A member's key (plain ASCII, no escapes); the next value or container is its value.
  PrettyJsonWriter& Key(std::string_view key);
  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // Raises nlohmann's type_error 316 for a string that is not valid UTF-8, as dump does.
  void Value(const nlohmann::json& value);

 private:
  void Next();

  std::string& out_;
  nlohmann::detail::serializer<nlohmann::json> serializer_;
  std::vector<size_t> counts_;  // values written so far in each open container
  bool keyed_ = false;
#ifndef NDEBUG
  std::vector<std::string> lastKeys_;  // checks the sorted order in debug builds
#endif
};

struct JsonMember {
  std::string_view text;  // the member's whole value
  bool isArray = false;
  std::vector<std::string_view> items;  // an array's items
};

// The members of `text` when it is one JSON object that nlohmann parses to the same values part by
// part as whole; nullopt when the scanner cannot vouch for that (a syntax fault, a byte order mark,
// a key written with escapes or given twice, a surrogate escape, a number that may overflow), in
// which case the caller parses the whole text the ordinary way.
std::optional<std::map<std::string, JsonMember, std::less<>>> ScanObjectMembers(
    std::string_view text);

}  // namespace qv::word
