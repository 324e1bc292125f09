// A recorded version below 27 rebuilds both containers from the table, with no update check; the
// version becomes 27. isInstalling "true" rebuilds as well.
Setup();
var host = StartCourseHost();
var app = CreateObject("Word.Application");
app.CommandBars("Quorvanta").Controls(1).Caption = "Changed";
app.CommandBars.FindControl(10, 30007).Controls("Quorvanta").Controls(2).Caption = "Changed too";
app.Quit();

Settings.Set(Settings.AddinKey, "Ver", "26");
app = CreateObject("Word.Application");
assertEqual(Driver.TranscriptCount, 0, "no update check on a rebuild");
assertEqual(app.CommandBars("Quorvanta").Controls(1).Caption, "Add New Question");
var menu = app.CommandBars.FindControl(10, 30007).Controls("Quorvanta");
assertEqual(menu.Controls(2).Caption, "Insert Web Page Break");
assertEqual(menu.Controls.Count, 6);
assertEqual(Settings.Get(Settings.AddinKey, "Ver"), "27");
app.Quit();

app.Quit();
Settings.Set(Settings.AddinKey, "isInstalling", "true");
app = CreateObject("Word.Application");
assertEqual(Driver.TranscriptCount, 0, "installation in progress: rebuild, no check");
assertEqual(app.CommandBars("Quorvanta").Controls.Count, 6);
