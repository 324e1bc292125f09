// Scripts that fail, loop for ever or keep working: the page reports a clear error and stays
// usable.

#include <gtest/gtest.h>

#include <chrono>

#include "browser/script/loop_guard.h"
#include "browser/tests/browser_fixture.h"
#include "ui/scripted_driver.h"
#include "ui/toolkit.h"

namespace qv::browser {
namespace {

using testing::LoadedPage;
using namespace std::chrono_literals;

TEST(LoopGuard, InsertsTheGuardIntoLoopConditionsOnly) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"while(a){}", "while(G&&(a)){}"},
      {"for(;;){}", "for(;G;){}"},
      {"for (i = 0; i < n; i++) x();", "for (i = 0;G&&( i < n); i++) x();"},
      {"for (k in o) x();", "for (k in o) x();"},
      {"do { x(); } while (f(1, (2)));", "do { x(); } while (G&&(f(1, (2))));"},
      {"s = 'while(1)'; // for(;;)", "s = 'while(1)'; // for(;;)"},
      {"r = /while(x)/g; o.while(1);", "r = /while(x)/g; o.while(1);"},
      {"for (var f = function(){a;b}; c; d) {}", "for (var f = function(){a;b};G&&( c); d) {}"},
      {"<!-- hide\nwhile(a);", "//   hide\nwhile(G&&(a));"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GuardLoops(c.in, "G"), c.out) << c.in;
}

TEST(Scripts, AThrowingScriptIsReportedWithItsLineAndTheNextOneStillRuns) {
  LoadedPage page(
      "<script>\nvar first = 1;\nnoSuchFunction();\n</script>"
      "<script>var second = 2;</script><body onload='loaded = true;'>x</body>");
  ASSERT_EQ(page.errors.size(), 1u);
  EXPECT_EQ(page.errors[0].line, 3);
  EXPECT_NE(page.errors[0].message.find("noSuchFunction"), std::string::npos)
      << page.errors[0].message;
  EXPECT_NE(page.errors[0].source.find("script block 1"), std::string::npos);
  EXPECT_EQ(page.Eval("first + second"), "3");
  EXPECT_EQ(page.Eval("loaded"), "true");
  EXPECT_EQ(page.Window().ScriptErrors().size(), 1u);
}

TEST(Scripts, SyntaxErrorsAndFailingHandlersAreReportedToo) {
  LoadedPage page("<script>var = ;</script><a id=l onclick='null.x = 1;'>l</a>");
  ASSERT_EQ(page.errors.size(), 1u);
  EXPECT_NE(page.errors[0].message.find("SyntaxError"), std::string::npos);
  page.Document().GetElementById("l")->Click();
  ASSERT_EQ(page.errors.size(), 2u);
  EXPECT_NE(page.errors[1].source.find("onclick"), std::string::npos);
  EXPECT_EQ(page.Eval("1 + 1"), "2");
}

TEST(Scripts, ALoopWithoutEndIsStoppedAndTheEngineStaysUsable) {
  ScriptLimits limits;
  limits.timeLimit = 150ms;
  const char* loops[] = {
      "while (true) {}",
      "for (;;) { try { x = 1; } catch (e) {} }",
      "do { } while (1);",
      "function f() { for (var i = 0; i >= 0; i++) {} } f();",
  };
  for (const char* loop : loops) {
    const auto start = std::chrono::steady_clock::now();
    LoadedPage page(std::string("<script>") + loop + "</script><script>var after = 5;</script>",
                    limits);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s) << loop;
    ASSERT_EQ(page.errors.size(), 1u) << loop;
    EXPECT_NE(page.errors[0].message.find("longer than 150 ms"), std::string::npos)
        << page.errors[0].message;
    EXPECT_EQ(page.Eval("after"), "5") << loop;
  }
}

TEST(Scripts, RecursionWithoutEndAndHugeAllocationsFailCleanly) {
  ScriptLimits limits;
  limits.heapBytes = 32u << 20;
  LoadedPage page(
      "<script>function f(n) { return f(n + 1) + 1; } f(0);</script>"
      "<script>var s = 'x'; for (var i = 0; i < 40; i++) s = s + s;</script>",
      limits);
  ASSERT_EQ(page.errors.size(), 2u);
  EXPECT_NE(page.errors[0].message.find("RangeError"), std::string::npos);
  EXPECT_EQ(page.Eval("'still' + ' here'"), "still here");
}

TEST(Scripts, TimersRunAtTheNextPumpAndDieWithTheirPage) {
  LoadedPage page(
      "<script>var n = 0; setTimeout(function () { n += 1; }, 500);"
      "setTimeout('n += 10', 0); var c = setTimeout('n += 100', 0); clearTimeout(c);</script>");
  EXPECT_EQ(page.Eval("n"), "0");
  ui::DoEvents();
  EXPECT_EQ(page.Eval("n"), "11");
  page.Run("setTimeout(function () { n = -1; }, 0);");
  page.Write("<script>var n = 'new page';</script>");
  ui::DoEvents();
  EXPECT_EQ(page.Eval("n"), "new page");
}

TEST(Scripts, JavascriptLinksRunWhenClickedUnlessCancelled) {
  LoadedPage page(
      "<script>var hits = 0;</script>"
      "<a id=go href=\"javascript:hits%20+=%201;\">go</a>"
      "<a id=no href='javascript:hits += 100;' onclick='return false;'>no</a>");
  page.Document().GetElementById("go")->Click();
  page.Document().GetElementById("no")->Click();
  EXPECT_EQ(page.Eval("hits"), "1");
}

