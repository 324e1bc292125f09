#include "addin/online/course_portal.h"

#include <algorithm>

#include "addin/document/save_processing.h"
#include "addin/document/validate_doc.h"
#include "addin/questions/g_construction.h"
#include "addin/questions/report_error.h"
#include "addin/settings/g_state.h"
#include "automation/error_trap.h"
#include "automation/text/ascii.h"
#include "browser/windows/browser_desktop.h"
#include "browser/windows/browser_window.h"
#include "browser/windows/shell_application.h"
#include "online/course_host_name.h"
#include "online/reg.h"
#include "online/settings_keys.h"
#include "platform/windows.h"
#include "word/application.h"
#include "word/document.h"
#include "word/running_application.h"

namespace qv::addin {
namespace {

using automation::Variant;

// The word processor's active document, or null when there is none (or no word processor).
std::shared_ptr<word::Document> ActiveDocumentIfAny() {
  automation::ErrorsIgnored ignore;
  return ignore.Value(
      []() -> std::shared_ptr<word::Document> {
        auto app = word::RunningApplication();
        return app ? app->ActiveDocument() : nullptr;
      },
      std::shared_ptr<word::Document>());
}

// Stamps, checks, records and saves the document; false when the command is to end here (the
// author has been told why).
bool PrepareForCourse(word::Document& doc) {
  if (!IsConvertedDocument(doc, kConvertedMark)) StampDocument(doc);
  if (!ValidateDoc(doc.Self())) return false;
  // The course host takes the document from its file: one that could not be saved would go to
  // the course without its page data, or not at all.
  if (ProcessKZOInfo(doc) == SaveOutcome::NotSaved) return false;
  online::reg::SetValue(online::HKEY_CURRENT_USER, online::kAddinKey, "LastPath",
                        Variant(doc.FullName()), online::reg::REG_SZ);
  return true;
}

std::string WindowTitle(const automation::ObjectRef& window) {
  auto document = automation::Get(window, "Document").ToObject();
  if (!document) automation::Raise(automation::err::kObjectNotSet);
  return automation::Get(document, "Title").ToText();
}

}  // namespace

std::string PortalAddress() {
  const GState& g = G();
  if (!g.strHost.empty() && g.kzoUser) return g.strHost + g.strQuery;
  return std::string(online::kDefaultCourseHost) +
         "/Groups/Config/CreatePortal.asp?kzoUser=" + (g.kzoUser ? "True" : "False");
}

automation::ObjectRef FindIEWin(const std::string& title) {
  return automation::TrapValue(
      [&]() -> automation::ObjectRef {
        // Any page title contains the empty text; no window is the one looked for then.
        if (title.empty()) return nullptr;
        auto shell = std::make_shared<browser::ShellApplication>(browser::BrowserDesktop::Shared());
        auto windows = shell->Windows();
        const std::string wanted = text::AsciiLowered(title);
        for (int32_t i = 0; i < windows->Count(); ++i) {
          auto window = windows->Item(i);
          automation::ErrorsIgnored ignore;
          const std::string seen = ignore.Value([&] { return WindowTitle(window); }, std::string());
          if (!ignore.Err() && text::AsciiLowered(seen).find(wanted) != std::string::npos)
            return window;
        }
        return nullptr;
      },
      [](const automation::ErrInfo& e) {
        ReportError(e.description, "online.FindIEWin", e.number, true);
      },
      automation::ObjectRef());
}

void ShowIE(const automation::ObjectRef& window, const std::string& address) {
  automation::ErrorsIgnored ignore;
  const int32_t hwnd = ignore.Value([&] { return automation::Get(window, "hwnd").ToInt32(); }, 0);
  ignore([&] { platform::ShowWindow(hwnd, platform::SW_SHOWMINIMIZED); });
  ignore([&] { platform::ShowWindow(hwnd, platform::SW_RESTORE); });
  if (!address.empty()) ignore([&] { automation::Call(window, "Navigate2", {Variant(address)}); });
  ignore([&] {
    auto document = automation::Get(window, "Document").ToObject();
    if (!document) automation::Raise(automation::err::kObjectNotSet);
    automation::Call(document, "focus", {});
  });
}

void FindIE() {
  automation::Trap(
      [] {
        if (auto doc = ActiveDocumentIfAny(); doc && !PrepareForCourse(*doc)) return;
        const std::string host = G().strHost;
        auto portal = FindIEWin(host);
        auto lessonList = FindIEWin(host + " - Lesson List");
        auto lessonEditor = FindIEWin(host + " - Lesson Editor");
        // The window the author was working in comes to the front as it is, not reloaded: the
        // lesson editor first, then the lesson list, then the portal.
        for (const auto& window : {lessonEditor, lessonList, portal}) {
          if (window) {
            ShowIE(window, "");
            return;
          }
        }
        auto window = browser::BrowserDesktop::Shared()->NewWindow();
        window->Visible(true);
        ShowIE(window, PortalAddress());
      },
      [](const automation::ErrInfo& e) {
        ReportError(e.description, "online.FindIE", e.number, true);
      });
}

}  // namespace qv::addin
