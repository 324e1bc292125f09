// What the installer leaves in the registry, value by value with its type; how a re-installation
// marks itself; how an uninstallation takes the keys away; and how the add-in reads the course
// host's name from strHost at its start.
function number(key, name, expected) {
  var v = Settings.Get(key, name);
  assertEqual(typeof v, "number", name + " is a 32-bit number");
  assertEqual(v, expected, name);
}
function text(key, name, expected) {
  var v = Settings.Get(key, name);
  assertEqual(typeof v, "string", name + " is a text");
  assertEqual(v, expected, name);
}

// ---- a first installation, the word processor not running ----
var dir = Setup();
var base = dir.substring(0, dir.indexOf("Quorvanta Technologies, Inc./"));
var quoted = '"' + base + '"';
assertEqual(dir, base + "Quorvanta Technologies, Inc./Word Add-in/");

number(Settings.WordAddinKey, "CommandLineSafe", 0);
number(Settings.WordAddinKey, "LoadBehavior", 3);
text(Settings.WordAddinKey, "FriendlyName", "Quorvanta Add-Ins");
text(Settings.AddinKey, "INSTALL_PATH", dir);
text(Settings.AddinKey, "IMG_PATH", dir + "Img/");
text(Settings.AddinKey, "Quorvanta Authoring Toolbar.dot", dir + "Quorvanta Authoring Toolbar.dot");
text(Settings.AddinKey, "Quorvanta Authoring Menus.dot", dir + "Quorvanta Authoring Menus.dot");
number(Settings.AddinKey, "helpShow", 0);
text(Settings.AddinKey, "helpLoc", dir + "first.doc");
text(Settings.AddinKey, "isInstalling", "false");
number(Settings.CompanyKey, "isInstallOK", 1);
// The add-in key did not exist when the installer object was made: no stamp, no version (the
// invisible word processor of the installer does not connect the add-in).
assertEqual(Settings.Get(Settings.AddinKey, "lastUpdt"), "", "no lastUpdt on a first installation");
assertEqual(Settings.Get(Settings.AddinKey, "Ver"), "", "not connected during the installation");
var app = CreateObject("Word.Application");
assert(app.COMAddIns("KZOWord.Connect").Connect, "connected at the next start");
app.Quit();
text(Settings.AddinKey, "Ver", "27");

// ---- a re-installation ----
Settings.Set(Settings.AddinKey, "isInstallOK", 0);
Settings.Set(Settings.CompanyKey, "isInstallOK", 0);
assertEqual(RunInitializer("-w", quoted), "Unload Initializer by code\n");
assertEqual(Settings.Get(Settings.AddinKey, "isInstallOK"), "", "deleted from the add-in key");
number(Settings.CompanyKey, "isInstallOK", 1);
text(Settings.AddinKey, "isInstalling", "false");
var stamp = Settings.Get(Settings.AddinKey, "lastUpdt");
assertEqual(typeof stamp, "string", "lastUpdt is a text");
assert(stamp.length > 0, "the re-installation is stamped");

// ---- the add-in's course host, from strHost as stored ----
// A failing connection reports "portal=" + the host the add-in took from strHost.
Settings.Set(Settings.AddinKey, "INSTALL_PATH", "");
var host = StartCourseHost();
var hosts = [
  ["http://learn.example.org/", "learn.example.org/"],
  ["HTTP://learn.example.org", "HTTP://learn.example.org"],
  ["http://", "http://"],
  ["https://learn.example.org", "https://learn.example.org"],
  ["", "courses.quorvanta.example"]
];
for (var i = 0; i < hosts.length; i++) {
  Settings.Set(Settings.CompanyKey, "strHost", hosts[i][0]);
  app = CreateObject("Word.Application");
  app.Quit();
  assertEqual(host.ReportCount, i + 1, "one report per start");
  assertEqual(host.Report(i + 1).split("\r\n")[5], "portal=" + hosts[i][1], hosts[i][0]);
}
Settings.Set(Settings.AddinKey, "INSTALL_PATH", dir);

// ---- an uninstallation ----
// The keys go children first; one that cannot go (the company key still has a key of someone
// else below it) stays, and the others go all the same.
Settings.CreateKey(Settings.CompanyKey + "\\Other Product");
assertEqual(RunInitializer("-w", "-u", quoted), "Unload Initializer by code\n");
assert(!Settings.KeyExists(Settings.WordAddinKey), "registration removed");
assert(!Settings.KeyExists(Settings.AddinKey), "add-in key removed");
assert(!Settings.KeyExists(Settings.CompanyKey + "\\PowerPoint Add-in"), "PowerPoint key removed");
assert(Settings.KeyExists(Settings.CompanyKey + "\\Other Product"), "someone else's key kept");
assert(Settings.KeyExists("SOFTWARE\\Microsoft\\Office\\Word\\Addins"), "the parent stays");
