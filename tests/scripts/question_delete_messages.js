// Deleting questions and answers as the author sees it: each message box's text, title, buttons
// and icon, what Cancel keeps and what OK removes, the blank that must be selected as a picture,
// and the question types that have no deletable answers.
Setup();
var host = StartCourseHost();
var app = CreateObject("Word.Application");
var doc = app.Documents.Add();
var mc = CreateObject("KZOWord.MultipleChoice");
var imgPath = Settings.Get(Settings.AddinKey, "IMG_PATH");
var appTitle = "Quorvanta Word Add-in";
var OK = 1, CANCEL = 2;

function caretAt(at) { doc.Range(at, at).Select(); }
function caretIn(cell) { caretAt(cell.Range.Start + 1); }
function answerText(table, row) {
  return table.Cell(row, 2).Range.Text.replace(/[\r\u0007]/g, "");
}
// The one message box the last command showed.
function onlyBox(what) {
  assertEqual(Driver.TranscriptCount, 1, what + ": " + Driver.TranscriptText);
  var box = Driver.Transcript(1);
  assertEqual(box.Kind, "MsgBox", what);
  return box;
}
function expectBox(what, text, title, buttons, icon) {
  var box = onlyBox(what);
  assertEqual(box.Text, text, what + ": text");
  assertEqual(box.Title, title, what + ": title");
  assertEqual(box.Buttons, buttons, what + ": buttons");
  assertEqual(box.Icon, icon, what + ": icon");
}
// A question table of `type` made by hand, as a copy pasted from another document would be.
function handMadeQuestion(type) {
  var end = doc.Content.End - 1;
  var t = doc.Tables.Add(doc.Range(end, end), 4, 1);
  var q = doc.InlineShapes.AddPicture(imgPath + "1x1.gif", false, true, t.Cell(1, 1).Range);
  q.AlternativeText = "kzoQ" + type + "&qID=ABCDEFGHIJKLMNOP&points=10";
  t.Cell(3, 1).Range.InsertBefore("Question text");
  return t;
}

// ---- nothing at the selection ----
Driver.ClearTranscript();
mc.DeleteQuestion(doc);
expectBox("no question to delete", "Select a question to delete.", appTitle, 0, 0);
Driver.ClearTranscript();
mc.DeleteAnswer(doc);
expectBox("no answer to delete",
          "Place the cursor into the answer you would like to delete and try again.", appTitle, 0,
          0);

// ---- a multiple-choice question ----
mc.CreateQuestion(app);
var table = doc.Tables(1);
assertEqual(table.Rows.Count, 7);

// The caret in the question text is not in an answer.
caretIn(table.Cell(3, 1));
Driver.ClearTranscript();
mc.DeleteAnswer(doc);
expectBox("caret in the question text",
          "Place the cursor into the answer you would like to delete and try again.", appTitle, 0,
          0);
assertEqual(table.Rows.Count, 7, "nothing deleted");

// In an answer row: Cancel keeps it, OK removes exactly that row.
caretIn(table.Cell(5, 2));
Driver.ClearTranscript();
Driver.AnswerMsgBox(CANCEL);
mc.DeleteAnswer(doc);
expectBox("confirm an answer", "Are you sure?", "Delete Answer?", 1, 0);
assertEqual(table.Rows.Count, 7, "Cancel keeps the row");
Driver.AnswerMsgBox(OK);
mc.DeleteAnswer(doc);
assertEqual(table.Rows.Count, 6, "OK removes one row");
assertEqual(answerText(table, 4), "Answer 1");
assertEqual(answerText(table, 5), "Answer 3", "the second answer is gone");
assertEqual(answerText(table, 6), "Answer 4");

// The whole question: Cancel keeps it, OK removes the table and its markers.
caretIn(table.Cell(3, 1));
Driver.ClearTranscript();
Driver.AnswerMsgBox(CANCEL);
mc.DeleteQuestion(doc);
expectBox("confirm a question", "Are you sure you want to delete this question?",
          "Delete this Question?", 1, 0);
assertEqual(doc.Tables.Count, 1, "Cancel keeps the question");
Driver.AnswerMsgBox(OK);
mc.DeleteQuestion(doc);
assertEqual(doc.Tables.Count, 0, "OK removes the question");
assertEqual(doc.InlineShapes.Count, 0, "with every marker");
assertEqual(app.Selection.Start, app.Selection.End, "the selection is collapsed");

// ---- a fill-in-the-blank question: the blank must be selected as a picture ----
var fib = handMadeQuestion(5);
var inText = fib.Cell(3, 1).Range.Start + 8;
var blank = doc.InlineShapes.AddPicture(imgPath + "textbox.gif", false, true,
                                        doc.Range(inText, inText));
blank.AlternativeText = "kzoO5&h=1&w=20";
caretAt(blank.Range.End);
Driver.ClearTranscript();
mc.DeleteAnswer(doc);
expectBox("caret beside the blank",
          "Place the cursor into the textbox you would like to delete and try again.", appTitle,
          0, 0);
blank.Select();
assertEqual(app.Selection.Type, 7, "a selected picture");
Driver.ClearTranscript();
Driver.AnswerMsgBox(CANCEL);
mc.DeleteAnswer(doc);
expectBox("confirm a blank", "Are you sure?", "Delete this answer?", 1, 0);
assertEqual(fib.Range.InlineShapes.Count, 2, "Cancel keeps the blank");
blank.Select();
Driver.AnswerMsgBox(OK);
mc.DeleteAnswer(doc);
assertEqual(fib.Range.InlineShapes.Count, 1, "OK removes the blank, the marker stays");
assertEqual(fib.Cell(3, 1).Range.Text.replace(/[\r\u0007]/g, ""), "Question text",
            "the question text stays");
fib.Delete();

// ---- types without deletable answers: nothing happens and nothing is shown ----
var types = [6, 7, 9, 10];
for (var i = 0; i < types.length; i++) {
  var other = handMadeQuestion(types[i]);
  var pic = doc.InlineShapes.AddPicture(imgPath + "radio_blk.gif", false, true,
                                        other.Cell(4, 1).Range);
  pic.AlternativeText = "kzoA" + types[i];
  caretAt(pic.Range.End);
  Driver.ClearTranscript();
  mc.DeleteAnswer(doc);
  assertEqual(Driver.TranscriptCount, 0, "type " + types[i] + ": " + Driver.TranscriptText);
  assertEqual(other.Rows.Count, 4, "type " + types[i] + ": nothing deleted");
  other.Delete();
}
assertEqual(host.ReportCount, 0, "nothing went wrong");
app.Quit(0);
