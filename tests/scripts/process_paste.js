// Pictures pasted into picture questions, tidied through "KZOWord.Work": in a drag-and-drop
// question the author chooses fixed or moveable for each, in a hot-spot question each becomes a
// picture of the question without asking.
Setup();
var host = StartCourseHost();
var app = CreateObject("Word.Application");
var doc = app.Documents.Add();
var work = CreateObject("KZOWord.Work");
var imgPath = Settings.Get(Settings.AddinKey, "IMG_PATH");

function question(progId) {
  var end = doc.Content.End - 1;
  doc.Range(end, end).Select();
  CreateObject(progId).CreateQuestion(app);
  return doc.Tables(doc.Tables.Count);
}
function paste(table) {
  var at = table.Cell(4, 1).Range.Start;
  doc.InlineShapes.AddPicture(imgPath + "1x1.gif", false, true, doc.Range(at, at));
}
function markers(table) {
  var out = [];
  for (var i = 1; i <= table.Range.ShapeRange.Count; i++)
    out.push(table.Range.ShapeRange(i).AlternativeText);
  return out.sort().join(" ");
}

var dragAndDrop = question("KZOWord.ImageTag");
paste(dragAndDrop);
paste(dragAndDrop);
var captions = [];
Driver.OnFormOnce("dlgMoveFixed", function (form) {
  captions.push(form.Controls("btnLbl").Caption);
  form.Controls("btnMoveable").Click();
});
Driver.OnFormOnce("dlgMoveFixed", function (form) { form.Controls("btnFixed").Click(); });
assertEqual(work.ProcessPaste(dragAndDrop.Cell(4, 1).Range, doc), true);
assertEqual(captions[0], "What type of Image would you like to add?");
assertEqual(dragAndDrop.Rows(4).Range.InlineShapes.Count, 0, "no pasted picture left inline");
assertEqual(markers(dragAndDrop), "kzoA6 kzoA6&type=1");

var hotSpot = question("KZOWord.ImageHotSpot");
paste(hotSpot);
Driver.ClearTranscript();
assertEqual(work.ProcessPaste(hotSpot.Cell(4, 1).Range, doc), true);
assertEqual(markers(hotSpot), "kzoA7");
assertEqual(Driver.TranscriptCount, 0, "nothing asked");
assertEqual(host.ReportCount, 0);
app.Quit(0);
