// INSTALL_PATH empty: no templates, no menu or toolbar, one silent error report whose text has
// the report's lines in order, isInstalling set to "false", and the commands are not attached.
Setup();
Settings.Set(Settings.AddinKey, "INSTALL_PATH", "");
Settings.Set(Settings.AddinKey, "isInstalling", "true");
var host = StartCourseHost();
var app = CreateObject("Word.Application");

var found = false;
for (var i = 1; i <= app.CommandBars.Count; i++)
  if (app.CommandBars(i).Name == "Quorvanta") found = true;
assert(!found, "no toolbar");
assertEqual(app.AddIns.Count, 0, "no templates");
assertEqual(Settings.Get(Settings.AddinKey, "isInstalling"), "false");
assertEqual(Driver.TranscriptCount, 0, "silent");
assertEqual(host.ReportCount, 1, "one report");
assertEqual(host.Report(1, "sender"), "KZOWord");

var lines = host.Report(1).split("\r\n");
assertEqual(lines[0], "An error has occurred in Connect.LoadTemplates ERL=(10)");
assertEqual(lines[1], "");
assertEqual(lines[2], "Template files may not be loaded.");
assertEqual(lines[3], "");
assertEqual(lines[4], "retval= (0)");
assertEqual(lines[5], "portal=courses.quorvanta.example");
assertEqual(lines[6], "strQuery=");
assertEqual(lines[7], "VERSION_NO=27");
assertEqual(lines[8], "App.Version=9.0");
assertEqual(lines[9], "kzoUser=True");
assertEqual(lines[10], "isInstalling=true", "read before the trap sets it to false");
assert(/^App\.Keyboard=\d+$/.test(lines[11]), lines[11]);
var labels = ["App.Languages.ExeMode=", "App.Languages.Help=", "App.Languages.Install=",
              "App.Languages.UI=", "App.Languages.UIPrev=", "System.Country=",
              "System.LanguageDesignation=", "System.ProcessorType=", "System.FreeDiskSpace=",
              "System.OperatingSystem=", "System.Version=", "System.HorizontalResolution=",
              "System.VerticalResolution = "];
for (var l = 0; l < labels.length; l++)
  assertEqual(lines[12 + l].indexOf(labels[l]), 0, "line " + (13 + l) + ": " + lines[12 + l]);
assertEqual(lines[25], "", "empty line after the system values");
assertEqual(lines[26], "", "no document lines: the report ends");
assertEqual(lines.length, 27);
