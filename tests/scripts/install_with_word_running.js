// Unloading and removing the add-in from a word processor that runs while the installer works:
// only the help document named exactly "first.doc" is closed, unsaved; the templates leave the
// add-in list; unloading keeps the menu and the toolbar, removing deletes both; the Normal
// template is saved; the word processor is left running.
var dir = Setup();
var base = dir.substring(0, dir.indexOf("Quorvanta Technologies, Inc./"));
var quoted = '"' + base + '"';
var unload = "Unload Initializer by code\n";

function barNames(app) {
  var names = [];
  for (var i = 1; i <= app.CommandBars.Count; i++) names.push(app.CommandBars(i).Name);
  return names;
}
function menuCount(app) {
  var tools = app.CommandBars.FindControl(10, 30007);
  var n = 0;
  for (var i = 1; i <= tools.Controls.Count; i++)
    if (tools.Controls(i).Caption == "&Quorvanta") n++;
  return n;
}
function docNames(app) {
  var names = [];
  for (var i = 1; i <= app.Documents.Count; i++) names.push(app.Documents(i).Name);
  return names.join("|");
}

var app = CreateObject("Word.Application");
var addIn = app.COMAddIns("KZOWord.Connect");
assert(addIn.Connect, "connected at start");
var helpText = ReadFile(dir + "first.doc");
var help = app.Documents.Open(dir + "first.doc");
help.Content.InsertAfter("scribbled");
// A name that differs only in case is not the help document.
var other = app.Documents.Add();
other.SaveAs(ProfilePath("First.doc"));
assertEqual(docNames(app), "first.doc|First.doc");

// ---- unload only ----
assertEqual(RunInitializer("-w", "-l", quoted), unload);
assertEqual(docNames(app), "First.doc", "the help document closed");
assertEqual(ReadFile(dir + "first.doc"), helpText, "closed without saving");
assert(!addIn.Connect, "disconnected");
assertEqual(app.AddIns.Count, 0, "templates off the add-in list");
assert(barNames(app).indexOf("Quorvanta") >= 0, "toolbar kept");
assertEqual(menuCount(app), 1, "menu kept");
assert(app.NormalTemplate.Saved, "Normal template saved");
assert(Settings.KeyExists(Settings.WordAddinKey), "registration kept");

// ---- install again, then remove ----
assertEqual(RunInitializer("-w", quoted), unload);
assert(addIn.Connect, "connected again at once");
assertEqual(app.AddIns.Count, 2, "both templates listed again");
assertEqual(RunInitializer("-w", "-u", quoted), unload);
assert(!addIn.Connect, "disconnected");
assertEqual(app.AddIns.Count, 0);
assert(barNames(app).indexOf("Quorvanta") < 0, "toolbar deleted: " + barNames(app).join(","));
assertEqual(menuCount(app), 0, "menu deleted");
assert(app.NormalTemplate.Saved, "Normal template saved");
assert(!Settings.KeyExists(Settings.CompanyKey), "keys removed");
assertEqual(docNames(app), "First.doc", "the word processor and its documents stay");
assertEqual(Driver.TranscriptCount, 0, "the add-in showed nothing");
app.Quit();

// The next start of the word processor has neither menu nor toolbar.
var next = CreateObject("Word.Application");
assert(barNames(next).indexOf("Quorvanta") < 0, "no toolbar after the restart");
assertEqual(menuCount(next), 0, "no menu after the restart");
next.Quit();
