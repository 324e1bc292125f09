// The page tree: parsing (also of broken and very large pages), serialisation, selection and
// the fixed metrics.

#include <gtest/gtest.h>

#include <chrono>

#include "browser/dom/html_document.h"
#include "browser/dom/html_form_element.h"
#include "browser/dom/html_input_element.h"
#include "browser/dom/html_option_element.h"
#include "browser/dom/html_parser.h"
#include "browser/dom/html_select_element.h"
#include "browser/tests/browser_fixture.h"

namespace qv::browser {
namespace {

using testing::LoadedPage;

TEST(Dom, MalformedMarkupStillGivesAUsableTree) {
  LoadedPage page(
      "<p><b><i>crossed</b></i><table><tr><td>a<td>b</table></form>"
      "<form name=frm><input name=x value='1' <input name=y>"
      "<select name=s><option>A<option selected>B</select><div><span>unclosed");
  auto form = page.Document().Form(0);
  ASSERT_TRUE(form);
  EXPECT_EQ(page.Eval("document.frm.s.selectedIndex"), "1");
  EXPECT_EQ(page.Document().GetElementsByTagName("td").size(), 2u);
  EXPECT_TRUE(page.errors.empty());
}

TEST(Dom, InnerHtmlRoundTripsAndEscapes) {
  LoadedPage page("<div id=d></div>");
  auto div = page.Document().GetElementById("d");
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"a &amp; b &lt;c&gt;", "a &amp; b &lt;c&gt;"},
      {"<input name=n value='say \"hi\"'>", "<input name=\"n\" value=\"say &quot;hi&quot;\">"},
      {"<B>bold</B><br>", "<b>bold</b><br>"},
      {"<td>cell</td>", "cell"},  // a cell outside a row has no place in a div
      {"x&nbsp;y", "x&nbsp;y"},
      {"<script>if (a < b) x();</script>", "<script>if (a < b) x();</script>"},
  };
  for (const auto& c : cases) {
    div->InnerHTML(c.in);
    EXPECT_EQ(div->InnerHTML(), c.out) << c.in;
  }
  div->InnerHTML("<span id=s>new</span>");
  EXPECT_EQ(page.Document().GetElementById("s")->Parent(), div.get());
}

