// A new multiple-choice question: one answer row per answer with its radio marker and text,
// answers added below the question text and after the last answer, the refusal outside a
// question, and completeness once an answer is marked correct.
Setup();
var host = StartCourseHost();
var app = CreateObject("Word.Application");
var doc = app.Documents.Add();
var mc = CreateObject("KZOWord.MultipleChoice");

// The insertion point after the first character of the cell's text, as the author's caret.
function placeIn(cell) {
  var at = cell.Range.Start + 1;
  doc.Range(at, at).Select();
}
function marker(row) { return table.Cell(row, 1).Range.InlineShapes(1).AlternativeText; }
function answerText(row) { return table.Cell(row, 2).Range.Text.replace(/[\r\u0007]/g, ""); }

mc.CreateQuestion(app);
var table = doc.Tables(1);
assertEqual(table.Rows.Count, 7, "numAs 4: marker, help and question rows and four answers");
for (var k = 1; k <= 4; k++) {
  assertEqual(marker(k + 3), "kzoA0", "answer marker of row " + (k + 3));
  assertEqual(answerText(k + 3), "Answer " + k);
  assertEqual(table.Cell(k + 3, 1).Width, 20);
  assertEqual(table.Cell(k + 3, 2).Width, table.Cell(1, 1).Width - 20);
}
assertEqual(table.Range.InlineShapes(1).AlternativeText.indexOf("kzoQ0&qID="), 0);
assert(!mc.Validate("", table), "no answer is marked correct yet");

// In the question text: the new answer goes right below row 3, split into the answer columns.
placeIn(table.Cell(3, 1));
mc.AddRadioChoice(doc);
assertEqual(table.Rows.Count, 8);
assertEqual(table.Rows(4).Cells.Count, 2);
assertEqual(marker(4), "kzoA0");
assertEqual(answerText(4), "New Answer");
assertEqual(table.Cell(4, 1).Width, table.Cell(5, 1).Width, "marker column as the answers'");
assertEqual(table.Cell(4, 2).Width, table.Cell(5, 2).Width, "text column as the answers'");
assertEqual(answerText(5), "Answer 1", "the old answers move down");

// In the last answer: a new last row.
placeIn(table.Cell(8, 2));
mc.AddRadioChoice(doc);
assertEqual(table.Rows.Count, 9);
assertEqual(marker(9), "kzoA0");
assertEqual(answerText(9), "New Answer");
assertEqual(answerText(8), "Answer 4");

// Outside every question nothing is added.
Driver.ClearTranscript();
var end = doc.Content.End - 1;
doc.Range(end, end).Select();
mc.AddRadioChoice(doc);
assertEqual(table.Rows.Count, 9);
assertEqual(Driver.Transcript(1).Title, "Error");
assertEqual(Driver.Transcript(1).Text,
            "Place the cursor into the question table at the point you want to add an answer " +
            "choice.");

// Marking an answer correct completes the question.
table.Cell(6, 1).Range.InlineShapes(1).AlternativeText = "kzoA0&checked=on";
assert(mc.Validate("", table), "complete with a correct answer");
assertEqual(host.ReportCount, 0, "nothing went wrong");
app.Quit(0);
