// The built-in Save As dialog goes through the forms toolkit's file dialog (the driver chooses the
// name; Cancel saves nothing), and a saved document reopens with its text.
var app = CreateObject("Word.Application");
var doc = app.Documents.Add();
doc.Content.InsertAfter("Chapter one");
Driver.CancelFileDialog();
assertEqual(app.Dialogs(84).Show(), 0, "cancelled");
assert(!doc.Saved, "nothing saved");
Driver.AnswerFileDialog(ProfilePath("chapter.doc"));
assertEqual(app.Dialogs(84).Show(), -1, "saved");
assert(doc.Saved, "the document counts as saved");
var name = doc.FullName;
assert(FileExists(name), name);
doc.Close();
var again = app.Documents.Open(name);
assertEqual(again.Content.Text, "Chapter one\r");
assertEqual(Driver.TranscriptCount, 2, "two file dialogs");
again.Close();
