// A hot-spot question built as an automation client builds it: answer areas of two shape types,
// a picture picked through the file dialog that goes behind them and raises the area, and the
// completeness messages on the way.
Setup();
var host = StartCourseHost();
var app = CreateObject("Word.Application");
var doc = app.Documents.Add();
var hs = CreateObject("KZOWord.ImageHotSpot");
var img = Settings.Get(Settings.AddinKey, "IMG_PATH");

hs.CreateQuestion(app);
var table = doc.Tables(1);
var area = table.Cell(4, 1);
assertEqual(area.Height, 100);
var at = area.Range.Start;
doc.Range(at, at).Select();
function shape(i) { return table.Range.ShapeRange(i); }
function check() {
  var message = "";
  var ok = hs.Validate(message, table);
  return ok ? "complete" : message;
}

// Cancelling the file dialog adds nothing.
Driver.CancelFileDialog();
hs.InsertPic(doc);
assertEqual(table.Range.ShapeRange.Count, 0);

hs.InsertShape(doc, 9);
assertEqual(shape(1).AlternativeText, "kzoA7&type=9");
assertEqual(shape(1).AutoShapeType, 9);
assertEqual(shape(1).Fill.Transparency, 0.5);
assertEqual(shape(1).Fill.ForeColor.RGB, 192 + 192 * 256 + 192 * 65536, "silver");
assertEqual(shape(1).Line.Weight, 1.5);
hs.InsertShape(doc, 1);
assertEqual(shape(2).AlternativeText, "kzoA7&type=1");
var message = "";
assert(!hs.Validate(message, table));

Driver.AnswerFileDialog(img + "qti7.bmp");
hs.InsertPic(doc);
assertEqual(table.Range.ShapeRange.Count, 3);
assertEqual(shape(1).AlternativeText, "kzoA7", "the picture lies behind both areas");
assertEqual(shape(1).Line.Visible, false);
assertEqual(area.Height, 110, "90 + 20");
assertEqual(shape(3).AlternativeText, "kzoA7&type=1");
assert(hs.Validate(message, table), "an area over a picture");
assertEqual(host.ReportCount, 0, "nothing went wrong");
app.Quit(0);
