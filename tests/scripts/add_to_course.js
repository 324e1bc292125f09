// "Add to Course", the whole pipeline against the local course host: a course document of text
// pages and quiz pages of several question types is checked (an incomplete question stops the
// command before any window), prepared from the toolbar (page titles and types recorded, saved),
// the properties are read back from the saved file, and the portal opens in a new window; a
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
// A question of `progId` at the end of the document.
function addQuestion(doc, progId) {
  atEnd(doc);
  CreateObject(progId).CreateQuestion(app);
  var table = doc.Tables(doc.Tables.Count);
  atEnd(doc);
  return table;
}
// Marks answer `i` (a picture of the table, from 1) correct, as the attribute form would.
function markCorrect(table, i) {
  var picture = table.Range.InlineShapes(i);
  picture.AlternativeText = picture.AlternativeText + "&checked=on";
}
function pages(doc) {
  var out = [];
  var props = doc.CustomDocumentProperties;
  for (var n = 1; n <= 20; n++) {
    try { out.push(props("KZOST" + n).Value); } catch (e) { break; }
  }
  return out.join(" | ") + " / " + props("KZOSlideTypes").Value;
}

// ---- a course document: text, a quiz, text, a quiz page of three questions ----
var file = ProfilePath("Unit1.doc");
var doc = app.Documents.Add();
doc.SaveAs(file);
doc.Content.InsertBefore("Welcome to unit one\r");
markCorrect(addQuestion(doc, "KZOWord.MultipleChoice"), 3);  // a break goes in before it
toolbar.Controls("Add Web Page Break").Execute();
app.Selection.TypeText("** Summary ** of the first part");
toolbar.Controls("Add Web Page Break").Execute();
markCorrect(addQuestion(doc, "KZOWord.TrueFalse"), 2);
markCorrect(addQuestion(doc, "KZOWord.MultipleCorrect"), 4);
var fib = addQuestion(doc, "KZOWord.FillInTheBlank");
var sentence = fib.Cell(4, 1).Range;
var words = sentence.Text.indexOf("insert blank");
doc.Range(sentence.Start + words, sentence.Start + words + "insert blank".length).Select();
CreateObject("KZOWord.FillInTheBlank").InsertBlank(doc);
fib.Range.InlineShapes(2).AlternativeText = "kzoO5&ans=add;insert&h=1&w=20";

// ---- an incomplete question: the validation speaks, no window is touched ----
var last = addQuestion(doc, "KZOWord.MultipleChoice");
Driver.ClearTranscript();
Driver.AnswerMsgBox(7);  // No: the author fixes the question first
toolbar.Controls("Add to Course").Execute();
assertEqual(Driver.TranscriptCount, 1, Driver.TranscriptText);
assertEqual(Driver.Transcript(1).Title, "Error Validating Document...");
assertEqual(Driver.Transcript(1).Text.indexOf("WARNING:  The document Unit1.doc contains errors"), 0);
assertEqual(shell.Windows().Count, 0, "no browser window");
assertEqual(Settings.Get(Settings.AddinKey, "LastPath"), "");
assertEqual(host.ReportCount, 1, "the incomplete question is reported");
markCorrect(last, 2);

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
assertEqual(doc.CustomDocumentProperties("KZOConvert").Value, "7");

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
markCorrect(addQuestion(doc, "KZOWord.MultipleChoice"), 2);
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

assertEqual(host.ReportCount, 1, "nothing else reported");
app.Quit(0);