TEST(Dom, ReflectedPropertiesReadAndWriteTheirAttributes) {
  LoadedPage page(
      "<form><input id=i size=x maxlength=5 checked class=big><input id=k type=bogus>"
      "<textarea id=t rows=4></textarea><select><option id=o>Shown</option></select></form>");
  page.Eval(
      "i = document.getElementById('i'), t = document.getElementById('t'), i.size = 7,"
      "t.cols = 'wide', i.defaultChecked = false, i.disabled = true, i.className = 'small',"
      "k = document.getElementById('k'), o = document.getElementById('o'), i.type = 'CheckBox'");
  struct Case {
    const char* expression;
    const char* value;
  };
  const Case cases[] = {
      {"i.size", "7"},
      {"i.getAttribute('size')", "7"},
      {"i.maxLength", "5"},
      {"t.rows", "4"},
      {"t.cols", "20"},  // not a number: the default
      {"i.defaultChecked", "false"},
      {"i.getAttribute('checked') === null", "true"},
      {"i.disabled", "true"},
      {"i.getAttribute('disabled')", ""},
      {"i.getAttribute('class')", "small"},
      {"i.type", "checkbox"},
      {"k.type", "text"},  // unknown types read as text
      {"o.value", "Shown"},
      {"(o.value = 'v', o.getAttribute('value'))", "v"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(page.Eval(c.expression), c.value) << c.expression;
  page.Eval("i.disabled = false");
  EXPECT_EQ(page.Eval("i.getAttribute('disabled') === null"), "true");
}

TEST(Dom, SelectKeepsOneSelection) {
  LoadedPage page(
      "<select id=two><option selected>a<option selected>b<option>c</select>"
      "<select id=none><option disabled>x<option>y</select>"
      "<select id=list size=3><option>p<option>q</select>");
  auto select = [&](const char* id) {
    return std::static_pointer_cast<HTMLSelectElement>(page.Document().GetElementById(id));
  };
  EXPECT_EQ(select("two")->SelectedIndex(), 1);    // the last one marked wins
  EXPECT_EQ(select("none")->SelectedIndex(), 1);   // a drop-down list is never empty
  EXPECT_EQ(select("list")->SelectedIndex(), -1);  // a list box may be
  auto options = select("two")->Options();
  options[2]->SetSelected(true);
  EXPECT_FALSE(options[1]->Selected());
  EXPECT_EQ(select("two")->SelectedIndex(), 2);
  select("two")->SelectedIndex(7);
  EXPECT_EQ(select("two")->SelectedIndex(), 0);
}

TEST(Dom, ControlValuesAreStateApartFromTheirAttributes) {
  LoadedPage page("<form><input name=a value=start><input type=checkbox name=c checked></form>");
  auto form = page.Document().Form(0);
  auto a = std::static_pointer_cast<HTMLInputElement>(form->ElementsNamed("a")[0]);
  auto c = std::static_pointer_cast<HTMLInputElement>(form->ElementsNamed("c")[0]);
  a->Value("typed");
  c->SetChecked(false);
  EXPECT_EQ(a->DefaultValue(), "start");
  EXPECT_EQ(a->GetAttribute("value"), "start");
  EXPECT_TRUE(c->DefaultChecked());
  form->Reset();
  EXPECT_EQ(a->Value(), "start");
  EXPECT_TRUE(c->Checked());
  EXPECT_EQ(c->Value(), "on");
}

TEST(Dom, MetricsFollowTheFixedFontTable) {
  LoadedPage page(
      "<input id=t size=5><input id=d><input id=h type=hidden><input id=r type=radio>"
      "<input id=b type=button value=Go><textarea id=a cols=10 rows=3></textarea>"
      "<textarea id=z></textarea><select id=s><option>long option</select>"
      "<input id=w size=5 style='width: 90px'><div style='display:none'><input id=n></div>");
  struct Case {
    const char* id;
    int32_t width, height;
  };
  const Case cases[] = {
      {"t", 39, 22}, {"d", 144, 22}, {"h", 0, 0},    {"r", 13, 13}, {"b", 30, 22},
      {"a", 90, 52}, {"z", 160, 36}, {"s", 101, 20}, {"w", 90, 22}, {"n", 0, 0},
  };
  for (const auto& c : cases) {
    auto e = page.Document().GetElementById(c.id);
    EXPECT_EQ(e->ClientWidth(), c.width) << c.id;
    EXPECT_EQ(e->ClientHeight(), c.height) << c.id;
  }
  EXPECT_EQ(page.Eval("document.getElementById('t').clientWidth"), "39");
}

TEST(Dom, APageOfSeveralMegabytesLoadsInReasonableTime) {
  std::string html = "<html><body><form name=frm><table>";
  for (int i = 0; html.size() < (3u << 20); ++i)
    html += "<tr><td class=uneditable>row " + std::to_string(i) +
            " &amp; text</td><td><input type=text name=f" + std::to_string(i) +
            " value='value'></td></tr>\n";
  html += "</table></form><script>var n = document.frm.elements.length;</script></body></html>";
  const auto start = std::chrono::steady_clock::now();
  LoadedPage page(html);
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_LT(took, std::chrono::seconds(20));
  EXPECT_GT(page.Document().Form(0)->Elements().size(), 20000u);
  EXPECT_EQ(page.Eval("n > 20000"), "true");
  EXPECT_TRUE(page.errors.empty());
}

TEST(Dom, DeepNestingIsFlattenedBeyondTheDepthLimit) {
  std::string html = "<body>";
  for (int i = 0; i < 3000; ++i)
    html += "<div>";
  html += "<span id=deep>bottom</span>";
  LoadedPage page(html);
  auto deep = page.Document().GetElementById("deep");
  ASSERT_TRUE(deep);
  EXPECT_LE(deep->Depth(), kMaxTreeDepth + 1);
  EXPECT_NE(deep->Parent()->TextContent().find("bottom"), std::string::npos);
  // Writing markup into the deepest element stays within the limit too.
  deep->Parent()->InnerHTML("<div><div><b id=b>x</b></div></div>");
  EXPECT_LE(page.Document().GetElementById("b")->Depth(), kMaxTreeDepth + 1);
  EXPECT_FALSE(page.Document().Body()->InnerHTML().empty());
}

TEST(Dom, TitleAndElementsByIdAreFoundAfterWriting) {
  LoadedPage page("<title>  My   Lesson\n List </title><p id=p>text</p>");
  EXPECT_EQ(page.Document().Title(), "My Lesson List");
  EXPECT_EQ(page.Eval("document.title"), "My Lesson List");
  page.Run("document.title = 'Changed';");
  EXPECT_EQ(page.Document().Title(), "Changed");
  EXPECT_EQ(page.Eval("document.getElementById('p').innerText"), "text");
  EXPECT_EQ(page.Eval("document.getElementById('nothing')"), "null");
}

}  // namespace
}  // namespace qv::browser
