#pragma once
// The application's built-in dialogs. Only Save As (wdDialogFileSaveAs, 84) is served: it asks a
// SaveAsChooser, which the forms toolkit provides; the default chooser answers Cancel.

#include <memory>
#include <optional>
#include <string>

#include "automation/dispatch.h"

namespace qv::word {

class Application;

inline constexpr int32_t wdDialogFileSaveAs = 84;

class SaveAsChooser {
 public:
  virtual ~SaveAsChooser() = default;
  // The file name chosen for a document now called `currentName`, or nullopt for Cancel.
  virtual std::optional<std::string> Choose(const std::string& currentName) = 0;
};

class RefusingSaveAsChooser : public SaveAsChooser {
 public:
  std::optional<std::string> Choose(const std::string&) override { return std::nullopt; }
};

class Dialog : public automation::Dispatch {
 public:
  Dialog(Application* app, int32_t type) : app_(app), type_(type) {}
  const automation::DispatchTable& Members() const override;
  // Shows the dialog and carries out the choice: -1 for OK, 0 for Cancel.
  int32_t Show();
  // Shows the dialog without carrying out the choice.
  int32_t Display();
  int32_t Type() const { return type_; }
  // The file name chosen by the last Display ("" before).
  const std::string& Name() const { return name_; }

 private:
  Application* app_;
  int32_t type_;
  std::string name_;
};

class Dialogs : public automation::Dispatch {
 public:
  explicit Dialogs(Application* app) : app_(app) {}
  const automation::DispatchTable& Members() const override;
  std::shared_ptr<Dialog> Item(int32_t type) const;

 private:
  Application* app_;
};

}  // namespace qv::word
