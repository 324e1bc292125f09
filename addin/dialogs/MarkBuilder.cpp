#include "addin/dialogs/MarkBuilder.h"

#include <cctype>
#include <string_view>

#include "addin/questions/attribute_string.h"
#include "addin/questions/g_markers.h"
#include "addin/questions/question_types.h"
#include "online/course_host_name.h"
#include "platform/text/replace.h"
#include "word/inline_shape.h"
#include "word/range.h"
#include "word/table.h"

namespace qv::addin {
namespace {

using platform::ReplaceAll;

constexpr const char* kCrLf = "\r\n";

// Cells that hold an editable field light up while the mouse is over them.
constexpr const char* kFieldHighlight =
    R"( onmouseover="this.className='val';" onmouseout="this.className='null';")";
constexpr const char* kBlankHighlight =
    R"( onmouseover="this.className='val';" onmouseout="this.className='uneditable';")";
constexpr const char* kAnswerHighlight =
    R"( onmouseover="this.style.backgroundColor='#FFFB00';")"
    R"( onmouseout="this.style.backgroundColor='lightyellow';")";

bool IsRadioType(int32_t type) {
  return type == kMultipleChoice || type == kMultipleChoiceFIB || type == kTrueFalse;
}
bool IsCheckBoxType(int32_t type) {
  return type == kMultipleResponse || type == kMultipleResponseFIB;
}
bool IsBlankType(int32_t type) {
  return type == kMultipleChoiceFIB || type == kMultipleResponseFIB || type == kFillInTheBlank;
}
// Multiple choice and true/false have one correct answer: partial credit makes no sense there.
bool HasFixedPartialCredit(int32_t type) {
  return type == kMultipleChoice || type == kTrueFalse;
}

// An attribute value written between double quotes: the stored text comes back unchanged.
std::string QuotedAttributeValue(const std::string& value) {
  return "\"" + ReplaceAll(ReplaceAll(value, "&", "&amp;"), "\"", "&quot;") + "\"";
}

// The answer text beside an answer marker: cell 2 of the first row that holds the marker.
std::string AnswerText(word::Table& table, word::InlineShape& marker) {
  auto markerRange = marker.Range();
  for (const auto& row : table.RowList()) {
    if (!markerRange->InRange(*row->Range())) continue;
    if (row->CellList().size() < 2) return "No answer text";
    return RangeText(*row->CellList()[1]->Range());
  }
  return "No answer";
}

std::string PartialSelect(int32_t type, const std::string& partial) {
  if (HasFixedPartialCredit(type))
    return "<select disabled name=partial><option>Yes</option><option selected>No</option>"
           "</select>";
  if (partial == "Yes")
    return "<select name=partial><option selected>Yes</option><option>No</option></select>";
  return "<select name=partial><option>Yes</option><option selected>No</option></select>";
}

// One size line of a blank: the label, the number field and its "-" and "+" links.
std::string SizeControls(const std::string& label, const std::string& name, const std::string& id,
                         const std::string& value, char mode, const std::string& hide) {
  const std::string resize = "javascript:resizeInput('" + id + "', ";
  return "<nobr><span style=\"" + hide + "font-size:10px;\">" + label + "</span><input style=\"" +
         hide + "\" name=" + name + " id=" + id + "__" + mode + " value=" + value +
         " size=3 maxlength=3 onblur=\"" + resize + "null, null);\" onchange=\"" + resize +
         "null, null);\"><a class=resz style=\"" + hide + "\" href=\"" + resize + "'" + mode +
         "', -1);\">-</a>&nbsp;<a class=resz style=\"" + hide + "\" href=\"" + resize + "'" + mode +
         "', 1);\">+</a></nobr>";
}

// Shapes a blank from its size fields: one line shows the single-line field, more lines the
// textarea, and the text moves to whichever is shown.
constexpr const char* kResizeInputScript =
    "function resizeInput(objNm, md, val) {\r\n"
    "   var wFld = document.getElementById(objNm + '__w');\r\n"
    "   var hFld = document.getElementById(objNm + '__h');\r\n"
    "   var oneLine = document.getElementById(objNm + '__I');\r\n"
    "   var area = document.getElementById(objNm + '__T');\r\n"
    "   var w = Math.max(1, md == 'w' ? changeVal(wFld, val) : wFld.value);\r\n"
    "   var h = Math.max(1, md == 'h' ? changeVal(hFld, val) : hFld.value);\r\n"
    "   if (h > 1) {\r\n"
    "      if (w > 0) area.cols = Math.max(1, w);\r\n"
    "      if (h > 0) area.rows = Math.max(1, h);\r\n"
    "      if (area.style.display == '' || area.style.display == 'none') {\r\n"
    "         area.value = oneLine.value;\r\n"
    "         oneLine.style.display = 'none';\r\n"
    "         area.style.display = 'inline';\r\n"
    "      }\r\n"
    "   } else {\r\n"
    "      oneLine.size = Math.max(1, w);\r\n"
    "      if (area.style.display == '' || oneLine.style.display == 'none') {\r\n"
    "         oneLine.value = area.value;\r\n"
    "         area.style.display = 'none';\r\n"
    "         oneLine.style.display = 'inline';\r\n"
    "      }\r\n"
    "   }\r\n"
    "}\r\n";

constexpr const char* kChangeValScript =
    "function changeVal(fld, add) {\r\n"
    "   fld.value = String(Math.max(1, Number(fld.value) + Number(add)));\r\n"
    "   return fld.value;\r\n"
    "}\r\n";

constexpr const char* kLoadFeedback =
    "function LoadDefs(){document.frm.pcomm.value=pcomm;document.frm.fcomm.value=fcomm;";

std::string FeedbackTable(const std::string& tableAttributes, const std::string& label,
                          const std::string& field) {
  return "<table width=100% " + tableAttributes +
         " cellpadding=0 cellspacing=0><tr><td colspan=2 class=label align=left nowrap>" + label +
         "</td><td style=\"width:100%;\"" + kFieldHighlight +
         "><textarea style=\"width:100%;\" name=" + field + " rows=2 cols=1></textarea></td></tr>" +
         "</table>" + kCrLf;
}

}  // namespace

std::string EscapeFeedbackForScript(const std::string& text) {
  // The text lands in a single-quoted script string inside the page's script block. Whatever
  // could end the string (a quote, a line end of any form, the two line terminators the script
  // language knows beyond CR and LF) or the block ("<" of any "</script") is written as an
  // escape, so the page shows every character as it was typed and OK stores it unchanged.
  std::string out;
  out.reserve(text.size() + 16);
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\'') {
      out += "\\'";
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out += "\\n";
      ++i;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '<') {
      out += "\\x3c";
    } else if (c == '\xE2' && i + 2 < text.size() && text[i + 1] == '\x80' &&
               (text[i + 2] == '\xA8' || text[i + 2] == '\xA9')) {
      out += text[i + 2] == '\xA8' ? "\\u2028" : "\\u2029";
      i += 2;
    } else {
      out += c;
    }
  }
  return out;
}

