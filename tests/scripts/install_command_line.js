// The installer's command line, read as the setup writes it: the usage message line by line with
// its blanks, its title and its single OK button; which option lines show it, which do nothing,
// and which add-in each one touches.
var dir = Setup();
var base = dir.substring(0, dir.indexOf("Quorvanta Technologies, Inc./"));
var quoted = '"' + base + '"';
var unload = "Unload Initializer by code\n";

// ---- the usage message ----
var usage = [
  "Usage: initializer <prog> -u -a <path>",
  "",
  "Where: <prog> is -p PowerPoint Addins",
  "                 -w Word Addins",
  "       -u     is to uninstall",
  "       <path> is the path is the base registry path to the install locations",
  "Example: initializer -p -u \"C:\\Program Files\\\""
].join("\r\n");
// The transcript quotes the text: its CR LF written as \r\n, a double quote doubled.
var usageLine = "MsgBox \"Initializer\" [OK] default=OK: \"" +
                usage.replace(/\r\n/g, "\\r\\n").replace(/"/g, "\"\"") + "\" -> OK\n";
assertEqual(RunInitializer(), usageLine + unload, "empty command line");
assertEqual(RunInitializer("w", quoted), usageLine + unload, "no leading -");
assertEqual(RunInitializer("-w"), usageLine + unload, "no quoted path");
assertEqual(RunInitializer("-w", base), usageLine + unload, "path without its quotes");
assertEqual(Settings.Get(Settings.AddinKey, "INSTALL_PATH"), dir, "nothing was changed");

// Options are exact and case-sensitive; the usage's "-a" means nothing: quietly nothing happens.
assertEqual(RunInitializer("-W", "-U", quoted), unload, "capital letters");
assertEqual(RunInitializer("-a", quoted), unload, "-a alone");
assert(Settings.KeyExists(Settings.WordAddinKey), "still registered");

// ---- which add-in each option line touches ----
var ppt = CreateObject("PowerPoint.Application");
assert(ppt.AddIns("rvuppt").AutoLoad, "presentation add-in installed by the setup");
ppt.Quit();

// -l unloads only: the word processor's registration and settings stay.
assertEqual(RunInitializer("-w", "-l", quoted), unload);
assertEqual(Settings.Get(Settings.WordAddinKey, "LoadBehavior"), 3, "registration kept");
assertEqual(Settings.Get(Settings.AddinKey, "INSTALL_PATH"), dir, "settings kept");

// "-w" wins over "-p": an uninstallation of both names removes the word processor's keys only.
assertEqual(RunInitializer("-p", "-w", "-u", quoted), unload);
assert(!Settings.KeyExists(Settings.WordAddinKey), "word processor registration removed");
assert(!Settings.KeyExists(Settings.CompanyKey), "company key removed");
ppt = CreateObject("PowerPoint.Application");
var entry = ppt.AddIns("rvuppt");
assert(entry.AutoLoad && entry.Registered, "presentation add-in untouched");
ppt.Quit();

// -p -l resets the presentation add-in's entry and writes nothing for it in the registry.
assertEqual(RunInitializer("-p", "-l", quoted), unload);
ppt = CreateObject("PowerPoint.Application");
entry = ppt.AddIns("rvuppt");
assert(!entry.AutoLoad && !entry.Registered && !entry.Loaded, "entry reset");
ppt.Quit();
assert(!Settings.KeyExists(Settings.CompanyKey), "no registry key made for it");
assertEqual(Driver.TranscriptCount, 0, "the script's own programs showed nothing");
