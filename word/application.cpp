#include "word/application.h"

#include <algorithm>

#include <nlohmann/json.hpp>

#include "office/com_addins.h"
#include "office/command_bars.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "word/dialogs.h"
#include "word/document.h"
#include "word/documents.h"
#include "word/errors.h"
#include "word/selection.h"
#include "word/system_info.h"
#include "word/templates.h"
#include "word/window.h"

namespace qv::word {

using automation::Args;
using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

namespace {

constexpr const char* kNormalFormat = "quorvanta-word-normal-template";

class NoRegistrations : public office::AddinRegistrations {
 public:
  std::vector<std::string> ProgIds() const override { return {}; }
  std::optional<Variant> Value(const std::string&, const std::string&) const override {
    return std::nullopt;
  }
};

}  // namespace

Application::Application()
    : folder_(platform::ProfileSubdir("word")),
      documents_(std::make_shared<word::Documents>(this)),
      chooser_(std::make_shared<RefusingSaveAsChooser>()) {
  normal_ = std::make_shared<Template>(folder_ / "Normal.dot", [this] { SaveNormalTemplate(); });
  context_ = normal_;
  addIns_ = std::make_shared<word::AddIns>(folder_ / "AddIns.json");
  bars_ = office::CommandBars::Create(office::WordBuiltInBars());
  LoadNormalTemplate();
  bars_->SetChangeHandler([this] {
    if (context_) context_->SetSaved(false);
  });
}

Application::~Application() {
  documents_->Clear();
}

void Application::LoadNormalTemplate() {
  const auto file = folder_ / "Normal.json";
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return;
  auto text = platform::ReadWholeFile(file);
  try {
    if (!text) throw std::runtime_error("it cannot be read");
    const auto j = nlohmann::json::parse(*text);
    if (j.value("format", "") != kNormalFormat) throw std::runtime_error("it is of another kind");
    bars_->Load(j.at("commandBars"));
  } catch (const std::exception& e) {
    // Kept aside, never overwritten: the bars start from the built-in ones.
    normalProblem_ = std::string("The Normal template could not be read: ") + e.what();
    platform::KeepAside(file);
  }
  normal_->SetSaved(true);
}

void Application::SaveNormalTemplate() {
  const nlohmann::json j = {
      {"format", kNormalFormat}, {"version", 1}, {"commandBars", bars_->Save()}};
  platform::FileLock lock(folder_ / "Normal.lock");
  if (!platform::WriteFileAtomically(folder_ / "Normal.json", j.dump(1) + "\n"))
    throw automation::AutomationError(kErrFileNotSaved, "The Normal template could not be saved.");
}

std::shared_ptr<Document> Application::ActiveDocument() const {
  if (documents_->List().empty()) RaiseNoDocument();
  if (auto d = active_.lock(); d && !d->Closed()) return d;
  return documents_->List().back();
}

std::shared_ptr<word::Selection> Application::Selection() const {
  return ActiveDocument()->Selection();
}

std::shared_ptr<Window> Application::ActiveWindow() const {
  return ActiveDocument()->ActiveWindow();
}

std::shared_ptr<word::Windows> Application::Windows() const {
  std::vector<std::shared_ptr<Window>> list;
  for (const auto& d : documents_->List())
    list.push_back(d->ActiveWindow());
  return std::make_shared<word::Windows>(std::move(list));
}

std::shared_ptr<office::COMAddIns> Application::COMAddIns() {
  if (!comAddIns_) comAddIns_ = office::COMAddIns::Create(std::make_shared<NoRegistrations>());
  return comAddIns_;
}

void Application::SetCustomizationContext(std::shared_ptr<Template> t) {
  if (!t) automation::Raise(automation::err::kObjectRequired);
  context_ = std::move(t);
}

double Application::PixelsToPoints(double pixels, bool) {
  return pixels * 72.0 / 96.0;
}

int32_t Application::Keyboard(int32_t languageId) const {
  if (languageId != 0) return languageId;  // switching the keyboard answers the new id
  return LanguageIdOfLocale(MachineLocale());
}

int32_t Application::Language() const {
  return LanguageIdOfLocale(MachineLocale());
}

void Application::Quit(int32_t saveChanges) {
  documents_->Close(saveChanges);
  Notify([](ApplicationListener& l) { l.Quit(); });
  if (!normal_->Saved()) normal_->Save();
}

std::shared_ptr<word::Dialogs> Application::Dialogs() {
  return std::make_shared<word::Dialogs>(this);
}

void Application::AddListener(ApplicationListener* l) {
  if (std::find(listeners_.begin(), listeners_.end(), l) == listeners_.end())
    listeners_.push_back(l);
}

void Application::RemoveListener(ApplicationListener* l) {
  std::erase(listeners_, l);
}

void Application::Notify(const std::function<void(ApplicationListener&)>& f) {
  for (auto* l : std::vector<ApplicationListener*>(listeners_))
    if (std::find(listeners_.begin(), listeners_.end(), l) != listeners_.end()) f(*l);
}

void Application::SetSaveAsChooser(std::shared_ptr<SaveAsChooser> chooser) {
  chooser_ = chooser ? std::move(chooser) : std::make_shared<RefusingSaveAsChooser>();
}

bool Application::ChooseSaveAs(Document& doc, std::string& chosen) {
  auto answer = chooser_->Choose(doc.Name());
  if (!answer || answer->empty()) return false;
  chosen = *answer;
  return true;
}

void Application::SetActiveDocument(Document* doc) {
  for (const auto& d : documents_->List())
    if (d.get() == doc) active_ = d;
}

void Application::DocumentClosed(Document* doc) {
  Notify([&](ApplicationListener& l) { l.DocumentBeforeClose(*doc); });
  auto keep = doc->Self();
  documents_->Remove(doc);
  doc->MarkClosed();
  if (active_.lock().get() == doc) active_.reset();
}

const DispatchTable& Application::Members() const {
  static const DispatchTable table =
      ClassTable<Application>("Application")
          .Get("Documents", [](Application& a) { return a.Documents(); })
          .Get("ActiveDocument", [](Application& a) { return a.ActiveDocument(); })
          .Get("Selection", [](Application& a) { return a.Selection(); })
          .Get("ActiveWindow", [](Application& a) { return a.ActiveWindow(); })
          .Get("Windows", [](Application& a) { return a.Windows(); })
          .Get("NormalTemplate", [](Application& a) { return a.NormalTemplate(); })
          .Get("AddIns", [](Application& a) { return a.AddIns(); })
          .Get("COMAddIns", [](Application& a) { return a.COMAddIns(); })
          .Get("CommandBars", [](Application& a) { return a.CommandBars(); })
          .Prop(
              "CustomizationContext", [](Application& a) { return a.CustomizationContext(); },
              [](Application& a, const Variant& v) {
                a.SetCustomizationContext(std::dynamic_pointer_cast<Template>(v.ToObject()));
              })
          .Prop(
              "StatusBar", [](Application& a) { return a.StatusBar(); },
              [](Application& a, const Variant& v) { a.SetStatusBar(v.ToText()); })
          .Method("PixelsToPoints",
                  [](Application&, Args& a) {
                    return PixelsToPoints(a.Double(0), a.Opt(1, Variant(false)).ToBool());
                  })
          .Method("InchesToPoints",
                  [](Application&, Args& a) { return InchesToPoints(a.Double(0)); })
          .Get("Version", [](Application&) { return Version(); })
          .Get("Build", [](Application&) { return Build(); })
          .Method("Keyboard", [](Application& a,
                                 Args& x) { return a.Keyboard(x.Opt(0, Variant(0)).ToInt32()); })
          .Get("Language", [](Application& a) { return a.Language(); })
          .Get("Languages", [](Application&) { return std::make_shared<word::Languages>(); })
          .Get("LanguageSettings",
               [](Application&) { return std::make_shared<word::LanguageSettings>(); })
          .Get("System",
               [](Application& a) { return std::make_shared<word::System>(a.ProfileFolder()); })
          .Prop(
              "UserControl", [](Application& a) { return a.UserControl(); },
              [](Application& a, const Variant& v) { a.SetUserControl(v.ToBool()); })
          .Prop(
              "Visible", [](Application& a) { return a.Visible(); },
              [](Application& a, const Variant& v) { a.SetVisible(v.ToBool()); })
          .Sub("Quit", [](Application& a, Args& x) { a.Quit(x.Opt(0, Variant(0)).ToInt32()); })
          .GetArgs("Dialogs",
                   [](Application& a, Args& x) -> Variant {
                     if (x.Has(0)) return a.Dialogs()->Item(x.Int(0));
                     return a.Dialogs();
                   })
          .Get("Name", [](Application&) { return Name(); })
          .Get("Caption", [](Application&) { return Name(); })
          .Build();
  return table;
}

// --- dialogs ---

int32_t Dialog::Display() {
  auto doc = app_->ActiveDocument();
  std::string chosen;
  if (!app_->ChooseSaveAs(*doc, chosen)) return 0;
  name_ = chosen;
  return -1;
}

int32_t Dialog::Show() {
  const int32_t r = Display();
  if (r == -1) app_->ActiveDocument()->SaveAs(name_);
  return r;
}

const DispatchTable& Dialog::Members() const {
  static const DispatchTable table =
      ClassTable<Dialog>("Dialog")
          .Method("Show", [](Dialog& d, Args&) { return d.Show(); })
          .Method("Display", [](Dialog& d, Args&) { return d.Display(); })
          .Get("Type", [](Dialog& d) { return d.Type(); })
          .Get("Name", [](Dialog& d) { return d.Name(); })
          .Build();
  return table;
}

std::shared_ptr<Dialog> Dialogs::Item(int32_t type) const {
  if (type != wdDialogFileSaveAs) RaiseNotAvailable("this dialog is not part of the platform");
  return std::make_shared<Dialog>(app_, type);
}

const DispatchTable& Dialogs::Members() const {
  static const DispatchTable table =
      ClassTable<Dialogs>("Dialogs")
          .GetArgs("Item", [](Dialogs& d, Args& a) { return d.Item(a.Int(0)); })
          .Default("Item")
          .Build();
  return table;
}

}  // namespace qv::word
