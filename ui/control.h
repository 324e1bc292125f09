#pragma once
// The base of every control a form owns: label, text box, button, list, frame, image, check box,
// and the controls other layers define (the browser control). A control has a name (and an index
// when it is an element of a control array), a geometry in twips relative to its container (the
// form, or the frame that holds it), visibility, an enabled state, a font, a tab position, a tag,
// and the events Click, DblClick, Change and KeyPress.
//
// Controls are created by their form (Form::Add) and owned by it through shared pointers; a
// control knows its form by a plain pointer that the form clears when it goes, so a control held
// longer than its form raises "Object was unloaded" instead of touching freed memory.
//
// Events are slots (ui/event.h) that the product's form fills in; the user's actions (a driver
// clicking, typing, choosing) are the public methods Click, DblClick and KeyPress, which raise
// the events only while the control is enabled.

#include <cstdint>
#include <memory>
#include <string>

#include "automation/dispatch.h"
#include "ui/event.h"

namespace qv::ui {

class Form;

struct Font {
  std::string Name = "MS Sans Serif";
  double Size = 8.25;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
};

class Control : public automation::Dispatch {
 public:
  Control() = default;
  ~Control() override = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const automation::DispatchTable& Members() const override;
  // The members every control has; derived classes take them with ClassTable::Inherit.
  static const automation::DispatchTable& CommonMembers();

  const std::string& Name() const { return name_; }
  // The element's index in its control array; -1 for a control that is not in an array.
  int32_t Index() const { return index_; }
  // "Btns(1)" for an array element, else the name: how transcripts and messages name it.
  std::string DisplayName() const;
  // The owning form; nullptr once the form is gone.
  Form* Parent() const { return form_; }
  // The frame (or other container control) holding this control; nullptr: the form itself.
  Control* Container() const { return container_; }
  void Container(Control* container) { container_ = container; }

  bool Visible() const { return visible_; }
  void Visible(bool visible) { visible_ = visible; }
  bool Enabled() const { return enabled_; }
  void Enabled(bool enabled) { enabled_ = enabled; }

  // Geometry in twips, relative to the container.
  double Left() const { return left_; }
  double Top() const { return top_; }
  double Width() const { return width_; }
  double Height() const { return height_; }
  void Left(double v) { left_ = v; }
  void Top(double v) { top_ = v; }
  // Negative sizes raise "Invalid property value" (380), as the host's controls do.
  void Width(double v);
  void Height(double v);
  void Move(double left, double top, double width, double height);
  void Move(double left, double top);

  ui::Font& Font() { return font_; }
  const ui::Font& Font() const { return font_; }

  int32_t TabIndex() const { return tabIndex_; }
  // Moves the control to that place in its form's tab order; the others shift, as in the host.
  void TabIndex(int32_t index);
  const std::string& Tag() const { return tag_; }
  void Tag(std::string tag) { tag_ = std::move(tag); }

  // The caption (labels, buttons, frames, check boxes). A change on a shown form is reported to
  // the driver, so that progress texts can be read back in order.
  const std::string& Caption() const { return caption_; }
  void Caption(const std::string& caption);
  // The text (text boxes, lists). Setting a different text raises Change.
  virtual std::string Text() const { return text_; }
  virtual void Text(const std::string& text);

  // Gives the control the focus. A hidden or disabled control cannot take it (error 5).
  void SetFocus();
  bool HasFocus() const;
  // Repaints the control now (a progress text shown while the program is busy).
  void Refresh();

  // What the user does. Each raises its event when the control is enabled; Click on a disabled
  // control does nothing, as a disabled window ignores the mouse.
  virtual void Click();
  virtual void DblClick();
  // A key typed while the control has the focus; the handler may change or swallow it (0).
  virtual void KeyPress(int32_t& keyAscii);

  // One line saying what the control shows, for drivers that draw forms as text (the caption by
  // default; a browser control may give its page's title).
  virtual std::string Describe() const { return caption_; }
  // Whether the control can hold the focus (input controls); labels, frames and images cannot.
  virtual bool TakesFocus() const { return false; }

  Event<> OnClick;
  Event<> OnDblClick;
  Event<> OnChange;
  Event<int32_t&> OnKeyPress;

 protected:
  // Keeps the form alive while an event handler runs: a handler may unload the form and drop
  // the last reference to it.
  std::shared_ptr<automation::Dispatch> KeepFormAlive() const;
  // Raises the form's "Object was unloaded" error when the form is gone.
  Form& RequireForm() const;
  void SetTextSilently(std::string text) { text_ = std::move(text); }

 private:
  friend class Form;

  Form* form_ = nullptr;
  Control* container_ = nullptr;
  std::string name_;
  int32_t index_ = -1;
  bool visible_ = true;
  bool enabled_ = true;
  double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  ui::Font font_;
  int32_t tabIndex_ = 0;
  std::string tag_;
  std::string caption_;
  std::string text_;
};

using ControlRef = std::shared_ptr<Control>;

}  // namespace qv::ui
