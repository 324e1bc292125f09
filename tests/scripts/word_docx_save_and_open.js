// A script saves a document as docx (by the host's file format number, or by the extension),
// opens it again with its text, table and picture marker, and Save keeps the docx format.
var app = CreateObject("Word.Application");
var doc = app.Documents.Add();
doc.Content.InsertAfter("Chapter one");
var end = doc.Content.End - 1;
var table = doc.Tables.Add(doc.Range(end, end), 1, 2);
table.Cell(1, 2).Range.Text = "cell & <text>";
doc.SaveAs(ProfilePath("chapter.doc"), 12);
assert(doc.Saved, "saved");
doc.Close();
var again = app.Documents.Open(ProfilePath("chapter.doc"));
assertEqual(again.Tables.Count, 1, "the table came back");
assertEqual(again.Tables(1).Cell(1, 2).Range.Text, "cell & <text>\r\x07");
again.Content.InsertAfter(" more");
again.Save();
again.Close();
var third = app.Documents.Open(ProfilePath("chapter.doc"));
assert(third.Content.Text.indexOf(" more") > 0, "Save wrote the change");
third.SaveAs(ProfilePath("chapter.docx"));
assert(FileExists(ProfilePath("chapter.docx")), "a .docx name writes docx");
third.Close();