std::string HtmlText(const std::string& text) {
  return ReplaceAll(ReplaceAll(ReplaceAll(text, "&", "&amp;"), "<", "&lt;"), ">", "&gt;");
}

std::string MarkBuilder::BuildHeader(const std::shared_ptr<word::InlineShape>& questionMarker) {
  const std::string attributes = questionMarker->AlternativeText();
  questionType_ = GetQType(attributes);
  blankCount_ = 0;

  std::string html = std::string("<HTML><style>") + kCrLf;
  for (const char* rule :
       {"body {background-color:#efefef; font:10px Arial;}",
        ".header_row > td{padding:3px;border-bottom:1px solid black;}",
        ".footer_row {padding:3px;border-top:1px solid black;}",
        ".label {margin:0px;padding:3px;font-weight:bold}", ".val {background-color:#FFFB00;}",
        ".uneditable {padding:3px;background-color:lightyellow;}"})
    html += std::string(rule) + kCrLf;
  html += std::string("</style>") + kCrLf + "<script language=javascript>" + kCrLf;
  html += "var pcomm='" + EscapeFeedbackForScript(GetAttr(attributes, "pcomm")) + "';" + kCrLf;
  html += "var fcomm='" + EscapeFeedbackForScript(GetAttr(attributes, "fcomm")) + "';" + kCrLf;
  // The plug-in help always lives on the deployment's own course host.
  html += std::string("function DoLink(link) {") + kCrLf + "   var helpWin = window.open('http://" +
          online::kDefaultCourseHost +
          "/engine/plugins/help.htm', 'helpWin', "
          "'scrollbars=yes,resizable=yes,width=750,height=550');" +
          kCrLf + "   helpWin.focus();" + kCrLf + "}" + kCrLf + "</script>" + kCrLf;
  html += std::string(
              "<BODY marginwidth=0 leftmargin=0 topmargin=0 onload=\"javascript:LoadDefs();\">") +
          kCrLf + "<form name=frm><table width=100% cellspacing=0 cellpadding=0>" + kCrLf +
          "<tr class=header_row><td style=\"border-bottom:1px solid black;\">" + kCrLf;
  html += "<input type=hidden name=title value=\"\"><input type=hidden name=qID value=" +
          QuotedAttributeValue(GetAttr(attributes, "qID")) + ">" + kCrLf;
  html += std::string("<table width=100% cellpadding=0 cellspacing=0><tr>") + kCrLf;
  html += std::string("<td align=left><table style=\"padding:3px;\" cellspacing=0 cellpadding=0>") +
          "<tr><td class=label align=left nowrap>Points for question: </td><td" + kFieldHighlight +
          "><input type=text size=3 maxlength=3 name=points value=" +
          QuotedAttributeValue(GetAttr(attributes, "points")) + "></td></tr></table></td>" + kCrLf;
  html +=
      std::string("<td align=right><table style=\"padding:3px;\" cellspacing=0 cellpadding=0>") +
      "<tr><td class=label align=right>Allow partial credit?</td><td align=right" +
      kFieldHighlight + ">" + PartialSelect(questionType_, GetAttr(attributes, "partial")) +
      "</td></tr></table></td>" + kCrLf;
  html += std::string("</tr></table>") + kCrLf + "</td></tr>" + kCrLf;
  return html;
}

