// The browser control and the stand-alone windows: navigation, ready state, the
// document-complete event, pages fetched over HTTP, and the shell's list of windows.

#include <gtest/gtest.h>

#include <fstream>

#include "automation/class_factory.h"
#include "automation/text/ascii.h"
#include "browser/register_browser_classes.h"
#include "browser/web_browser.h"
#include "browser/windows/browser_desktop.h"
#include "browser/windows/browser_window.h"
#include "platform/net/testing/loopback_server.h"
#include "platform/shell/shell_execute.h"
#include "platform/testing/temp_profile.h"
#include "ui/toolkit.h"

namespace qv::browser {
namespace {

using automation::Call;
using automation::Get;
using automation::ObjectRef;
using automation::Put;
using automation::Variant;

class BrowserControl : public ::testing::Test {
 protected:
  qv::testing::TempProfile profile_;
  ui::Toolkit toolkit_;
};

std::string Page(const std::string& title) {
  return "<html><head><title>" + title + "</title></head><body>page</body></html>";
}

// A server that answers every request with `body` as an HTML page.
qv::testing::LoopbackServer PageServer(const std::string& body) {
  return qv::testing::LoopbackServer([body](qv::testing::LoopbackServer::Connection& c) {
    c.ReadRequest();
    c.Send("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\n\r\n" + body);
  });
}

TEST_F(BrowserControl, WaitForAboutBlankEndsAndDocumentCompleteFiresOnce) {
  auto browser = std::make_shared<WebBrowser>();
  EXPECT_EQ(browser->ReadyState(), 0);
  EXPECT_EQ(browser->Document(), nullptr);
  std::vector<std::string> completed;
  ObjectRef frame;
  browser->OnDocumentComplete([&](const ObjectRef& f, const std::string& url) {
    frame = f;
    completed.push_back(url);
  });
  Call(browser, "Navigate", {Variant("about:blank")});
  for (int turns = 0; Get(browser, "ReadyState").ToInt32() != 4; ++turns) {
    ASSERT_LT(turns, 100);
    ui::DoEvents();
  }
  EXPECT_EQ(completed, std::vector<std::string>{"about:blank"});
  EXPECT_EQ(frame.get(), browser.get());
  EXPECT_EQ(Get(browser, "LocationURL").ToText(), "about:blank");
  // Writing a page into the document does not complete another navigation.
  auto document = Get(browser, "Document").ToObject();
  Call(document, "open", {Variant("text/html")});
  Call(document, "write", {Variant(Page("Written"))});
  Call(document, "close");
  EXPECT_EQ(Get(document, "title").ToText(), "Written");
  EXPECT_EQ(completed.size(), 1u);
  EXPECT_EQ(Get(browser, "Document").ToObject(), document);
}

TEST_F(BrowserControl, PageFetchedOverHttpHasItsTitle) {
  auto server = PageServer(Page("Lesson List"));
  auto browser = std::make_shared<WebBrowser>();
  const std::string url = "http://127.0.0.1:" + std::to_string(server.Port()) + "/list.asp?x=1";
  browser->Navigate(url);
  EXPECT_EQ(browser->ReadyState(), 4);
  EXPECT_EQ(browser->Document()->Title(), "Lesson List");
  EXPECT_EQ(browser->LocationURL(), url);
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0].rfind("GET /list.asp?x=1 HTTP/1.0\r\n", 0), 0u)
      << server.Requests()[0];
}

TEST_F(BrowserControl, AFailedFetchCompletesWithAnErrorPage) {
  // A port that was free a moment ago: nothing listens there.
  uint16_t port = 0;
  {
    auto server = PageServer("");
    port = server.Port();
  }
  auto browser = std::make_shared<WebBrowser>();
  int completions = 0;
  browser->OnDocumentComplete([&](const ObjectRef&, const std::string&) { ++completions; });
  browser->Navigate("http://127.0.0.1:" + std::to_string(port) + "/");
  EXPECT_EQ(browser->ReadyState(), 4);
  EXPECT_EQ(completions, 1);
  EXPECT_EQ(browser->Document()->Title(), "The page cannot be displayed");
  browser->Navigate("gopher://old/");
  EXPECT_EQ(browser->Document()->Title(), "The page cannot be displayed");
  EXPECT_EQ(completions, 2);
}

