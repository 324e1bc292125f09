// helpShow 1 opens the help document once; a word processor started for embedding never shows
// it; a connection after start-up runs start-up completion from inside the connection.
var dir = Setup();
Settings.Set(Settings.AddinKey, "helpShow", 1);
var host = StartCourseHost();

var embedded = StartWord(2);
assertEqual(embedded.Documents.Count, 0, "embedding: no help document");
assertEqual(Settings.Get(Settings.AddinKey, "helpShow"), 1, "still to be shown");
embedded.Quit();

var app = StartWord(1);
assertEqual(app.Documents.Count, 1, "the help document opened");
assertEqual(app.Documents(1).Name, "first.doc");
assertEqual(app.ActiveDocument.Name, "first.doc", "brought to the front");
assertEqual(app.ActiveDocument.ActiveWindow.WindowState, 0, "minimised, then restored");
assertEqual(Settings.Get(Settings.AddinKey, "helpShow"), 0, "shown once");
app.Quit();

Driver.AnswerMsgBox(7);
app = StartWord(1);
assertEqual(app.Documents.Count, 0, "not again");

// Disconnect and connect again through the COM add-in list (connect mode 0).
var addIn = app.COMAddIns("KZOWord.Connect");
assert(addIn.Connect, "connected at start-up");
app.CommandBars("Quorvanta").Visible = false;
addIn.Connect = false;
assert(!addIn.Connect);
Settings.Set(Settings.AddinKey, "helpShow", 1);
addIn.Connect = true;
assert(app.CommandBars("Quorvanta").Visible, "start-up completion ran inside the connection");
assertEqual(app.Documents.Count, 1, "and showed the help document");
