#include "ui/text_box.h"

#include "ui/constants.h"

namespace qv::ui {

using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

namespace {

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

size_t CodePoints(const std::string& s) {
  size_t n = 0;
  for (unsigned char c : s)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

void DropLastCodePoint(std::string& s) {
  while (!s.empty()) {
    const auto c = static_cast<unsigned char>(s.back());
    s.pop_back();
    if ((c & 0xC0) != 0x80) break;
  }
}

}  // namespace

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
    DropLastCodePoint(text);
  } else if (key == vbKeyReturn) {
    if (!multiLine_) return;
    text += "\r\n";
  } else if (key >= 32) {
    if (MaxLength > 0 && CodePoints(text) >= static_cast<size_t>(MaxLength)) return;
    AppendUtf8(text, static_cast<uint32_t>(key));
  } else {
    return;
  }
  Text(text);
}

}  // namespace qv::ui