TEST_F(BrowserControl, FilesAreReadFromDisk) {
  const auto path = profile_.Dir() / "page.htm";
  std::ofstream(path) << Page("From Disk");
  auto browser = std::make_shared<WebBrowser>();
  browser->Navigate("file://" + path.string());
  EXPECT_EQ(browser->Document()->Title(), "From Disk");
  browser->Navigate(path.string());
  EXPECT_EQ(browser->LocationName(), "From Disk");
}

TEST_F(BrowserControl, NavigationAskedByARunningScriptWaitsForThePump) {
  const auto path = profile_.Dir() / "next.htm";
  std::ofstream(path) << Page("Next");
  auto browser = std::make_shared<WebBrowser>();
  browser->Navigate("about:blank");
  auto document = browser->Document();
  document->Write("<a id=a href='" + path.string() + "' onclick='document.title = 1;'>go</a>");
  document->Close();
  document->GetElementById("a")->Click();  // the host's click: followed at once
  EXPECT_EQ(browser->Document()->Title(), "Next");
  browser->Window()->RunScript("window.navigate('about:blank');");
  EXPECT_EQ(browser->ReadyState(), 1);
  while (browser->ReadyState() != 4)
    ui::DoEvents();
  EXPECT_EQ(browser->LocationURL(), "about:blank");
}

TEST_F(BrowserControl, WindowOpenThenFocusShowsANamedStandAloneWindow) {
  auto desktop = std::make_shared<BrowserDesktop>();
  auto browser = std::make_shared<WebBrowser>();
  browser->Desktop(desktop);
  browser->Navigate("about:blank");
  auto document = browser->Document();
  document->Write(
      "<script>function DoLink(link) { var w = window.open('about:blank', 'helpWin', "
      "'scrollbars=yes'); w.focus(); w.document.title = 'Help ' + link; }</script>");
  document->Close();
  browser->Window()->RunScript("DoLink(1); DoLink(2);");
  ASSERT_EQ(desktop->Windows().size(), 1u);
  auto help = desktop->Windows()[0];
  EXPECT_EQ(help->Name(), "helpWin");
  EXPECT_TRUE(help->Visible());
  EXPECT_EQ(help->FocusCount(), 2);
  EXPECT_EQ(help->Document()->Title(), "Help 2");
  EXPECT_TRUE(browser->Window()->ScriptErrors().empty());
}

TEST_F(BrowserControl, StandAloneWindowIsFoundByTitleThroughTheShellWindowList) {
  auto server = PageServer(Page("course.example - Lesson Editor"));
  auto desktop = std::make_shared<BrowserDesktop>();
  automation::ClassFactory factory;
  RegisterBrowserClasses(factory, desktop);
  auto shell = factory.Create("Shell.Application");
  auto windows = Call(shell, "Windows").ToObject();
  EXPECT_EQ(Get(windows, "Count").ToInt32(), 0);

  auto ie = factory.Create("InternetExplorer.Application");
  EXPECT_FALSE(Get(ie, "Visible").ToBool());
  Put(ie, "Visible", Variant(true));
  Call(ie, "Navigate2", {Variant("127.0.0.1:" + std::to_string(server.Port()) + "/editor")});
  EXPECT_NE(Get(ie, "hwnd").ToInt32(), 0);

  // Find the window whose title holds the text, without regard to case.
  auto find = [&](const std::string& name) -> ObjectRef {
    const std::string wanted = text::AsciiLowered(name);
    for (int32_t i = 0; i < Get(windows, "Count").ToInt32(); ++i) {
      auto w = Call(windows, "Item", {Variant(i)}).ToObject();
      const std::string title =
          text::AsciiLowered(Get(Get(w, "Document").ToObject(), "Title").ToText());
      if (title.find(wanted) != std::string::npos) return w;
    }
    return nullptr;
  };
  EXPECT_EQ(find("COURSE.EXAMPLE - lesson editor"), ie);
  EXPECT_EQ(find("Lesson List"), nullptr);
  Call(Get(ie, "Document").ToObject(), "focus");
  EXPECT_EQ(std::static_pointer_cast<BrowserWindow>(ie)->FocusCount(), 1);
  // Minimised then restored by its handle: back in front.
  auto byHandle = desktop->FindByHandle(Get(ie, "hwnd").ToInt32());
  ASSERT_EQ(byHandle, ie);
  byHandle->ShowWindow(2);
  byHandle->ShowWindow(9);
  EXPECT_EQ(byHandle->ShowState(), 9);
  EXPECT_EQ(byHandle->FocusCount(), 2);

  Call(ie, "Quit");
  EXPECT_EQ(Get(windows, "Count").ToInt32(), 0);
  EXPECT_EQ(find("course.example"), nullptr);
}

