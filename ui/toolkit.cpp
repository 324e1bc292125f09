#include "ui/toolkit.h"

#include <algorithm>

#include "automation/text/ascii.h"
#include "ui/scripted_driver.h"

namespace qv::ui {
namespace {

// The toolkit of the running program; the host keeps these objects process-wide.
Toolkit* installed = nullptr;

// Work that posts work again could keep DoEvents busy for ever; past this many items in one
// call the rest waits for the next call.
constexpr size_t kMaxWorkPerTurn = 10000;

}  // namespace

Toolkit::Toolkit(ui::App app, std::shared_ptr<ui::Driver> driver)
    : app_(std::make_shared<ui::App>(std::move(app))),
      screen_(std::make_shared<ui::Screen>()),
      driver_(driver ? std::move(driver) : std::make_shared<ScriptedDriver>()),
      previous_(installed) {
  installed = this;
}

Toolkit::~Toolkit() {
  // The end of the program: windows go without their events. Taking the list first keeps it
  // whole while the forms are destroyed.
  std::vector<FormRef> forms;
  forms.swap(forms_);
  for (auto& f : forms)
    f->Abandon();
  forms.clear();
  queue_.clear();
  if (installed == this) installed = previous_;
}

Toolkit& Toolkit::Current() {
  if (installed) return *installed;
  // No program made a toolkit: an unattended one that never waits for a person.
  static Toolkit* fallback = [] {
    Toolkit* saved = installed;
    static Toolkit tk;
    installed = saved;
    return &tk;
  }();
  return *fallback;
}

void Toolkit::SetDriver(std::shared_ptr<ui::Driver> driver) {
  if (driver) driver_ = std::move(driver);
}

FormRef Toolkit::FindForm(const std::string& name) const {
  for (auto it = forms_.rbegin(); it != forms_.rend(); ++it)
    if (text::EqualsIgnoreCase((*it)->Name(), name)) return *it;
  return nullptr;
}

void Toolkit::Post(std::function<void()> work) {
  queue_.push_back(std::move(work));
}

int32_t Toolkit::DoEvents() {
  for (size_t done = 0; !queue_.empty() && done < kMaxWorkPerTurn; ++done) {
    auto work = std::move(queue_.front());
    queue_.pop_front();
    work();
  }
  driver_->Idle();
  return FormCount();
}

void Toolkit::FormLoaded(FormRef form) {
  if (std::find(forms_.begin(), forms_.end(), form) == forms_.end())
    forms_.push_back(std::move(form));
}

void Toolkit::FormUnloaded(const Form& form) {
  // The form may be destroyed with its last reference here; callers hold one of their own.
  const auto it = std::find_if(forms_.begin(), forms_.end(),
                               [&](const FormRef& f) { return f.get() == &form; });
  if (it != forms_.end()) forms_.erase(it);
}

int32_t DoEvents() {
  return Toolkit::Current().DoEvents();
}

}  // namespace qv::ui
