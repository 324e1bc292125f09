#pragma once
// A label: a caption the form shows. A caption change on a shown form is reported to the driver
// (the progress window's status line is read back this way).

#include "ui/control.h"

namespace qv::ui {

class Label : public Control {
 public:
  const automation::DispatchTable& Members() const override;

  // 0 left, 1 right, 2 centre.
  int32_t Alignment = 0;
  bool AutoSize = false;
  bool WordWrap = false;
  bool BackStyleTransparent = false;
};

// A frame: a captioned box that holds other controls (their positions are relative to it).
class Frame : public Control {
 public:
  const automation::DispatchTable& Members() const override;
};

// A line drawn on the form, from (X1, Y1) to (X2, Y2) in twips.
class Line : public Control {
 public:
  const automation::DispatchTable& Members() const override;
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

}  // namespace qv::ui
