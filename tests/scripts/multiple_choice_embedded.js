// A word processor started for embedding: creating a question shows online help page 1001 of the
// course host in the attribute dialog, reports why nothing was inserted, and inserts nothing.
Setup();
var host = StartCourseHost();
var app = StartWord(2);
var doc = app.Documents.Add();
var help = {};
Driver.OnFormOnce("dlgMark", function (form) {
  help.caption = form.Caption;
  help.url = form.Controls("markWindow").LocationURL;
  help.cancel = form.Controls("CancelButton").Enabled;
  form.Controls("OKButton").Click();
});
CreateObject("KZOWord.MultipleChoice").CreateQuestion(app);
assertEqual(help.caption, "Quorvanta Online Help");
assertEqual(help.url.indexOf("http://courses.quorvanta.example/engine/help/info.asp?id=1001&ver=27"),
            0);
assert(!help.cancel, "OK is the only button");
assertEqual(doc.Tables.Count, 0, "no question inserted");
assertEqual(host.ReportCount, 1);
assert(host.Report(1).indexOf("Addins not working...startedFromOLE is TRUE") >= 0,
       "the refusal is reported");
app.Quit(0);
