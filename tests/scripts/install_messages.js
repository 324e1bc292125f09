// Everything the installer may say, word for word: the missing templates, the word processor used
// by another program, and the short error report it posts to the course host instead of showing.
var dir = Setup();
var base = dir.substring(0, dir.indexOf("Quorvanta Technologies, Inc./"));
var quoted = '"' + base + '"';
var unload = "Unload Initializer by code\n";
function box(text) {
  return "MsgBox \"Initializer\" [OK] default=OK: \"" + text + "\" -> OK\n";
}

// ---- a word processor used by another program ----
// With the library not registered, connecting finds nothing and no template reaches the running
// word processor's list: the user must restart it.
Uninstall();
var app = StartWord(2);
app.UserControl = false;
assertEqual(RunInitializer("-w", quoted),
            box("The Word Add-in will be installed, but you must close and open Word and Outlook " +
                "before the add-in will show up.") + unload);
assertEqual(Settings.Get(Settings.CompanyKey, "isInstallOK"), 1);
// A document that comes under the user's control when asked is not a sign of embedding, and a
// word processor under the user's control gets no message.
app.UserControl = true;
var doc = app.Documents.Add();
doc.UserControl = false;
assertEqual(RunInitializer("-w", quoted), unload);
app.Quit();

// ---- the templates are missing ----
// The registration and the settings are written all the same; the word processor is not
// contacted and the result is not recorded.
RemoveFile(dir + "Quorvanta Authoring Menus.dot");
Settings.Delete(Settings.CompanyKey, "isInstallOK");
assertEqual(RunInitializer("-w", quoted),
            box("The Word Add-in were not found on your machine.  This installation will " +
                "complete but errors may prevent the Word Add-in from working correctly.") +
                unload);
assertEqual(Settings.Get(Settings.WordAddinKey, "LoadBehavior"), 3);
assertEqual(Settings.Get(Settings.AddinKey, "INSTALL_PATH"), dir);
assertEqual(Settings.Get(Settings.CompanyKey, "isInstallOK"), "", "not written");

// ---- the installer's error report ----
// The presentation add-in file is missing: nothing is shown, the short report goes to the course
// host as the installer's, and the installation counts as failed.
Settings.Set(Settings.CompanyKey, "strHost", "http://learn.example.org/");
Settings.Set(Settings.CompanyKey, "strQuery", "a=1&b=2");
Settings.Set(Settings.AddinKey, "ver", "27");
Settings.Set(Settings.AddinKey, "kzoUser", 0);
RemoveFile(base + "Quorvanta Technologies, Inc./PowerPoint Add-in/rvuppt.ppa");
var host = StartCourseHost();
assertEqual(RunInitializer("-p", quoted), unload, "nothing shown");
assertEqual(Settings.Get(Settings.CompanyKey, "isInstallOK"), 0);
assertEqual(host.ReportCount, 1);
assertEqual(host.Request(1), "POST /Err/rptErr.asp");
assertEqual(host.Report(1, "sender"), "KZOInitializer");
var raw = host.RawReport(1);
assertEqual(raw.substring(raw.length - 22), "&sender=KZOInitializer", "the sender comes last");
var lines = host.Report(1).split("\r\n");
assertEqual(lines[0], "An error has occurred in PptInit.LoadAddin");
assertEqual(lines[1], "");
assertEqual(lines[2], "LineNo:10");
assert(/ \(0\)$/.test(lines[3]), "description and number 0: " + lines[3]);
assert(lines[3].indexOf("rvuppt.ppa") >= 0, "the failure names the file: " + lines[3]);
assertEqual(lines[4], "portal=http://learn.example.org/", "strHost as stored");
assertEqual(lines[5], "strQuery=a=1&b=2");
assertEqual(lines[6], "VERSION_NO=27");
assertEqual(lines[7], "kzoUser=0", "a number written as its text");
assertEqual(lines[8], "", "each line ends with CR LF, the last one too");
assertEqual(lines.length, 9);

