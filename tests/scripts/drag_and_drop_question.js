// A drag-and-drop question built as an automation client builds it: the chooser answered with
// its buttons (and once with its close box), pictures picked through the file dialog (a refused
// kind first), labels added, and the question complete once a moveable item is in the area.
Setup();
var host = StartCourseHost();
var app = CreateObject("Word.Application");
var doc = app.Documents.Add();
var dd = CreateObject("KZOWord.ImageTag");
var img = Settings.Get(Settings.AddinKey, "IMG_PATH");

dd.CreateQuestion(app);
var table = doc.Tables(1);
var area = table.Cell(4, 1);
assertEqual(table.Rows.Count, 4);
assertEqual(area.Height, 100, "an empty drop area");
assertEqual(area.Width, 432, "as wide as the text");
assert(!dd.Validate("", table), "no item yet");
var at = area.Range.Start;
doc.Range(at, at).Select();

function choose(button) {
  Driver.OnFormOnce("dlgMoveFixed", function (form) {
    assertEqual(form.Caption, "What would you like to create?");
    if (button) form.Controls(button).Click(); else form.Close();
  });
}
function shape(i) { return table.Range.ShapeRange(i); }

// A fixed picture; a TIFF file is refused and the file dialog opens again.
choose("btnFixed");
Driver.AnswerFileDialog(img + "scan.tiff");
Driver.AnswerFileDialog(img + "qti6.bmp");
Driver.ClearTranscript();
dd.InsertPic(doc);
var seen = Driver.TranscriptText;
assert(seen.indexOf("Please choose a valid picture format to use") > 0, seen);
assert(seen.indexOf("Select a picture from your computer to use...") > 0, seen);
assert(seen.lastIndexOf("qti6.bmp") > seen.indexOf("valid picture format"), "asked again");
assertEqual(table.Range.ShapeRange.Count, 1);
assertEqual(shape(1).AlternativeText, "kzoA6");
assertEqual(shape(1).Width, 120);
assertEqual(shape(1).Height, 90);
assertEqual(shape(1).Line.ForeColor.RGB, 0, "a fixed picture item keeps a black outline");
assertEqual(area.Height, 100, "90 + 10 fits in 100");
assert(!dd.Validate("", table), "only fixed items");

// The close box adds nothing; a moveable label completes the question.
choose("");
dd.InsertTag(doc);
assertEqual(table.Range.ShapeRange.Count, 1);
choose("btnMoveable");
dd.InsertTag(doc);
assertEqual(table.Range.ShapeRange.Count, 2);
assertEqual(shape(2).AlternativeText, "kzoA6&type=1");
assertEqual(shape(2).Line.ForeColor.RGB, 255 * 65536, "blue");
assertEqual(shape(2).Width, 100);
assertEqual(shape(2).Height, 30);
assertEqual(shape(2).Left, 166);
var message = "";
assert(dd.Validate(message, table), "a moveable item makes it complete");

// A fixed picture added later goes behind the moveable label.
choose("btnFixed");
Driver.AnswerFileDialog(img + "LO.gif");
dd.InsertPic(doc);
assertEqual(table.Range.ShapeRange.Count, 3);
assertEqual(shape(3).AlternativeText, "kzoA6&type=1", "the label stays in front");
assertEqual(host.ReportCount, 0, "nothing went wrong");
var shown = RenderDocument(doc);
assert(shown.indexOf("alt=\"kzoA6&type=1\" fill=rgb(255,255,255) line=1pt,rgb(0,0,255) text=\" \"") > 0,
       shown);
assert(shown.indexOf("fill=picture(\"qti6.bmp\") line=1pt,rgb(0,0,0)") > 0, shown);
app.Quit(0);
