// The weekly update check: asked at the second start (no check time recorded yet), announced when
// the course host reports a newer version, not repeated within 7 days, and a known newer version
// is announced again later without asking the server.
Setup();
var host = StartCourseHost(30);
var app = CreateObject("Word.Application");  // first start: rebuild, no check
assertEqual(Driver.TranscriptCount, 0);
app.Quit();

Driver.AnswerMsgBox(6);  // Yes, check now
Driver.AnswerMsgBox(2);  // Cancel: do not download
app = CreateObject("Word.Application");
var t = Driver.TranscriptLines;
assertEqual(Driver.Transcript(1).Title, "Quorvanta Update");
assertEqual(Driver.Transcript(1).Text, "Check for updates to the Quorvanta Add-ins now?");
assertEqual(Driver.Transcript(3).Text, "Contacting update server...Please wait.");
var last = Driver.Transcript(Driver.TranscriptCount);
assertEqual(last.Title, "Update");
assertEqual(last.Text, "A new version of the Quorvanta Add-ins is available.\r\n\r\n" +
    "Click 'OK' to download and install it now\r\nClick 'Cancel' to close this window");
assertEqual(Settings.Get(Settings.AddinKey, "latestVer"), "30");
var request = host.Request(host.RequestCount);
assertEqual(request, "POST /engine/help/info.asp");
var upgrade = app.CommandBars("Quorvanta").Controls(6);
assert(upgrade.Visible && upgrade.Enabled, "Get Upgrade offered");
app.Quit();

Driver.ClearTranscript();
app = CreateObject("Word.Application");
assertEqual(Driver.TranscriptCount, 0, "checked less than 7 days ago");
assert(!app.CommandBars("Quorvanta").Controls(6).Visible, "no announcement this time");
app.Quit();

Settings.Set(Settings.AddinKey, "lastUpdt", "1/1/2001 10:00:00 AM");
var requests = host.RequestCount;
Driver.AnswerMsgBox(1);  // OK: open the update page
app = CreateObject("Word.Application");
assertEqual(host.RequestCount - requests >= 1, true, "the update page was fetched");
assertEqual(Driver.Transcript(1).Title, "Update", "announced without asking the server again");
var shell = CreateObject("Shell.Application");
var found = false;
for (var w = 0; w < shell.Windows().Count; w++)
  if (shell.Windows().Item(w).LocationURL.indexOf("/addins.asp?strHost=courses.quorvanta.example&ver=27") > 0) found = true;
assert(found, "the update page is shown");
