// One template file missing: the report names the file found and the one not found; template
// add-ins left from an earlier run are removed and the "Quorvanta" toolbar deleted.
var dir = Setup();
var host = StartCourseHost();
var app = CreateObject("Word.Application");
assert(app.CommandBars("Quorvanta").Controls.Count == 6, "first run builds the toolbar");
app.Quit();

RemoveFile(dir + "Quorvanta Authoring Menus.dot");
app = CreateObject("Word.Application");
var found = false;
for (var i = 1; i <= app.CommandBars.Count; i++)
  if (app.CommandBars(i).Name == "Quorvanta") found = true;
assert(!found, "the toolbar was deleted");
for (var a = 1; a <= app.AddIns.Count; a++)
  assert(app.AddIns(a).Name.indexOf("Quorvanta") < 0, "template add-in removed: " + app.AddIns(a).Name);
assertEqual(host.ReportCount, 1);
var msg = host.Report(1);
assert(msg.indexOf("Dir(menus)=\"\r\n Dir(toolbar)=\"Quorvanta Authoring Toolbar.dot\" (0)") > 0, msg);
// The second start runs the first update check (nothing recorded its time yet); the template
// failure itself shows nothing.
assert(Driver.TranscriptText.indexOf("Error") < 0, Driver.TranscriptText);
assertEqual(Driver.Transcript(1).Title, "Quorvanta Update");
