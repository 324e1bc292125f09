#include "ui/image.h"

namespace qv::ui {

using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

namespace {

// Scripts read the picture as its path and assign a path to load one.
template <class T>
ClassTable<T>& PictureMembers(ClassTable<T>& t) {
  return t
      .Prop(
          "Picture", [](T& c) { return c.Picture().path; },
          [](T& c, const Variant& v) { c.LoadPicture(v.ToText()); })
      .Get("PictureWidth", [](T& c) { return c.Picture().size.width; })
      .Get("PictureHeight", [](T& c) { return c.Picture().size.height; })
      .Prop(
          "Stretch", [](T& c) { return c.Stretch; },
          [](T& c, const Variant& v) { c.Stretch = v.ToBool(); });
}

}  // namespace

void Image::Picture(ui::Picture picture) {
  picture_ = std::move(picture);
  if (!Stretch && !picture_.Empty()) {
    Width(picture_.WidthTwips());
    Height(picture_.HeightTwips());
  }
}

std::string Image::Describe() const {
  return picture_.Empty() ? std::string() : "picture " + picture_.path;
}

const DispatchTable& Image::Members() const {
  static const DispatchTable table = [] {
    ClassTable<Image> t("Image");
    t.Inherit(Control::CommonMembers());
    return PictureMembers(t).Default("Picture").Build();
  }();
  return table;
}

const DispatchTable& PictureBox::Members() const {
  static const DispatchTable table = [] {
    ClassTable<PictureBox> t("PictureBox");
    t.Inherit(Control::CommonMembers());
    PictureMembers(t).Prop(
        "AutoSize", [](PictureBox& c) { return c.AutoSize; },
        [](PictureBox& c, const Variant& v) { c.AutoSize = v.ToBool(); });
    return t.Default("Picture").Build();
  }();
  return table;
}

}  // namespace qv::ui
