#include "addin/questions/g_markers.h"

#include "addin/questions/attribute_string.h"
#include "automation/error_trap.h"
#include "word/inline_shape.h"
#include "word/range.h"
#include "word/shape.h"
#include "word/table.h"

namespace qv::addin {
namespace {

// Whether the alternative text begins with the marker kind; a text that cannot be read is none.
template <class Item>
bool AltTextHasKind(const std::shared_ptr<Item>& item, const char* kind) {
  if (!item) return false;
  automation::ErrorsIgnored ignore;
  const std::string alt = ignore.Value([&] { return item->AlternativeText(); }, std::string());
  return HasMarkerKind(alt, kind);
}

}  // namespace

bool IsQuestionMarker(const std::shared_ptr<word::InlineShape>& picture) {
  return AltTextHasKind(picture, kQuestionMarker);
}

bool IsAnswerMarker(const std::shared_ptr<word::InlineShape>& picture) {
  return AltTextHasKind(picture, kAnswerMarker);
}

bool IsBlankMarker(const std::shared_ptr<word::InlineShape>& picture) {
  return AltTextHasKind(picture, kBlankMarker);
}

bool IsAnswerShape(const std::shared_ptr<word::Shape>& shape) {
  if (!shape) return false;
  automation::ErrorsIgnored ignore;
  const std::string alt = ignore.Value([&] { return shape->Data().alt; }, std::string());
  return HasMarkerKind(alt, kAnswerMarker);
}

bool IsTextBoxControl(const std::shared_ptr<word::InlineShape>& picture) {
  if (!picture) return false;
  automation::ErrorsIgnored ignore;
  return ignore.Value(
      [&] {
        auto format = picture->OLEFormat();
        auto object = format ? format->Object() : nullptr;
        return object != nullptr && object->TypeName() == "TextBox";
      },
      false);
}

void SetAttr(const std::shared_ptr<word::InlineShape>& picture, const std::string& key,
             const std::string& value) {
  if (!picture) automation::Raise(automation::err::kObjectNotSet);
  picture->SetAlternativeText(WithAttr(picture->AlternativeText(), key, value));
}

bool IsQuestionTable(const std::shared_ptr<word::Table>& table) {
  if (!table || table->Rows()->Count() < 1) return false;
  auto pictures = table->Rows()->Item(1)->Range()->InlineShapes();
  if (pictures->Count() < 1) return false;
  return IsQuestionMarker(pictures->Item(1));
}

int32_t GetQuestionType(const std::shared_ptr<word::Table>& table) {
  if (!table) automation::Raise(automation::err::kObjectNotSet);
  auto pictures = table->Rows()->Item(1)->Range()->InlineShapes();
  return GetQType(pictures->Item(1)->AlternativeText());
}

std::string GetQuestionDescription(const std::shared_ptr<word::Table>& table) {
  if (!table) automation::Raise(automation::err::kObjectNotSet);
  if (table->Rows()->Count() < 4) return "No question description available";
  return RangeText(*table->Cell(3, 1)->Range());
}

std::string RangeText(word::Range& range) {
  std::string text = range.Text();
  std::erase(text, '\x07');
  return text;
}

}  // namespace qv::addin
