// The main job: an authoring session on the embedded platform. It installs the add-ins, starts
// the word processor with the local course host standing in for the course server, lists the
// add-in's menu and toolbar, clicks each command, and prints everything the user saw.

function heading(text) {
  print("");
  print("== " + text);
}

heading("Setup");
var dir = Setup();
print("installed into " + dir);
Settings.Set(Settings.AddinKey, "helpShow", 1);  // show the help document once, as after setup

var host = StartCourseHost();
print("local course host on port " + host.Port);

heading("Start the word processor");
var app = CreateObject("Word.Application");
var addIn = app.COMAddIns("KZOWord.Connect");
print(addIn.Description + " (" + addIn.ProgId + ") connected: " + addIn.Connect);
for (var d = 1; d <= app.Documents.Count; d++) print("open document: " + app.Documents(d).Name);

heading("Menu Tools > " + app.CommandBars.FindControl(10, 30007).Controls("Quorvanta").Caption);
var menu = app.CommandBars.FindControl(10, 30007).Controls("Quorvanta");
for (var m = 1; m <= menu.Controls.Count; m++) {
  var item = menu.Controls(m);
  print("  " + item.Caption + "  [" + item.Tag + "]" + (item.Visible ? "" : " (hidden)"));
}

heading("Toolbar " + app.CommandBars("Quorvanta").Name);
var toolbar = app.CommandBars("Quorvanta");
for (var t = 1; t <= toolbar.Controls.Count; t++) {
  var button = toolbar.Controls(t);
  print("  " + (button.BeginGroup ? "| " : "") + button.Caption + "  [" + button.Tag + "]" +
        (button.Visible ? "" : " (hidden)"));
}

heading("Click every command");
for (var c = 1; c <= toolbar.Controls.Count; c++) {
  var control = toolbar.Controls(c);
  if (!control.Visible) continue;
  print("click " + control.Caption);
  control.Execute();
}
var shell = CreateObject("Shell.Application");
for (var w = 0; w < shell.Windows().Count; w++) {
  var window = shell.Windows().Item(w);
  print("browser window: " + window.Document.Title + " <" + window.LocationURL + ">");
}

heading("What the user saw");
print(Driver.TranscriptText);
print("");
print("documents open: " + app.Documents.Count + ", error reports: " + host.ReportCount);
app.Quit();