TEST(Scripts, EventObjectNamesTheSourceAndHandlersAssignedFromScriptRun) {
  LoadedPage page(
      "<script>var seen = '';\n"
      "function init() {\n"
      "  document.getElementById('k').onkeypress = function () {\n"
      "    seen += window.event.srcElement.id + ':' + event.keyCode + ';';\n"
      "  };\n"
      "  document.onkeypress = function () { seen += 'doc;'; };\n"
      "}</script><body onload='init()'><input id=k></body>");
  page.Document().GetElementById("k")->FireEvent("onkeypress", 13);
  EXPECT_EQ(page.Eval("seen"), "k:13;doc;");
  EXPECT_EQ(page.Eval("typeof document.getElementById('k').onkeypress"), "function");
  EXPECT_TRUE(page.errors.empty());
}

TEST(Scripts, AlertGoesThroughTheHook) {
  LoadedPage page("<script>alert('hello ' + 42);</script>");
  EXPECT_EQ(page.alerts, std::vector<std::string>{"hello 42"});
}

TEST(Scripts, StyleAndExpandoPropertiesAreKeptPerElement) {
  LoadedPage page("<div id=a style='color: red'></div><div id=b></div>");
  page.Run(
      "var a = document.getElementById('a'); a.style.backgroundColor = '#FFFB00';"
      "a.mine = 7; document.getElementById('b').style.display = 'none';");
  EXPECT_EQ(page.Eval("a.style.color + '|' + a.style.backgroundColor + '|' + a.mine"),
            "red|#FFFB00|7");
  EXPECT_EQ(page.Eval("document.getElementById('b').mine"), "undefined");
  EXPECT_EQ(page.Document().GetElementById("a")->GetAttribute("style"),
            "color: red; background-color: #FFFB00");
  EXPECT_EQ(page.Eval("a === document.getElementById('a')"), "true");
}

}  // namespace
}  // namespace qv::browser

namespace qv::browser {
namespace {

TEST(Scripts, EachEventGetsItsOwnTimeLimit) {
  ScriptLimits limits;
  limits.timeLimit = 100ms;
  LoadedPage page(
      "<script>var clicks = 0;</script><b id=spin onclick='for (;;) {}'>x</b>"
      "<b id=count onclick='clicks++'>y</b>",
      limits);
  auto spin = page.Document().GetElementById("spin");
  auto count = page.Document().GetElementById("count");
  spin->Click();
  count->Click();
  spin->Click();
  count->Click();
  EXPECT_EQ(page.errors.size(), 2u);
  EXPECT_EQ(page.Eval("clicks"), "2");
}

TEST(Scripts, FailingTimersAndHostHandlersAreReportedAndOthersStillRun) {
  LoadedPage page(
      "<script>var ran = 0; setTimeout('throw new Error(\"late\")', 0);</script>"
      "<p id=p onclick='ran++'><span id=s>s</span></p>");
  ui::DoEvents();
  ASSERT_EQ(page.errors.size(), 1u);
  EXPECT_NE(page.errors[0].message.find("late"), std::string::npos);

  // A host handler that raises: reported, and the document's other handlers are not affected.
  class Failing : public automation::Dispatch {
   public:
    const automation::DispatchTable& Members() const override {
      static const auto table = automation::ClassTable<Failing>("Failing")
                                    .Sub("Fire",
                                         [](Failing&, automation::Args&) {
                                           automation::Raise(automation::err::kSubscript);
                                         })
                                    .Default("Fire")
                                    .Build();
      return table;
    }
  };
  automation::Put(page.Browser().Document(), "onclick",
                  automation::Variant(automation::ObjectRef(std::make_shared<Failing>())));
  page.Document().GetElementById("s")->Click();
  EXPECT_EQ(page.Eval("ran"), "1");
  ASSERT_EQ(page.errors.size(), 2u);
  EXPECT_EQ(page.errors[1].message, "Subscript out of range");
  automation::Put(page.Browser().Document(), "onclick", automation::Variant());
}

TEST(Scripts, AlertWithoutAHookIsAMessageBoxOfTheToolkit) {
  qv::testing::TempProfile profile;
  auto driver = std::make_shared<ui::ScriptedDriver>();
  ui::Toolkit toolkit({}, driver);
  auto browser = std::make_shared<WebBrowser>();
  browser->Navigate("about:blank");
  browser->Window()->RunScript("alert('Choose an answer');");
  ASSERT_FALSE(driver->Lines().empty());
  EXPECT_NE(driver->Lines().back().find("Choose an answer"), std::string::npos)
      << driver->Lines().back();
}

}  // namespace
}  // namespace qv::browser

namespace qv::browser {
namespace {

TEST(Scripts, ObjectsMadeAfreshOnEachReadAreNotKeptByTheHeap) {
  // The loops take seconds on a busy machine or under the sanitizers: no time limit here.
  ScriptLimits limits;
  limits.timeLimit = 10min;
  LoadedPage page(
      "<form name=frm><input name=a><input name=a><select name=s><option>x</select>"
      "</form>",
      limits);
  page.Run("var n = 0; for (var i = 0; i < 1000; i++) n += document.frm.a.length;");
  const size_t before = page.Window().Engine().HeapUsed();
  page.Run(
      "for (var i = 0; i < 4000; i++) { n += document.frm.a.length + document.forms.length"
      " + document.frm.s.options.length; var f = document.frm.s.options.item; }");
  EXPECT_LT(page.Window().Engine().HeapUsed(), before + (1u << 20));
  EXPECT_EQ(page.Eval("n"), "18000");
  // A bound method keeps its object: calling it after the object is gone still works.
  EXPECT_EQ(page.Eval("f(0).text"), "x");
  // Nodes keep their identity.
  EXPECT_EQ(page.Eval("document.frm.a[0] === document.frm.a[0]"), "true");
}

}  // namespace
}  // namespace qv::browser
