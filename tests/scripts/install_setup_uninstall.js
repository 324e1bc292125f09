// The setup runs the installer for both add-ins: the next start of the word processor loads and
// connects the add-in, the presentation program lists its add-in; after the uninstallation the
// keys are gone and the next start shows no menu or toolbar.
var dir = Setup();
assertEqual(Settings.Get(Settings.CompanyKey, "isInstallOK"), 1, "installation succeeded");
assertEqual(Settings.Get(Settings.AddinKey, "INSTALL_PATH"), dir);
assertEqual(Settings.Get(Settings.AddinKey, "isInstalling"), "false");
assertEqual(Settings.Get(Settings.WordAddinKey, "LoadBehavior"), 3);

var app = CreateObject("Word.Application");
assert(app.COMAddIns("KZOWord.Connect").Connect, "connected at start");
assert(app.CommandBars("Quorvanta").Visible, "toolbar shown");
assertEqual(app.CommandBars.FindControl(10, 30007).Controls("Quorvanta").Caption, "&Quorvanta");
app.Quit();

var ppt = CreateObject("PowerPoint.Application");
var entry = ppt.AddIns("rvuppt");
assert(entry.AutoLoad && entry.Registered && entry.Loaded, "presentation add-in set to load");
assert(entry.FullName.indexOf("/PowerPoint Add-in/rvuppt.ppa") > 0, entry.FullName);
ppt.Quit();

Uninstall();
assert(!Settings.KeyExists(Settings.AddinKey), "add-in key removed");
assert(!Settings.KeyExists(Settings.CompanyKey), "company key removed");
assert(!Settings.KeyExists(Settings.WordAddinKey), "registration removed");

var next = CreateObject("Word.Application");
var bars = [];
for (var i = 1; i <= next.CommandBars.Count; i++) bars.push(next.CommandBars(i).Name);
assert(bars.indexOf("Quorvanta") < 0, "no toolbar: " + bars.join(","));
var tools = next.CommandBars.FindControl(10, 30007);
for (var c = 1; c <= tools.Controls.Count; c++)
  assert(tools.Controls(c).Caption != "&Quorvanta", "no menu");
assertEqual(next.COMAddIns.Count, 0, "nothing left to load");
next.Quit();
