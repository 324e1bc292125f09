// How events travel and how scripts and the host see the same objects.

#include <gtest/gtest.h>

#include "browser/dom/html_form_element.h"
#include "browser/dom/html_input_element.h"
#include "browser/dom/html_option_element.h"
#include "browser/dom/style.h"
#include "browser/fetch.h"
#include "browser/tests/browser_fixture.h"
#include "ui/form.h"

namespace qv::browser {
namespace {

using automation::Call;
using automation::Get;
using automation::ObjectRef;
using automation::Put;
using automation::Variant;
using testing::LoadedPage;

TEST(Events, BubblingStopsWhereAHandlerCancelsIt) {
  LoadedPage page(
      "<script>var log = '';</script>"
      "<div id=outer onclick=\"log += 'outer;'\"><p id=mid onclick=\"log += 'mid;';"
      " if (window.event.srcElement.id == 'stop') event.cancelBubble = true;\">"
      "<input id=go type=button><input id=stop type=button></p></div>");
  page.Run("document.onclick = function () { log += 'doc;'; };");
  page.Document().GetElementById("go")->Click();
  EXPECT_EQ(page.Eval("log"), "mid;outer;doc;");
  page.Run("log = '';");
  page.Document().GetElementById("stop")->Click();
  EXPECT_EQ(page.Eval("log"), "mid;");
}

TEST(Events, FocusBlurAndChangeDoNotBubble) {
  LoadedPage page(
      "<script>var log = '';</script><form onblur=\"log += 'form;'\">"
      "<input id=a onfocus=\"log += 'focus a;'\" onblur=\"log += 'blur a;'\">"
      "<input id=b onfocus=\"log += 'focus b;'\" onchange=\"log += 'change b;'\"></form>");
  auto a = page.Document().GetElementById("a");
  auto b = page.Document().GetElementById("b");
  a->Focus();
  b->Focus();
  b->FireEvent("onchange");
  EXPECT_EQ(page.Eval("log"), "focus a;blur a;focus b;change b;");
  EXPECT_EQ(page.Document().ActiveElement(), b);
  EXPECT_EQ(page.Eval("document.activeElement.id"), "b");
}

TEST(Events, CancelledCheckBoxClickUndoesTheToggle) {
  LoadedPage page("<input type=checkbox id=c onclick='return window.confirmed == true;'>");
  auto c = std::static_pointer_cast<HTMLInputElement>(page.Document().GetElementById("c"));
  c->Click();
  EXPECT_FALSE(c->Checked());
  page.Run("confirmed = true;");
  c->Click();
  EXPECT_TRUE(c->Checked());
}

TEST(Events, HandlerWrittenIntoTheAttributeReplacesTheCompiledOne) {
  LoadedPage page("<script>var n = 0;</script><span id=s onclick='n = 1;'>s</span>");
  auto s = page.Document().GetElementById("s");
  s->Click();
  s->SetAttribute("onclick", "n = 2;");
  s->Click();
  EXPECT_EQ(page.Eval("n"), "2");
  page.Run("document.getElementById('s').onclick = null;");
  s->Click();
  EXPECT_EQ(page.Eval("n"), "2");
}

TEST(Bindings, HostAndScriptSeeTheSameMembers) {
  LoadedPage page(
      "<form name=frm><input name=t value=x><select name=s><option value=v1>One"
      "<option>Two</select><textarea name=a>text</textarea></form>");
  auto form = page.Document().Form(0);
  auto t = form->Item("t").ToObject();
  // The host's calls find members without regard to case.
  Put(t, "VALUE", Variant("from host"));
  EXPECT_EQ(page.Eval("document.frm.t.value"), "from host");
  page.Run("document.frm.t.value = 'from script';");
  EXPECT_EQ(Get(t, "Value").ToText(), "from script");
  auto options = Get(form->Item("s").ToObject(), "options").ToObject();
  EXPECT_EQ(Get(options, "length").ToInt32(), 2);
  EXPECT_EQ(Get(Call(options, "item", {Variant(0)}).ToObject(), "value").ToText(), "v1");
  EXPECT_EQ(Get(Call(options, "item", {Variant(1)}).ToObject(), "value").ToText(), "Two");
  EXPECT_EQ(page.Eval("document.frm.s.value"), "v1");
  EXPECT_EQ(page.Eval("document.frm.a.defaultValue + '/' + document.frm.a.type"), "text/textarea");
  EXPECT_EQ(
      Get(Call(Get(page.Browser().Document(), "forms").ToObject(), "item", {Variant(0)}).ToObject(),
          "name")
          .ToText(),
      "frm");
  EXPECT_EQ(page.Eval("document.all.length > 5"), "true");
  EXPECT_EQ(page.Eval("document.all['t'].tagName"), "INPUT");
  EXPECT_EQ(page.Eval("document.getElementsByName('a')[0].value"), "text");
  EXPECT_EQ(page.Eval("'value' in document.frm.t"), "true");
}

TEST(Bindings, ScriptCannotReachMissingMembersOfTheHost) {
  LoadedPage page("<input id=i>");
  EXPECT_FALSE(page.Run("document.getElementById('i').noSuchMethod();"));
  ASSERT_EQ(page.errors.size(), 1u);
  EXPECT_NE(page.errors[0].message.find("TypeError"), std::string::npos);
  // A host error inside a call reaches the script as an error it can catch.
  EXPECT_EQ(page.Eval("(function () { try { document.open('text/plain'); return 'no'; }"
                      " catch (e) { return 'caught'; } })()"),
            "caught");
}

// The page's own rules where an automation client's differ: objects are plain objects, read-only
// members ignore assignments, unknown names are the script's own; errors carry their numbers.
TEST(Bindings, PageScriptsSeeTheHostsObjectsAsItsPagesDo) {
  LoadedPage page("<input id=i value=v>");
  EXPECT_EQ(page.Eval("typeof document.getElementById('i')"), "object");
  EXPECT_TRUE(page.Run("var i = document.getElementById('i'); i.tagName = 'B'; i.mine = 3;"));
  EXPECT_EQ(page.Eval("i.tagName + i.mine + ('mine' in i) + ('value' in i)"), "INPUT3truetrue");
  EXPECT_EQ(page.Eval("(function () { try { document.getElementsByTagName(); }"
                      " catch (e) { return e.number + ': ' + e.description; } })()"),
            "450: " + automation::StandardDescription(automation::err::kWrongArgCount));
  EXPECT_TRUE(page.errors.empty());
}

// A host object whose method clicks the element it is given: the page's handler runs while a
// native call with arguments of the same page is under way.
class Clicker : public automation::Dispatch {
 public:
  const automation::DispatchTable& Members() const override {
    static const auto table =
        automation::ClassTable<Clicker>("Clicker")
            .Sub("Click", [](Clicker&, automation::Args& a) { Call(a.Object(0), "click"); })
            .Build();
    return table;
  }
};

TEST(Bindings, HandlersAndTextsWorkInsideNativeCallsWithArguments) {
  LoadedPage page(
      "<script>var n = 0;</script><b id=b onclick='n++'>b</b>"
      "<i id=bad onclick=\"\n  throw new Error('inner')\">i</i>");
  Put(page.Browser().Document(), "onkeydown", Variant(ObjectRef(std::make_shared<Clicker>())));
  EXPECT_TRUE(
      page.Run("var b = document.getElementById('b');"
               "document.onkeydown.Click(b, 'two', 3); alert(n);"
               "document.onkeydown.Click(document.getElementById('bad'), 2, 3);"));
  EXPECT_EQ(page.Eval("n"), "1");
  ASSERT_EQ(page.errors.size(), 1u);
  EXPECT_NE(page.errors[0].message.find("inner"), std::string::npos) << page.errors[0].Text();
  EXPECT_EQ(page.errors[0].line, 2);
  page.Run("alert(5); alert({ toString: function () { return 'own'; } }); alert(null);");
  EXPECT_EQ(page.alerts, (std::vector<std::string>{"1", "5", "own", "null"}));
  Put(page.Browser().Document(), "onkeydown", Variant());
}

TEST(Bindings, DocumentWriteFromAScriptReplacesThePage) {
  LoadedPage page(
      "<script>function rewrite() { document.open(); document.write('<title>New</title>"
      "<scr' + 'ipt>var fresh = 1;</scr' + 'ipt>'); document.close(); }</script>"
      "<button id=b onclick='rewrite()'>b</button>");
  page.Document().GetElementById("b")->Click();
  EXPECT_EQ(page.Document().Title(), "New");
  EXPECT_EQ(page.Eval("fresh"), "1");
  EXPECT_TRUE(page.errors.empty()) << page.errors.front().Text();
}

TEST(Bindings, WindowOpenedWithoutADesktopBelongsToItsOpener) {
  LoadedPage page(
      "<script>var w = window.open('about:blank', 'side'); var again = window.open('', 'side');"
      "w.document.title = 'Side';</script>");
  EXPECT_EQ(page.Eval("w === again"), "true");
  EXPECT_EQ(page.Eval("w.document.title"), "Side");
  EXPECT_EQ(page.Eval("w.closed"), "false");
  page.Run("w.close();");
  EXPECT_EQ(page.Eval("w.closed"), "true");
}

TEST(Style, DeclarationsParseAndSerialise) {
  CSSStyle s;
  s.CssText("Border-Bottom:1px solid black; ; display : none;bad;color:");
  EXPECT_EQ(s.Get("borderBottom"), "1px solid black");
  EXPECT_EQ(s.Get("border-bottom"), "1px solid black");
  EXPECT_EQ(s.Get("display"), "none");
  s.Set("display", "");
  s.Set("backgroundColor", "lightyellow");
  EXPECT_EQ(s.CssText(), "border-bottom: 1px solid black; background-color: lightyellow");
}

TEST(Addresses, AreCompletedAsTheAddressBarDoes) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"course.example/Groups/Config/CreatePortal.asp?kzoUser=True",
       "http://course.example/Groups/Config/CreatePortal.asp?kzoUser=True"},
      {"localhost:8080/help.htm", "http://localhost:8080/help.htm"},
      {"http://a/b", "http://a/b"},
      {"about:blank", "about:blank"},
      {"javascript:go()", "javascript:go()"},
      {"", ""},
      {"  http://a/b \r\n", "http://a/b"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(NormalizeAddress(c.in), c.out) << c.in;
}

class BrowserForm : public ui::Form {
 public:
  BrowserForm() : ui::Form("dlgIE") {
    browser = &Add<WebBrowser>("winIE");
    browser->OnDocumentComplete(
        [this](const ObjectRef&, const std::string& url) { completed.push_back(url); });
  }
  WebBrowser* browser;
  std::vector<std::string> completed;
};

TEST(BrowserControlOnAForm, IsAControlOfItsFormReachableByName) {
  qv::testing::TempProfile profile;
  ui::Toolkit toolkit;
  auto form = std::make_shared<BrowserForm>();
  auto& control = form->Controls("winIE");
  Call(std::static_pointer_cast<automation::Dispatch>(control.shared_from_this()), "Navigate",
       {Variant("about:blank")});
  EXPECT_EQ(form->browser->ReadyState(), 4);
  EXPECT_EQ(form->completed, std::vector<std::string>{"about:blank"});
  form->browser->Move(50, 50, 11750, 7000);
  EXPECT_EQ(form->browser->Width(), 11750);
}

}  // namespace
}  // namespace qv::browser

namespace qv::browser {
namespace {

TEST(Bindings, WritingWhileThePageLoadsAddsAfterTheScript) {
  LoadedPage page(
      "<p id=before>b</p><script>document.write('<i id=one>1</i>'); "
      "document.write('<i id=two>2</i>');</script><p id=after>a</p>");
  auto one = page.Document().GetElementById("one");
  ASSERT_TRUE(one);
  EXPECT_TRUE(page.Document().GetElementById("before"));
  EXPECT_EQ(page.Eval("document.body.innerText"), "b\r\n12\r\na");
  // After loading, writing starts a new page.
  page.Run("document.write('<b id=fresh>f</b>'); document.close();");
  EXPECT_FALSE(page.Document().GetElementById("before"));
  EXPECT_TRUE(page.Document().GetElementById("fresh"));
}

}  // namespace
}  // namespace qv::browser
