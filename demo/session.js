// The main job: an authoring session on the embedded platform. It installs the add-ins, starts
// the word processor with the local course host standing in for the course server, lists the
// add-in's menu and toolbar, clicks each command, and prints everything the user saw.

function heading(text) {
  print("");
  print("== " + text);
}

heading("Setup");
var dir = Setup();
print("installed into " + dir);
Settings.Set(Settings.AddinKey, "helpShow", 1);  // show the help document once, as after setup

var host = StartCourseHost();
print("local course host on port " + host.Port);

heading("Start the word processor");
var app = CreateObject("Word.Application");
var addIn = app.COMAddIns("KZOWord.Connect");
print(addIn.Description + " (" + addIn.ProgId + ") connected: " + addIn.Connect);
for (var d = 1; d <= app.Documents.Count; d++) print("open document: " + app.Documents(d).Name);

heading("Menu Tools > " + app.CommandBars.FindControl(10, 30007).Controls("Quorvanta").Caption);
var menu = app.CommandBars.FindControl(10, 30007).Controls("Quorvanta");
for (var m = 1; m <= menu.Controls.Count; m++) {
  var item = menu.Controls(m);
  print("  " + item.Caption + "  [" + item.Tag + "]" + (item.Visible ? "" : " (hidden)"));
}

heading("Toolbar " + app.CommandBars("Quorvanta").Name);
var toolbar = app.CommandBars("Quorvanta");
for (var t = 1; t <= toolbar.Controls.Count; t++) {
  var button = toolbar.Controls(t);
  print("  " + (button.BeginGroup ? "| " : "") + button.Caption + "  [" + button.Tag + "]" +
        (button.Visible ? "" : " (hidden)"));
}

heading("Click every command");
// The two commands that open a window: the author looks and closes it again.
Driver.OnFormOnce("dlgCreateQuestion", function (form) { form.Controls("btnCancel").Click(); });
Driver.OnFormOnce("dlgWebVerify", function (form) { form.Controls("Btns", 2).Click(); });
for (var c = 1; c <= toolbar.Controls.Count; c++) {
  var control = toolbar.Controls(c);
  if (!control.Visible) continue;
  if (control.Caption == "Add to Course") {
    print("(" + control.Caption + " comes last, with the course document)");
    continue;
  }
  print("click " + control.Caption);
  control.Execute();
  Driver.DoEvents();
}
var shell = CreateObject("Shell.Application");
for (var w = 0; w < shell.Windows().Count; w++) {
  var window = shell.Windows().Item(w);
  print("browser window: " + window.Document.Title + " <" + window.LocationURL + ">");
}

heading("What the user saw");
print(Driver.TranscriptText || "(no message box and no form)");
Driver.ClearTranscript();

// "Add New Question" as the author uses it: the type chosen in the dialog, the number of
// answers typed where the type asks for it, then "&Add".
function addNewQuestion(typeName, answers) {
  Driver.OnFormOnce("dlgCreateQuestion", function (form) {
    form.Controls("lstQTypes").Text = typeName;
    if (answers) form.Controls("txtNumAns").Text = answers;
    form.Controls("btnContinue").Click();
  });
  toolbar.Controls("Add New Question").Execute();
  Driver.DoEvents();
}

heading("A multiple-choice question");
var doc = app.Documents.Add();
doc.Content.InsertBefore("Fractions\r");
var end = doc.Content.End - 1;
doc.Range(end, end).Select();
addNewQuestion("Multiple Choice", "4");
var mc = CreateObject("KZOWord.MultipleChoice");
var table = doc.Tables(1);
table.Cell(3, 1).Tables(1).Cell(1, 1).Range.Text = "Which fraction is the largest?";
var answers = ["1/3", "3/4", "2/5", "1/2"];
for (var a = 0; a < answers.length; a++)
  table.Cell(4 + a, 2).Tables(1).Cell(1, 1).Range.Text = answers[a];

// The author opens the attribute form: 5 points, both feedback texts, the second answer correct.
Driver.OnFormOnce("dlgMark", function (form) {
  var frm = form.Document.forms(0);
  frm.item("points").value = "5";
  frm.item("pcomm").value = "Right: 3/4 is 0.75.";
  frm.item("fcomm").value = "Not quite. Compare them as decimals.";
  frm.item("ans").item(1).click();
  form.Controls("OKButton").Click();
});
var inQuestion = table.Cell(3, 1).Range.Start;
doc.Range(inQuestion, inQuestion).Select();
mc.MarkQuestion(doc);
for (var p = 1; p <= table.Range.InlineShapes.Count; p++)
  print("marker " + p + ": " + table.Range.InlineShapes(p).AlternativeText.replace(/&qID=\w+/, "&qID=..."));
print("validates: " + mc.Validate("", table));

heading("A fill-in-the-blank question");
end = doc.Content.End - 1;
doc.Range(end, end).Select();
addNewQuestion("Fill-in-the-Blank");
var fib = CreateObject("KZOWord.FillInTheBlank");
var fibTable = doc.Tables(doc.Tables.Count);
var sentence = fibTable.Cell(4, 1).Tables(1).Cell(1, 1).Range;
sentence.Text = "Three quarters written as a decimal is 0.75 exactly.";
sentence = fibTable.Cell(4, 1).Tables(1).Cell(1, 1).Range;
var at = sentence.Start + sentence.Text.indexOf("0.75");
doc.Range(at, at + 4).Select();
fib.InsertBlank(doc);
print("blank: " + fibTable.Range.InlineShapes(2).AlternativeText);

