#include "ui/form.h"

#include <algorithm>
#include <stdexcept>

#include "automation/text/ascii.h"
#include "ui/command_button.h"
#include "ui/text_box.h"
#include "ui/toolkit.h"
#include "ui/ui_error.h"

namespace qv::ui {

using automation::Args;
using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

namespace {

// Border and caption bar in twips for a border style.
double BorderTwips(int32_t style) {
  switch (style) {
    case vbBSNone:
      return 0;
    case vbSizable:
    case 5:
      return 4 * kTwipsPerPixel;
    default:
      return 3 * kTwipsPerPixel;
  }
}
double CaptionTwips(int32_t style) {
  return style == vbBSNone ? 0 : 20 * kTwipsPerPixel;
}

}  // namespace

const DispatchTable& Form::CommonMembers() {
  static const DispatchTable table =
      ClassTable<Form>("Form")
          .Get("Name", [](Form& f) { return f.Name(); })
          .Prop(
              "Caption", [](Form& f) { return f.Caption(); },
              [](Form& f, const Variant& v) { f.Caption(v.ToText()); })
          .Prop(
              "Visible", [](Form& f) { return f.Visible(); },
              [](Form& f, const Variant& v) { f.Visible(v.ToBool()); })
          .Prop(
              "Left", [](Form& f) { return f.Left(); },
              [](Form& f, const Variant& v) { f.Left(v.ToDouble()); })
          .Prop(
              "Top", [](Form& f) { return f.Top(); },
              [](Form& f, const Variant& v) { f.Top(v.ToDouble()); })
          .Prop(
              "Width", [](Form& f) { return f.Width(); },
              [](Form& f, const Variant& v) { f.Width(v.ToDouble()); })
          .Prop(
              "Height", [](Form& f) { return f.Height(); },
              [](Form& f, const Variant& v) { f.Height(v.ToDouble()); })
          .Get("ScaleWidth", [](Form& f) { return f.ScaleWidth(); })
          .Get("ScaleHeight", [](Form& f) { return f.ScaleHeight(); })
          .Prop(
              "WindowState", [](Form& f) { return f.WindowState(); },
              [](Form& f, const Variant& v) { f.WindowState(v.ToInt32()); })
          .Prop(
              "MousePointer", [](Form& f) { return f.MousePointer(); },
              [](Form& f, const Variant& v) { f.MousePointer(v.ToInt32()); })
          .Prop(
              "BorderStyle", [](Form& f) { return f.BorderStyle(); },
              [](Form& f, const Variant& v) { f.BorderStyle(v.ToInt32()); })
          .Prop(
              "Tag", [](Form& f) { return f.Tag(); },
              [](Form& f, const Variant& v) { f.Tag(v.ToText()); })
          .Get("hWnd", [](Form& f) { return Variant::Long(f.hWnd()); })
          .Get("IsLoaded", [](Form& f) { return f.IsLoaded(); })
          .Get("ControlCount", [](Form& f) { return f.ControlCount(); })
          .GetArgs("Controls",
                   [](Form& f, Args& a) {
                     Control& c =
                         a.Has(1) ? f.Controls(a.Text(0), a.Int(1)) : f.Controls(a.Text(0));
                     return Variant(c.weak_from_this().lock());
                   })
          .Sub("Load", [](Form& f, Args&) { f.Load(); })
          .Sub("Show", [](Form& f, Args& a) { f.Show(a.Opt(0, Variant(vbModeless)).ToInt32()); })
          .Sub("Hide", [](Form& f, Args&) { f.Hide(); })
          .Method("Unload", [](Form& f, Args&) { return f.Unload(); })
          .Method("Close", [](Form& f, Args&) { return f.Close(); })
          .Sub("PressKey", [](Form& f, Args& a) { f.PressKey(a.Int(0)); })
          .Sub("PressEnter", [](Form& f, Args&) { f.PressEnter(); })
          .Sub("PressEscape", [](Form& f, Args&) { f.PressEscape(); })
          .Sub("Refresh", [](Form& f, Args&) { f.Refresh(); })
          .Sub("Move",
               [](Form& f, Args& a) {
                 f.Move(a.Double(0), a.Opt(1, f.Top()).ToDouble(), a.Opt(2, f.Width()).ToDouble(),
                        a.Opt(3, f.Height()).ToDouble());
               })
          .Build();
  return table;
}

const DispatchTable& Form::Members() const {
  return CommonMembers();
}

Form::Form(std::string name) : name_(std::move(name)), caption_(name_) {}

Form::~Form() {
  for (auto& c : controls_)
    c->form_ = nullptr;
}

std::shared_ptr<Form> Form::Self() {
  auto self = std::static_pointer_cast<Form>(weak_from_this().lock());
  if (!self) throw std::logic_error("form " + name_ + " is not held by std::make_shared");
  return self;
}

// ---- controls ----

Control& Form::Attach(ControlRef control, std::string name, int32_t index, Control* container) {
  for (const auto& c : controls_) {
    if (!text::EqualsIgnoreCase(c->Name(), name)) continue;
    // One name is either a single control or an array, and an array index is used once.
    if (index < 0 || c->Index() < 0 || c->Index() == index) RaiseUi(err::kInvalidPropertyValue);
  }
  Control& ref = *control;
  ref.form_ = this;
  ref.name_ = std::move(name);
  ref.index_ = index;
  ref.container_ = container;
  ref.tabIndex_ = static_cast<int32_t>(tabOrder_.size());
  tabOrder_.push_back(&ref);
  controls_.push_back(std::move(control));
  return ref;
}

Control& Form::AddControl(ControlRef control, std::string name, int32_t index, Control* container) {
  if (!control) automation::Raise(automation::err::kObjectRequired);
  if (control->form_) RaiseUi(err::kInvalidPropertyValue);
  return Attach(std::move(control), std::move(name), index, container);
}

Control* Form::FindControl(const std::string& name, int32_t index) const {
  Control* best = nullptr;
  for (const auto& c : controls_) {
    if (!text::EqualsIgnoreCase(c->Name(), name)) continue;
    if (index >= 0) {
      if (c->Index() == index) return c.get();
      continue;
    }
    if (!best || c->Index() < best->Index()) best = c.get();
  }
  return best;
}

Control& Form::Controls(const std::string& name) const {
  Control* c = FindControl(name);
  if (!c) RaiseUi(err::kControlNotFound, name);
  return *c;
}

Control& Form::Controls(const std::string& name, int32_t index) const {
  if (Control* c = FindControl(name, index)) return *c;
  if (!FindControl(name)) RaiseUi(err::kControlNotFound, name);
  RaiseUi(err::kControlArrayElement, std::to_string(index));
}

std::vector<Control*> Form::AllControls() const {
  std::vector<Control*> out;
  out.reserve(controls_.size());
  for (const auto& c : controls_)
    out.push_back(c.get());
  return out;
}

std::vector<Control*> Form::TabOrder() const {
  return tabOrder_;
}

void Form::ControlTabIndexChanged(Control& control, int32_t index) {
  tabOrder_.erase(std::remove(tabOrder_.begin(), tabOrder_.end(), &control), tabOrder_.end());
  const auto at = std::min<size_t>(static_cast<size_t>(index), tabOrder_.size());
  tabOrder_.insert(tabOrder_.begin() + static_cast<std::ptrdiff_t>(at), &control);
  for (size_t i = 0; i < tabOrder_.size(); ++i)
    tabOrder_[i]->tabIndex_ = static_cast<int32_t>(i);
}

void Form::ControlCaptionChanged(Control& control) {
  if (!loaded_ || !visible_) return;
  TranscriptEntry e;
  e.kind = EntryKind::Caption;
  e.form = name_;
  e.control = control.DisplayName();
  e.text = control.Caption();
  Toolkit::Current().Record(e);
}

void Form::ControlRepainted(Control&) {
  // Changes are reported to the driver when they happen; a repaint shows nothing new.
}

// ---- life ----

void Form::Load() {
  if (loaded_) return;
  auto self = Self();
  Toolkit& tk = Toolkit::Current();
  loaded_ = true;
  hwnd_ = tk.NewHandle();
  tk.FormLoaded(self);
  OnLoad();
}

void Form::Show(int32_t modal) {
  auto self = Self();
  if (modal != vbModeless && visible_) RaiseUi(err::kAlreadyShownModally);
  Load();
  // A form that unloads itself while loading cannot be shown.
  if (!loaded_) RaiseUi(err::kObjectUnloaded);
  const bool wasVisible = visible_;
  if (!wasVisible) {
    visible_ = true;
    if (!focus_) {
      for (Control* c : tabOrder_)
        if (c->TakesFocus() && c->Visible() && c->Enabled()) {
          focus_ = c;
          break;
        }
    }
    TranscriptEntry e;
    e.kind = EntryKind::FormShown;
    e.form = name_;
    e.text = caption_;
    e.modal = modal != vbModeless;
    Toolkit::Current().Record(e);
    if (!shownOnce_) {
      shownOnce_ = true;
      Resized();
    }
    OnActivate();
  }
  if (modal == vbModeless) {
    // Showing a form that is already shown only brings it forward: the user sees nothing new.
    if (!wasVisible && loaded_ && visible_) Toolkit::Current().Driver().ShownModeless(*this);
    return;
  }
  RunModal();
}

void Form::RunModal() {
  Toolkit& tk = Toolkit::Current();
  struct Depth {
    Form& f;
    Toolkit& tk;
    Depth(Form& form, Toolkit& toolkit) : f(form), tk(toolkit) {
      ++f.modalDepth_;
      tk.EnterModal();
    }
    ~Depth() {
      --f.modalDepth_;
      tk.LeaveModal();
    }
  } depth(*this, tk);
  try {
    if (loaded_ && visible_) tk.Driver().DriveModal(*this);
  } catch (...) {
    // The driver failed (a script's handler raised): nobody is left to close the window, so it
    // goes now and the error reaches the caller of Show.
    if (loaded_ && visible_) ForceUnload();
    throw;
  }
  // Nobody closed it: the user is taken to have closed it with the close box. A form that
  // refuses twice is unloaded anyway, so the program goes on.
  for (int attempt = 0; attempt < 2 && loaded_ && visible_; ++attempt)
    Close();
  if (loaded_ && visible_) ForceUnload();
}

void Form::Hide() {
  if (!visible_) return;
  visible_ = false;
  TranscriptEntry e;
  e.kind = EntryKind::FormHidden;
  e.form = name_;
  Toolkit::Current().Record(e);
}

bool Form::Unload() {
  return TryUnload(vbFormCode);
}
bool Form::Close() {
  return TryUnload(vbFormControlMenu);
}

bool Form::TryUnload(int32_t mode) {
  if (!loaded_) return true;
  auto self = Self();
  int32_t cancel = 0;
  OnQueryUnload(cancel, mode);
  if (!loaded_) return true;  // its handler unloaded it already
  if (cancel == 0) OnUnload(cancel);
  if (!loaded_) return true;
  if (cancel != 0) {
    TranscriptEntry e;
    e.kind = EntryKind::CloseRefused;
    e.form = name_;
    e.unloadMode = mode;
    Toolkit::Current().Record(e);
    return false;
  }
  TranscriptEntry e;
  e.kind = EntryKind::FormUnloaded;
  e.form = name_;
  e.unloadMode = mode;
  FinishUnload(e);
  return true;
}

void Form::ForceUnload() {
  if (!loaded_) return;
  auto self = Self();
  int32_t cancel = 0;
  OnUnload(cancel);
  if (!loaded_) return;
  TranscriptEntry e;
  e.kind = EntryKind::FormUnloaded;
  e.form = name_;
  e.unloadMode = -1;
  FinishUnload(e);
}

void Form::Abandon() {
  visible_ = false;
  loaded_ = false;
  shownOnce_ = false;
  focus_ = nullptr;
  hwnd_ = 0;
}

void Form::FinishUnload(const TranscriptEntry& entry) {
  visible_ = false;
  loaded_ = false;
  shownOnce_ = false;
  focus_ = nullptr;
  hwnd_ = 0;
  Toolkit& tk = Toolkit::Current();
  tk.Record(entry);
  tk.FormUnloaded(*this);
}

// ---- keyboard ----

void Form::PressKey(int32_t keyAscii) {
  auto self = Self();
  int32_t key = keyAscii;
  Control* focused = focus_;
  if (focused) focused->KeyPress(key);
  if (key == 0 || !loaded_) return;
  auto* box = dynamic_cast<TextBox*>(focus_);
  if (key == vbKeyReturn && !(box && box->MultiLine())) {
    for (Control* c : AllControls())
      if (auto* b = dynamic_cast<CommandButton*>(c); b && b->Default() && b->Visible()) {
        b->Click();
        return;
      }
    return;
  }
  if (key == vbKeyEscape) {
    for (Control* c : AllControls())
      if (auto* b = dynamic_cast<CommandButton*>(c); b && b->Cancel() && b->Visible()) {
        b->Click();
        return;
      }
    return;
  }
  if (box) box->Type(key);
}

// ---- properties ----

void Form::Caption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  if (!loaded_ || !visible_) return;
  TranscriptEntry e;
  e.kind = EntryKind::Caption;
  e.form = name_;
  e.text = caption_;
  Toolkit::Current().Record(e);
}

