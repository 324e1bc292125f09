#include "addin/online/update_check.h"

#include <ctime>

#include "addin/addin_app.h"
#include "addin/constants.h"
#include "addin/dialogs/dlgProgress.h"
#include "addin/online/addin_post.h"
#include "addin/questions/report_error.h"
#include "addin/settings/g_state.h"
#include "automation/date.h"
#include "automation/error_trap.h"
#include "online/course_host_name.h"
#include "online/reg.h"
#include "online/settings_keys.h"
#include "platform/shell/shell_execute.h"
#include "ui/msgbox.h"

namespace qv::addin {
namespace {

using automation::Variant;
namespace reg = online::reg;

constexpr const char* kCrLf = "\r\n";

Variant Setting(const char* name) {
  return reg::QueryValue(online::HKEY_CURRENT_USER, online::kAddinKey, name);
}

void WriteSetting(const char* name, const std::string& value) {
  reg::SetValue(online::HKEY_CURRENT_USER, online::kAddinKey, name, Variant(value), reg::REG_SZ);
}

automation::Date Now() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  return automation::Date::FromParts({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                      local.tm_hour, local.tm_min, local.tm_sec});
}

}  // namespace

bool checkForUpgrade() {
  int erl = 0;
  std::shared_ptr<dlgProgress> progress;
  return automation::TrapValue(
      [&] {
        erl = 1;
        std::string latestVer = Setting("latestVer").ToText();
        const std::string lastUpdt = Setting("lastUpdt").ToText();
        erl = 2;
        const automation::Date now = Now();
        WriteSetting("lastUpdt", now.Text());
        erl = 3;
        if (!lastUpdt.empty() && now.Serial() - 7 < Variant(lastUpdt).ToDate().Serial())
          return false;
        erl = 4;
        const bool known = !latestVer.empty() && Variant(latestVer).ToInt32() > kVersionNumber;
        if (!known) {
          erl = 5;
          if (ui::MsgBox(AddinApp(), "Check for updates to the Quorvanta Add-ins now?", ui::vbYesNo,
                         "Quorvanta Update") == ui::vbNo)
            return false;
          erl = 6;
          progress = dlgProgress::Create();
          progress->Show(ui::vbModeless);
          progress->AddMessage("Contacting update server...Please wait.");
          erl = 7;
          const std::string answer = online::HttpPost(
              std::string("getVer=true&ver=") + kVersionNo + "&strHost=" + G().strHost,
              "/engine/help/info.asp", AddinPostOptions());
          erl = 8;
          progress->DONE();
          progress.reset();
          erl = 9;
          const auto p = answer.find("ver=");
          if (answer.empty() || p == std::string::npos) return false;
          const auto start = p + 4;
          const auto q = answer.find(';', start);
          if (q == std::string::npos) return false;
          latestVer = answer.substr(start, q - start);
          WriteSetting("latestVer", latestVer);
          erl = 10;
          if (kVersionNumber >= Variant(latestVer).ToInt32()) {
            ui::MsgBox(AddinApp(), "Your Quorvanta Add-ins are up to date.", ui::vbOKOnly);
            return false;
          }
        }
        erl = 11;
        const int32_t choice =
            ui::MsgBox(AddinApp(),
                       std::string("A new version of the Quorvanta Add-ins is available.") + kCrLf +
                           kCrLf + "Click 'OK' to download and install it now" + kCrLf +
                           "Click 'Cancel' to close this window",
                       ui::vbOKCancel, "Update");
        if (choice == ui::vbOK) ShowUpdatePage();
        return true;
      },
      [&](const automation::ErrInfo& e) {
        if (progress) {
          automation::ErrorsIgnored ignore;
          ignore([&] { progress->DONE(); });
          progress.reset();
        }
        ReportError(e.description, "online.checkForUpgrade ERL=(" + std::to_string(erl) + ")",
                    e.number, false);
      },
      false);
}

void ShowUpdatePage() {
  platform::ShellExecute(0, "Open", "iexplore.exe",
                         std::string("http://") + online::kDefaultCourseHost +
                             "/addins.asp?strHost=" + G().strHost + "&ver=" + kVersionNo,
                         "", 1);
}

}  // namespace qv::addin
