#include "initializer/word_init.h"

#include <ctime>
#include <vector>

#include "automation/date.h"
#include "automation/error_trap.h"
#include "online/reg.h"
#include "online/settings_keys.h"
#include "platform/file_search.h"
#include "ui/msgbox.h"
#include "ui/toolkit.h"
#include "word/application.h"
#include "word/rot/running_word.h"

namespace qv::initializer {
namespace {

namespace reg = online::reg;
using automation::Call;
using automation::ErrInfo;
using automation::Get;
using automation::ObjectRef;
using automation::Put;
using automation::Variant;

constexpr uint32_t kHkcu = online::HKEY_CURRENT_USER;
constexpr const char* kProgId = "KZOWord.Connect";
constexpr const char* kMenusName = "Quorvanta Authoring Menus.dot";
constexpr const char* kToolbarName = "Quorvanta Authoring Toolbar.dot";
// The names the templates had in earlier versions are removed as well when found.
const char* const kTemplateNames[] = {"Quorvanta QTI Init.dot", "Quorvanta QTI Template.dot",
                                      kMenusName, kToolbarName};
constexpr int32_t kToolsMenuId = 30007;
constexpr int32_t wdDoNotSaveChanges = 0;

std::string Now() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  return automation::Date::FromParts({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                      local.tm_hour, local.tm_min, local.tm_sec})
      .Text();
}

ObjectRef Item(const ObjectRef& collection, const Variant& index) {
  return Call(collection, "Item", {index}).ToObject();
}

int32_t Count(const ObjectRef& collection) {
  return Get(collection, "Count").ToInt32();
}

bool IsTemplateName(const std::string& name) {
  for (const char* t : kTemplateNames)
    if (name == t) return true;
  return false;
}

}  // namespace

WordInit::WordInit(const Dclrs& args) : args_(args) {
  int line = 0;
  automation::Trap(
      [&] {
        line = 10;
        // The host's "\" is the folder separator of that platform; here it is "/".
        installDir_ = args_.basePath + "Quorvanta Technologies, Inc./Word Add-in/";
        toolbarTemplate_ = installDir_ + kToolbarName;
        menusTemplate_ = installDir_ + kMenusName;
        line = 20;
        // Only an existing add-in key takes these: on a first installation they do nothing.
        reg::SetValue(kHkcu, kAddinKey, "isInstalling", Variant("true"), reg::REG_SZ);
        reg::SetValue(kHkcu, kAddinKey, "lastUpdt", Variant(Now()), reg::REG_SZ);
        line = 30;
        reg::DeleteValue(kHkcu, kAddinKey, "isInstallOK");
      },
      [&](const ErrInfo& e) {
        reg::SetValue(kHkcu, kAddinKey, "isInstalling", Variant("false"), reg::REG_SZ);
        reg::SetValue(kHkcu, kAddinKey, "isInstallOK", Variant(0), reg::REG_DWORD);
        ReportErrorAtLine(line, e.description, "WordInit.Class_Initialize");
      });
}

WordInit::~WordInit() {
  Release();
}

void WordInit::Release() {
  automation::ErrorsIgnored ignore;
  if (wordApp_ && createdWord_) ignore([&] { Call(wordApp_, "Quit"); });
  wordApp_.reset();
  reg::SetValue(kHkcu, kAddinKey, "isInstalling", Variant("false"), reg::REG_SZ);
}

ObjectRef WordInit::GetWordApp() {
  ObjectRef app;
  try {
    app = word::AttachRunningWordProcessor();
  } catch (const automation::AutomationError&) {
    // A word processor that publishes but does not answer counts as not running.
    app = nullptr;
  }
  if (!app) {
    // A word processor of the installer's own, invisible, without the start-up add-ins: the
    // add-in connects at the user's next start, not in here.
    auto started = std::make_shared<word::Application>();
    started->SetVisible(false);
    createdWord_ = true;
    return started;
  }
  createdWord_ = false;
  // Command bar deletions must be kept in the Normal template.
  Put(app, "CustomizationContext", Get(app, "NormalTemplate"));
  return app;
}