void Form::Visible(bool visible) {
  if (visible)
    Show(vbModeless);
  else
    Hide();
}

void Form::Width(double v) {
  Move(left_, top_, v, height_);
}
void Form::Height(double v) {
  Move(left_, top_, width_, v);
}

void Form::Move(double left, double top, double width, double height) {
  if (width < 0 || height < 0) RaiseUi(err::kInvalidPropertyValue);
  const bool changed = width != width_ || height != height_;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (changed) Resized();
}

void Form::Resized() {
  // A handler that sets the size again does not start another round.
  if (!loaded_ || resizing_) return;
  auto self = Self();
  resizing_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{resizing_};
  OnResize();
}

double Form::ScaleWidth() const {
  return std::max(0.0, width_ - 2 * BorderTwips(borderStyle_));
}

double Form::ScaleHeight() const {
  return std::max(0.0, height_ - 2 * BorderTwips(borderStyle_) - CaptionTwips(borderStyle_));
}

void Form::SetClientSize(double width, double height) {
  Move(left_, top_, width + 2 * BorderTwips(borderStyle_),
       height + 2 * BorderTwips(borderStyle_) + CaptionTwips(borderStyle_));
}

void Form::BorderStyle(int32_t style) {
  if (style < 0 || style > 5) RaiseUi(err::kInvalidPropertyValue);
  borderStyle_ = style;
}

void Form::WindowState(int32_t state) {
  if (state < vbNormal || state > vbMaximized) RaiseUi(err::kInvalidPropertyValue);
  if (state == windowState_) return;
  windowState_ = state;
  Resized();
}

void Form::Refresh() {
  // Changes are reported to the driver when they happen; a repaint shows nothing new.
}

}  // namespace qv::ui
