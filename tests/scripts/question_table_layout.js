// A new multiple-choice question as the author gets it: the progress window's texts in order,
// every row, box and marker of the table with its widths, paddings, borders, colours and fonts,
// the marker text, the document stamp, the insertion point left at the end of the prompt, and the
// refusal inside a question.
Setup();
var host = StartCourseHost();
var app = CreateObject("Word.Application");
var doc = app.Documents.Add();
// Margins that leave a text width of 431.3 points: the table uses it rounded to whole points.
doc.PageSetup.LeftMargin = 90.4;
doc.PageSetup.RightMargin = 90.3;
var textWidth = Math.round(doc.PageSetup.PageWidth - 90.4 - 90.3);
doc.ToggleFormsDesign();
assert(doc.FormsDesign, "the document starts in form design mode");

Driver.ClearTranscript();
var mc = CreateObject("KZOWord.MultipleChoice");
mc.CreateQuestion(app);

// ---- the progress window ----
var status = [];
for (var i = 1; i <= Driver.TranscriptCount; i++) {
  var entry = Driver.Transcript(i);
  if (entry.Kind == "Caption") status.push(entry.Text);
}
assertEqual(status.join("|"), [
  "Creating Multiple Choice Question...", "Creating Table...", "Setting up elements...",
  "Adding title...", "Adding User help...", "Creating Answer 1", "Creating Answer 2",
  "Creating Answer 3", "Creating Answer 4", "Completing question creation", "Done!  Closing..."
].join("|"), "progress texts in order");
var lines = Driver.TranscriptText.split("\n");
assertEqual(lines[0], "Show dlgProgress modeless \"Please Wait...\"", "shown modeless first, with its caption");
assert(Driver.TranscriptText.indexOf("Unload dlgProgress by code") > 0, "closed by DONE");
assert(!doc.FormsDesign, "form design mode is left");

// ---- the whole table ----
assertEqual(doc.Tables.Count, 1);
var table = doc.Tables(1);
assertEqual(table.Rows.Count, 7, "numAs 4 + 3 rows");
assertEqual(table.AllowAutoFit, false, "fixed column widths");
assertEqual(table.Borders.OutsideLineStyle, 0, "no outside border");
assertEqual(table.Borders.Shadow, false, "no shadow");
var between = table.Rows.Borders(-5);  // horizontal lines between rows
assertEqual(between.LineStyle, 1, "rows: single");
assertEqual(between.Color, 0x666666, "rows: dark grey");
var inside = table.Rows.Borders(-6);  // vertical lines between cells
assertEqual(inside.LineStyle, 1, "cells: single");
assertEqual(inside.Color, 0, "cells: black");
assertEqual(table.Shading.BackgroundPatternColor, 0, "black background");
var paragraphs = table.Range.ParagraphFormat;
assertEqual(paragraphs.KeepTogether, true, "kept together");
assertEqual(paragraphs.KeepWithNext, true, "kept with next");
assertEqual(paragraphs.SpaceAfter, 0, "no space after");

// ---- rows 1 to 3: one merged cell of the text width ----
for (var r = 1; r <= 3; r++) {
  assertEqual(table.Rows(r).Cells.Count, 1, "row " + r + " merged");
  assertEqual(table.Cell(r, 1).Width, textWidth, "row " + r + " text width");
}

// ---- row 1: the question marker ----
var markerCell = table.Cell(1, 1);
assertEqual(markerCell.TopPadding, 0, "marker row top padding");
assertEqual(markerCell.BottomPadding, 0, "marker row bottom padding");
assertEqual(markerCell.LeftPadding, 0, "marker row left padding");
assertEqual(markerCell.RightPadding, 0, "marker row right padding");
assertEqual(markerCell.Range.Font.Size, 1, "marker row 1 point");
assertEqual(markerCell.Range.Font.Name, "Arial");
assertEqual(markerCell.Range.InlineShapes.Count, 1, "the marker only");
var marker = markerCell.Range.InlineShapes(1);
var qText = marker.AlternativeText;
assert(/^kzoQ0&qID=[0-9A-Za-z]{16}&points=10$/.test(qText), "question marker: " + qText);
assertEqual(marker.Width, 1, "marker 1 point wide");
assertEqual(marker.Height, 1, "marker 1 point high");
assertEqual(marker.Borders.Enable, false, "marker without border");

// ---- row 2: the help box, empty and 1 point high for multiple choice ----
assertEqual(table.Cell(2, 1).TopPadding, 2, "help row top padding");
var help = table.Cell(2, 1).Tables(1);
assertEqual(help.Rows.Count, 1);
assertEqual(help.Borders.Enable, true, "help box borders on");
assertEqual(help.Borders.OutsideColor, 0, "help box outside border black");
assertEqual(help.Shading.BackgroundPatternColor, 0, "help box black");
assertEqual(help.PreferredWidthType, 2, "help box width in percent");
assertEqual(help.PreferredWidth, 100, "help box full width");
assertEqual(help.TopPadding + help.BottomPadding + help.LeftPadding + help.RightPadding, 0,
            "help box paddings");