bool WordInit::LoadAddin() {
  int line = 0;
  return automation::TrapValue(
      [&] {
        line = 10;
        reg::CreateKey(kHkcu, online::kWordAddinsKey);
        reg::CreateKey(kHkcu, online::kWordAddinRegistrationKey);
        line = 20;
        reg::SetValue(kHkcu, online::kWordAddinRegistrationKey, "CommandLineSafe", Variant(0),
                      reg::REG_DWORD);
        reg::SetValue(kHkcu, online::kWordAddinRegistrationKey, "LoadBehavior", Variant(3),
                      reg::REG_DWORD);
        reg::SetValue(kHkcu, online::kWordAddinRegistrationKey, "FriendlyName",
                      Variant("Quorvanta Add-Ins"), reg::REG_SZ);
        line = 30;
        reg::CreateKey(kHkcu, kCompanyKey);
        reg::CreateKey(kHkcu, kAddinKey);
        line = 40;
        auto text = [](const char* name, const std::string& value) {
          reg::SetValue(kHkcu, kAddinKey, name, Variant(value), reg::REG_SZ);
        };
        text("INSTALL_PATH", installDir_);
        text("IMG_PATH", installDir_ + "Img/");
        text(kToolbarName, toolbarTemplate_);
        text(kMenusName, menusTemplate_);
        reg::SetValue(kHkcu, kAddinKey, "helpShow", Variant(0), reg::REG_DWORD);
        text("helpLoc", installDir_ + "first.doc");
        line = 50;
        if (toolbarTemplate_.empty() || menusTemplate_.empty() ||
            platform::Dir(toolbarTemplate_).empty() || platform::Dir(menusTemplate_).empty()) {
          ui::MsgBox(
              "The Word Add-in were not found on your machine.  This installation will complete "
              "but errors may prevent the Word Add-in from working correctly.",
              ui::vbOKOnly);
          return true;
        }
        line = 60;
        wordApp_ = GetWordApp();
        line = 70;
        if (!createdWord_) EnableWord();
        line = 80;
        int32_t found = 0;
        {
          automation::ErrorsIgnored ignore;
          ignore([&] {
            const ObjectRef addIns = Get(wordApp_, "AddIns").ToObject();
            const int32_t n = Count(addIns);
            for (int32_t i = 1; i <= n; ++i) {
              ignore([&] {
                const std::string name = Get(Item(addIns, Variant(i)), "Name").ToText();
                if (name == kMenusName || name == kToolbarName) ++found;
              });
            }
          });
        }
        line = 90;
        if (found == 0 && !createdWord_ && IsInContainer())
          ui::MsgBox(
              "The Word Add-in will be installed, but you must close and open Word and Outlook "
              "before the add-in will show up.",
              ui::vbOKOnly);
        line = 100;
        reg::SetValue(kHkcu, kCompanyKey, "isInstallOK", Variant(1), reg::REG_DWORD);
        return true;
      },
      [&](const ErrInfo& e) {
        reg::SetValue(kHkcu, kCompanyKey, "isInstallOK", Variant(0), reg::REG_DWORD);
        ReportError("Erl:" + std::to_string(line) + kCrLf + e.description, "WordInit.LoadAddin", 0,
                    false);
      },
      false);
}

void WordInit::EnableWord() {
  int line = 0;
  automation::Trap(
      [&] {
        line = 10;
        const ObjectRef list = Get(wordApp_, "COMAddIns").ToObject();
        Call(list, "Update");
        line = 20;
        automation::ErrorsIgnored ignore;
        int32_t n = 0;
        ignore([&] { n = Count(list); });
        for (int32_t i = 1; i <= n; ++i) {
          ignore([&] {
            const ObjectRef addIn = Item(list, Variant(i));
            if (Get(addIn, "ProgId").ToText() != kProgId) return;
            // The running word processor connects the add-in now; its connection loads the
            // templates and builds the menu and the toolbar.
            Put(addIn, "Connect", Variant(true));
            ui::DoEvents();
          });
        }
        ui::DoEvents();
      },
      [&](const ErrInfo& e) { ReportErrorAtLine(line, e.description, "WordInit.EnableWord"); });
}

