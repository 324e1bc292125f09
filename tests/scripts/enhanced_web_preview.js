// "Enhanced Web Preview" on a document with a picture left of the page, an empty paragraph and
// two manual page breaks in a split window: the wizard's steps as the author sees them, Save As
// under a new name from step 2, and the converted document, even when another document became
// active in the meantime.
Setup();
var host = StartCourseHost();
var app = CreateObject("Word.Application");
var toolbar = app.CommandBars("Quorvanta");
var menu = app.CommandBars.FindControl(10, 30007).Controls("Quorvanta");

var doc = app.Documents.Add();
doc.Content.Text = "Lesson one\r\rA picture:\f\fThe end";
var picture = doc.Shapes.AddShape(1, -50, 0, 40, 40, doc.Range(0, 0));
doc.ActiveWindow.Split = true;
var original = ProfilePath("lesson.doc");
doc.SaveAs(original);

var steps = [];
Driver.OnFormOnce("dlgWebVerify", function (form) {
  var next = form.Controls("Btns", 1);
  steps.push({step: form.Step, desc: form.Controls("Desc").Visible, next: next.Caption,
              back: form.Controls("Btns", 0).Visible, version: form.Controls("Vers").Caption,
              banner: form.Controls("Banner").Picture});
  next.Click();
  steps.push({step: form.Step, file: form.Controls("NewFileTxt").Caption, next: next.Caption,
              save: form.Controls("SaveTxt").Caption, browse: form.Controls("Browse").Caption});
  // The author saves under a new name, then opens another document before converting.
  Driver.AnswerFileDialog(ProfilePath("lesson-web.doc"));
  form.Controls("Browse").Click();
  steps.push({step: form.Step, file: form.Controls("NewFileTxt").Caption});
  app.Documents.Add().Content.Text = "Another\r\rdocument";
  next.Click();
});
toolbar.Controls("Enhanced Web Preview").Execute();
Driver.DoEvents();

assertEqual(steps.length, 3, "the wizard was worked");
assertEqual(steps[0].step, 1);
assert(steps[0].desc && !steps[0].back, "step 1 shows the introduction without Back");
assertEqual(steps[0].next, "&Next");
assertEqual(steps[0].version, "beta v0.6");
assert(steps[0].banner.indexOf("webverify_banner.gif") > 0, "the banner: " + steps[0].banner);
assertEqual(steps[1].step, 2);
assertEqual(steps[1].file, "File to convert:\r\n" + original + "\r\n\r\n");
assertEqual(steps[1].next, "&Convert!");
assertEqual(steps[1].save, "Save this file now ");
assertEqual(steps[1].browse, "&Save As...");
assertEqual(steps[2].step, 2, "step 2 again after Save As");
assertEqual(steps[2].file, "File to convert:\r\n" + ProfilePath("lesson-web.doc") + "\r\n\r\n");
assertEqual(Driver.FormCount, 0, "the wizard unloads after converting");

// The wizard's document is converted; the one opened meanwhile is not.
assertEqual(doc.Name, "lesson-web.doc");
assertEqual(doc.Content.Text, "Lesson one\r \rA picture:\r\rThe end\r");
assertEqual(picture.Left, 2, "the picture moved into the page");
assertEqual(doc.ActiveWindow.Panes.Count, 1, "the split window joined");
assertEqual(doc.ActiveWindow.View.Type, 6, "web layout");
assertEqual(doc.CustomDocumentProperties("WebVerify").Value, "0.6");
assertEqual(doc.CustomDocumentProperties("KZOConvert").Value, "7");
var other = app.ActiveDocument;
assertEqual(other.Content.Text, "Another\r\rdocument\r");
assertEqual(other.ActiveWindow.View.Type, 3, "print layout still");

// The progress counted up to 100 while converting.
var progress = [];
for (var t = 1; t <= Driver.TranscriptCount; t++) {
  var entry = Driver.Transcript(t);
  if (entry.Control === "CvtPgrs") progress.push(entry.Text);
}
assertEqual(progress[progress.length - 1], "100 %", progress.join(", "));

// From the menu, on the converted document again: Cancel in step 1 changes nothing; a second
// conversion leaves the version and the web layout as they are. Empty paragraphs are filled
// before the page breaks become paragraph ends, so only the second run fills those.
doc.Activate();
Driver.OnFormOnce("dlgWebVerify", function (form) { form.Controls("Btns", 2).Click(); });
menu.Controls("Enhanced Web Preview").Execute();
Driver.DoEvents();
assertEqual(Driver.FormCount, 0);
Driver.OnFormOnce("dlgWebVerify", function (form) {
  form.Controls("Btns", 1).Click();
  form.Controls("Btns", 1).Click();
});
menu.Controls("Enhanced Web Preview").Execute();
Driver.DoEvents();
assertEqual(doc.CustomDocumentProperties("WebVerify").Value, "0.6");
assertEqual(doc.ActiveWindow.View.Type, 6);
assertEqual(doc.Content.Text, "Lesson one\r \rA picture:\r \rThe end\r",
            "the paragraph left empty by a page break gets its blank now");
assertEqual(host.ReportCount, 0, Driver.TranscriptText);
app.Quit(0);
