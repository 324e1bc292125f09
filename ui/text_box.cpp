#include "ui/text_box.h"

#include "automation/text/utf8.h"
#include "ui/constants.h"

namespace qv::ui {

using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

const DispatchTable& TextBox::Members() const {
  static const DispatchTable table =
      ClassTable<TextBox>("TextBox")
          .Inherit(Control::CommonMembers())
          .Prop(
              "Text", [](TextBox& c) { return c.Text(); },
              [](TextBox& c, const Variant& v) { c.Text(v.ToText()); })
          .Get("MultiLine", [](TextBox& c) { return c.MultiLine(); })
          .Prop(
              "Locked", [](TextBox& c) { return c.Locked; },
              [](TextBox& c, const Variant& v) { c.Locked = v.ToBool(); })
          .Prop(
              "MaxLength", [](TextBox& c) { return c.MaxLength; },
              [](TextBox& c, const Variant& v) { c.MaxLength = v.ToInt32(); })
          .Sub("Type", [](TextBox& c, automation::Args& a) { c.Type(a.Int(0)); })
          .Default("Text")
          .Build();
  return table;
}

void TextBox::Type(int32_t key) {
  if (!Enabled() || Locked || key <= 0 || key > 0x10FFFF) return;
  std::string text = Text();
  if (key == vbKeyBack) {
    qv::text::DropLastCodePoint(text);
  } else if (key == vbKeyReturn) {
    if (!multiLine_) return;
    text += "\r\n";
  } else if (key >= 32) {
    if (MaxLength > 0 && qv::text::CountCodePoints(text) >= static_cast<size_t>(MaxLength)) return;
    qv::text::AppendUtf8(text, static_cast<char32_t>(key));
  } else {
    return;
  }
  Text(text);
}

}  // namespace qv::ui