heading("Validate the document");
var work = CreateObject("KZOWord.Work");
Driver.ClearTranscript();
Driver.AnswerMsgBox(7);  // No: the author fixes the question first
print("ValidateDoc: " + work.ValidateDoc(doc));
print(Driver.TranscriptText);
print("insertion point in the question text: " +
      (app.Selection.Start === fibTable.Cell(3, 1).Range.Start));
Driver.OnFormOnce("dlgMark", function (form) {
  var frm = form.Document.forms(0);
  frm.item("points").value = "5";
  frm.item("fib2_I").value = "0.75;.75";
  form.Controls("OKButton").Click();
});
fib.MarkQuestion(doc);
print("blank: " + fibTable.Range.InlineShapes(2).AlternativeText);
Driver.ClearTranscript();
print("ValidateDoc: " + work.ValidateDoc(doc) + " " +
      (Driver.TranscriptCount === 0 ? "(nothing to say)" : Driver.TranscriptText));

var file = ProfilePath("Fractions.doc");
doc.SaveAs(file);
print("saved as " + doc.Name);
print("");
print(RenderDocument(doc));

heading("What the user saw");
print(Driver.TranscriptText);
print("");
print("documents open: " + app.Documents.Count + ", error reports: " + host.ReportCount);

heading("A drag-and-drop question");
Driver.ClearTranscript();
var dragDoc = app.Documents.Add();
dragDoc.Content.InsertBefore("The water cycle\r");
var dragEnd = dragDoc.Content.End - 1;
dragDoc.Range(dragEnd, dragEnd).Select();
addNewQuestion("Drag and Drop");
var dd = CreateObject("KZOWord.ImageTag");
var dragTable = dragDoc.Tables(1);
dragTable.Cell(3, 1).Tables(1).Cell(1, 1).Range.Text = "Drag the label onto the cloud.";
var inArea = dragTable.Cell(4, 1).Range.Start;
// A fixed picture: the author answers the chooser and picks the file.
dragDoc.Range(inArea, inArea).Select();
Driver.OnFormOnce("dlgMoveFixed", function (form) { form.Controls("btnFixed").Click(); });
Driver.AnswerFileDialog(Settings.Get(Settings.AddinKey, "IMG_PATH") + "qti6.bmp");
dd.InsertPic(dragDoc);
// A moveable label, with its text typed by the author.
dragDoc.Range(inArea, inArea).Select();
Driver.OnFormOnce("dlgMoveFixed", function (form) { form.Controls("btnMoveable").Click(); });
dd.InsertTag(dragDoc);
dragTable.Range.ShapeRange(2).TextFrame.TextRange.Text = "rain";
print("validates: " + dd.Validate("", dragTable));
print("");
print(RenderDocument(dragDoc).replace(/&qID=\w+/, "&qID=..."));
print(Driver.TranscriptText);
print("documents open: " + app.Documents.Count + ", error reports: " + host.ReportCount);

heading("Add to Course");
// The author goes back to the fractions document and adds it to the course: the page titles and
// types the course host will cut it into, then the portal.
Driver.ClearTranscript();
doc.Activate();
toolbar.Controls("Add to Course").Execute();
var props = doc.CustomDocumentProperties;
for (var n = 1; n <= props.Count; n++) {
  var prop = props(n);
  if (prop.Name.indexOf("KZOS") == 0) print(prop.Name + " = " + prop.Value);
}
print("saved: " + doc.Saved);
for (var w = 0; w < shell.Windows().Count; w++) {
  var window = shell.Windows().Item(w);
  print("browser window: " + window.Document.Title + " <" + window.LocationURL + ">");
}
print(Driver.TranscriptText || "(no message box and no form)");

heading("Enhanced Web Preview, on a copy");
// The wizard advises saving under a new name first: the author does so from its second step,
// so the saved Fractions.doc stays as it was and the copy is converted.
Driver.ClearTranscript();
doc.Activate();
Driver.OnFormOnce("dlgWebVerify", function (form) {
  var next = form.Controls("Btns", 1);
  next.Click();
  Driver.AnswerFileDialog(ProfilePath("Fractions (web).doc"));
  form.Controls("Browse").Click();
  print(form.Controls("CurrFileLoc").Caption.replace(/\r\n$/, ""));
  print(form.Controls("NewFileTxt").Caption.replace(/(\r\n)+$/, "").replace("\r\n", " "));
  next.Click();
});
toolbar.Controls("Enhanced Web Preview").Execute();
Driver.DoEvents();
print("converted: " + doc.Name + ", WebVerify " + doc.CustomDocumentProperties("WebVerify").Value +
      ", web layout view: " + (doc.ActiveWindow.View.Type === 6));
doc.Save();
print("");
print(Driver.TranscriptText);
print("documents open: " + app.Documents.Count + ", error reports: " + host.ReportCount);
app.Quit();
