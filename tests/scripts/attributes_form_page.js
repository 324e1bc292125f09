// The attribute form page of a multiple-choice question: the style sheet, the
// scripts, the header fields and labels, the question and answer rows with their highlighting,
// the feedback fields and the load script, and what the author sees once the page has loaded.
Setup();
var host = StartCourseHost();
var app = CreateObject("Word.Application");
var doc = app.Documents.Add();
var mc = CreateObject("KZOWord.MultipleChoice");
mc.CreateQuestion(app);
var table = doc.Tables(1);
var question = table.Range.InlineShapes(1);
var created = question.AlternativeText;
var qID = created.substring(created.indexOf("&qID=") + 5, created.indexOf("&points="));
question.AlternativeText = "kzoQ0&qID=" + qID + "&points=7&partial=Yes&title=Stored" +
                           "&pcomm=It's \u0002 </script> ok\r\nline two&fcomm=Wrong";
table.Range.InlineShapes(4).AlternativeText = "kzoA0&checked=on";
var start = table.Cell(3, 1).Range.Start;
doc.Range(start, start).Select();

var page = null, failure = null;
Driver.OnFormOnce("dlgMark", function (form) {
  var d = form.Document;
  page = {
    style: d.getElementsByTagName("style")(0).innerHTML,
    scripts: [],
    body: d.body,
    forms: d.forms.length,
    form: d.forms(0),
    tds: d.getElementsByTagName("td"),
    textareas: d.getElementsByTagName("textarea")
  };
  var scripts = d.getElementsByTagName("script");
  for (var i = 0; i < scripts.length; i++) page.scripts.push(scripts(i).innerHTML);
  // A failed check inside the dialog would be taken for an error of the dialog: it is kept and
  // raised once the dialog has closed.
  try { check(page); } catch (e) { failure = e; }
  form.Controls("CancelButton").Click();
});

function attrs(element, names) {
  var out = [];
  for (var i = 0; i < names.length; i++) out.push(names[i] + "=" + element.getAttribute(names[i]));
  return out.join(" ");
}

