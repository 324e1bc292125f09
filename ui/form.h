#pragma once
// A form: a window of the product (`class dlgMark : public qv::ui::Form`) that owns named
// controls and handles their events. Forms are always created with std::make_shared.
//
// Life of a form, as in the host's toolkit:
//   created -> Load() (OnLoad, once per loading) -> Show (visible; modal or modeless)
//   -> Hide (still loaded; its controls keep their values) -> Unload (OnQueryUnload, then
//   OnUnload; either may cancel) -> not loaded (it may be loaded again later).
// Show loads a form that is not loaded. A loaded form belongs to the program's forms collection
// (Toolkit::Forms), which keeps it alive: a modeless window stays open after its creator has let
// go of it, until it unloads.
//
// Modal Show runs the toolkit's loop: the program's driver acts on the form (a script's handler,
// or a person at the terminal) until the form hides or unloads. A modal form still shown when the
// driver has finished is closed as by its close box (QueryUnload with mode 0, then Unload); if the
// form refuses, one more attempt is made, and a form that refuses again is force-unloaded (its
// OnUnload still runs, its cancel is ignored) and the transcript says so. So a modal Show always
// returns.
//
// Geometry is in twips (1440 to the inch, 15 to a pixel). Width and Height are the outer size of
// the window; ScaleWidth and ScaleHeight the client area inside the border and caption bar (see
// SetClientSize for the border sizes).

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "automation/dispatch.h"
#include "ui/constants.h"
#include "ui/control.h"
#include "ui/event.h"
#include "ui/transcript.h"

namespace qv::ui {

class Form : public automation::Dispatch {
 public:
  // `name` is the form's class name ("dlgMark"): drivers find the form by it.
  explicit Form(std::string name);
  ~Form() override;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const automation::DispatchTable& Members() const override;
  // The members every form has; a product form that offers operations to scripts declares its
  // own table with ClassTable<dlgX>("dlgX").Inherit(Form::CommonMembers()).
  static const automation::DispatchTable& CommonMembers();
  std::string TypeName() const override { return name_; }

  const std::string& Name() const { return name_; }

  // ---- controls ----
  // Creates a control of type C (any class derived from Control, also from other layers) named
  // `name`, placed in `container` (a frame) or on the form itself.
  template <class C, class... A>
  C& Add(std::string name, A&&... args) {
    auto control = std::make_shared<C>(std::forward<A>(args)...);
    C& ref = *control;
    Attach(std::move(control), std::move(name), -1, nullptr);
    return ref;
  }
  // Creates element `index` of the control array `name`.
  template <class C, class... A>
  C& AddIndexed(std::string name, int32_t index, A&&... args) {
    auto control = std::make_shared<C>(std::forward<A>(args)...);
    C& ref = *control;
    Attach(std::move(control), std::move(name), index, nullptr);
    return ref;
  }
  // Adds a control made elsewhere; `index` -1: not an array element. A name already used by a
  // control outside an array, or an array index used twice, raises "Invalid property value".
  Control& AddControl(ControlRef control, std::string name, int32_t index = -1,
                      Control* container = nullptr);

  // The control of that name (without regard to case, as the host finds names); a name used by a
  // control array gives its element of lowest index. Raises 730 "Control not found".
  Control& Controls(const std::string& name) const;
  // Element `index` of a control array; raises 340 when there is no such element.
  Control& Controls(const std::string& name, int32_t index) const;
  Control* FindControl(const std::string& name, int32_t index = -1) const;
  // Every control, in the order they were added.
  std::vector<Control*> AllControls() const;
  // The controls in tab order.
  std::vector<Control*> TabOrder() const;
  int32_t ControlCount() const { return static_cast<int32_t>(controls_.size()); }

  // ---- life ----
  bool IsLoaded() const { return loaded_; }
  // Loads the form (the host's Load statement): raises OnLoad unless it is loaded already.
  void Load();
  // Shows the form, loading it first. Modal: returns when the form is hidden or unloaded.
  // Showing a form modally while it is already shown raises 400.
  void Show(int32_t modal = vbModeless);
  void Hide();
  // Unloads by code (unload mode 1). False when QueryUnload or Unload cancelled.
  bool Unload();
  // The user closes the window with its close box (unload mode 0). False when refused.
  bool Close();
  // Unloads whatever the form's handlers say (OnUnload runs, its cancel is ignored).
  void ForceUnload();
  // True while the form is shown modally.
  bool IsModal() const { return modalDepth_ > 0; }