std::string MarkBuilder::BuildQuestionRow(const std::shared_ptr<word::Table>& table) {
  const int32_t type = GetQType(table->Range()->InlineShapes()->Item(1)->AlternativeText());
  std::string html = std::string("<tr>") + kCrLf + "<td>" + kCrLf +
                     "<table cellpadding=0 cellspacing=0 width=100%>" + kCrLf;
  if (HasChoiceAnswers(type))
    html += std::string(
                "<tr><td colspan=2 class=uneditable><b>Select correct answer(s)</b></td></tr>") +
            kCrLf;
  html += "<tr><td colspan=2 class=uneditable>" + HtmlText(GetQuestionDescription(table)) +
          "</td></tr>" + kCrLf;
  return html;
}

std::string MarkBuilder::BuildAnswerRow(const std::shared_ptr<word::Table>& table,
                                        int32_t markerIndex) {
  auto marker = table->Range()->InlineShapes()->Item(markerIndex);
  const std::string attributes = marker->AlternativeText();
  const int32_t type = GetQType(attributes);
  std::string html =
      std::string("<tr><td class=uneditable") + kAnswerHighlight + " align=center valign=center>";
  if (IsRadioType(type))
    html += "<input type=radio name=ans value=" + std::to_string(markerIndex);
  else if (IsCheckBoxType(type))
    html += "<input type=checkbox name=ans" + std::to_string(markerIndex);
  html += attributes.find("&checked=on") != std::string::npos ? " checked></td>" : "></td>";
  html += "<td class=uneditable style=\"width:100%\">" + HtmlText(AnswerText(*table, *marker)) +
          "</td></tr>";
  return html;
}

