// The weekly update check as the user meets it: the question, the progress window, the answers
// of the course host (up to date, a newer version, an answer without a version), the time of the
// check recorded also when the user declines, and a stored version that is not a number.
Setup();
var host = StartCourseHost(27);
var app = CreateObject("Word.Application");  // first start: rebuild, no check
app.Quit();

var longAgo = "1/1/2001 10:00:00 AM";
function start(answers) {
  Settings.Set(Settings.AddinKey, "lastUpdt", longAgo);
  Driver.ClearTranscript();
  for (var i = 0; i < answers.length; i++) Driver.AnswerMsgBox(answers[i]);
  return CreateObject("Word.Application");
}
function box(i, title, buttons, text) {
  var e = Driver.Transcript(i);
  assertEqual(e.Kind, "MsgBox", "entry " + i);
  assertEqual(e.Title, title);
  assertEqual(e.Buttons, buttons, title + " buttons");
  assertEqual(e.Icon, 0, title + " without an icon");
  assertEqual(e.Text, text);
}
var ask = "Check for updates to the Quorvanta Add-ins now?";
function updateControls() {
  return [app.CommandBars("Quorvanta").Controls("Get Upgrade"),
          app.CommandBars.FindControl(10, 30007).Controls("Quorvanta").Controls("Get Update")];
}

// ---- declined: nothing is posted, but the time of the check is recorded ----
var requests = host.RequestCount;
app = start([7]);
assertEqual(Driver.TranscriptCount, 1, Driver.TranscriptText);
box(1, "Quorvanta Update", 4, ask);
assertEqual(host.RequestCount, requests, "the course host is not asked");
assert(Settings.Get(Settings.AddinKey, "lastUpdt") != longAgo, "the check time is recorded");
app.Quit();

// ---- up to date: the question, the progress window, then the add-in's own box ----
app = start([6]);
box(1, "Quorvanta Update", 4, ask);
assertEqual(Driver.Transcript(2).Line, "Show dlgProgress modeless \"Please Wait...\"");
assertEqual(Driver.Transcript(3).Text, "Contacting update server...Please wait.");
box(Driver.TranscriptCount, "Quorvanta Word Add-in", 0, "Your Quorvanta Add-ins are up to date.");
assertEqual(Driver.Transcript(Driver.TranscriptCount - 1).Line, "Unload dlgProgress by code",
    "the progress window closes before the answer is shown");
assertEqual(host.Request(host.RequestCount), "POST /engine/help/info.asp");
assertEqual(Settings.Get(Settings.AddinKey, "latestVer"), "27");
var controls = updateControls();
for (var c = 0; c < 2; c++)
  assert(!controls[c].Visible && !controls[c].Enabled, "no update offered: " + controls[c].Caption);
app.Quit();

// ---- answers without a version: nothing after the progress window, latestVer kept ----
var noVersion = ["ver=30", "VER=30;", ""];
for (var n = 0; n < noVersion.length; n++) {
  host = null;
  host = StartCourseHost(27, noVersion[n]);
  app = start([6]);
  assertEqual(Driver.Transcript(Driver.TranscriptCount).Line, "Unload dlgProgress by code",
      "answer \"" + noVersion[n] + "\": " + Driver.TranscriptText);
  assertEqual(Settings.Get(Settings.AddinKey, "latestVer"), "27");
  app.Quit();
}

// ---- a newer version: announced; Cancel still offers the update commands ----
host = null;
host = StartCourseHost(27, "<html>ver=30;build=7;</html>");
app = start([6, 2]);
box(Driver.TranscriptCount, "Update", 1,
    "A new version of the Quorvanta Add-ins is available.\r\n\r\n" +
    "Click 'OK' to download and install it now\r\nClick 'Cancel' to close this window");
assertEqual(Settings.Get(Settings.AddinKey, "latestVer"), "30",
    "the text between \"ver=\" and \";\"");
controls = updateControls();
for (var u = 0; u < 2; u++)
  assert(controls[u].Visible && controls[u].Enabled, "update offered: " + controls[u].Caption);
app.Quit();

// ---- a known newer version is announced again without the question or a post ----
requests = host.RequestCount;
app = start([2]);
assertEqual(Driver.TranscriptCount, 1, Driver.TranscriptText);
assertEqual(Driver.Transcript(1).Title, "Update");
assertEqual(host.RequestCount, requests, "the course host is not asked again");
app.Quit();

// ---- a stored version that is not a number: reported silently, nothing offered ----
Settings.Set(Settings.AddinKey, "latestVer", "new");
var reports = host.ReportCount;
app = start([]);
assertEqual(Driver.TranscriptCount, 0, Driver.TranscriptText);
assertEqual(host.ReportCount, reports + 1);
var lines = host.Report(host.ReportCount).split("\r\n");
assert(/^An error has occurred in online\.checkForUpgrade ERL=\(\d+\)$/.test(lines[0]), lines[0]);
assertEqual(lines[2], "Type mismatch (13)");
assert(!updateControls()[0].Visible, "no update offered");
