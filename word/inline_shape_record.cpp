#include "word/inline_shape_record.h"

#include "word/record_text.h"

namespace qv::word {

std::optional<InlineShapeRecord> ReadInlineShapeRecord(std::string_view text) {
  InlineShapeRecord s;
  record_text::Reader r(text);
  auto control = [&] {
    if (r.Null()) return true;
    InlineControlRecord& c = s.control.emplace();
    return r.Object({"className", "classType", "name", "text"}, [&](size_t k) {
      return r.String(k == 0 ? c.className : k == 1 ? c.classType : k == 2 ? c.name : c.text);
    });
  };
  auto image = [&] {
    if (r.Null()) return true;
    s.hasImage = true;
    return r.Object({"data", "format"},
                    [&](size_t k) { return r.String(k == 0 ? s.imageData : s.imageFormat); });
  };
  const bool ok = r.Object({"alternativeText", "at", "borders", "control", "height", "image",
                            "lockAspectRatio", "source", "type", "width"},
                           [&](size_t k) {
                             switch (k) {
                               case 0:
                                 return r.String(s.alternativeText);
                               case 1:
                                 return r.Whole(s.at);
                               case 2:
                                 return record_text::ReadBorders(r, s.borders);
                               case 3:
                                 return control();
                               case 4:
                                 return r.Points(s.height);
                               case 5:
                                 return image();
                               case 6:
                                 return r.Bool(s.lockAspectRatio);
                               case 7:
                                 return r.String(s.source);
                               case 8:
                                 return r.Int32(s.type);
                               default:
                                 return r.Points(s.width);
                             }
                           });
  if (!ok || !r.AtEnd()) return std::nullopt;
  return s;
}

}  // namespace qv::word
