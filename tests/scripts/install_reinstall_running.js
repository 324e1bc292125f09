// A re-installation while this script's word processor runs: the installer attaches to it, and
// because the installation is in progress the add-in rebuilds its toolbar when it connects again.
var dir = Setup();
var base = dir.substring(0, dir.indexOf("Quorvanta Technologies, Inc./"));
var quoted = '"' + base + '"';
var app = CreateObject("Word.Application");
var addIn = app.COMAddIns("KZOWord.Connect");
assert(addIn.Connect, "connected at start");

// Unload only: disconnected and the templates taken off the list; the settings stay.
assertEqual(RunInitializer("-w", "-l", quoted), "Unload Initializer by code\n");
assert(!addIn.Connect, "disconnected");
assertEqual(app.AddIns.Count, 0, "templates removed from the list");
assertEqual(Settings.Get(Settings.AddinKey, "INSTALL_PATH"), dir);

app.CommandBars("Quorvanta").Controls(1).Delete();
assertEqual(app.CommandBars("Quorvanta").Controls.Count, 5);
assertEqual(RunInitializer("-w", quoted), "Unload Initializer by code\n");
assert(addIn.Connect, "connected again at once");
assertEqual(app.CommandBars("Quorvanta").Controls.Count, 6, "rebuilt during the installation");
assertEqual(app.CommandBars("Quorvanta").Controls(1).Caption, "Add New Question");
assertEqual(Settings.Get(Settings.AddinKey, "isInstalling"), "false", "finished");
assert(Settings.Get(Settings.AddinKey, "lastUpdt") != "", "re-installation stamped");
assertEqual(Driver.TranscriptCount, 0, "the add-in showed nothing");
app.Quit();
