// "Add New Question" from the toolbar and from the menu, answered through the dialog for each of
// the eight question types: the commands are disabled while the dialog is open, the question
// table of the chosen type is built with the number of answers typed, the choice is remembered,
// and a refused count or a caret inside a question stops the creation with the author told why.
Setup();
var host = StartCourseHost();
var app = CreateObject("Word.Application");
var toolbar = app.CommandBars("Quorvanta");
var menu = app.CommandBars.FindControl(10, 30007).Controls("Quorvanta");
var doc = app.Documents.Add();

function endOfDocument() {
  var end = doc.Content.End - 1;
  doc.Range(end, end).InsertAfter("Before the next question.");
  end = doc.Content.End - 1;
  doc.Range(end, end).Select();
}
function commandsEnabled() {
  var all = true, none = true;
  for (var i = 1; i <= toolbar.Controls.Count; i++) {
    all = all && toolbar.Controls(i).Enabled;
    none = none && !toolbar.Controls(i).Enabled;
  }
  for (var j = 1; j <= menu.Controls.Count; j++) {
    all = all && menu.Controls(j).Enabled;
    none = none && !menu.Controls(j).Enabled;
  }
  return all ? true : (none ? false : "mixed");
}
// In list order: type name, code, answers typed ("" for the types without a count), rows of
// the table built, answer markers in it.
var types = [
  {name: "True/False", code: 9, count: "", rows: 5, answers: 2},
  {name: "Multiple Choice", code: 0, count: "3", rows: 6, answers: 3},
  {name: "Multiple Response", code: 1, count: "2", rows: 5, answers: 2},
  {name: "Multiple Choice with Fill-in-the-Blank", code: 3, count: "2.5", rows: 6, answers: 2},
  {name: "Multiple Response with Fill-in-the-Blank", code: 4, count: "3", rows: 7, answers: 3},
  {name: "Fill-in-the-Blank", code: 5, count: "", rows: 4, answers: 0},
  {name: "Drag and Drop", code: 6, count: "", rows: 4, answers: 0},
  {name: "Hot Spot", code: 7, count: "", rows: 4, answers: 0},
];


for (var i = 0; i < types.length; i++) {
  var type = types[i];
  endOfDocument();
  var tablesBefore = doc.Tables.Count;
  var reportsBefore = host.ReportCount;
  var seen = null;
  Driver.ClearTranscript();
  Driver.OnFormOnce("dlgCreateQuestion", function (form) {
    seen = {
      enabled: commandsEnabled(),
      entry: form.Controls("lstQTypes").List(i),
      countShown: null,
    };
    form.Controls("lstQTypes").ListIndex = i;
    seen.countShown = form.Controls("txtNumAns").Visible;
    seen.page = form.Controls("quizPreview").LocationURL;
    seen.picture = form.Controls("picPreview").Picture;
    if (type.count !== "") form.Controls("txtNumAns").Text = type.count;
    form.Controls("btnContinue").Value = true;
  });
  (i % 2 === 0 ? toolbar : menu).Controls("Add New Question").Execute();
  Driver.DoEvents();
  assert(seen !== null, "the dialog was shown for " + type.name);
  assertEqual(seen.enabled, false, "commands disabled while the dialog is open");
  assertEqual(seen.entry, type.name);
  assertEqual(seen.countShown, type.count !== "", "count asked for " + type.name);
  assert(seen.picture.indexOf("qti" + type.code + ".bmp") > 0, seen.picture);
  assert(seen.page.indexOf("http://courses.quorvanta.example/prot/") === 0, seen.page);
  assertEqual(Driver.FormCount, 0, "the dialog is gone");
  assertEqual(commandsEnabled(), true, "commands enabled again after " + type.name);
  assertEqual(Driver.Transcript(1).Line,
              "Show dlgCreateQuestion modeless \"Add New Question...\"");
  assertEqual(Driver.Transcript(2).Line, "Hide dlgCreateQuestion");

  assertEqual(host.ReportCount, reportsBefore, Driver.TranscriptText);
  assertEqual(doc.Tables.Count, tablesBefore + 1, type.name);
  var table = doc.Tables(doc.Tables.Count);
  assertEqual(table.Range.InlineShapes(1).AlternativeText.indexOf("kzoQ" + type.code + "&qID="),
              0, type.name);
  assertEqual(table.Rows.Count, type.rows, type.name);
  var answers = 0;
  for (var p = 1; p <= table.Range.InlineShapes.Count; p++)
    if (table.Range.InlineShapes(p).AlternativeText.indexOf("kzoA" + type.code) === 0) answers++;
  assertEqual(answers, type.answers, "answer markers of " + type.name);
  assertEqual(Driver.Transcript(3).Line, "Show dlgProgress modeless \"Please Wait...\"");
  assertEqual(Driver.Transcript(4).Line,
              "Caption dlgProgress.Status \"Creating " + type.name + " Question...\"");
  assertEqual(Driver.Transcript(Driver.TranscriptCount).Line,
              "Unload dlgCreateQuestion by code");
  assertEqual(Settings.Get(Settings.AddinKey, "LastQType"), String(i));
  if (type.count !== "") assertEqual(Settings.Get(Settings.AddinKey, "numAs"), type.count);
}

// The next dialog opens on the last type; a refused count keeps it open for correction, and a
// double click then builds the question.
endOfDocument();
var tables = doc.Tables.Count;
Driver.ClearTranscript();
Driver.OnFormOnce("dlgCreateQuestion", function (form) {
  assertEqual(form.Controls("lstQTypes").ListIndex, types.length - 1, "the last type chosen");
  form.Controls("lstQTypes").ListIndex = 1;
  assertEqual(form.Controls("txtNumAns").Text, "3", "the last count as typed");
  form.Controls("txtNumAns").Text = "1";
  form.PressEnter();
  assert(form.Visible, "still open after the refusal");
  form.Controls("txtNumAns").Text = "2";
  form.Controls("lstQTypes").DblClickItem(1);
});
toolbar.Controls("Add New Question").Execute();
Driver.DoEvents();
assertEqual(Driver.Transcript(2).Line,
            "MsgBox \"Quorvanta Word Add-in\" [OK] default=OK: \"This question type must have " +
            "at least 2 answers in order to add it to your document.\" -> OK");
assertEqual(doc.Tables.Count, tables + 1);
assertEqual(doc.Tables(doc.Tables.Count).Rows.Count, 5, "two answers");

// With the caret inside a question the guard says why and no dialog opens.
Driver.ClearTranscript();
menu.Controls("Add New Question").Execute();
Driver.DoEvents();
assertEqual(Driver.TranscriptCount, 1, Driver.TranscriptText);
assertEqual(Driver.Transcript(1).Title, "Error");
assert(Driver.Transcript(1).Text.indexOf(
           "You cannot insert a new question into an existing question table.") === 0);
assertEqual(commandsEnabled(), true);

// Cancel builds nothing and stores nothing.
endOfDocument();
tables = doc.Tables.Count;
Driver.OnFormOnce("dlgCreateQuestion", function (form) {
  form.Controls("lstQTypes").ListIndex = 5;
  form.PressEscape();
});
toolbar.Controls("Add New Question").Execute();
Driver.DoEvents();
assertEqual(doc.Tables.Count, tables);
assertEqual(Settings.Get(Settings.AddinKey, "LastQType"), "1");
assertEqual(commandsEnabled(), true);

app.Quit(0);
