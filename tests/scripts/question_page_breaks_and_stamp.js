// Web page breaks around new questions and the document stamp: a question after text gets a
// break before it, one before text a break after it, one in an empty document none; each break is
// the bare "kzoB" marker in a paragraph of its own; the stamp raises "6" to "7", keeps unknown
// values, always rewrites Ver and records the course host without its leading blanks.
Settings.Set(Settings.CompanyKey, "strHost", "  courses.school.test");
Setup();
var host = StartCourseHost();
var app = CreateObject("Word.Application");
var mc = CreateObject("KZOWord.MultipleChoice");
var work = CreateObject("KZOWord.Work");

function breaks(doc) {
  var found = [];
  for (var i = 1; i <= doc.InlineShapes.Count; i++) {
    var picture = doc.InlineShapes(i);
    if (picture.AlternativeText.substr(0, 4) == "kzoB") found.push(picture);
  }
  return found;
}
// The break stands alone in its paragraph, and is nothing but the marker.
function checkBreak(doc, picture, what) {
  assertEqual(picture.AlternativeText, "kzoB", what + ": the bare marker");
  var paragraph = picture.Range.Paragraphs(1).Range;
  assertEqual(paragraph.End - paragraph.Start, 2, what + ": alone in its paragraph");
}

// ---- an empty document: no break ----
var doc = app.Documents.Add();
mc.CreateQuestion(app);
assertEqual(breaks(doc).length, 0, "empty document");
doc.Close(0);

// ---- after a paragraph of text: a break before the question ----
doc = app.Documents.Add();
doc.Content.InsertBefore("An introduction.");
var end = doc.Content.End - 1;
doc.Range(end, end).Select();
mc.CreateQuestion(app);
var found = breaks(doc);
assertEqual(found.length, 1, "text before: one break");
checkBreak(doc, found[0], "break before");
assert(found[0].Range.End <= doc.Tables(1).Range.Start, "the break precedes the question");
assertEqual(doc.Paragraphs(1).Range.Text, "An introduction.\r", "the text keeps its paragraph");
doc.Close(0);

// ---- before a paragraph of text: a break after the question ----
doc = app.Documents.Add();
doc.Content.InsertBefore("A closing remark.");
doc.Range(0, 0).Select();
mc.CreateQuestion(app);
found = breaks(doc);
assertEqual(found.length, 1, "text after: one break");
checkBreak(doc, found[0], "break after");
assert(found[0].Range.Start >= doc.Tables(1).Range.End, "the break follows the question");
var last = doc.Paragraphs(doc.Paragraphs.Count).Range.Text;
assertEqual(last, "A closing remark.\r", "the text keeps its paragraph");

// ---- the stamp of a question's document ----
var props = doc.CustomDocumentProperties;
assertEqual(props("KZOConvert").Value, "7");
assertEqual(props("KZOConvert").Type, 4, "text type");
assertEqual(props("Ver").Value, "27");
assertEqual(props("Site").Value, "courses.school.test", "leading blanks removed");
doc.Close(0);

// ---- the stamp of older and foreign documents, through Work.InsertBreak ----
function stamped(convert, ver) {
  var d = app.Documents.Add();
  d.CustomDocumentProperties.Add("KZOConvert", false, 4, convert);
  d.CustomDocumentProperties.Add("Ver", false, 4, ver);
  assertEqual(work.InsertBreak(d), false, "InsertBreak answers false");
  var result = [d.CustomDocumentProperties("KZOConvert").Value,
                d.CustomDocumentProperties("Ver").Value,
                d.CustomDocumentProperties("Site").Value];
  var inserted = breaks(d);
  assertEqual(inserted.length, 1, "one break");
  checkBreak(d, inserted[0], "Work.InsertBreak");
  d.Close(0);
  return result.join("|");
}
assertEqual(stamped("6", "20"), "7|27|courses.school.test", "6 is raised to 7");
assertEqual(stamped("7", "26"), "7|27|courses.school.test", "7 stays");
assertEqual(stamped("5", "27"), "5|27|courses.school.test", "an unknown value stays");

// ---- Work.DeleteBreak and Work.UpdateQTable answer as documented ----
doc = app.Documents.Add();
doc.Content.InsertBefore("Text");
doc.Range(2, 2).Select();
work.InsertBreak(doc);
breaks(doc)[0].Select();
assertEqual(work.DeleteBreak(doc), false, "DeleteBreak answers false");
assertEqual(breaks(doc).length, 0, "the selected break is removed");

var three = doc.Tables.Add(doc.Range(0, 0), 3, 1);
assertEqual(work.UpdateQTable(three), false, "no pictures in row 3");
var at = three.Cell(3, 1).Range.Start;
doc.InlineShapes.AddPicture(Settings.Get(Settings.AddinKey, "IMG_PATH") + "1x1.gif", false, true,
                            doc.Range(at, at));
assertEqual(work.UpdateQTable(three), true, "a picture of row 3 floats");
assertEqual(doc.Shapes.Count, 1);
assertEqual(three.Range.InlineShapes.Count, 0);
assertEqual(host.ReportCount, 0, "nothing went wrong");
app.Quit(0);
