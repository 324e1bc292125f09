// Later starts re-attach the existing controls by their tags: a control the user moved or
// renamed keeps working; a control whose tag was changed is no longer attached.
Setup();
var host = StartCourseHost();
var app = CreateObject("Word.Application");
var tb = app.CommandBars("Quorvanta");
var webVerify = tb.Controls(3);
webVerify.Caption = "My Preview";
webVerify.Move(undefined, 1);  // the user drags it to the front
tb.Controls(4).Tag = "userTag";  // Web Tutorial loses its tag
tb.Controls(5).Visible = false;  // Add to Course hidden and disabled
tb.Controls(5).Enabled = false;
tb.Enabled = false;
var menu = app.CommandBars.FindControl(10, 30007).Controls("Quorvanta");
menu.Controls(1).Enabled = false;
menu.Enabled = false;
app.Quit();

Driver.AnswerMsgBox(7);  // No: do not check for updates now
app = CreateObject("Word.Application");
tb = app.CommandBars("Quorvanta");
assertEqual(tb.Controls(1).Caption, "My Preview", "kept its caption and place");
assertEqual(tb.Controls.Count, 6, "nothing added");
assert(tb.Controls(5).Visible && tb.Controls(5).Enabled,
    "a re-attached control is shown and enabled");
assert(tb.Enabled, "the toolbar enabled again");
menu = app.CommandBars.FindControl(10, 30007).Controls("Quorvanta");
assert(menu.Enabled && menu.Controls(1).Enabled, "the menu and its items enabled again");
Driver.ClearTranscript();
tb.Controls(1).Execute();  // no document open: the explanation box
assertEqual(Driver.TranscriptCount, 1);
assertEqual(Driver.Transcript(1).Text.indexOf("Enhanced Web Preview attempts"), 0);
assertEqual(Driver.Transcript(1).Title, "Quorvanta Word Add-in");

var shell = CreateObject("Shell.Application");
var before = shell.Windows().Count;
tb.Controls(4).Execute();  // Web Tutorial with a foreign tag: not attached
assertEqual(shell.Windows().Count, before, "no tutorial window");
app.CommandBars.FindControl(10, 30007).Controls("Quorvanta").Controls("Web Tutorial").Execute();
assertEqual(shell.Windows().Count, before + 1, "the menu item still opens the tutorial");
