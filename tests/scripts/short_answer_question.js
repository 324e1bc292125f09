// A short-answer question: the black answer area with its placeholder, the attribute form of the
// question's own attributes, and completeness while the placeholder is there.
Setup();
var host = StartCourseHost();
var app = CreateObject("Word.Application");
var doc = app.Documents.Add();
var sa = CreateObject("KZOWord.ShortAnswer");

sa.CreateQuestion(app);
var table = doc.Tables(1);
var area = table.Cell(4, 1);
assertEqual(area.Width, 432);
assertEqual(area.Height, 85);
assertEqual(area.Shading.BackgroundPatternColor, 0, "black");
var box = table.Range.ShapeRange(1);
assertEqual(box.AlternativeText, "kzoA10");
assertEqual(box.Width, 412);
assertEqual(box.Height, 65);
assertEqual(box.TextFrame.TextRange.Text,
            "Resize this shape to create the size that you would like the textbox to be.");
assert(sa.Validate("", table), "complete with its placeholder");

var at = table.Cell(3, 1).Range.Start;
doc.Range(at, at).Select();
Driver.OnFormOnce("dlgMark", function (form) {
  assertEqual(form.Caption, " - Set Question Attributes (Score, Feedback, Answers)");
  form.Controls("OKButton").Click();
});
doc.Saved = true;
sa.MarkQuestion(doc);
assertEqual(doc.Saved, false);

box.Delete();
var message = "";
assert(!sa.Validate(message, table), "the placeholder was deleted");
assertEqual(host.ReportCount, 0, "nothing went wrong");
app.Quit(0);