  // ---- keyboard ----
  // A key typed in the form: the focused control gets KeyPress first; Enter then clicks the
  // default button (unless a multi-line text box has the focus) and Escape the cancel button;
  // other printable keys are typed into a focused text box.
  void PressKey(int32_t keyAscii);
  void PressEnter() { PressKey(vbKeyReturn); }
  void PressEscape() { PressKey(vbKeyEscape); }

  // ---- properties ----
  const std::string& Caption() const { return caption_; }
  void Caption(const std::string& caption);
  bool Visible() const { return visible_; }
  // Making a form visible shows it modelessly; hiding it is Hide.
  void Visible(bool visible);
  double Left() const { return left_; }
  double Top() const { return top_; }
  double Width() const { return width_; }
  double Height() const { return height_; }
  void Left(double v) { left_ = v; }
  void Top(double v) { top_ = v; }
  // A change of size on a loaded form raises OnResize.
  void Width(double v);
  void Height(double v);
  void Move(double left, double top, double width, double height);
  double ScaleWidth() const;
  double ScaleHeight() const;
  // Sizes the window so that its client area is `width` by `height` twips (what the form
  // designer records). Borders: 3 pixels each side for fixed styles, 4 for sizable, none for
  // style 0; the caption bar is 20 pixels unless the style is 0.
  void SetClientSize(double width, double height);
  int32_t BorderStyle() const { return borderStyle_; }
  void BorderStyle(int32_t style);
  int32_t WindowState() const { return windowState_; }
  void WindowState(int32_t state);
  int32_t MousePointer() const { return mousePointer_; }
  void MousePointer(int32_t pointer) { mousePointer_ = pointer; }
  ui::Font& Font() { return font_; }
  const std::string& Tag() const { return tag_; }
  void Tag(std::string tag) { tag_ = std::move(tag); }
  // The window handle: a number unique in the program while the form is loaded, 0 otherwise.
  int64_t hWnd() const { return hwnd_; }
  Control* ActiveControl() const { return focus_; }
  // Repaints the window now.
  void Refresh();

  // ---- events ----
  Event<> OnLoad;
  Event<> OnActivate;
  Event<> OnResize;
  // (cancel, unloadMode): setting cancel to non-zero keeps the form loaded.
  Event<int32_t&, int32_t> OnQueryUnload;
  // (cancel)
  Event<int32_t&> OnUnload;

  // ---- used by controls ----
  void ControlCaptionChanged(Control& control);
  void ControlFocused(Control* control) { focus_ = control; }
  void ControlTabIndexChanged(Control& control, int32_t index);
  void ControlRepainted(Control& control);

 private:
  friend class Toolkit;
  // The program ends: the form is no longer loaded, and no event runs.
  void Abandon();
  Control& Attach(ControlRef control, std::string name, int32_t index, Control* container);
  bool TryUnload(int32_t mode);
  void FinishUnload(const TranscriptEntry& entry);
  void RunModal();
  void Resized();
  std::shared_ptr<Form> Self();

  std::string name_;
  std::vector<ControlRef> controls_;  // in the order added
  std::vector<Control*> tabOrder_;
  Control* focus_ = nullptr;
  std::string caption_;
  std::string tag_;
  bool loaded_ = false;
  bool visible_ = false;
  bool shownOnce_ = false;  // Resize runs once when first shown
  bool resizing_ = false;
  int32_t modalDepth_ = 0;
  double left_ = 0, top_ = 0, width_ = 4800, height_ = 3600;
  int32_t borderStyle_ = vbSizable;
  int32_t windowState_ = vbNormal;
  int32_t mousePointer_ = vbDefault;
  ui::Font font_;
  int64_t hwnd_ = 0;
};

using FormRef = std::shared_ptr<Form>;

}  // namespace qv::ui