void WordInit::DisableWord() {
  automation::ErrorsIgnored ignore;
  ignore([&] { Call(Get(wordApp_, "COMAddIns").ToObject(), "Update"); });
  ignore([&] {
    Put(Item(Get(wordApp_, "COMAddIns").ToObject(), Variant(kProgId)), "Connect", Variant(false));
  });
}

bool WordInit::IsInContainer() {
  automation::ErrorsIgnored ignore;
  bool result = false;
  bool found = false;
  ignore([&] {
    const ObjectRef docs = Get(wordApp_, "Documents").ToObject();
    const int32_t n = Count(docs);
    for (int32_t i = 1; i <= n && !found; ++i) {
      ignore([&] {
        const ObjectRef doc = Item(docs, Variant(i));
        if (Get(doc, "UserControl").ToBool()) return;
        Put(doc, "UserControl", Variant(true));
        // A document that will not come under the user's control belongs to another program.
        if (!Get(doc, "UserControl").ToBool()) found = true;
      });
    }
  });
  if (found) return true;
  ignore([&] { result = !Get(wordApp_, "UserControl").ToBool(); });
  return result;
}

bool WordInit::UnloadAddin() {
  int line = 0;
  const bool reached = automation::Trap(
      [&] {
        line = 100;
        wordApp_ = GetWordApp();
        line = 200;
        const ObjectRef docs = Get(wordApp_, "Documents").ToObject();
        // Closing shifts the collection, so the help documents are taken first.
        std::vector<ObjectRef> help;
        const int32_t n = Count(docs);
        for (int32_t i = 1; i <= n; ++i) {
          const ObjectRef doc = Item(docs, Variant(i));
          if (Get(doc, "Name").ToText() == "first.doc") help.push_back(doc);
        }
        for (const auto& doc : help) {
          Put(doc, "Saved", Variant(true));
          Call(doc, "Close", {Variant(wdDoNotSaveChanges)});
        }
        line = 300;
        if (!createdWord_) DisableWord();
      },
      [&](const ErrInfo& e) {
        ReportError(e.description, "WordInit.UnloadAddin (Erl=" + std::to_string(line) + ")", 0,
                    false);
      });
  if (!reached) return false;

  automation::ErrorsIgnored ignore;
  ignore([&] {
    const ObjectRef addIns = Get(wordApp_, "AddIns").ToObject();
    // From the end, so that a deletion does not skip the entry after it.
    for (int32_t i = Count(addIns); i >= 1; --i) {
      ignore([&] {
        const ObjectRef addIn = Item(addIns, Variant(i));
        if (!IsTemplateName(Get(addIn, "Name").ToText())) return;
        Put(addIn, "Installed", Variant(false));
        Call(addIn, "Delete");
      });
    }
  });
  if (args_.uninstall) {
    ignore([&] {
      Call(Item(Get(wordApp_, "CommandBars").ToObject(), Variant("Quorvanta")), "Delete");
    });
    ignore([&] {
      const ObjectRef tools = Call(Get(wordApp_, "CommandBars").ToObject(), "FindControl",
                                   {Variant(), Variant(kToolsMenuId)})
                                  .ToObject();
      const ObjectRef controls = Get(tools, "Controls").ToObject();
      for (int32_t i = Count(controls); i >= 1; --i) {
        ignore([&] {
          const ObjectRef control = Item(controls, Variant(i));
          if (Get(control, "Caption").ToText() == "&Quorvanta") Call(control, "Delete");
        });
      }
    });
    reg::DeleteKey(kHkcu, online::kWordAddinRegistrationKey);
    reg::DeleteKey(kHkcu, kAddinKey);
    reg::DeleteKey(kHkcu, kPowerPointKey);
    reg::DeleteKey(kHkcu, kCompanyKey);
  }
  try {
    Call(Get(wordApp_, "NormalTemplate").ToObject(), "Save");
  } catch (const automation::AutomationError&) {
    ReportError("NormalTemplate.Save failed at line 340", "WordInit.UnloadAddin", 0, false);
  }
  ignore([&] { Put(Get(wordApp_, "NormalTemplate").ToObject(), "Saved", Variant(true)); });
  return true;
}

}  // namespace qv::initializer