function check(p) {
  // Style sheet: the six rules, one a line, in this order.
  assertEqual(p.style.replace(/\r/g, ""),
              "\nbody {background-color:#efefef; font:10px Arial;}\n" +
                  ".header_row > td{padding:3px;border-bottom:1px solid black;}\n" +
                  ".footer_row {padding:3px;border-top:1px solid black;}\n" +
                  ".label {margin:0px;padding:3px;font-weight:bold}\n" +
                  ".val {background-color:#FFFB00;}\n" +
                  ".uneditable {padding:3px;background-color:lightyellow;}\n");

  // Head script: the feedback texts as script strings, then the help link function.
  assertEqual(p.scripts.length, 2, "head script and load script");
  var head = p.scripts[0].replace(/\r\n/g, "\n").split("\n");
  assertEqual(head[1], "var pcomm='It\\'s & \\x3c/script> ok\\nline two';");
  assertEqual(head[2], "var fcomm='Wrong';");
  assertEqual(head[3], "function DoLink(link) {");
  var doLink = p.scripts[0].substring(p.scripts[0].indexOf("function DoLink"));
  assert(doLink.indexOf("window.open('http://courses.quorvanta.example/engine/plugins/help.htm', " +
                        "'helpWin', 'scrollbars=yes,resizable=yes,width=750,height=550')") > 0,
         "help page opened in window helpWin: " + doLink);
  assert(doLink.indexOf(".focus()") > 0, "the help window is brought forward");
  assertEqual(p.scripts[1],
              "function LoadDefs(){document.frm.pcomm.value=pcomm;document.frm.fcomm.value=" +
                  "fcomm;}");

  assertEqual(attrs(p.body, ["marginwidth", "leftmargin", "topmargin", "onload"]),
              "marginwidth=0 leftmargin=0 topmargin=0 onload=javascript:LoadDefs();");

  // One form, "frm", its fields in page order.
  assertEqual(p.forms, 1);
  var form = p.form;
  assertEqual(form.name, "frm");
  var names = [];
  for (var i = 0; i < form.elements.length; i++) names.push(form.elements(i).name);
  assertEqual(names.join(","), "title,qID,points,partial,ans,ans,ans,ans,pcomm,fcomm");
  var title = form.item("title"), id = form.item("qID"), points = form.item("points");
  assertEqual([title.type, title.value].join("|"), "hidden|", "the title is always empty");
  assertEqual([id.type, id.value].join("|"), "hidden|" + qID);
  assertEqual([points.type, points.size, points.maxLength, points.value].join("|"), "text|3|3|7");
  var partial = form.item("partial");
  assert(partial.disabled, "partial credit cannot be chosen for multiple choice");
  assertEqual([partial.options(0).innerHTML, partial.options(1).innerHTML].join(","), "Yes,No");
  assertEqual(partial.selectedIndex, 1, "No, whatever is stored");

  // Labels, in page order.
  var labels = [];
  for (var i = 0; i < p.tds.length; i++)
    if (p.tds(i).className == "label") labels.push(p.tds(i).innerHTML);
  assertEqual(labels.join("|"), "Points for question: |Allow partial credit?|" +
                                    "Feedback if <u>correct</u><br>answer(s) selected:|" +
                                    "Feedback if <u>incorrect</u><br>answer(s) selected:");

  // Cells holding an editable field light up.
  var field = ["onmouseover", "onmouseout"];
  var lit = "onmouseover=this.className='val'; onmouseout=this.className='null';";
  assertEqual(attrs(points.parentElement, field), lit, "points cell");
  assertEqual(attrs(partial.parentElement, field), lit, "partial credit cell");
  assertEqual(partial.parentElement.getAttribute("align"), "right");
  for (var i = 0; i < p.textareas.length; i++) {
    var area = p.textareas(i);
    assertEqual(attrs(area.parentElement, field), lit, area.name + " cell");
    assertEqual([area.name, area.rows, area.cols, area.style.width].join("|"),
                ["pcomm", "fcomm"][i] + "|2|1|100%");
  }

  // The question block: the prompt, the question text, one row per answer.
  var prompt = -1;
  for (var i = 0; i < p.tds.length && prompt < 0; i++)
    if (p.tds(i).innerHTML == "<b>Select correct answer(s)</b>") prompt = i;
  assert(prompt > 0, "the choice prompt is shown");
  assertEqual(attrs(p.tds(prompt), ["colspan", "class"]), "colspan=2 class=uneditable");
  var questionCell = p.tds(prompt + 1);
  assertEqual(attrs(questionCell, ["colspan", "class"]), "colspan=2 class=uneditable");
  assertEqual(questionCell.innerText.replace(/\s+$/, ""), "Enter question text here");
  var buttons = form.item("ans");
  for (var k = 0; k < 4; k++) {
    var button = buttons.item(k);
    assertEqual([button.type, button.value, button.checked].join("|"),
                "radio|" + (k + 2) + "|" + (k == 2), "answer " + (k + 1));
    var cell = button.parentElement;
    assertEqual(attrs(cell, ["class", "onmouseover", "onmouseout", "align", "valign"]),
                "class=uneditable onmouseover=this.style.backgroundColor='#FFFB00'; " +
                    "onmouseout=this.style.backgroundColor='lightyellow'; align=center " +
                    "valign=center");
  }
  // Beside each button its answer text, in a cell of the full width.
  var texts = [];
  for (var i = 0; i < p.tds.length; i++) {
    var td = p.tds(i);
    if (td.className == "uneditable" && td.style.width == "100%")
      texts.push(td.innerText.replace(/\s+$/, ""));
  }
  assertEqual(texts.join("|"), "Answer 1|Answer 2|Answer 3|Answer 4");

  // Loaded: the feedback texts as stored, the closing tag broken, the two lines kept.
  assertEqual(form.item("pcomm").value, "It's & </script> ok\nline two");
  assertEqual(form.item("fcomm").value, "Wrong");
}

mc.MarkQuestion(doc);
assert(page !== null, "the form was shown");
if (failure) throw failure;
assertEqual(host.ReportCount, 0, "nothing went wrong");
app.Quit(0);
