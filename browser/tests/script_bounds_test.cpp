// Scripts past their time limit, whatever they run: stopped at their next loop turn or native
// call when they reach one (the engine stays), by force otherwise (the engine is dropped, the
// page's next document gets a fresh one). Short limits keep the tests fast.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "browser/tests/browser_fixture.h"
#include "ui/toolkit.h"

namespace qv::browser {
namespace {

using testing::LoadedPage;
using namespace std::chrono_literals;

ScriptLimits Short() {
  ScriptLimits limits;
  limits.timeLimit = 100ms;
  limits.graceTime = 100ms;
  return limits;
}

bool ReportsTheStop(const LoadedPage& page) {
  return page.errors.size() == 1 &&
         page.errors[0].message.find("longer than 100 ms") != std::string::npos;
}

// A host object whose one method takes a while: a slow body for a script's loop.
class Slow : public automation::Dispatch {
 public:
  const automation::DispatchTable& Members() const override {
    static const auto table = automation::ClassTable<Slow>("Slow")
                                  .Sub("Wait",
                                       [](Slow& self, automation::Args&) {
                                         ++self.calls;
                                         std::this_thread::sleep_for(20ms);
                                       })
                                  .Build();
    return table;
  }
  int calls = 0;
};

TEST(ScriptBounds, CodeTheRewriteCannotSeeIsStoppedByForceAndTheNextPageRuns) {
  const char* scripts[] = {
      "eval('while (true) {}');",
      "new Function('for (;;) {}')();",
      "/(a+)+$/.test('aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab');",
      "try { eval('do {} while (1)'); } catch (e) { alert('caught ' + e); }",
      "var o = { toString: new Function('while (1) {}') }; alert(o);",
  };
  for (const char* script : scripts) {
    const auto start = std::chrono::steady_clock::now();
    LoadedPage page(std::string("<script>") + script + "</script><script>var after = 5;</script>",
                    Short());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s) << script;
    EXPECT_TRUE(ReportsTheStop(page)) << script;
    EXPECT_TRUE(page.alerts.empty()) << script;  // the stop is not an error a script catches
    EXPECT_TRUE(page.Window().Engine().Dead()) << script;
    // The dropped engine does nothing; the page's next document has a fresh one.
    EXPECT_FALSE(page.Run("after = 6;"));
    EXPECT_EQ(page.errors.size(), 1u) << script;
    page.Write("<script>var again = 7;</script><b id=b onclick='again++'>b</b>");
    page.Document().GetElementById("b")->Click();
    EXPECT_EQ(page.Eval("again"), "8") << script;
  }
}

TEST(ScriptBounds, HandlersAndTimersAreBoundedLikeScriptBlocks) {
  LoadedPage page(
      "<script>setTimeout(function () { eval('for (;;) {}'); }, 0);</script>"
      "<b id=spin onclick=\"eval('while (1) {}')\">x</b>",
      Short());
  ui::DoEvents();
  EXPECT_TRUE(ReportsTheStop(page));
  page.Write("<b id=spin onclick=\"new Function('while (1) {}')()\">x</b>");
  page.errors.clear();
  page.Document().GetElementById("spin")->Click();
  EXPECT_TRUE(ReportsTheStop(page));
  page.Document().GetElementById("spin")->Click();  // the dropped engine runs nothing
  EXPECT_EQ(page.errors.size(), 1u);
}

TEST(ScriptBounds, ALoopOfNativeCallsStopsAtTheNextCallAndKeepsItsEngine) {
  LoadedPage page("<script>var n = 0;</script><b id=b onclick='n++'>b</b>", Short());
  auto slow = std::make_shared<Slow>();
  automation::Put(page.Browser().Document(), "onkeydown",
                  automation::Variant(automation::ObjectRef(slow)));
  // Built at run time, so only the natives see the time: a slow one ends it at its next call.
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(page.Run("var s = document.onkeydown; eval('for (;;) s.Wait();');"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, 150ms + 20ms * 3);
  EXPECT_TRUE(ReportsTheStop(page));
  EXPECT_LE(slow->calls, 8);
  // A loop re-entering the engine through a click: stopped the same way.
  EXPECT_FALSE(
      page.Run("try { eval('for (;;) document.getElementById(\"b\").click();'); }"
               " catch (e) { }  for (;;) {}"));
  EXPECT_EQ(page.errors.size(), 2u);
  EXPECT_FALSE(page.Window().Engine().Dead());
  EXPECT_NE(page.Eval("n"), "0");
  automation::Put(page.Browser().Document(), "onkeydown", automation::Variant());
}

TEST(ScriptBounds, AHandlerStoppedByForceInsideALoopEndsTheWholeEntryOnce) {
  LoadedPage page(
      "<b id=b onclick=\"eval('while (true) {}')\">b</b>"
      "<script>var clicks = 0;</script>",
      Short());
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(
      page.Run("eval('for (;;) { try { document.getElementById(\"b\").click(); } catch (e) {} "
               "clicks++; }');"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
  EXPECT_TRUE(ReportsTheStop(page));
  EXPECT_TRUE(page.Window().Engine().Dead());
}

}  // namespace
}  // namespace qv::browser

namespace qv::browser {
namespace {

// A failing member call leaves the interpreter by its error jump; the call's own objects (the
// member's name, its arguments) are gone by then. The sanitizer build reports any that is not.
TEST(ScriptBounds, FailingMemberCallsLeaveNothingBehind) {
  LoadedPage page("<form name=frm><input name=a></form>");
  EXPECT_TRUE(
      page.Run("var failed = 0;"
               "for (var i = 0; i < 200; i++) {"
               "  try { document.getElementsByTagName(); } catch (e) { failed++; }"
               "  try { document.frm.a.setAttribute(); } catch (e) { failed++; }"
               "}"));
  EXPECT_EQ(page.Eval("failed"), "400");
  EXPECT_TRUE(page.errors.empty());
}

}  // namespace
}  // namespace qv::browser
