// A connection that fails while the command bars are re-attached: the report's where-text carries
// the step and the trace of the walks, the user sees the "Error" box, no command is attached and
// the version is not recorded. A later clean connection attaches everything and records "27".
Setup();
var host = StartCourseHost();
var app = CreateObject("Word.Application");
var addIn = app.COMAddIns("KZOWord.Connect");

// The trace has one "." per control walked (Tools menu) or bar walked (command bars).
function dots(n) {
  var s = "";
  for (var i = 0; i < n; i++) s += ".";
  return s;
}
var tools = app.CommandBars.FindControl(10, 30007);
var menuAt = 0;
for (var i = 1; i <= tools.Controls.Count; i++)
  if (tools.Controls(i).Caption == "&Quorvanta") menuAt = i;
var barAt = 0;
for (var b = 1; b <= app.CommandBars.Count; b++)
  if (app.CommandBars(b).Name == "Quorvanta") barAt = b;
assert(menuAt > 0 && barAt > 0, "both containers built at the first start");

function reconnect() {
  addIn.Connect = false;
  Driver.ClearTranscript();
  Driver.AnswerMsgBox(7);  // No: no update check now
  addIn.Connect = true;
}
function errorBox() {
  var box = Driver.Transcript(Driver.TranscriptCount);
  assertEqual(box.Kind, "MsgBox");
  assertEqual(box.Title, "Error");
  assertEqual(box.Icon, 16, "critical");
  assertEqual(box.Buttons, 0, "OK only");
  return box.Text;
}
function firstLines(i) {
  return host.Report(i).split("\r\n").slice(0, 3);
}

// A newer recorded version: no rebuild, the update check is offered, and only a connection that
// gets to its end writes "27".
Settings.Set(Settings.AddinKey, "Ver", "28", 1);

// ---- the toolbar: a pop-up control carrying the tag of a toolbar button ----
var toolbar = app.CommandBars("Quorvanta");
toolbar.Controls.Add(10).Tag = "kzoCQ";
reconnect();
assertEqual(Driver.Transcript(1).Title, "Quorvanta Update", "the update check comes first");
assertEqual(errorBox(), "An error has occurred.\r\n\r\nType mismatch");
assertEqual(host.ReportCount, 1);
var lines = firstLines(1);
assertEqual(lines[0],
    "An error has occurred in AddinInstance_OnConnection ERL=(8) f=[34] addlInfo=[popup:" +
    dots(menuAt) + "m(end) toolbar:" + dots(barAt) + "m(end)]");
assertEqual(lines[1], "");
assertEqual(lines[2], "Type mismatch (13)");
assertEqual(Settings.Get(Settings.AddinKey, "Ver"), "28", "not recorded after a failure");

var shell = CreateObject("Shell.Application");
var windows = shell.Windows().Count;
toolbar.Controls("Web Tutorial").Execute();
tools.Controls("Quorvanta").Controls("Web Tutorial").Execute();
assertEqual(shell.Windows().Count, windows, "no command is attached");

// ---- the menu: the trace ends before the toolbar is walked ----
toolbar.Controls(7).Delete();
tools.Controls("Quorvanta").Controls.Add(10).Tag = "kzoMWV";
reconnect();
assertEqual(errorBox(), "An error has occurred.\r\n\r\nType mismatch");
assertEqual(host.ReportCount, 2);
assertEqual(firstLines(2)[0],
    "An error has occurred in AddinInstance_OnConnection ERL=(8) f=[15] addlInfo=[popup:" +
    dots(menuAt) + "m(end)]");

// ---- repaired: everything attached again, the version recorded ----
tools.Controls("Quorvanta").Controls(7).Delete();
reconnect();
assertEqual(host.ReportCount, 2, "no further report");
assertEqual(Driver.TranscriptText.indexOf("Error"), -1, Driver.TranscriptText);
assertEqual(Settings.Get(Settings.AddinKey, "Ver"), "27");
toolbar.Controls("Web Tutorial").Execute();
assertEqual(shell.Windows().Count, windows + 1, "attached again");

// ---- a recorded version that is not a number: no rebuild and no update check ----
app.CommandBars("Quorvanta").Controls(1).Caption = "Mine";
Settings.Set(Settings.AddinKey, "Ver", "x27", 1);
addIn.Connect = false;
Driver.ClearTranscript();
addIn.Connect = true;
assertEqual(Driver.TranscriptCount, 0, "nothing asked");
assertEqual(app.CommandBars("Quorvanta").Controls(1).Caption, "Mine", "not rebuilt");
assertEqual(Settings.Get(Settings.AddinKey, "Ver"), "27");
assertEqual(host.ReportCount, 2, "not an error worth reporting");
