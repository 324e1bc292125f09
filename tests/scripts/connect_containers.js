// A pop-up bar named "Quorvanta" is skipped and a real toolbar made; without the Tools menu the
// toolbar is still built.
Setup();
var host = StartCourseHost();
var app = CreateObject("Word.Application");
app.COMAddIns("KZOWord.Connect").Connect = false;
app.CommandBars("Quorvanta").Delete();
var popup = app.CommandBars.Add("Quorvanta", 5);  // msoBarPopup
assertEqual(popup.Type, 2);
app.CommandBars.FindControl(10, 30007).Delete();  // no Tools menu
Settings.Set(Settings.AddinKey, "Ver", "26");
app.COMAddIns("KZOWord.Connect").Connect = true;

var toolbars = 0;
for (var i = 1; i <= app.CommandBars.Count; i++) {
  var bar = app.CommandBars(i);
  if (bar.Name == "Quorvanta" && bar.Type != 2) {
    toolbars++;
    assertEqual(bar.Controls.Count, 6);
  }
}
assertEqual(toolbars, 1, "one toolbar besides the pop-up bar");
assertEqual(popup.Controls.Count, 0, "the pop-up bar is left alone");
assertEqual(app.CommandBars.FindControl(10, 30007), null, "still no Tools menu");
assertEqual(host.ReportCount, 0, "no error");
