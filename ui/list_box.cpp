#include "ui/list_box.h"

#include "ui/constants.h"
#include "ui/ui_error.h"

namespace qv::ui {

using automation::Args;
using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

const DispatchTable& ListBox::Members() const {
  static const DispatchTable table =
      ClassTable<ListBox>("ListBox")
          .Inherit(Control::CommonMembers())
          .Sub("AddItem",
               [](ListBox& c, Args& a) { c.AddItem(a.Text(0), a.Opt(1, Variant(-1)).ToInt32()); })
          .Sub("RemoveItem", [](ListBox& c, Args& a) { c.RemoveItem(a.Int(0)); })
          .Sub("Clear", [](ListBox& c, Args&) { c.Clear(); })
          .GetArgs("List", [](ListBox& c, Args& a) { return c.List(a.Int(0)); })
          .Get("ListCount", [](ListBox& c) { return c.ListCount(); })
          .Prop(
              "ListIndex", [](ListBox& c) { return c.ListIndex(); },
              [](ListBox& c, const Variant& v) { c.ListIndex(v.ToInt32()); })
          .Prop(
              "Text", [](ListBox& c) { return c.Text(); },
              [](ListBox& c, const Variant& v) { c.Text(v.ToText()); })
          .Sub("DblClickItem", [](ListBox& c, Args& a) { c.DblClickItem(a.Int(0)); })
          .Default("Text")
          .Build();
  return table;
}

void ListBox::AddItem(const std::string& item, int32_t index) {
  if (index < 0) {
    items_.push_back(item);
    return;
  }
  if (index > ListCount()) automation::Raise(automation::err::kInvalidCall);
  items_.insert(items_.begin() + index, item);
  if (listIndex_ >= index) ++listIndex_;
}

void ListBox::RemoveItem(int32_t index) {
  if (index < 0 || index >= ListCount()) automation::Raise(automation::err::kInvalidCall);
  items_.erase(items_.begin() + index);
  if (listIndex_ == index)
    listIndex_ = -1;
  else if (listIndex_ > index)
    --listIndex_;
}

void ListBox::Clear() {
  items_.clear();
  listIndex_ = -1;
}

std::string ListBox::List(int32_t index) const {
  if (index < 0 || index >= ListCount()) return "";
  return items_[static_cast<size_t>(index)];
}

void ListBox::List(int32_t index, const std::string& item) {
  if (index < 0 || index >= ListCount()) RaiseUi(err::kInvalidPropertyArrayIndex);
  items_[static_cast<size_t>(index)] = item;
}

void ListBox::ListIndex(int32_t index) {
  if (index < -1 || index >= ListCount()) RaiseUi(err::kInvalidPropertyValue);
  if (index == listIndex_) return;
  listIndex_ = index;
  auto keep = KeepFormAlive();
  OnClick();
}

std::string ListBox::Text() const {
  return List(listIndex_);
}

void ListBox::Text(const std::string& text) {
  for (int32_t i = 0; i < ListCount(); ++i)
    if (items_[static_cast<size_t>(i)] == text) {
      ListIndex(i);
      return;
    }
  ListIndex(-1);
}

void ListBox::DblClickItem(int32_t index) {
  if (!Enabled()) return;
  ListIndex(index);
  DblClick();
}

const DispatchTable& CheckBox::Members() const {
  static const DispatchTable table =
      ClassTable<CheckBox>("CheckBox")
          .Inherit(Control::CommonMembers())
          .Prop(
              "Caption", [](CheckBox& c) { return c.Caption(); },
              [](CheckBox& c, const Variant& v) { c.Caption(v.ToText()); })
          .Prop(
              "Value", [](CheckBox& c) { return c.Value(); },
              [](CheckBox& c, const Variant& v) {
                // A script may write True/False as well as 0/1.
                c.Value(v.GetType() == Variant::Type::Boolean ? (v.ToBool() ? 1 : 0) : v.ToInt32());
              })
          .Default("Value")
          .Build();
  return table;
}

void CheckBox::Value(int32_t value) {
  if (value < vbUnchecked || value > vbGrayed) RaiseUi(err::kInvalidPropertyValue);
  if (value == value_) return;
  value_ = value;
  auto keep = KeepFormAlive();
  OnClick();
}

void CheckBox::Click() {
  if (!Enabled()) return;
  Value(value_ == vbChecked ? vbUnchecked : vbChecked);
}

}  // namespace qv::ui
