#include "addin/connect/connect.h"

#include "addin/connect/command_bar_setup.h"
#include "addin/constants.h"
#include "addin/online/update_check.h"
#include "addin/questions/report_error.h"
#include "addin/settings/g_state.h"
#include "addin/settings/init_settings.h"
#include "automation/error_trap.h"
#include "office/command_bar.h"
#include "office/command_bars.h"
#include "online/reg.h"
#include "online/settings_keys.h"
#include "platform/file_search.h"
#include "platform/windows.h"
#include "word/application.h"
#include "word/document.h"
#include "word/documents.h"
#include "word/templates.h"
#include "word/window.h"

namespace qv::addin {

using automation::AutomationError;
using automation::ErrInfo;
using automation::ErrorsIgnored;
using automation::ObjectRef;
using automation::Variant;
namespace reg = online::reg;

namespace {

constexpr const char* kCrLf = "\r\n";

Variant Setting(const char* name) {
  return reg::QueryValue(online::HKEY_CURRENT_USER, online::kAddinKey, name);
}

const char* BoolText(bool b) {
  return b ? "True" : "False";
}

}  // namespace

Connect::Connect() {
  InitSettings();
}

Connect::~Connect() = default;

void Connect::AddinInstance_OnConnection(const ObjectRef& application, int32_t connectMode,
                                         const ObjectRef& addInInst, const Variant& custom) {
  int erl = 0;
  int f = 0;
  std::string addlInfo;
  const bool ok = automation::Trap(
      [&] {
        erl = 2;
        auto app = std::dynamic_pointer_cast<word::Application>(application);
        if (!app) automation::Raise(automation::err::kObjectRequired);
        app->SetCustomizationContext(app->NormalTemplate());
        f = 0;
        erl = 3;
        addInInstance_ = addInInst;
        hostApp_ = app;
        erl = 4;
        // The host passes a one-dimensional array whose element 1 says how it was started.
        if (!custom.IsArray()) automation::Raise(automation::err::kSubscript);
        G().startedFromOLE = custom.ToArray()->At(1).ToInt32() > 1;
        erl = 5;
        f = 100003;
        const bool rebuild = NeedsRebuild();
        erl = 6;
        f = 100002;
        G().kzoUser = ReadUserFlag();
        erl = 7;
        if (!LoadTemplates()) {
          hostApp_.reset();
          return;
        }
        erl = 8;
        const std::string progId = automation::Get(addInInstance_, "ProgId").ToText();
        CommandBarSetup setup(*app->CommandBars(), refs_, progId, G().upgradeAvailable, f,
                              addlInfo);
        setup.BuildMenu(rebuild);
        setup.BuildToolbar(rebuild);
        AttachHandlers();
        erl = 9;
        f = 43;
        if (connectMode != 1) AddinInstance_OnStartupComplete(custom);
        erl = 10;
        f = 44;
        ErrorsIgnored ignore;
        ignore([&] { app->NormalTemplate()->Save(); });
        f = 45;
        app->NormalTemplate()->SetSaved(true);
        erl = 11;
        f = 46;
        SaveVersion();
      },
      [&](const ErrInfo& e) {
        ReportError(e.description,
                    "AddinInstance_OnConnection ERL=(" + std::to_string(erl) + ") f=[" +
                        std::to_string(f) + "] addlInfo=[" + addlInfo + "]",
                    e.number, true);
      });
  if (!ok) {
    hostApp_.reset();
    refs_.Clear();
  }
}

bool Connect::LoadTemplates() {
  int erl = 0;
  return automation::TrapValue(
      [&] {
        erl = 10;
        const std::string installPath = Setting("INSTALL_PATH").ToText();
        if (installPath.empty()) throw AutomationError(-4, "retval=" + installPath);
        erl = 20;
        G().menusTemplatePath = installPath + kMenusTemplate;
        G().toolbarTemplatePath = installPath + kToolbarTemplate;
        erl = 30;
        const std::string menus = platform::Dir(G().menusTemplatePath);
        const std::string toolbar = platform::Dir(G().toolbarTemplatePath);
        if (menus.empty() || toolbar.empty()) {
          throw AutomationError(
              -4, "Dir(menus)=\"" + menus + kCrLf + " Dir(toolbar)=\"" + toolbar + "\"");
        }
        erl = 40;
        bool tOK = false;
        bool mOK = false;
        auto walk = [&] {
          ErrorsIgnored ignore;
          ignore([&] {
            for (const auto& addIn : hostApp_->AddIns()->List()) {
              ignore([&] {
                const std::string name = addIn->Name();
                if (name == kToolbarTemplate) tOK = true;
                if (name == kMenusTemplate) mOK = true;
              });
            }
          });
        };
        walk();
        erl = 50;
        if (!tOK) hostApp_->AddIns()->Add(G().toolbarTemplatePath);
        if (!mOK) hostApp_->AddIns()->Add(G().menusTemplatePath);
        erl = 60;
        tOK = mOK = false;
        walk();
        if (!tOK || !mOK)
          throw AutomationError(-4, std::string("tOK=") + BoolText(tOK) + "mOK=" + BoolText(mOK));
        erl = 70;
        hostApp_->AddIns()->Item(Variant(G().toolbarTemplatePath))->SetInstalled(true);
        return true;
      },
      [&](const ErrInfo& e) {
        ReportError(
            std::string("Template files may not be loaded.") + kCrLf + kCrLf + e.description,
            "Connect.LoadTemplates ERL=(" + std::to_string(erl) + ")", 0, false);
        reg::SetValue(online::HKEY_CURRENT_USER, online::kAddinKey, "isInstalling",
                      Variant("false"), reg::REG_SZ);
        ErrorsIgnored ignore;
        ignore([&] {
          const auto list = hostApp_->AddIns()->List();  // a copy: deleting changes the list
          for (const auto& addIn : list) {
            ignore([&] {
              const std::string name = addIn->Name();
              if (name == kToolbarTemplate || name == kMenusTemplate) {
                addIn->SetInstalled(false);
                addIn->Delete();
              }
            });
          }
        });
        ignore([&] { hostApp_->CommandBars()->Item(std::string(kToolbarName))->Delete(); });
      },
      false);
}

bool Connect::NeedsRebuild() {
  try {
    const Variant ver = Setting("Ver");
    const std::string isInstalling = Setting("isInstalling").ToText();
    if (isInstalling != "true" && !ver.ToText().empty() && ver.ToInt32() >= kVersionNumber) {
      G().upgradeAvailable = checkForUpgrade();
      return false;
    }
    return true;
  } catch (const AutomationError&) {
    // A recorded version that is not a number: the commands are left as they are.
    return false;
  }
}

bool Connect::ReadUserFlag() {
  return Setting("kzoUser").ToText() != "0";
}

void Connect::SaveVersion() {
  reg::CreateKey(online::HKEY_CURRENT_USER, online::kAddinKey);
  reg::SetValue(online::HKEY_CURRENT_USER, online::kAddinKey, "Ver", Variant(kVersionNo),
                reg::REG_SZ);
}

void Connect::AddinInstance_OnStartupComplete(const Variant&) {
  ErrorsIgnored ignore;
  ignore([&] {
    if (!hostApp_) automation::Raise(automation::err::kObjectNotSet);
    hostApp_->CommandBars()->Item(std::string(kToolbarName))->SetVisible(true);
    ShowHelpDocument();
  });
}

void Connect::ShowHelpDocument() {
  const int32_t helpShow = Setting("helpShow").ToInt32();
  if (G().startedFromOLE || helpShow == 0) return;
  reg::SetValue(online::HKEY_CURRENT_USER, online::kAddinKey, "helpShow", Variant(0),
                reg::REG_DWORD);
  const std::string helpLoc = Setting("helpLoc").ToText();
  auto doc = hostApp_->Documents()->Open(helpLoc);
  const int64_t hwnd = doc->ActiveWindow()->Hwnd();
  platform::ShowWindow(hwnd, platform::SW_SHOWMINIMIZED);
  platform::ShowWindow(hwnd, platform::SW_RESTORE);
}

void Connect::AddinInstance_OnAddInsUpdate(const Variant&) {}

void Connect::AddinInstance_OnDisconnection(int32_t, const Variant&) {
  automation::Trap(
      [&] {
        hostApp_.reset();
        refs_.Clear();
      },
      [&](const ErrInfo& e) {
        ReportError(e.description, "AddinInstance_OnDisconnection", e.number, true);
      });
}

const automation::DispatchTable& Connect::Members() const {
  using automation::Args;
  auto click = [](void (Connect::*handler)(const ObjectRef&, bool&)) {
    return [handler](Connect& c, Args& a) {
      bool cancel = a.Has(1) && a[1].ToBool();
      (c.*handler)(a.Opt(0, Variant(ObjectRef())).ToObject(), cancel);
      if (a.Count() > 1) a[1] = Variant(cancel);
    };
  };
  static const automation::DispatchTable table = [&] {
    automation::ClassTable<Connect> members("Connect");
    members
        .Sub("OnConnection",
             [](Connect& c, Args& a) {
               c.AddinInstance_OnConnection(a.Object(0), a.Int(1), a.Object(2), a[3]);
             })
        .Sub("OnDisconnection",
             [](Connect& c, Args& a) { c.AddinInstance_OnDisconnection(a.Int(0), a.Opt(1, {})); })
        .Sub("OnAddInsUpdate",
             [](Connect& c, Args& a) { c.AddinInstance_OnAddInsUpdate(a.Opt(0, {})); })
        .Sub("OnStartupComplete",
             [](Connect& c, Args& a) { c.AddinInstance_OnStartupComplete(a.Opt(0, {})); })
        .Sub("OnBeginShutdown", [](Connect&, Args&) {});
    for (const auto& command : Commands())
      members.Sub(std::string(command.name) + "_Click", click(command.handler));
    for (const auto& command : Commands())
      members.Sub(std::string(command.name) + "M_Click", click(command.handler));
    members.Sub("RemoveContentDelim_Click", [](Connect& c, Args&) { c.RemoveContentDelim_Click(); })
        .Get("Connected", [](Connect& c) { return c.hostApp_ != nullptr; });
    return members.Build();
  }();
  return table;
}

}  // namespace qv::addin
