// The attribute form of a multiple-choice question: Cancel changes nothing, OK writes the
// author's points, feedback and correct answer into the markers and marks the document changed,
// ampersands and typographic quotes are stored as the markers keep them, and the next opening of
// the form shows what was stored.
Setup();
var host = StartCourseHost();
var app = CreateObject("Word.Application");
var doc = app.Documents.Add();
var mc = CreateObject("KZOWord.MultipleChoice");
mc.CreateQuestion(app);
var table = doc.Tables(1);
table.Rows(7).Delete();  // three answers
var start = table.Cell(3, 1).Range.Start;
doc.Range(start, start).Select();

function alt(i) { return table.Range.InlineShapes(i).AlternativeText; }
var created = alt(1);
var head = created.substring(0, created.indexOf("&points="));
assertEqual(created, head + "&points=10");

// Cancel: every marker and the saved flag stay.
doc.Saved = true;
var shownCaption = "";
Driver.OnFormOnce("dlgMark", function (form) {
  shownCaption = form.Caption;
  form.Controls("CancelButton").Click();
});
mc.MarkQuestion(doc);
assertEqual(shownCaption, "Multiple Choice - Set Question Attributes (Score, Feedback, Answers)");
assertEqual(alt(1), created);
assert(doc.Saved, "cancel leaves the document saved");

// OK without edits still marks the document changed; the fixed partial credit is stored.
Driver.OnFormOnce("dlgMark", function (form) { form.Controls("OKButton").Click(); });
mc.MarkQuestion(doc);
assert(!doc.Saved, "OK marks the document changed");
assertEqual(alt(1), head + "&points=10&partial=No");

// The author's edits: points, two feedback texts, the second of three answers.
Driver.OnFormOnce("dlgMark", function (form) {
  var frm = form.Document.forms(0);
  frm.item("points").value = "5";
  frm.item("pcomm").value = "Right & well";
  frm.item("fcomm").value = "\u201CNo\u201D, see\r\nthe notes";
  frm.item("ans").item(1).click();
  form.Controls("OKButton").Click();
});
mc.MarkQuestion(doc);
assertEqual(alt(1), head + "&points=5&partial=No&pcomm=Right \u0002 well" +
                        "&fcomm=\"No\", see\r\nthe notes");
assertEqual(alt(2), "kzoA0");
assertEqual(alt(3), "kzoA0&checked=on");
assertEqual(alt(4), "kzoA0");
assert(mc.Validate("", table), "complete");

// Opened again, the form shows what was stored; emptying the points removes them.
var shown = {};
Driver.OnFormOnce("dlgMark", function (form) {
  var frm = form.Document.forms(0);
  shown.pcomm = frm.item("pcomm").value;
  shown.fcomm = frm.item("fcomm").value;
  shown.points = frm.item("points").value;
  shown.checked = frm.item("ans").item(1).checked;
  frm.item("points").value = "";
  frm.item("ans").item(0).click();
  form.Controls("OKButton").Click();
});
mc.MarkQuestion(doc);
assertEqual(shown.pcomm, "Right & well");
assertEqual(shown.fcomm, "\"No\", see\nthe notes");
assertEqual(shown.points, "5");
assert(shown.checked, "the stored correct answer is checked");
assertEqual(alt(1), head.replace("&points=10", "") + "&partial=No&pcomm=Right \u0002 well" +
                        "&fcomm=\"No\", see\nthe notes");
assertEqual(alt(2), "kzoA0&checked=on");
assertEqual(alt(3), "kzoA0");

// Closing the form with its close box is no OK: nothing is written.
var before = [alt(1), alt(2), alt(3), alt(4)];
Driver.OnFormOnce("dlgMark", function (form) { form.Close(); });
mc.MarkQuestion(doc);
assertEqual([alt(1), alt(2), alt(3), alt(4)].join("|"), before.join("|"));

// A question whose answers were all deleted is incomplete.
Driver.OnMsgBox(function () { return 1; });
for (var row = table.Rows.Count; row >= 4; row--) {
  var s = table.Cell(row, 2).Range.Start;
  doc.Range(s, s).Select();
  mc.DeleteAnswer(doc);
}
assertEqual(table.Rows.Count, 3);
assert(!mc.Validate("", table), "no answers left");
assertEqual(host.ReportCount, 0, "nothing went wrong");
app.Quit(0);
