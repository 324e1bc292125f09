// The page's objects driven through automation (an automation script, or C++ by name), as the
// host's browser answers them: a document's forms and a form's controls by name.

#include <gtest/gtest.h>

#include "automation/script/script_host.h"
#include "browser/tests/browser_fixture.h"

namespace qv::browser {
namespace {

using automation::Variant;
using testing::LoadedPage;

TEST(AutomationAccess, FormsAndTheirControlsAnswerByName) {
  LoadedPage page(
      "<form name=frm><input name=points value=5><textarea name=pcomm>well done</textarea>"
      "<input name=action value=field></form>");
  const automation::ObjectRef document = page.Browser().Document();
  const automation::ObjectRef form = automation::Get(document, "frm").ToObject();
  ASSERT_TRUE(form);
  EXPECT_EQ(automation::Get(automation::Get(form, "points").ToObject(), "value").ToText(), "5");

  automation::ScriptHost host;
  host.DefineGlobal("doc", Variant(document));
  EXPECT_EQ(host.Eval("doc.frm.pcomm.value").ToText(), "well done");
  EXPECT_EQ(host.Eval("var form = doc.forms(0); form.points.value").ToText(), "5");
  EXPECT_EQ(host.Eval("form.item('points').value").ToText(), "5");
  // A control named like a member of the form hides it, as in the page's own scripts.
  EXPECT_EQ(host.Eval("doc.frm.action.value").ToText(), "field");
  EXPECT_EQ(page.Eval("document.frm.action.value"), "field");
  host.Eval("doc.frm.points.value = '7'");
  EXPECT_EQ(page.Eval("document.frm.points.value"), "7");
}

}  // namespace
}  // namespace qv::browser