assertEqual(help.Range.Font.Name, "Arial", "help box font");
assertEqual(help.Range.Font.Size, 1, "no instructions: 1 point");
assertEqual(help.Range.Text.replace(/[\r\u0007]/g, ""), "", "no instructions");

// ---- row 3: the question text box ----
var qCell = table.Cell(3, 1);
assertEqual(qCell.TopPadding, 1, "question row top padding");
assertEqual(qCell.BottomPadding, 1, "question row bottom padding");
assertEqual(qCell.LeftPadding, 1, "question row left padding");
assertEqual(qCell.RightPadding, 1, "question row right padding");
var box = qCell.Tables(1);
assertEqual(box.Borders.Enable, false, "question box without borders");
assertEqual(box.Shading.BackgroundPatternColor, 0xFFFFFF, "question box white");
assertEqual(box.PreferredWidthType, 2, "question box width in percent");
assertEqual(box.PreferredWidth, 100, "question box full width");
assertEqual(box.Range.Font.Size, 12, "question text 12 points");
assertEqual(box.Range.Font.Color, 0, "question text black");
assertEqual(box.Range.Paragraphs(1).Range.Text, "Enter question text here\r", "the prompt");
assertEqual(box.Range.Text.replace(/\r\u0007/g, ""), "Enter question text here\r",
            "the prompt followed by a paragraph mark");

// ---- answer rows ----
var textColumn = table.Cell(1, 1).Width - 20;
for (r = 4; r <= 7; r++) {
  var c1 = table.Cell(r, 1), c2 = table.Cell(r, 2);
  assertEqual(c1.Width, 20, "answer marker column " + r);
  assertEqual(c1.LeftPadding + c1.RightPadding, 0, "marker column side paddings " + r);
  assertEqual(c1.TopPadding, 2, "marker column top padding " + r);
  assertEqual(c1.Range.ParagraphFormat.Alignment, 1, "marker centred " + r);
  assertEqual(c1.Range.InlineShapes(1).AlternativeText, "kzoA0", "answer marker " + r);
  assertEqual(c2.Width, textColumn, "answer text column " + r);
  assertEqual(c2.TopPadding + c2.BottomPadding + c2.LeftPadding + c2.RightPadding, 4,
              "answer text paddings " + r);
  var answerBox = c2.Tables(1);
  assertEqual(answerBox.Borders.Enable, false, "answer box borders " + r);
  assertEqual(answerBox.Shading.BackgroundPatternColor, 0xFFFFFF, "answer box white " + r);
  assertEqual(answerBox.PreferredWidth, 100, "answer box width " + r);
  assertEqual(answerBox.Range.Font.Name, "Arial", "answer box font " + r);
  assertEqual(answerBox.Range.Font.Size, 12, "answer box size " + r);
  assertEqual(answerBox.Range.Font.Color, 0, "answer box colour " + r);
}

// ---- ready for typing: an empty paragraph after the table, the caret after the prompt ----
var promptEnd = box.Range.Paragraphs(1).Range.End - 1;
assertEqual(app.Selection.Start, promptEnd, "caret at the end of the prompt");
assertEqual(app.Selection.End, promptEnd, "collapsed");
assertEqual(doc.Range(table.Range.End, table.Range.End + 1).Text, "\r", "empty paragraph after");

// ---- the stamp ----
var props = doc.CustomDocumentProperties;
assertEqual(props("KZOConvert").Value, "7");
assertEqual(props("Ver").Value, "27");
assertEqual(props("Site").Value, "courses.quorvanta.example", "the default course host");

// ---- a second question: its own identifier ----
var end = doc.Content.End - 1;
doc.Range(end, end).Select();
mc.CreateQuestion(app);
assertEqual(doc.Tables.Count, 2);
var second = doc.Tables(2).Cell(1, 1).Range.InlineShapes(1).AlternativeText;
assert(/^kzoQ0&qID=[0-9A-Za-z]{16}&points=10$/.test(second), "second marker: " + second);
assert(second != qText, "different identifiers");
for (var k = 1; k <= doc.InlineShapes.Count; k++)
  assert(doc.InlineShapes(k).AlternativeText != "kzoB", "questions share a page: no break");

// ---- inside a question: refused with the question message, no progress window ----
var at = box.Range.Start + 3;
doc.Range(at, at).Select();
Driver.ClearTranscript();
mc.CreateQuestion(app);
assertEqual(doc.Tables.Count, 2, "nothing inserted");
assertEqual(Driver.TranscriptCount, 1, Driver.TranscriptText);
var refusal = Driver.Transcript(1);
assertEqual(refusal.Kind, "MsgBox");
assertEqual(refusal.Title, "Error");
assertEqual(refusal.Icon, 16, "critical");
assertEqual(refusal.Text, "You cannot insert a new question into an existing question table." +
    "\r\n\r\nPlace the cursor outside of this question somewhere else in the document to " +
    "insert a new question.");
assertEqual(host.ReportCount, 0, "nothing went wrong");
app.Quit(0);
