// A first start after installation: the templates are loaded as global templates, the menu and
// the toolbar are built from scratch with all twelve controls, the version is recorded, the
// Normal template is saved, and no message box appears.
var dir = Setup();
var host = StartCourseHost();
var app = CreateObject("Word.Application");

var names = [];
for (var i = 1; i <= app.AddIns.Count; i++) names.push(app.AddIns(i).Name);
assert(names.indexOf("Quorvanta Authoring Toolbar.dot") >= 0, "toolbar template loaded");
assert(names.indexOf("Quorvanta Authoring Menus.dot") >= 0, "menus template loaded");
assert(app.AddIns("Quorvanta Authoring Toolbar.dot").Installed, "toolbar template installed");

var tb = app.CommandBars("Quorvanta");
assertEqual(tb.Type, 0, "a toolbar");
assertEqual(tb.Position, 1, "docked at the top");
assert(tb.Visible, "toolbar shown at start-up completion");
var expectToolbar = [
  ["Add New Question", "kzoCQ", false, true], ["Add Web Page Break", "kzoC", true, true],
  ["Enhanced Web Preview", "kzoWV", true, true], ["Web Tutorial", "kzoWT", true, true],
  ["Add to Course", "kzoAC", true, true], ["Get Upgrade", "kzoUG", true, false]];
assertEqual(tb.Controls.Count, 6);
for (var t = 0; t < 6; t++) {
  var c = tb.Controls(t + 1);
  assertEqual(c.Caption, expectToolbar[t][0], "toolbar caption " + (t + 1));
  assertEqual(c.Tag, expectToolbar[t][1], "toolbar tag " + (t + 1));
  assertEqual(c.BeginGroup, expectToolbar[t][2], "begin group " + (t + 1));
  assertEqual(c.Visible, expectToolbar[t][3], "visible " + (t + 1));
  assertEqual(c.Style, 2, "caption only");
  assertEqual(c.OnAction, "!<KZOWord.Connect>");
  assertEqual(c.Type, 1, "a button");
}

var tools = app.CommandBars.FindControl(10, 30007);
var menu = tools.Controls("Quorvanta");
assertEqual(menu.Caption, "&Quorvanta");
assertEqual(menu.Type, 10, "a pop-up");
assertEqual(menu.Index, tools.Controls.Count, "added at the end of the Tools menu");
var expectMenu = [
  ["Add New Question", "kzoMCQ", true], ["Insert Web Page Break", "kzoMC", true],
  ["Enhanced Web Preview", "kzoMWV", true], ["Web Tutorial", "kzoMWT", true],
  ["Add to Course", "kzoMAC", true], ["Get Update", "kzoMUG", false]];
assertEqual(menu.Controls.Count, 6);
for (var m = 0; m < 6; m++) {
  var b = menu.Controls(m + 1);
  assertEqual(b.Caption, expectMenu[m][0], "menu caption " + (m + 1));
  assertEqual(b.Tag, expectMenu[m][1], "menu tag " + (m + 1));
  assertEqual(b.Visible, expectMenu[m][2], "menu visible " + (m + 1));
  assertEqual(b.BeginGroup, false);
  assertEqual(b.OnAction, "!<KZOWord.Connect>");
  assertEqual(b.Style, 2, "caption only");
  assertEqual(b.Type, 1, "a button");
}
assert(menu.Visible && menu.Enabled, "the pop-up shown and enabled");
assert(tb.Enabled, "the toolbar enabled");

assertEqual(Settings.Get(Settings.AddinKey, "Ver"), "27", "version recorded");
assert(app.NormalTemplate.Saved, "Normal template marked saved");
assertEqual(Driver.TranscriptCount, 0, "nothing shown to the user");
assertEqual(host.ReportCount, 0, "no error reported");
assertEqual(app.Documents.Count, 0, "helpShow 0: no help document");
