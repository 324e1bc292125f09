// The multiple-choice answer rows: the progress messages while they are made, the
// marker cell and the answer text box of every row, an answer added to a question that has none
// left, and the progress window when the question table cannot be built.
Setup();
var host = StartCourseHost();
var app = CreateObject("Word.Application");
var doc = app.Documents.Add();
var mc = CreateObject("KZOWord.MultipleChoice");

function lines() { return Driver.TranscriptText.split(/\r?\n/); }
function status(text) { return "Caption dlgProgress.Status \"" + text + "\""; }

// Progress: one message per answer, then the completion message, then the window closes.
Driver.ClearTranscript();
mc.CreateQuestion(app);
var seen = lines();
var first = seen.indexOf(status("Creating Answer 1"));
assert(first > 0, "answers are announced: " + Driver.TranscriptText);
assertEqual(seen.slice(first, first + 5).join("|"),
            [status("Creating Answer 1"), status("Creating Answer 2"), status("Creating Answer 3"),
             status("Creating Answer 4"), status("Completing question creation")].join("|"));
assertEqual(seen.indexOf("Unload dlgProgress by code"), first + 6, "closed when done");

var table = doc.Tables(1);
var textWidth = table.Cell(1, 1).Width - 20;
function checkAnswerRow(row, text, fontName) {
  var where = " (row " + row + ")";
  var marker = table.Cell(row, 1);
  assertEqual(marker.Range.InlineShapes.Count, 1, "one picture" + where);
  assertEqual(marker.Range.InlineShapes(1).AlternativeText, "kzoA0", "marker" + where);
  assertEqual([marker.LeftPadding, marker.RightPadding, marker.TopPadding].join(","), "0,0,2",
              "marker paddings" + where);
  assertEqual(marker.Range.ParagraphFormat.Alignment, 1, "centred" + where);
  assertEqual(marker.Width, 20, "marker width" + where);
  var cell = table.Cell(row, 2);
  assertEqual([cell.LeftPadding, cell.RightPadding, cell.TopPadding, cell.BottomPadding].join(","),
              "1,1,1,1", "text paddings" + where);
  assertEqual(cell.Width, textWidth, "text width" + where);
  assertEqual(cell.Tables.Count, 1, "answer text box" + where);
  var box = cell.Tables(1);
  assertEqual([box.Rows.Count, box.Columns.Count].join("x"), "1x1", "box size" + where);
  assert(!box.Borders.Enable, "box without borders" + where);
  assertEqual(box.PreferredWidthType, 2, "preferred width in percent" + where);
  assertEqual(box.PreferredWidth, 100, "full width" + where);
  assertEqual(box.Range.Font.Color, 0, "black" + where);
  assertEqual(box.Range.Font.Size, 12, "12 points" + where);
  assertEqual(box.Range.Font.Name, fontName, "font" + where);
  assertEqual(box.Shading.BackgroundPatternColor, 16777215, "white" + where);
  assertEqual(box.Cell(1, 1).Range.Text.replace(/[\r\u0007]/g, ""), text, "text" + where);
}
assertEqual(table.Rows.Count, 7);
for (var k = 1; k <= 4; k++) checkAnswerRow(k + 3, "Answer " + k, "Arial");

// All answers gone, an answer added in the question text: 20 points for the marker and the
// page's text width less 20 for the text, as no answer row is left to copy.
Driver.OnMsgBox(function () { return 1; });
for (var row = 7; row >= 4; row--) {
  var s = table.Cell(row, 2).Range.Start;
  doc.Range(s, s).Select();
  mc.DeleteAnswer(doc);
}
assertEqual(table.Rows.Count, 3);
var at = table.Cell(3, 1).Range.Start + 1;
doc.Range(at, at).Select();
mc.AddRadioChoice(doc);
assertEqual(table.Rows.Count, 4);
assertEqual(table.Rows(4).Cells.Count, 2);
var setup = doc.PageSetup;
textWidth = Math.round(setup.PageWidth - setup.LeftMargin - setup.RightMargin) - 20;
// The new answer's box keeps the question table's font.
checkAnswerRow(4, "New Answer", "Arial");
assertEqual(table.Cell(4, 1).Range.Font.Size, 1, "the marker cell's line is one point high");

// Outside every question: the refusal, with the critical icon and OK alone, and no new row.
var end = doc.Content.End - 1;
doc.Range(end, end).Select();
Driver.ClearTranscript();
mc.AddRadioChoice(doc);
assertEqual(Driver.TranscriptText.replace(/\r?\n$/, ""),
            "MsgBox \"Error\" [OK] Critical default=OK: \"Place the cursor into the question " +
                "table at the point you want to add an answer choice.\" -> OK");
assertEqual(table.Rows.Count, 4);

// A question table that cannot be built leaves no progress window behind.
RemoveFile(Settings.Get(Settings.AddinKey, "IMG_PATH") + "1x1.gif");
Driver.ClearTranscript();
mc.CreateQuestion(app);
seen = lines();
var shown = seen.indexOf("Show dlgProgress modeless \"Please Wait...\"");
var told = -1;
for (var i = 0; i < seen.length; i++)
  if (seen[i].indexOf("MsgBox \"Error\"") == 0) told = i;
assert(shown >= 0 && told > shown, "progress shown, then the error: " + Driver.TranscriptText);
assertEqual(seen.indexOf("Unload dlgProgress by code"), told + 1, "closed after the report");
assertEqual(host.ReportCount, 1, "the failure is reported once");
app.Quit(0);
