// A course document holding a drag-and-drop, a hot-spot and a short-answer question passes
// document validation; once the short answer loses its placeholder, validation names it and the
// author's No leaves the insertion point in its question text.
Setup();
var host = StartCourseHost();
var app = CreateObject("Word.Application");
var doc = app.Documents.Add();
var work = CreateObject("KZOWord.Work");
var img = Settings.Get(Settings.AddinKey, "IMG_PATH");

function atEnd() {
  var end = doc.Content.End - 1;
  doc.Range(end, end).Select();
}
function inArea(table) {
  var at = table.Cell(4, 1).Range.Start;
  doc.Range(at, at).Select();
}

var dd = CreateObject("KZOWord.ImageTag");
dd.CreateQuestion(app);
var drag = doc.Tables(doc.Tables.Count);
inArea(drag);
Driver.OnFormOnce("dlgMoveFixed", function (form) { form.Controls("btnMoveable").Click(); });
dd.InsertTag(doc);

atEnd();
var hs = CreateObject("KZOWord.ImageHotSpot");
hs.CreateQuestion(app);
var spot = doc.Tables(doc.Tables.Count);
inArea(spot);
hs.InsertShape(doc, 5);
Driver.AnswerFileDialog(img + "qti7.bmp");
hs.InsertPic(doc);

atEnd();
var sa = CreateObject("KZOWord.ShortAnswer");
sa.CreateQuestion(app);
var shortAnswer = doc.Tables(doc.Tables.Count);
assertEqual(doc.Tables.Count, 3);

Driver.ClearTranscript();
assert(work.ValidateDoc(doc), "every question is complete");
assertEqual(Driver.TranscriptCount, 0, "nothing to tell");

shortAnswer.Range.ShapeRange(1).Delete();
Driver.AnswerMsgBox(7);  // No: the author fixes the document
assert(!work.ValidateDoc(doc), "the short answer has no answer box");
var box = Driver.Transcript(Driver.TranscriptCount);
assertEqual(box.Title, "Error Validating Document...");
assert(box.Text.indexOf("You need to add at least one answer") > 0, box.Text);
assertEqual(app.Selection.Start, shortAnswer.Cell(3, 1).Range.Start);
assertEqual(host.ReportCount, 1, "the incomplete question is reported once");
app.Quit(0);