TEST_F(BrowserControl, ShellOpensTheBrowserProgramInAStandAloneWindow) {
  ::unsetenv("QUORVANTA_DESKTOP_BROWSER");
  const auto path = profile_.Dir() / "update.htm";
  std::ofstream(path) << Page("Update");
  auto desktop = std::make_shared<BrowserDesktop>();
  platform::ShellPrograms programs;
  RegisterBrowserProgram(programs, desktop);
  const int32_t r = platform::ShellExecute(
      programs, {"Open", "IEXPLORE.EXE", path.string(), "", platform::shell::kShowNormal});
  EXPECT_GT(r, 32);
  ASSERT_EQ(desktop->Windows().size(), 1u);
  EXPECT_EQ(desktop->Windows()[0]->Document()->Title(), "Update");
  EXPECT_TRUE(desktop->Windows()[0]->Visible());
  desktop->CloseAll();
  EXPECT_TRUE(desktop->Windows().empty());
}

}  // namespace
}  // namespace qv::browser

namespace qv::browser {
namespace {

TEST_F(BrowserControl, LocationNavigatesAfterTheRunningScript) {
  const auto path = profile_.Dir() / "target.htm";
  std::ofstream(path) << Page("Target");
  auto browser = std::make_shared<WebBrowser>();
  browser->Navigate("about:blank");
  auto window = browser->Window();
  EXPECT_EQ(window->Evaluate("location.href").ToText(), "about:blank");
  window->RunScript("location.href = '" + path.string() + "';");
  while (browser->ReadyState() != 4)
    ui::DoEvents();
  EXPECT_EQ(browser->Document()->Title(), "Target");
  EXPECT_EQ(window->Evaluate("String(location)").ToText(), path.string());
}

}  // namespace
}  // namespace qv::browser

namespace qv::browser {
namespace {

TEST_F(BrowserControl, AStandAloneWindowClosedByItsOwnScriptLeavesTheList) {
  auto desktop = std::make_shared<BrowserDesktop>();
  auto browser = std::make_shared<WebBrowser>();
  browser->Desktop(desktop);
  browser->Navigate("about:blank");
  browser->Window()->RunScript(
      "var w = window.open('', 'popup'); w.document.write(\"<b id=x onclick='window.close()'>"
      "x</b>\"); w.document.close();");
  ASSERT_EQ(desktop->Windows().size(), 1u);
  auto page = desktop->Windows()[0]->PageWindow();
  page->Document()->GetElementById("x")->Click();
  EXPECT_TRUE(desktop->Windows().empty());
  EXPECT_TRUE(page->Closed());
  EXPECT_EQ(browser->Window()->Evaluate("w.closed").ToText(), "True");
}

}  // namespace
}  // namespace qv::browser
