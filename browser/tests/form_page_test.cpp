// A form page of the attribute dialog's kind: its load handler, its resize script, radio groups
// of one, two and three buttons, a disabled select, and values read back by name.

#include <gtest/gtest.h>

#include "browser/dom/html_form_element.h"
#include "browser/dom/html_input_element.h"
#include "browser/dom/html_select_element.h"
#include "browser/dom/html_text_area_element.h"
#include "browser/tests/browser_fixture.h"

namespace qv::browser {
namespace {

using automation::Get;
using automation::ObjectRef;
using automation::Variant;
using testing::LoadedPage;

const char* const kFormPage = R"PAGE(<HTML><style>
body {background-color:#efefef; font:10px Arial;}
.val {background-color:#FFFB00;}
</style><script language=javascript>
var pcomm='It\'s right';
var fcomm='Ends with <\/script> here\nand a second line';
function LoadDefs() {
   document.frm.pcomm.value = pcomm;
   document.frm.fcomm.value = fcomm;
   resizeInput('fib1');
}
function changeVal(fld, add) {
  var n = Number(fld.value) + Number(add);
  if (!(n >= 1)) n = 1;
  fld.value = String(n);
  return fld.value;
}
function resizeInput(objNm, md, val) {
  var wf = document.getElementById(objNm + '__w');
  var hf = document.getElementById(objNm + '__h');
  var one = document.getElementById(objNm + '__I');
  var area = document.getElementById(objNm + '__T');
  var w = Math.max(1, md == 'w' ? changeVal(wf, val) : wf.value);
  var h = Math.max(1, md == 'h' ? changeVal(hf, val) : hf.value);
  if (h > 1) {
    if (w > 0) area.cols = Math.max(1, w);
    area.rows = Math.max(1, h);
    if (area.style.display == '' || area.style.display == 'none') {
      area.value = one.value; one.style.display = 'none'; area.style.display = 'inline';
    }
  } else {
    one.size = Math.max(1, w);
    if (area.style.display == '' || one.style.display == 'none') {
      one.value = area.value; area.style.display = 'none'; one.style.display = 'inline';
    }
  }
}
function DoLink(link) {
  var w = window.open('about:blank', 'helpWin', 'scrollbars=yes,resizable=yes,width=750,height=550');
  w.focus();
}
</script>
<BODY marginwidth=0 leftmargin=0 topmargin=0 onload="javascript:LoadDefs();">
<form name=frm><table width=100% cellspacing=0 cellpadding=0>
<tr class=header_row><td style="border-bottom:1px solid black;">
<input type=hidden name=title value=""><input type=hidden name=qID value="ABCDEF0123456789">
<input type=text size=3 maxlength=3 name=points value="10">
<select disabled name=partial><option>Yes</option><option selected>No</option></select>
</td></tr>
<tr><td onmouseover="this.className='val';" onmouseout="this.className='null';">
<input type=radio name=single value=2 checked>
<input type=radio name=pair value=2><input type=radio name=pair value=3 checked>
<input type=radio name=ans value=2><input type=radio name=ans value=3><input type=radio name=ans value=4>
<input type=checkbox name=ans5 checked>
</td></tr>
<tr><td>
<input type=text size=3 maxlength=3 name=fib1_w id=fib1__w value="20">
<input type=text size=3 maxlength=3 name=fib1_h id=fib1__h value="1">
<input type=text name=fib1_I id=fib1__I value="the answer">
<textarea name=fib1_T id=fib1__T>the answer</textarea>
<a id=taller href="javascript:resizeInput('fib1','h',1)">+</a>
<input type=button name=double value="x2" onclick="document.frm.points.value = document.frm.points.value * 2;">
</td></tr>
<tr><td><textarea name=pcomm rows=2 cols=1 style="width:100%"></textarea>
<textarea name=fcomm rows=2 cols=1 style="width:100%"></textarea></td></tr>
</table></form>
</body></html>)PAGE";

std::shared_ptr<Element> Field(HTMLDocument& d, const std::string& name) {
  auto v = d.Form(0)->Item(name);
  return v.IsObject() ? std::dynamic_pointer_cast<Element>(v.ToObject()) : nullptr;
}

TEST(FormPage, LoadHandlerFillsTheFeedbackTextsUnchanged) {
  LoadedPage page(kFormPage);
  EXPECT_TRUE(page.errors.empty()) << page.errors.front().Text();
  EXPECT_EQ(page.Browser().ReadyState(), 4);
  auto& d = page.Document();
  EXPECT_EQ(d.ReadyState(), "complete");
  auto pcomm = std::dynamic_pointer_cast<HTMLTextAreaElement>(Field(d, "pcomm"));
  auto fcomm = std::dynamic_pointer_cast<HTMLTextAreaElement>(Field(d, "fcomm"));
  ASSERT_TRUE(pcomm && fcomm);
  EXPECT_EQ(pcomm->Value(), "It's right");
  EXPECT_EQ(fcomm->Value(), "Ends with </script> here\nand a second line");
  // The default stays what the page held.
  EXPECT_EQ(fcomm->DefaultValue(), "");
}

TEST(FormPage, ResizeScriptSwitchesABlankBetweenItsFields) {
  LoadedPage page(kFormPage);
  auto& d = page.Document();
  auto one = d.GetElementById("fib1__I");
  auto area = d.GetElementById("fib1__T");
  // After loading, a blank of height 1 shows its single-line field of width 20.
  EXPECT_EQ(one->StyleValue("display"), "inline");
  EXPECT_EQ(area->StyleValue("display"), "none");
  EXPECT_EQ(one->ClientWidth(), 20 * 7 + 4);
  EXPECT_EQ(one->ClientHeight(), 22);
  EXPECT_EQ(area->ClientWidth(), 0);

  static_cast<HTMLInputElement&>(*one).Value("typed text");
  d.GetElementById("taller")->Click();
  EXPECT_EQ(static_cast<HTMLInputElement&>(*d.GetElementById("fib1__h")).Value(), "2");
  EXPECT_EQ(one->StyleValue("display"), "none");
  EXPECT_EQ(area->StyleValue("display"), "inline");
  EXPECT_EQ(static_cast<HTMLTextAreaElement&>(*area).Value(), "typed text");
  EXPECT_EQ(area->ClientWidth(), 20 * 7 + 20);
  EXPECT_EQ(area->ClientHeight(), 2 * 16 + 4);
  EXPECT_EQ(one->ClientWidth(), 0);
  EXPECT_TRUE(page.errors.empty());
}

TEST(FormPage, NamedAccessAnswersSingleControlsAsThemselvesAndGroupsAsCollections) {
  LoadedPage page(kFormPage);
  auto form = page.Document().Form(0);
  struct Case {
    const char* name;
    const char* typeName;
    int32_t length;  // -1: a single control
  };
  const Case cases[] = {
      {"single", "HTMLInputElement", -1},   {"pair", "HTMLCollection", 2},
      {"ans", "HTMLCollection", 3},         {"points", "HTMLInputElement", -1},
      {"fcomm", "HTMLTextAreaElement", -1},
  };
  for (const auto& c : cases) {
    const Variant v = form->Item(c.name);
    ASSERT_TRUE(v.IsObject()) << c.name;
    EXPECT_EQ(v.ToObject()->TypeName(), c.typeName) << c.name;
    if (c.length >= 0) {
      EXPECT_EQ(Get(v.ToObject(), "length").ToInt32(), c.length) << c.name;
      EXPECT_EQ(page.Eval(std::string("document.frm.") + c.name + ".length"),
                std::to_string(c.length))
          << c.name;
    } else {
      EXPECT_EQ(page.Eval(std::string("document.frm.") + c.name + ".length"), "undefined")
          << c.name;
    }
  }
  EXPECT_EQ(form->Item("partial").ToObject()->TypeName(), "HTMLSelectElement");
  EXPECT_TRUE(form->Item("missing").IsEmpty());
  EXPECT_EQ(page.Eval("document.frm.ans[1].value"), "3");
  EXPECT_EQ(page.Eval("document.forms.length"), "1");
  EXPECT_EQ(page.Eval("document.forms['frm'] == document.frm"), "true");
  EXPECT_EQ(page.Eval("document.frm.elements.length"), "18");
}

TEST(FormPage, RadioButtonsOfAGroupUncheckEachOtherOnly) {
  LoadedPage page(kFormPage);
  page.Run("document.frm.ans[1].checked = true; document.frm.ans[2].checked = true;");
  EXPECT_EQ(page.Eval("document.frm.ans[1].checked"), "false");
  EXPECT_EQ(page.Eval("document.frm.ans[2].checked"), "true");
  // Other groups keep their choice.
  EXPECT_EQ(page.Eval("document.frm.pair[1].checked"), "true");
  EXPECT_EQ(page.Eval("document.frm.single.checked"), "true");
  // A click on a radio button checks it; on a check box it toggles.
  auto pair = Get(page.Document().Form(0)->Item("pair").ToObject(), "item", {Variant(0)});
  std::dynamic_pointer_cast<Element>(pair.ToObject())->Click();
  EXPECT_EQ(page.Eval("document.frm.pair[0].checked + ',' + document.frm.pair[1].checked"),
            "true,false");
  std::dynamic_pointer_cast<Element>(page.Document().Form(0)->Item("ans5").ToObject())->Click();
  EXPECT_EQ(page.Eval("document.frm.ans5.checked"), "false");
}

TEST(FormPage, DisabledSelectKeepsItsSelectionAndAnswersItsOptions) {
  LoadedPage page(kFormPage);
  auto select = std::dynamic_pointer_cast<HTMLSelectElement>(Field(page.Document(), "partial"));
  ASSERT_TRUE(select);
  EXPECT_TRUE(select->Disabled());
  EXPECT_EQ(select->SelectedIndex(), 1);
  EXPECT_EQ(select->SelectedText(), "No");
  EXPECT_EQ(page.Eval("document.frm.partial.options[0].text"), "Yes");
  EXPECT_EQ(page.Eval("document.frm.partial.options.length"), "2");
  // A click on a disabled control does nothing; a script may still change it.
  select->Click();
  page.Run("document.frm.partial.selectedIndex = 0;");
  EXPECT_EQ(Get(select, "value").ToText(), "Yes");
  EXPECT_EQ(page.Eval("document.frm.partial.options[1].selected"), "false");
}

TEST(FormPage, ValuesEditedByAHandlerReadBackByName) {
  LoadedPage page(kFormPage);
  auto button = Field(page.Document(), "double");
  button->Click();
  button->Click();
  EXPECT_EQ(Get(Field(page.Document(), "points"), "Value").ToText(), "40");
  // The mouse-over handler's `this` is its cell.
  auto cell = Field(page.Document(), "single")->Parent();
  cell->FireEvent("onmouseover");
  EXPECT_EQ(cell->ClassName(), "val");
  cell->FireEvent("onmouseout");
  EXPECT_EQ(cell->ClassName(), "null");
  EXPECT_EQ(Get(Field(page.Document(), "qID"), "value").ToText(), "ABCDEF0123456789");
  EXPECT_TRUE(page.errors.empty());
}

// The relay object of a dialog: its default method is what the browser calls.
class Relay : public automation::Dispatch {
 public:
  std::vector<std::string> sources;
  std::vector<int32_t> keys;
  ObjectRef document;
  const automation::DispatchTable& Members() const override {
    static const auto table =
        automation::ClassTable<Relay>("clsRelay")
            .Sub("EventFired",
                 [](Relay& r, automation::Args&) {
                   auto window = Get(r.document, "parentWindow").ToObject();
                   auto event = Get(window, "event").ToObject();
                   r.sources.push_back(Get(Get(event, "srcElement").ToObject(), "name").ToText());
                   r.keys.push_back(Get(event, "keyCode").ToInt32());
                 })
            .Default("EventFired")
            .Build();
    return table;
  }
};

TEST(FormPage, HostObjectAssignedAsKeyPressHandlerIsCalledWithTheEvent) {
  LoadedPage page(kFormPage);
  auto relay = std::make_shared<Relay>();
  relay->document = page.Browser().Document();
  automation::Put(relay->document, "onkeypress", Variant(ObjectRef(relay)));
  automation::Put(relay->document, "onclick", Variant(ObjectRef(relay)));
  Field(page.Document(), "points")->FireEvent("onkeypress", 65);
  Field(page.Document(), "ans5")->Click();
  EXPECT_EQ(relay->sources, (std::vector<std::string>{"points", "ans5"}));
  EXPECT_EQ(relay->keys, (std::vector<int32_t>{65, 0}));
  // Outside an event there is no event object.
  EXPECT_EQ(page.Eval("window.event"), "null");
  automation::Put(relay->document, "onkeypress", Variant());
  automation::Put(relay->document, "onclick", Variant());
}

TEST(FormPage, InnerHtmlReadsAndWritesTheMarkup) {
  LoadedPage page(kFormPage);
  page.Run("document.body.innerHTML += '<span id=newQIDShow>old</span>';");
  auto span = page.Document().GetElementById("newQIDShow");
  ASSERT_TRUE(span);
  automation::Put(span, "innerHTML", Variant("<b>NEW&amp;ID</b>"));
  EXPECT_EQ(span->InnerHTML(), "<b>NEW&amp;ID</b>");
  EXPECT_EQ(span->InnerText(), "NEW&ID");
  EXPECT_EQ(page.Eval("document.getElementById('newQIDShow').innerHTML"), "<b>NEW&amp;ID</b>");
}

}  // namespace
}  // namespace qv::browser
