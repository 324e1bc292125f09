// Web page breaks through the public class "KZOWord.Work" and through the command bar controls:
// a break splits the paragraph at the insertion point and carries the bare marker "kzoB", the
// document is stamped as a course document, a selected break is removed, a break is refused
// inside a question, and with no document open the command makes one.
Setup();
var host = StartCourseHost();
var app = CreateObject("Word.Application");
var imgPath = Settings.Get(Settings.AddinKey, "IMG_PATH");

function breakCount(doc) {
  var n = 0;
  for (var i = 1; i <= doc.InlineShapes.Count; i++)
    if (doc.InlineShapes(i).AlternativeText == "kzoB") n++;
  return n;
}

// ---- through KZOWord.Work ----
var doc = app.Documents.Add();
doc.Content.InsertBefore("First page.");
app.Selection.SetRange(5, 5);
var work = CreateObject("KZOWord.Work");
assertEqual(work.InsertBreak(doc), false, "InsertBreak answers false");
assertEqual(doc.InlineShapes.Count, 1);
var marker = doc.InlineShapes(1);
assertEqual(marker.AlternativeText, "kzoB", "the bare marker");
assertEqual(doc.Paragraphs.Count, 3, "the paragraph is split around the break");
assertEqual(doc.Paragraphs(1).Range.Text, "First\r");
assertEqual(doc.Paragraphs(3).Range.Text, " page.\r");
assertEqual(doc.CustomDocumentProperties("KZOConvert").Value, "7", "stamped");
assertEqual(doc.CustomDocumentProperties("Ver").Value, "27");

work.DeleteBreak(doc);
assertEqual(breakCount(doc), 1, "an insertion point beside the break removes nothing");
marker.Select();
assertEqual(work.DeleteBreak(doc), false, "DeleteBreak answers false");
assertEqual(breakCount(doc), 0, "the selected break is gone");

// ---- through the toolbar and the menu ----
var toolbar = app.CommandBars("Quorvanta");
var menu = app.CommandBars.FindControl(10, 30007).Controls("Quorvanta");
var end = doc.Content.End - 1;
app.Selection.SetRange(end, end);
toolbar.Controls("Add Web Page Break").Execute();
assertEqual(breakCount(doc), 1, "toolbar");
menu.Controls("Insert Web Page Break").Execute();
assertEqual(breakCount(doc), 2, "menu");

// The command without a control: it removes the selected break.
var connect = app.COMAddIns("KZOWord.Connect").Object;
doc.InlineShapes(doc.InlineShapes.Count).Select();
connect.RemoveContentDelim_Click();
assertEqual(breakCount(doc), 1, "RemoveContentDelim_Click");

// ---- refused inside a question ----
end = doc.Content.End - 1;
var question = doc.Tables.Add(doc.Range(end, end), 4, 1);
var qmarker = doc.InlineShapes.AddPicture(imgPath + "1x1.gif", false, true, question.Cell(1, 1).Range);
qmarker.AlternativeText = "kzoQ5&qID=ABCDEFGHIJKLMNOP&points=10";
var inside = question.Cell(3, 1).Range.Start;
app.Selection.SetRange(inside, inside);
Driver.ClearTranscript();
toolbar.Controls("Add Web Page Break").Execute();
assertEqual(breakCount(doc), 1, "nothing inserted inside a question");
assertEqual(Driver.TranscriptCount, 1, Driver.TranscriptText);
var box = Driver.Transcript(1);
assertEqual(box.Kind, "MsgBox");
assertEqual(box.Title, "Error");
assertEqual(box.Icon, 16);
assertEqual(box.Text, "You cannot insert a Web Page break into an existing question.\r\n\r\n" +
    "Place the cursor outside of this question and try again.");

// ---- no document open: the command makes one ----
app.Documents.Close(0);
assertEqual(app.Documents.Count, 0);
toolbar.Controls("Add Web Page Break").Execute();
assertEqual(app.Documents.Count, 1, "a new document");
assertEqual(breakCount(app.ActiveDocument), 1, "with the break");
assertEqual(app.ActiveDocument.CustomDocumentProperties("KZOConvert").Value, "7");
assertEqual(host.ReportCount, 0, "no error reported");
