#pragma once
// An image control and a picture box: both show a picture loaded from a file (ui/picture.h).
// A picture box is also a container, like a frame.

#include "ui/control.h"
#include "ui/picture.h"

namespace qv::ui {

class Image : public Control {
 public:
  const automation::DispatchTable& Members() const override;
  std::string Describe() const override;

  const ui::Picture& Picture() const { return picture_; }
  void Picture(ui::Picture picture);
  // Loads the picture from `path` ("" clears it); raises 53 for a missing file, 481 for a file
  // that is not a picture.
  void LoadPicture(const std::string& path) { Picture(ui::LoadPicture(path)); }
  // Stretch: the picture takes the control's size; otherwise an image control takes the
  // picture's size when a picture is loaded, as the host's image control does.
  bool Stretch = false;

 private:
  ui::Picture picture_;
};

class PictureBox : public Image {
 public:
  PictureBox() { Stretch = true; }  // a picture box keeps its own size
  const automation::DispatchTable& Members() const override;
  bool AutoSize = false;
};

}  // namespace qv::ui
