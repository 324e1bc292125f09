#pragma once
// Connect: the add-in object the word processor creates ("KZOWord.Connect") when it loads the
// add-in. Its connection events drive the whole add-in: initialisation reads the settings;
// connection remembers the host, loads the authoring templates, builds or re-attaches the menu
// and toolbar, saves the Normal template and records the version; start-up completion shows the
// toolbar and, once after installation, the help document; disconnection lets the host go.
//
// The host calls the events by their names through the object's dispatch table (OnConnection,
// OnDisconnection, OnAddInsUpdate, OnStartupComplete, OnBeginShutdown), as it calls any add-in.

#include <memory>
#include <string>

#include "addin/connect/command_refs.h"
#include "automation/dispatch.h"

namespace qv::word {
class Application;
}

namespace qv::addin {

class Connect : public automation::Dispatch {
 public:
  // AddinInstance_Initialize: reads the settings once, when the object is made.
  Connect();
  ~Connect() override;
  const automation::DispatchTable& Members() const override;

  // ---- connection events ----
  void AddinInstance_OnConnection(const automation::ObjectRef& application, int32_t connectMode,
                                  const automation::ObjectRef& addInInst,
                                  const automation::Variant& custom);
  void AddinInstance_OnStartupComplete(const automation::Variant& custom);
  void AddinInstance_OnAddInsUpdate(const automation::Variant& custom);
  void AddinInstance_OnDisconnection(int32_t removeMode, const automation::Variant& custom);

  // ---- command handlers (click events of the toolbar buttons and, under name + "M_Click", of
  // the menu items; commands.h lists them) ----
  void CreateQuestion_Click(const automation::ObjectRef& ctrl, bool& cancelDefault);
  void CreateContentDelim_Click(const automation::ObjectRef& ctrl, bool& cancelDefault);
  void WebVerify_Click(const automation::ObjectRef& ctrl, bool& cancelDefault);
  void Tutorial_Click(const automation::ObjectRef& ctrl, bool& cancelDefault);
  void SignUp_Click(const automation::ObjectRef& ctrl, bool& cancelDefault);
  void Upgrade_Click(const automation::ObjectRef& ctrl, bool& cancelDefault);
  // Bound to no control; automation clients call it.
  void RemoveContentDelim_Click();

  // The application passed at connection; null before, after disconnection and after a failed
  // connection.
  std::shared_ptr<word::Application> HostApp() const { return hostApp_; }

 private:
  bool LoadTemplates();
  bool NeedsRebuild();
  bool ReadUserFlag();
  void SaveVersion();
  void ShowHelpDocument();
  void AttachHandlers();
  // The document the page-break and question commands work on: the active one, or a new blank
  // document when none is open.
  automation::ObjectRef EnsureDocument();

  std::shared_ptr<word::Application> hostApp_;
  automation::ObjectRef addInInstance_;
  CommandRefs refs_;
};

}  // namespace qv::addin
