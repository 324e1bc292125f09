// The attribute dialog: its caption and buttons, what the author sees happen on OK
// and on Cancel, the order and form of the pairs written back into the markers, and answers
// named by their position among the question's pictures.
Setup();
var host = StartCourseHost();
var app = CreateObject("Word.Application");
var doc = app.Documents.Add();
var mc = CreateObject("KZOWord.MultipleChoice");
mc.CreateQuestion(app);
var table = doc.Tables(1);
function alt(i) { return table.Range.InlineShapes(i).AlternativeText; }
function setAlt(i, text) { table.Range.InlineShapes(i).AlternativeText = text; }
function placeInQuestion() {
  var start = table.Cell(3, 1).Range.Start;
  doc.Range(start, start).Select();
}
var head = alt(1).substring(0, alt(1).indexOf("&"));
assertEqual(head, "kzoQ0");

// The author's part is played inside the dialog; a failed check there would pass for an error of
// the dialog, so it is kept and raised once the dialog has closed.
var failure = null;
function mark(act) {
  Driver.OnFormOnce("dlgMark", function (form) {
    try { act(form, form.Document.forms(0)); } catch (e) { failure = e; }
  });
  placeInQuestion();
  Driver.ClearTranscript();
  mc.MarkQuestion(doc);
  if (failure) throw failure;
}
var caption = "Multiple Choice - Set Question Attributes (Score, Feedback, Answers)";
var shownThenGone = ["Show dlgMark modal \"" + caption + "\"", "Hide dlgMark",
                     "Unload dlgMark by code"].join("\n");

// Cancel: the dialog shows, hides and unloads; nothing is written, the document stays saved.
var stored = "kzoQ0&qID=Q&points=10&title=Stored&extra=1&pcomm=x";
setAlt(1, stored);
setAlt(2, "kzoA0&checked=on&x=1");
setAlt(3, "kzoA0&y=2");
doc.Saved = true;
mark(function (form) {
  assertEqual(form.Caption, caption);
  assertEqual(form.Controls("OKButton").Caption, "&OK");
  assertEqual(form.Controls("CancelButton").Caption, "&Cancel");
  form.Controls("CancelButton").Click();
});
assertEqual(Driver.TranscriptText.replace(/\r/g, "").replace(/\n$/, ""), shownThenGone);
assertEqual([alt(1), alt(2), alt(3)].join("|"), stored + "|kzoA0&checked=on&x=1|kzoA0&y=2");
assert(doc.Saved, "Cancel leaves the document saved");

// OK: the question marker gets title (never: it is empty), qID, points, partial, pcomm and fcomm
// in this order, ampersands as character 2 and typographic double quotes as plain ones; pairs
// the form does not hold are gone. The chosen answer alone carries "&checked=on".
mark(function (form, frm) {
  frm.item("qID").value = "Q\u201C1\u201D&x";
  frm.item("points").value = "12";
  frm.item("pcomm").value = "A & B";
  frm.item("fcomm").value = "\u201Cno\u201D";
  frm.item("ans").item(2).click();
  form.Controls("OKButton").Click();
});
assertEqual(Driver.TranscriptText.replace(/\r/g, "").replace(/\n$/, ""), shownThenGone);
assertEqual(alt(1), "kzoQ0&qID=Q\"1\"\u0002x&points=12&partial=No&pcomm=A \u0002 B&fcomm=\"no\"");
assertEqual([alt(2), alt(3), alt(4), alt(5)].join("|"), "kzoA0|kzoA0|kzoA0&checked=on|kzoA0");
assert(!doc.Saved, "OK marks the document changed");

// Opened again, the form shows the stored values as the author typed them.
var shown = null;
mark(function (form, frm) {
  shown = [frm.item("qID").value, frm.item("points").value, frm.item("pcomm").value,
           frm.item("fcomm").value, frm.item("ans").item(2).checked].join("|");
  form.Controls("CancelButton").Click();
});
assertEqual(shown, "Q\"1\"&x|12|A & B|\"no\"|true");

// A picture placed in the question text comes before the answers: their buttons now carry the
// next positions, and the choice still lands on the answer the author chose.
var img = Settings.Get(Settings.AddinKey, "IMG_PATH");
var textStart = table.Cell(3, 1).Range.Start;
doc.InlineShapes.AddPicture(img + "1x1.gif", false, true, doc.Range(textStart, textStart));
var values = null;
mark(function (form, frm) {
  var buttons = frm.item("ans"), v = [];
  for (var k = 0; k < buttons.length; k++) v.push(buttons.item(k).value);
  values = v.join(",");
  buttons.item(0).click();
  form.Controls("OKButton").Click();
});
assertEqual(values, "3,4,5,6");
assertEqual([alt(3), alt(4), alt(5), alt(6)].join("|"), "kzoA0&checked=on|kzoA0|kzoA0|kzoA0");
assertEqual(alt(2), "", "the author's picture is left alone");

// Emptying the points removes them; an untouched form still rewrites the fixed partial credit.
mark(function (form, frm) {
  frm.item("points").value = "";
  form.Controls("OKButton").Click();
});
assertEqual(alt(1), "kzoQ0&qID=Q\"1\"\u0002x&partial=No&pcomm=A \u0002 B&fcomm=\"no\"");
assertEqual(host.ReportCount, 0, "nothing went wrong");
app.Quit(0);
