// The five question types beside multiple choice, built and marked through their public classes
// as an automation client would: true/false, multiple response, fill-in-the-blank and the two
// choice questions with a blank; then the whole document validated, first failing and then
// passing, with the exact texts the author is shown.
Setup();
var host = StartCourseHost();
var app = CreateObject("Word.Application");
var doc = app.Documents.Add();

function endOfDocument() {
  var end = doc.Content.End - 1;
  doc.Range(end, end).Select();
}
function create(progId) {
  endOfDocument();
  doc.Range(doc.Content.End - 1, doc.Content.End - 1).InsertAfter("Text before the question.");
  endOfDocument();
  var question = CreateObject(progId);
  question.CreateQuestion(app);
  return {q: question, table: doc.Tables(doc.Tables.Count)};
}
function alt(table, i) { return table.Range.InlineShapes(i).AlternativeText; }
function cellText(table, row, column) {
  return table.Cell(row, column).Range.Text.replace(/[\r\u0007]/g, "");
}
function caretIn(table, row, column) {
  var at = table.Cell(row, column).Range.Start + 1;
  doc.Range(at, at).Select();
}
// Marks the question at the insertion point: `act` fills the form, then OK.
function mark(question, act) {
  Driver.OnFormOnce("dlgMark", function (form) {
    act(form.Document.forms(0), form);
    form.Controls("OKButton").Click();
  });
  question.MarkQuestion(doc);
}

// True/false: two answers whatever numAs is, marked "kzoA9".
var tf = create("KZOWord.TrueFalse");
assertEqual(tf.table.Rows.Count, 5);
assertEqual(cellText(tf.table, 4, 2), "True");
assertEqual(cellText(tf.table, 5, 2), "False");
assertEqual(alt(tf.table, 2), "kzoA9");
caretIn(tf.table, 3, 1);
var caption = "";
mark(tf.q, function (frm, form) {
  caption = form.Caption;
  frm.item("ans").item(1).click();
});
assertEqual(caption, "True/False - Set Question Attributes (Score, Feedback, Answers)");
assertEqual(alt(tf.table, 3), "kzoA9&checked=on");
assert(tf.q.Validate("", tf.table), "true/false complete");

// Multiple response: check boxes, several correct.
var mr = create("KZOWord.MultipleCorrect");
assertEqual(mr.table.Rows.Count, 7);
caretIn(mr.table, 3, 1);
mr.q.AddAnswer(doc);
assertEqual(mr.table.Rows.Count, 8);
assertEqual(cellText(mr.table, 4, 2), "New Answer");
assertEqual(mr.table.Cell(4, 1).Width, 20, "the new row's marker column");
caretIn(mr.table, 3, 1);
mark(mr.q, function (frm) {
  frm.item("ans2").checked = true;
  frm.item("ans4").checked = true;
});
assertEqual(alt(mr.table, 2), "kzoA1&checked=on");
assertEqual(alt(mr.table, 3), "kzoA1");
assertEqual(alt(mr.table, 4), "kzoA1&checked=on");

// Fill in the blank: a blank in place of two selected words, its answers through the form.
var fib = create("KZOWord.FillInTheBlank");
assertEqual(fib.table.Rows.Count, 4);
Driver.ClearTranscript();
caretIn(fib.table, 3, 1);
fib.q.InsertBlank(doc);
assertEqual(Driver.Transcript(1).Text,
            "This is not a valid answer location.  Place your cursor into the question " +
                "response table and try again.");
assertEqual(Driver.Transcript(1).Title, "Error");
var sentence = fib.table.Cell(4, 1).Range;
var words = sentence.Text.indexOf("insert blank");
doc.Range(sentence.Start + words, sentence.Start + words + "insert blank".length).Select();
fib.q.InsertBlank(doc);
assertEqual(alt(fib.table, 2), "kzoO5&h=1&w=20");
caretIn(fib.table, 3, 1);
mark(fib.q, function (frm) { frm.item("fib2_I").value = "add;insert"; });
assertEqual(alt(fib.table, 2).indexOf("kzoO5&ans=add;insert&h=1&w="), 0, alt(fib.table, 2));

// The two choice questions with a blank: the sentence row stays last.
var mcb = create("KZOWord.MultipleChoiceFillInTheBlank");
assertEqual(mcb.table.Rows.Count, 8);
assertEqual(alt(mcb.table, 6), "kzoO3&h=1&w=20");
caretIn(mcb.table, 8, 1);
mcb.q.AddRadioChoice(doc);
assertEqual(mcb.table.Rows.Count, 9);
assertEqual(cellText(mcb.table, 8, 2), "New Answer");
var mrb = create("KZOWord.MultipleCorrectFillInTheBlank");
assertEqual(alt(mrb.table, 6), "kzoO4&h=1&w=20");
caretIn(mrb.table, 4, 2);
mrb.q.AddCheckboxAnswer(doc);
assertEqual(cellText(mrb.table, 5, 2), "New Answer");

// Validation: the first incomplete question (multiple choice with a blank, no answer chosen) is
// named; No puts the insertion point into its question text.
var work = CreateObject("KZOWord.Work");
Driver.ClearTranscript();
Driver.AnswerMsgBox(7);
assert(!work.ValidateDoc(doc), "No: the author fixes the document");
assertEqual(Driver.Transcript(1).Title, "Error Validating Document...");
assertEqual(Driver.Transcript(1).Text,
            "WARNING:  The document " + doc.Name + " contains errors that will prevent it from " +
                "uploading correctly.\r\n\r\nThe question \"Enter multiple-choice question text " +
                "here...\" is incomplete:\r\n\r\nYou need to select a correct answer\r\n\r\n" +
                "Do you still want to save this document?");
assertEqual(app.Selection.Start, mcb.table.Cell(3, 1).Range.Start, "at the question text");
assertEqual(host.ReportCount, 1);
assert(host.Report(1).indexOf("Work.ValidateDoc::BAD") >= 0, host.Report(1));

// Completed one by one, the document passes without a word.
caretIn(mcb.table, 3, 1);
mark(mcb.q, function (frm) {
  frm.item("ans").item(0).click();
  frm.item("fib7_I").value = "Paris";
});
caretIn(mrb.table, 3, 1);
mark(mrb.q, function (frm) {
  frm.item("ans2").checked = true;
  frm.item("fib7_I").value = "Rome; Roma";
});
assertEqual(alt(mrb.table, 7).indexOf("kzoO4&ans=Rome; Roma&h="), 0, alt(mrb.table, 7));
Driver.ClearTranscript();
assert(work.ValidateDoc(doc), "every question is complete");
assertEqual(Driver.TranscriptCount, 0, Driver.TranscriptText);
