#include "addin/questions/report_error.h"

#include <functional>

#include "addin/addin_app.h"
#include "addin/constants.h"
#include "addin/online/addin_post.h"
#include "addin/settings/g_state.h"
#include "automation/error_trap.h"
#include "online/reg.h"
#include "online/settings_keys.h"
#include "ui/msgbox.h"
#include "word/application.h"
#include "word/document.h"
#include "word/documents.h"
#include "word/running_application.h"

namespace qv::addin {
namespace {

constexpr const char* kCrLf = "\r\n";

using automation::Call;
using automation::Get;
using automation::ObjectRef;
using automation::Variant;

// Builds the report line by line with errors ignored: a value that cannot be collected leaves its
// line with the label alone, and the report goes on.
class ReportLines {
 public:
  void Line(const std::string& label, const std::function<std::string()>& value) {
    text_ += label + ignore_.Value(value, std::string()) + kCrLf;
  }
  void Blank() { text_ += kCrLf; }
  void Raw(const std::string& s) { text_ += s; }
  const std::string& Text() const { return text_; }

 private:
  automation::ErrorsIgnored ignore_;
  std::string text_;
};

std::string IsInstallingSetting() {
  return online::reg::QueryValue(online::HKEY_CURRENT_USER, online::kAddinKey, "isInstalling")
      .ToText();
}

}  // namespace

std::string ErrorReportText(const std::string& description, const std::string& where,
                            int32_t number) {
  const GState& g = G();
  const auto app = word::RunningApplication();
  const ObjectRef appRef = app;
  auto need = [&] {
    if (!app) automation::Raise(automation::err::kObjectNotSet);
  };
  auto language = [&](int32_t which) {
    need();
    return Call(Get(appRef, "LanguageSettings").ToObject(), "LanguageID", {Variant(which)})
        .ToText();
  };
  auto system = [&](const char* member) {
    need();
    return Get(Get(appRef, "System").ToObject(), member).ToText();
  };

  ReportLines r;
  r.Line("An error has occurred in ", [&] { return where; });
  r.Blank();
  r.Line("", [&] { return description + " (" + std::to_string(number) + ")"; });
  r.Line("portal=", [&] { return g.strHost; });
  r.Line("strQuery=", [&] { return g.strQuery; });
  r.Line("VERSION_NO=", [] { return std::string(kVersionNo); });
  r.Line("App.Version=", [&] {
    need();
    return word::Application::Version();
  });
  r.Line("kzoUser=", [&] { return std::string(g.kzoUser ? "True" : "False"); });
  r.Line("isInstalling=", [] { return IsInstallingSetting(); });
  r.Line("App.Keyboard=", [&] {
    need();
    return std::to_string(app->Keyboard(0));
  });
  r.Line("App.Languages.ExeMode=", [&] { return language(4); });
  r.Line("App.Languages.Help=", [&] { return language(3); });
  r.Line("App.Languages.Install=", [&] { return language(1); });
  r.Line("App.Languages.UI=", [&] { return language(2); });
  r.Line("App.Languages.UIPrev=", [&] { return language(5); });
  r.Line("System.Country=", [&] { return system("Country"); });
  r.Line("System.LanguageDesignation=", [&] { return system("LanguageDesignation"); });
  r.Line("System.ProcessorType=", [&] { return system("ProcessorType"); });
  r.Line("System.FreeDiskSpace=", [&] { return system("FreeDiskSpace"); });
  r.Line("System.OperatingSystem=", [&] { return system("OperatingSystem"); });
  r.Line("System.Version=", [&] { return system("Version"); });
  r.Line("System.HorizontalResolution=", [&] { return system("HorizontalResolution"); });
  r.Line("System.VerticalResolution = ", [&] { return system("VerticalResolution"); });
  r.Blank();

  // One line per open document; a document whose values cannot be read is left out.
  automation::ErrorsIgnored ignore;
  ignore([&] {
    need();
    std::string activeName;
    ignore([&] { activeName = app->ActiveDocument()->Name(); });
    for (const auto& doc : app->Documents()->List()) {
      ignore([&] {
        std::string line = doc->Name() == activeName ? "* " : "";
        line += "n[" + doc->Name() + "] ---> p[" + doc->Path() + "]" + kCrLf;
        r.Raw(line);
      });
    }
  });
  return r.Text();
}

void ReportError(const std::string& description, const std::string& where, int32_t number,
                 bool showMessage) {
  automation::ErrorsIgnored ignore;
  ignore([&] {
    const std::string report = ErrorReportText(description, where, number);
    online::SendErrorReport(report, AddinPostOptions());
  });
  ignore([&] {
    if (showMessage && IsInstallingSetting() != "true") {
      ui::MsgBox(AddinApp(), std::string("An error has occurred.") + kCrLf + kCrLf + description,
                 ui::vbOKOnly | ui::vbCritical, "Error");
    }
  });
}

}  // namespace qv::addin
