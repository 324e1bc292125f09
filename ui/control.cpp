#include "ui/control.h"

#include "ui/constants.h"
#include "ui/form.h"
#include "ui/ui_error.h"

namespace qv::ui {

using automation::Args;
using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

const DispatchTable& Control::CommonMembers() {
  static const DispatchTable table =
      ClassTable<Control>("Control")
          .Get("Name", [](Control& c) { return c.Name(); })
          .Get("Index", [](Control& c) { return c.Index(); })
          .Prop(
              "Visible", [](Control& c) { return c.Visible(); },
              [](Control& c, const Variant& v) { c.Visible(v.ToBool()); })
          .Prop(
              "Enabled", [](Control& c) { return c.Enabled(); },
              [](Control& c, const Variant& v) { c.Enabled(v.ToBool()); })
          .Prop(
              "Left", [](Control& c) { return c.Left(); },
              [](Control& c, const Variant& v) { c.Left(v.ToDouble()); })
          .Prop(
              "Top", [](Control& c) { return c.Top(); },
              [](Control& c, const Variant& v) { c.Top(v.ToDouble()); })
          .Prop(
              "Width", [](Control& c) { return c.Width(); },
              [](Control& c, const Variant& v) { c.Width(v.ToDouble()); })
          .Prop(
              "Height", [](Control& c) { return c.Height(); },
              [](Control& c, const Variant& v) { c.Height(v.ToDouble()); })
          .Prop(
              "FontName", [](Control& c) { return c.Font().Name; },
              [](Control& c, const Variant& v) { c.Font().Name = v.ToText(); })
          .Prop(
              "FontSize", [](Control& c) { return c.Font().Size; },
              [](Control& c, const Variant& v) { c.Font().Size = v.ToDouble(); })
          .Prop(
              "FontBold", [](Control& c) { return c.Font().Bold; },
              [](Control& c, const Variant& v) { c.Font().Bold = v.ToBool(); })
          .Prop(
              "TabIndex", [](Control& c) { return c.TabIndex(); },
              [](Control& c, const Variant& v) { c.TabIndex(v.ToInt32()); })
          .Prop(
              "Tag", [](Control& c) { return c.Tag(); },
              [](Control& c, const Variant& v) { c.Tag(v.ToText()); })
          .Sub("Move",
               [](Control& c, Args& a) {
                 if (a.Has(2) || a.Has(3))
                   c.Move(a.Double(0), a.Opt(1, c.Top()).ToDouble(), a.Opt(2, c.Width()).ToDouble(),
                          a.Opt(3, c.Height()).ToDouble());
                 else
                   c.Move(a.Double(0), a.Opt(1, c.Top()).ToDouble());
               })
          .Sub("Click", [](Control& c, Args&) { c.Click(); })
          .Sub("DblClick", [](Control& c, Args&) { c.DblClick(); })
          .Sub("SetFocus", [](Control& c, Args&) { c.SetFocus(); })
          .Sub("Refresh", [](Control& c, Args&) { c.Refresh(); })
          .Build();
  return table;
}

const DispatchTable& Control::Members() const {
  return CommonMembers();
}

std::string Control::DisplayName() const {
  if (index_ < 0) return name_;
  return name_ + "(" + std::to_string(index_) + ")";
}

void Control::Width(double v) {
  if (v < 0) RaiseUi(err::kInvalidPropertyValue);
  width_ = v;
}

void Control::Height(double v) {
  if (v < 0) RaiseUi(err::kInvalidPropertyValue);
  height_ = v;
}

void Control::Move(double left, double top, double width, double height) {
  if (width < 0 || height < 0) RaiseUi(err::kInvalidPropertyValue);
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
}

void Control::Move(double left, double top) {
  left_ = left;
  top_ = top;
}

void Control::TabIndex(int32_t index) {
  if (index < 0) RaiseUi(err::kInvalidPropertyValue);
  if (form_)
    form_->ControlTabIndexChanged(*this, index);
  else
    tabIndex_ = index;
}

void Control::Caption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  if (form_) form_->ControlCaptionChanged(*this);
}

void Control::Text(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  auto keep = KeepFormAlive();
  OnChange();
}

void Control::SetFocus() {
  Form& form = RequireForm();
  if (!visible_ || !enabled_) automation::Raise(automation::err::kInvalidCall);
  form.ControlFocused(this);
}

bool Control::HasFocus() const {
  return form_ && form_->ActiveControl() == this;
}

void Control::Refresh() {
  if (form_) form_->ControlRepainted(*this);
}

void Control::Click() {
  if (!enabled_) return;
  auto keep = KeepFormAlive();
  OnClick();
}

void Control::DblClick() {
  if (!enabled_) return;
  auto keep = KeepFormAlive();
  OnDblClick();
}

void Control::KeyPress(int32_t& keyAscii) {
  if (!enabled_) return;
  auto keep = KeepFormAlive();
  OnKeyPress(keyAscii);
}

std::shared_ptr<automation::Dispatch> Control::KeepFormAlive() const {
  if (!form_) return nullptr;
  return form_->weak_from_this().lock();
}

Form& Control::RequireForm() const {
  if (!form_) RaiseUi(err::kObjectUnloaded);
  return *form_;
}

}  // namespace qv::ui