std::string MarkBuilder::BuildTextRow(const std::string& text) {
  return std::string("<tr>") + kCrLf + "<td colspan=2 class=uneditable>" + HtmlText(text) +
         "</td>" + kCrLf + "</tr>" + kCrLf;
}

std::string MarkBuilder::BuildBlankRow(const std::shared_ptr<word::InlineShape>& blank,
                                       int32_t markerIndex) {
  const std::string id = "fib" + std::to_string(++blankCount_);
  const std::string name = "fib" + std::to_string(markerIndex);
  const std::string attributes = blank->AlternativeText();
  std::string w = GetAttr(attributes, "w");
  std::string h = GetAttr(attributes, "h");
  if (w.empty()) w = "20";
  if (h.empty()) h = "1";

  // The answer is shown in the attribute value of the single-line field and as the textarea's
  // text, and read back from whichever is shown: written as HTML text, an answer such as
  // "</textarea>" or "&lt;" comes back as the author typed it instead of breaking the page.
  std::string value;
  std::string hide;
  if (IsTextBoxControl(blank)) {
    // A text-box control is sized by the author in the document; only its text is asked for.
    value = blank->OLEFormat()->Object()->text;
    hide = "display:none;";
  } else {
    value = ReplaceAll(GetAttr(attributes, "ans"), "\x01", "&");
  }
  value = ReplaceAll(HtmlText(value), "\"", "&quot;");

  std::string html = std::string("<tr><td colspan=2 class=uneditable>") + kCrLf +
                     "<table cellpadding=0 cellspacing=0><tr><td style=\"padding:3px;\"" +
                     kBlankHighlight + ">" + kCrLf;
  html += SizeControls(" Columns: ", name + "_w", id, w, 'w', hide) + "&nbsp;" + kCrLf;
  html += SizeControls(" Rows: ", name + "_h", id, h, 'h', hide) +
          "&nbsp;&nbsp;<span style=\"padding:3px;font:normal 11px Arial\">Enter correct answers "
          "separated by a semi-colon&nbsp; ie. Jane;Jane Woods</span><br>" +
          kCrLf;
  html += "<input type=text name=" + name + "_I id=" + id + "__I value=\"" + value + "\">" + kCrLf;
  html += "<textarea style=\"" + hide + "\" name=" + name + "_T id=" + id + "__T>" + value +
          "</textarea>" + kCrLf;
  html += std::string("</td></tr></table>") + kCrLf + "</td></tr>" + kCrLf;
  return html;
}

std::string MarkBuilder::BuildListEnd() const {
  return "</table>";
}

std::string MarkBuilder::BuildFooter() const {
  std::string html = FeedbackTable("class=footer_row",
                                   "Feedback if <u>correct</u><br>answer(s) selected:", "pcomm") +
                     FeedbackTable("style=\"padding:3px;\"",
                                   "Feedback if <u>incorrect</u><br>answer(s) selected:", "fcomm");
  html += std::string("</td></tr></table>") + kCrLf + "</form>" + kCrLf;
  if (!IsBlankType(questionType_)) {
    html += std::string("<script>") + kLoadFeedback + "}</script>" + kCrLf;
  } else {
    html += std::string("<style>") + kCrLf + ".resz {font:bold 16px Arial;}" + kCrLf +
            "a {color:red;text-decoration:none;}" + kCrLf + "a:visited{color:red;}" + kCrLf +
            "input {font:normal 12px Courier}" + kCrLf + "</style>" + kCrLf;
    html += std::string("<script>") + kCrLf + kResizeInputScript + kChangeValScript +
            kLoadFeedback + kCrLf;
    for (int32_t k = 1; k <= blankCount_; ++k)
      html += "   resizeInput('fib" + std::to_string(k) + "');" + kCrLf;
    html += std::string("}</script>") + kCrLf;
  }
  return html + "</body></html>";
}

}  // namespace qv::addin
