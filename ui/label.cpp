#include "ui/label.h"

namespace qv::ui {

using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

const DispatchTable& Label::Members() const {
  static const DispatchTable table =
      ClassTable<Label>("Label")
          .Inherit(Control::CommonMembers())
          .Prop(
              "Caption", [](Label& c) { return c.Caption(); },
              [](Label& c, const Variant& v) { c.Caption(v.ToText()); })
          .Prop(
              "Alignment", [](Label& c) { return c.Alignment; },
              [](Label& c, const Variant& v) { c.Alignment = v.ToInt32(); })
          .Prop(
              "AutoSize", [](Label& c) { return c.AutoSize; },
              [](Label& c, const Variant& v) { c.AutoSize = v.ToBool(); })
          .Prop(
              "WordWrap", [](Label& c) { return c.WordWrap; },
              [](Label& c, const Variant& v) { c.WordWrap = v.ToBool(); })
          .Default("Caption")
          .Build();
  return table;
}

const DispatchTable& Frame::Members() const {
  static const DispatchTable table =
      ClassTable<Frame>("Frame")
          .Inherit(Control::CommonMembers())
          .Prop(
              "Caption", [](Frame& c) { return c.Caption(); },
              [](Frame& c, const Variant& v) { c.Caption(v.ToText()); })
          .Default("Caption")
          .Build();
  return table;
}

const DispatchTable& Line::Members() const {
  static const DispatchTable table = ClassTable<Line>("Line")
                                         .Inherit(Control::CommonMembers())
                                         .Prop(
                                             "X1", [](Line& c) { return c.X1; },
                                             [](Line& c, const Variant& v) { c.X1 = v.ToDouble(); })
                                         .Prop(
                                             "Y1", [](Line& c) { return c.Y1; },
                                             [](Line& c, const Variant& v) { c.Y1 = v.ToDouble(); })
                                         .Prop(
                                             "X2", [](Line& c) { return c.X2; },
                                             [](Line& c, const Variant& v) { c.X2 = v.ToDouble(); })
                                         .Prop(
                                             "Y2", [](Line& c) { return c.Y2; },
                                             [](Line& c, const Variant& v) { c.Y2 = v.ToDouble(); })
                                         .Build();
  return table;
}

}  // namespace qv::ui
