// The commands' exact addresses and texts, with a course host configured as "http://" + name +
// "/": the tutorial always comes from the default course host, the update page names the host as
// held (scheme dropped, trailing "/" kept). Templates already listed are not added again; a word
// processor started by automation never opens the help document; the error report carries the
// settings as the add-in holds them.
var dir = Setup();
Settings.Set(Settings.CompanyKey, "strHost", "http://myschool.example/");
Settings.Set(Settings.CompanyKey, "strQuery", "?id=5&x=1");
var host = StartCourseHost();
var app = CreateObject("Word.Application");
var toolbar = app.CommandBars("Quorvanta");
var menu = app.CommandBars.FindControl(10, 30007).Controls("Quorvanta");
var shell = CreateObject("Shell.Application");
function lastAddress() {
  return shell.Windows().Item(shell.Windows().Count - 1).LocationURL;
}

// ---- Web Tutorial, from the toolbar and from the menu ----
var tutorial = "http://courses.quorvanta.example/Files/02/pages/help/tutorials.asp?SchoolID=2";
toolbar.Controls("Web Tutorial").Execute();
assertEqual(lastAddress(), tutorial);
var windows = shell.Windows().Count;
menu.Controls("Web Tutorial").Execute();
assertEqual(shell.Windows().Count, windows + 1, "a new browser each time");
assertEqual(lastAddress(), tutorial);

// ---- Get Update / Get Upgrade (no control is shown without an update; called directly) ----
app.COMAddIns("KZOWord.Connect").Object.Upgrade_Click();
assertEqual(lastAddress(),
    "http://courses.quorvanta.example/addins.asp?strHost=myschool.example/&ver=27");

// ---- Enhanced Web Preview without a document: the explanation, from both places ----
assertEqual(app.Documents.Count, 0);
var explanation =
    "Enhanced Web Preview attempts to determine whether your document can correctly " +
    "be displayed by browsers (Internet Explorer and Netscape 6+) once it is added to your Lesson.";
Driver.ClearTranscript();
toolbar.Controls("Enhanced Web Preview").Execute();
menu.Controls("Enhanced Web Preview").Execute();
assertEqual(Driver.TranscriptCount, 2, Driver.TranscriptText);
for (var i = 1; i <= 2; i++) {
  var box = Driver.Transcript(i);
  assertEqual(box.Title, "Quorvanta Word Add-in");
  assertEqual(box.Buttons, 0, "OK only");
  assertEqual(box.Icon, 0, "no icon");
  assertEqual(box.Text, explanation);
}
assertEqual(app.Documents.Count, 0, "no document made");

// ---- Add New Question without a document: a blank document first ----
menu.Controls("Add New Question").Execute();
assertEqual(app.Documents.Count, 1, "a new blank document");
assertEqual(host.ReportCount, 0, Driver.TranscriptText);
app.Quit();

// ---- templates already listed are not added again; only the toolbar template is reloaded ----
app.AddIns("Quorvanta Authoring Toolbar.dot").Installed = false;
app.AddIns("Quorvanta Authoring Menus.dot").Installed = false;
app.Quit();
Driver.AnswerMsgBox(7);  // no update check now
app = CreateObject("Word.Application");
assertEqual(app.AddIns.Count, 2, "no second entry");
assert(app.AddIns("Quorvanta Authoring Toolbar.dot").Installed, "toolbar template loaded again");
assert(!app.AddIns("Quorvanta Authoring Menus.dot").Installed, "menus template left as it was");
app.Quit();

// ---- started by automation: the help document waits for a start by the user ----
Settings.Set(Settings.AddinKey, "helpShow", 1);
Driver.AnswerMsgBox(7);
app = StartWord(3);
assertEqual(app.Documents.Count, 0, "no help document");
assertEqual(Settings.Get(Settings.AddinKey, "helpShow"), 1);
app.Quit();

// ---- the report's settings lines: the host as held, the query, kzoUser stored as number 0 ----
Settings.Set(Settings.AddinKey, "kzoUser", 0);
Settings.Delete(Settings.AddinKey, "INSTALL_PATH");
Driver.AnswerMsgBox(7);
app = StartWord(1);
assertEqual(host.ReportCount, 1);
var lines = host.Report(1).split("\r\n");
assertEqual(lines[0], "An error has occurred in Connect.LoadTemplates ERL=(10)");
assertEqual(lines.slice(2, 11).join("|"), ["Template files may not be loaded.", "", "retval= (0)",
    "portal=myschool.example/", "strQuery=?id=5&x=1", "VERSION_NO=27", "App.Version=9.0",
    "kzoUser=False", "isInstalling=false"].join("|"));
assertEqual(app.AddIns.Count, 0, "the templates are taken out of the list");
assertEqual(Settings.Get(Settings.AddinKey, "helpShow"), 1, "a failed connection shows no help");
