// "Add to Course", the whole pipeline against the local course host: a course document of text
// pages and quiz pages is prepared from the toolbar (page titles and types recorded, saved), the
// properties are read back from the saved file, and the portal opens in a new browser window; a
// second click brings the author's lesson editor window to the front as it is; with no document
// only the portal is shown; text on a quiz page brings the warning.
Setup();
var host = StartCourseHost();
Settings.Set(Settings.AddinKey, "kzoUser", "0");  // the author has no portal yet
var app = CreateObject("Word.Application");
app.Documents.Close(0);
var toolbar = app.CommandBars("Quorvanta");
var menu = app.CommandBars.FindControl(10, 30007).Controls("Quorvanta");
var shell = CreateObject("Shell.Application");
var courseHost = "courses.quorvanta.example";
var portal = "http://" + courseHost + "/Groups/Config/CreatePortal.asp?kzoUser=False";

function atEnd(doc) {
  var end = doc.Content.End - 1;
  doc.Range(end, end).Select();
}
// A multiple-choice question at the end of the document, its first answer marked correct.
function addQuestion(doc) {
  atEnd(doc);
  CreateObject("KZOWord.MultipleChoice").CreateQuestion(app);
  var table = doc.Tables(doc.Tables.Count);
  table.Cell(4, 1).Range.InlineShapes(1).AlternativeText = "kzoA0&checked=on";
  atEnd(doc);
}
function pages(doc) {
  var out = [];
  var props = doc.CustomDocumentProperties;
  for (var n = 1; n <= 20; n++) {
    try { out.push(props("KZOST" + n).Value); } catch (e) { break; }
  }
  return out.join(" | ") + " / " + props("KZOSlideTypes").Value;
}

// ---- a course document: text, quiz, text, two quizzes on one page ----
var file = ProfilePath("Unit1.doc");
var doc = app.Documents.Add();
doc.SaveAs(file);
doc.Content.InsertBefore("Welcome to unit one\r");
addQuestion(doc);  // a break goes in before it: text precedes
toolbar.Controls("Add Web Page Break").Execute();
app.Selection.TypeText("** Summary ** of the first part");
toolbar.Controls("Add Web Page Break").Execute();
addQuestion(doc);
addQuestion(doc);

Driver.ClearTranscript();
toolbar.Controls("Add to Course").Execute();
assertEqual(Driver.TranscriptCount, 0, Driver.TranscriptText);
assert(doc.Saved, "saved");
assertEqual(Settings.Get(Settings.AddinKey, "LastPath"), doc.FullName);
doc.Close(0);
doc = app.Documents.Open(file);
assertEqual(pages(doc),
            "Welcome to unit one | Unit1 Quiz 1 | ** Summary ** of the first part | Unit1 Quiz 2" +
            " / 5,6,5,6", "read back from the saved file");

assertEqual(shell.Windows().Count, 1, "the portal in a new window");
var window = shell.Windows().Item(0);
assert(window.Visible, "visible");
assertEqual(window.LocationURL, portal);
assertEqual(window.Document.title, courseHost);

// ---- the author works in the lesson editor; the next click brings it to the front ----
window.Navigate2(courseHost + "/Groups/LessonEditor.asp?lesson=3");
var editor = window.LocationURL;
assertEqual(window.Document.title, courseHost + " - Lesson Editor");
menu.Controls("Add to Course").Execute();
assertEqual(shell.Windows().Count, 1, "no new window");
assertEqual(window.LocationURL, editor, "the lesson editor keeps its page");

// ---- no document open: only the portal ----
app.Documents.Close(0);
window.Quit();
assertEqual(shell.Windows().Count, 0);
toolbar.Controls("Add to Course").Execute();
assertEqual(shell.Windows().Count, 1);
assertEqual(shell.Windows().Item(0).LocationURL, portal);
assertEqual(Driver.TranscriptCount, 0, Driver.TranscriptText);

// ---- a sentence below a quiz: the warning, after saving ----
doc = app.Documents.Add();
doc.SaveAs(ProfilePath("Unit2.doc"));
addQuestion(doc);
app.Selection.TypeText("A sentence the course pages would not show.");
Driver.ClearTranscript();
toolbar.Controls("Add to Course").Execute();
assert(doc.Saved, "saved before the warning");
assertEqual(pages(doc), "Unit2 Quiz 1 / 6");
assertEqual(Driver.TranscriptCount, 1, Driver.TranscriptText);
var box = Driver.Transcript(1);
assertEqual(box.Title, "Quorvanta Word Add-in");
assertEqual(box.Text, "We found text above, between, or below the Quiz questions.  This text will not " +
    "be displayed in your Course Web Pages.\r\n\r\nTo use this text, insert a Web Page break " +
    "between the Quiz and the text.");

assertEqual(host.ReportCount, 0, "no error reported");
app.Quit(0);
