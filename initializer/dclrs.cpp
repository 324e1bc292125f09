#include "initializer/dclrs.h"

#include "automation/error_trap.h"
#include "online/modWinInet.h"
#include "online/reg.h"
#include "online/settings_keys.h"
#include "ui/msgbox.h"
#include "ui/toolkit.h"

namespace qv::initializer {
namespace {

namespace reg = online::reg;
using automation::Variant;

std::string Setting(const char* key, const char* name) {
  return reg::QueryValue(online::HKEY_CURRENT_USER, key, name).ToText();
}

}  // namespace

bool ParseArgs(const std::string& commandLine, Dclrs& args) {
  const size_t firstQuote = commandLine.find('"');
  const std::string options = commandLine.substr(0, firstQuote);
  args.uninstall = options.find("-u") != std::string::npos;
  args.unloadOnly = options.find("-l") != std::string::npos;
  if (options.find("-w") != std::string::npos)
    args.prog = "-w";
  else if (options.find("-p") != std::string::npos)
    args.prog = "-p";
  if (firstQuote == std::string::npos) return false;
  const size_t secondQuote = commandLine.find('"', firstQuote + 1);
  args.basePath = commandLine.substr(firstQuote + 1, secondQuote == std::string::npos
                                                         ? std::string::npos
                                                         : secondQuote - firstQuote - 1);
  return true;
}

std::string UsageText() {
  return std::string("Usage: initializer <prog> -u -a <path>") + kCrLf + kCrLf +
         "Where: <prog> is -p PowerPoint Addins" + kCrLf + "                 -w Word Addins" +
         kCrLf + "       -u     is to uninstall" + kCrLf +
         "       <path> is the path is the base registry path to the install locations" + kCrLf +
         "Example: initializer -p -u \"C:\\Program Files\\\"";
}

std::string ErrorReportText(const std::string& description, const std::string& where,
                            int32_t number) {
  automation::ErrorsIgnored ignore;
  std::string text = "An error has occurred in " + where + kCrLf + kCrLf;
  text += description + " (" + std::to_string(number) + ")" + kCrLf;
  text += "portal=" + ignore.Value([] { return Setting(kCompanyKey, "strHost"); }, {}) + kCrLf;
  text += "strQuery=" + ignore.Value([] { return Setting(kCompanyKey, "strQuery"); }, {}) + kCrLf;
  text += "VERSION_NO=" + ignore.Value([] { return Setting(kAddinKey, "ver"); }, {}) + kCrLf;
  text += "kzoUser=" + ignore.Value([] { return Setting(kAddinKey, "kzoUser"); }, {}) + kCrLf;
  return text;
}

void ReportError(const std::string& description, const std::string& where, int32_t number,
                 bool showMessage) {
  automation::ErrorsIgnored ignore;
  // Whatever the installer reports, the external setup learns that the installation failed.
  reg::SetValue(online::HKEY_CURRENT_USER, kCompanyKey, "isInstallOK", Variant(0), reg::REG_DWORD);
  const std::string report = ErrorReportText(description, where, number);
  online::PostOptions options(online::kInitializerSender);
  options.setMousePointer = [](int pointer) {
    ui::Toolkit::Current().Screen().MousePointer = pointer;
  };
  ignore([&] { online::SendErrorReport(report, options); });
  if (showMessage)
    ignore([&] {
      ui::MsgBox(std::string("An error has occurred.") + kCrLf + kCrLf + description,
                 ui::vbOKOnly | ui::vbCritical, "Error");
    });
}

void ReportErrorAtLine(int line, const std::string& description, const std::string& where) {
  ReportError("LineNo:" + std::to_string(line) + kCrLf + description, where, 0, false);
}

}  // namespace qv::initializer
