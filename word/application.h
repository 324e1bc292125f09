#pragma once
// Application: the root object of the word processor. It owns the open documents, the Normal
// template (with the command bars customized in it), the add-in list and the COM add-in list,
// and keeps them in the word processor's profile folder, so that what one run builds the next
// finds. Listeners hear about new, opened and closing documents and about Quit.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "platform/windows.h"

#include "automation/dispatch.h"

namespace qv::office {

class COMAddIns;
class CommandBars;
}  // namespace qv::office

namespace qv::word {

// Closing without saving (wdDoNotSaveChanges); wdSaveChanges -1 saves changed documents.
inline constexpr int32_t wdDoNotSaveChanges = 0;

class AddIns;
class Dialogs;
class Document;
class Documents;
class SaveAsChooser;
class Selection;
class Template;
class Window;
class Windows;

class ApplicationListener {
 public:
  virtual ~ApplicationListener() = default;
  virtual void NewDocument(Document&) {}
  virtual void DocumentOpen(Document&) {}
  virtual void DocumentBeforeClose(Document&) {}
  virtual void Quit() {}
};

class Application : public automation::Dispatch {
 public:
  // Reads the profile (Normal template, add-in list) of `ProfileSubdir("word")`.
  Application();
  ~Application() override;
  const automation::DispatchTable& Members() const override;

  std::shared_ptr<word::Documents> Documents() const { return documents_; }
  // Raises 4248 when no document is open.
  std::shared_ptr<Document> ActiveDocument() const;
  std::shared_ptr<word::Selection> Selection() const;
  std::shared_ptr<Window> ActiveWindow() const;
  std::shared_ptr<word::Windows> Windows() const;
  std::shared_ptr<Template> NormalTemplate() const { return normal_; }
  std::shared_ptr<word::AddIns> AddIns() const { return addIns_; }
  std::shared_ptr<office::CommandBars> CommandBars() const { return bars_; }
  std::shared_ptr<office::COMAddIns> COMAddIns();
  // The add-in loader supplies the list with its registrations and connection hook.
  void SetCOMAddIns(std::shared_ptr<office::COMAddIns> list) { comAddIns_ = std::move(list); }
  std::shared_ptr<Template> CustomizationContext() const { return context_; }
  void SetCustomizationContext(std::shared_ptr<Template> t);
  const std::string& StatusBar() const { return statusBar_; }
  void SetStatusBar(std::string text) { statusBar_ = std::move(text); }
  static double PixelsToPoints(double pixels, bool vertical = false);
  static double InchesToPoints(double inches) { return inches * 72; }
  static std::string Version() { return "9.0"; }
  static std::string Build() { return "9.0.8216"; }
  int32_t Keyboard(int32_t languageId = 0) const;
  int32_t Language() const;
  bool UserControl() const { return userControl_; }
  void SetUserControl(bool v) { userControl_ = v; }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  // Closes the documents (wdSaveChanges -1 saves changed ones), saves the Normal template when it
  // changed, tells the listeners. The application stays usable afterwards (a new session).
  void Quit(int32_t saveChanges = wdDoNotSaveChanges);
  std::shared_ptr<word::Dialogs> Dialogs();
  static std::string Name() { return "Quorvanta Word"; }

  void AddListener(ApplicationListener* l);
  void RemoveListener(ApplicationListener* l);
  void Notify(const std::function<void(ApplicationListener&)>& f);
  void SetSaveAsChooser(std::shared_ptr<SaveAsChooser> chooser);
  // Asks the Save As chooser for a name for `doc`; false on Cancel.
  bool ChooseSaveAs(Document& doc, std::string& chosen);

  // Used by documents and windows.
  int32_t NextWindowHandle() { return static_cast<int32_t>(platform::NewWindowHandle()); }
  void SetActiveDocument(Document* doc);
  void DocumentClosed(Document* doc);
  // Writes the Normal template (the command bars) to the profile.
  void SaveNormalTemplate();
  const std::filesystem::path& ProfileFolder() const { return folder_; }
  // Set when the stored Normal template could not be read (it was kept aside).
  const std::string& NormalTemplateProblem() const { return normalProblem_; }

 private:
  void LoadNormalTemplate();

  std::filesystem::path folder_;
  std::shared_ptr<word::Documents> documents_;
  std::shared_ptr<Template> normal_;
  std::shared_ptr<Template> context_;
  std::shared_ptr<word::AddIns> addIns_;
  std::shared_ptr<office::CommandBars> bars_;
  std::shared_ptr<office::COMAddIns> comAddIns_;
  std::shared_ptr<SaveAsChooser> chooser_;
  std::vector<ApplicationListener*> listeners_;
  std::weak_ptr<Document> active_;
  std::string statusBar_;
  std::string normalProblem_;
  bool userControl_ = true;
  bool visible_ = true;
};

}  // namespace qv::word
