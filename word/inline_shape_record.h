#pragma once
// The quick reading of one inline shape record of the native file (a picture, a marker or an
// embedded control). A document of questions holds several for every question, each a small
// record around its picture's base64 data; going through a JSON tree for each was the larger part
// of an open after the tables. Only a record exactly as the saver writes it is read here (see
// word/record_text.h); any other gets nullopt and goes through the tree and the loader's checks.
// The picture's data and every string are views into the record's text.

#include <cstdint>
#include <optional>
#include <string_view>

#include "word/formatting.h"

namespace qv::word {

struct InlineControlRecord {
  std::string_view className;
  std::string_view classType;
  std::string_view name;
  std::string_view text;
};

struct InlineShapeRecord {
  int64_t at = 0;
  int32_t type = 0;
  std::string_view alternativeText;
  BorderData borders;
  std::optional<InlineControlRecord> control;
  double width = 0;
  double height = 0;
  bool lockAspectRatio = false;
  bool hasImage = false;
  std::string_view imageData;  // base64, not yet decoded or checked
  std::string_view imageFormat;
  std::string_view source;
};

std::optional<InlineShapeRecord> ReadInlineShapeRecord(std::string_view text);

}  // namespace qv::word
