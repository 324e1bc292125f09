#include <gtest/gtest.h>

#include "automation/dispatch.h"
#include "platform/files.h"
#include "word/custom_properties.h"
#include "word/doc_file.h"
#include "word/docx/docx_file.h"
#include "word/errors.h"
#include "word/page_setup.h"
#include "word/render.h"
#include "word/tests/docx_checks.h"
#include "word/tests/word_test_support.h"
#include "word/window.h"

namespace qv::word {
namespace {

using automation::Variant;
using nlohmann::json;
using testing::ErrorNumber;
using testing::WordTest;

const std::string kMarker =
    std::string("kzoO5&ans=a\x01;b\x02&h=1&w=20 é <x> \"q\" 'a'\r\n\tΩ _x0041_");

class DocxTest : public WordTest {
 protected:
  // A document with what the add-in's documents hold: nested tables with merged cells, widths,
  // paddings, borders, shading and row heights, pictures with markers, floating shapes of each
  // kind, properties of each type, page setup and a page break.
  void Build() {
    doc->Content()->SetText("Heading\r");
    auto t = doc->Tables()->Add(R(8, 8), 3, 2);
    t->RowList()[0]->Cells()->Merge();
    t->RowList()[2]->SetHeightRule(wdRowHeightExactly);
    t->RowList()[2]->SetHeight(40);
    auto box = doc->Tables()->Add(t->Cell(2, 1)->Range(), 1, 1, 1, 2);
    auto inner = doc->Tables()->Add(box->Cell(1, 1)->Range(), 1, 1, 1, 2);
    inner->Cell(1, 1)->Range()->InsertAfter("Grüße & \"quotes\" = 1\tx");
    auto marker =
        doc->InlineShapes()->AddPicture(Gif().string(), false, true, t->Cell(1, 1)->Range());
    marker->SetAlternativeText(kMarker);
    auto shape = doc->Shapes()->AddShape(9, 10.5, -12, 100, 65, t->Cell(3, 1)->Range());
    ShapeData& d = shape->Mutable();
    d.alt = "kzoA7&type=1";
    d.textFrame.text = "label\rsecond";
    d.fill.foreColor = RGB(255, 0, 0);
    d.fill.transparency = 0.5;
    d.line.weight = 1.5;
    d.line.dashStyle = 4;
    d.wrap.type = wdWrapNone;
    d.relativeHorizontal = wdRelativeHorizontalPositionPage;
    d.relativeVertical = wdRelativeVerticalPositionMargin;
    auto pic = doc->Shapes()->AddPicture(Gif("p.gif", 4, 4).string());
    pic->Mutable().alt = "kzoS1";
    pic->Mutable().line.visible = false;
    doc->Shapes()->AddTextbox(1, 5, 6, 70, 20)->Mutable().textFrame.text = "box";
    auto props = doc->CustomDocumentProperties();
    props->Add("KZOConvert", false, msoPropertyTypeString, Variant("7"));
    props->Add("Pages", false, msoPropertyTypeNumber, Variant(3));
    props->Add("Ratio", false, msoPropertyTypeFloat, Variant(2.0));
    props->Add("Done", false, msoPropertyTypeBoolean, Variant(true));
    props->Add("When", false, msoPropertyTypeDate,
               Variant(automation::Date::FromParts({2026, 12, 7, 10, 30, 5})));
    t->Cell(2, 2)->SetPadding(kTop, 2);
    t->Cell(2, 2)->Shading()->SetBackgroundPatternColor(RGB(1, 2, 3));
    t->Cell(3, 2)->Borders()->SetOutsideLineStyle(7);
    t->Shading()->SetBackgroundPatternColor(0);
    R(0, 7)->Font()->SetName("Arial");
    R(0, 7)->Font()->SetBold(true);
    R(0, 3)->Font()->SetSize(10.5);
    R(0, 0)->ParagraphFormat()->SetKeepWithNext(true);
    R(0, 0)->ParagraphFormat()->SetAlignment(1);
    R(doc->Content()->End() - 1, doc->Content()->End() - 1)->InsertBefore("a\fb\vc");
    doc->Page().leftMargin = 54;
    doc->Page().orientation = 1;
    doc->ActiveWindow()->View()->type = wdWebView;
    Check();
  }

  std::shared_ptr<Document> SaveAndReopen(const std::string& name = "round.docx") {
    const auto file = profile.Dir() / name;
    doc->SaveAs(file.string(), wdFormatXMLDocument);
    doc->Close();
    return app->Documents()->Open(file.string());
  }
};

// What a docx round trip must keep of a record: everything but the settings docx does not hold
// and the table behaviour flags that only matter while a table is built.
TEST_F(DocxTest, ADocumentSavedAsDocxValidatesAndReopensWithTheSameContent) {
  Build();
  const auto before = DocumentToJson(*doc);
  const std::string drawn = RenderDocument(*doc);
  const auto file = profile.Dir() / "round.docx";
  doc->SaveAs(file.string(), wdFormatXMLDocument);
  const auto bytes = *platform::ReadWholeFile(file);
  ASSERT_TRUE(LooksLikeDocx(bytes));
  if (!testing::OoxmlSchemaDir().empty()) {
    EXPECT_EQ(testing::DocxFaults(bytes), "");
  }
  doc->Close();

  auto again = app->Documents()->Open(file.string());
  again->GetStory().CheckInvariants();
  EXPECT_TRUE(again->Saved());
  EXPECT_EQ(
      json::diff(testing::DocxComparable(before), testing::DocxComparable(DocumentToJson(*again)))
          .dump(),
      "[]");
  EXPECT_EQ(RenderDocument(*again), drawn);
  EXPECT_EQ(again->InlineShapes()->Item(1)->AlternativeText(), kMarker);
  auto t = again->Tables()->Item(1);
  const int64_t inDeep = t->Cell(2, 1)->Range()->Start() + 1;
  EXPECT_EQ(again->Range(inDeep, inDeep)->Tables()->Item(1)->NestingLevel(), 3);
  // Save keeps the format the document came in.
  again->Range(0, 0)->InsertBefore("x");
  again->Save();
  EXPECT_TRUE(IsDocxFile(file));
}

TEST_F(DocxTest, TheFormatFollowsTheArgumentOrTheExtension) {
  doc->Content()->SetText("one");
  doc->SaveAs((profile.Dir() / "a.docx").string());
  EXPECT_TRUE(IsDocxFile(profile.Dir() / "a.docx"));
  doc->SaveAs((profile.Dir() / "b.doc").string(), wdFormatDocumentDefault);
  EXPECT_TRUE(IsDocxFile(profile.Dir() / "b.doc"));
  doc->SaveAs((profile.Dir() / "c.docx").string(), wdFormatDocument);
  EXPECT_FALSE(IsDocxFile(profile.Dir() / "c.docx"));
  automation::Call(doc, "SaveAs", {Variant((profile.Dir() / "d.doc").string()), Variant(12)});
  EXPECT_TRUE(IsDocxFile(profile.Dir() / "d.doc"));
}

// A package as another word processor might write it: properties in another order, runs split
// and wrapped, a whole number stored as a float, a picture of a kind we do not decode, a cell
// ending with a nested table, text before and after a marker.
TEST_F(DocxTest, ForeignPackagesAreReadTolerantly) {
  const std::string w = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
  const std::string document =
      "<?xml version=\"1.0\"?><w:document xmlns:w=\"" + w +
      "\" xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\" "
      "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
      "xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\" "
      "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
      "xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\"><w:body>"
      "<w:p><w:pPr><w:jc w:val=\"center\"/><w:keepNext/></w:pPr><w:hyperlink><w:r><w:rPr><w:sz "
      "w:val=\"28\"/><w:b w:val=\"true\"/></w:rPr><w:t>Hel</w:t></w:r></w:hyperlink><w:r><w:t>lo"
      "</w:t><w:lastRenderedPageBreak/></w:r></w:p>"
      "<w:tbl><w:tblGrid><w:gridCol w:w=\"2000\"/><w:gridCol w:w=\"1000\"/></w:tblGrid>"
      "<w:tr><w:tc><w:tcPr><w:gridSpan w:val=\"2\"/></w:tcPr><w:tbl><w:tr><w:tc><w:p><w:r><w:t>"
      "in</w:t></w:r></w:p></w:tc></w:tr></w:tbl></w:tc></w:tr></w:tbl>"
      "<w:p><w:r><w:t>before</w:t><w:drawing><wp:inline><wp:extent cx=\"127000\" "
      "cy=\"254000\"/><wp:docPr id=\"3\" name=\"x\" "
      "title=\"kzoB&amp;q=1\"/><a:graphic><a:graphicData "
      "uri=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"><pic:pic><pic:blipFill>"
      "<a:blip r:embed=\"rId9\"/></pic:blipFill></pic:pic></a:graphicData></a:graphic></wp:inline>"
      "</w:drawing><w:t>after</w:t></w:r><w:sdt><w:sdtContent><w:r><w:t>!</w:t></w:r>"
      "</w:sdtContent></w:sdt></w:p>"
      "<w:sectPr><w:pgMar w:left=\"1440\" w:top=\"720\" w:right=\"1440\" w:bottom=\"720\"/>"
      "</w:sectPr></w:body></w:document>";
  const std::string rels =
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"rId9\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
      "relationships/image\" Target=\"media/../media/picture.emf\"/></Relationships>";
  const std::string custom =
      "<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/"
      "custom-properties\" xmlns:vt=\"http://schemas.openxmlformats.org/officeDocument/2006/"
      "docPropsVTypes\"><property name=\"Ver\" pid=\"3\" "
      "fmtid=\"{D5CDD505-2E9C-101B-9397-08002B2CF9AE}\"><vt:r8>27</vt:r8></property><property "
      "fmtid=\"{D5CDD505-2E9C-101B-9397-08002B2CF9AE}\" pid=\"2\" name=\"Rate\"><vt:r8>1.5</vt:r8>"
      "</property><property fmtid=\"x\" pid=\"4\" name=\"KZOConvert\"><vt:lpwstr>1</vt:lpwstr>"
      "</property></Properties>";
  const char kEmf[] = "\x01\x00\x00\x00 not a picture we decode";
  const std::string emf(kEmf, sizeof kEmf - 1);
  const auto bytes = docx::WritePackage({{"[Content_Types].xml", "<Types/>"},
                                         {"word/document.xml", document},
                                         {"word/_rels/document.xml.rels", rels},
                                         {"word/media/picture.emf", emf},
                                         {"docProps/custom.xml", custom}});
  const auto file = profile.Dir() / "foreign.docx";
  ASSERT_TRUE(platform::WriteFileAtomically(file, bytes));
  auto d = app->Documents()->Open(file.string());
  d->GetStory().CheckInvariants();
  EXPECT_EQ(d->Content()->Text(),
            "Hello\rin\r\a\r\a\r\a\r\abefore\x01"
            "after!\r");
  auto props = d->CustomDocumentProperties();
  EXPECT_EQ(props->Item(Variant("Ver"))->Type(), msoPropertyTypeNumber);
  EXPECT_EQ(props->Item(Variant("Ver"))->Value().ToInt32(), 27);
  EXPECT_EQ(props->Item(Variant("Rate"))->Type(), msoPropertyTypeFloat);
  EXPECT_EQ(props->Item(Variant("KZOConvert"))->Value().ToText(), "1");
  auto picture = d->InlineShapes()->Item(1);
  EXPECT_EQ(picture->AlternativeText(), "kzoB&q=1");
  EXPECT_EQ(picture->Image().bytes, emf);
  EXPECT_EQ(picture->Image().format, "emf");
  EXPECT_DOUBLE_EQ(picture->Height(), 20);
  EXPECT_EQ(d->Tables()->Item(1)->Cell(1, 1)->Width(), 150);
  EXPECT_EQ(Tables(d, d->Tables()->Item(1)->Cell(1, 1)).Count(), 1);
  EXPECT_DOUBLE_EQ(d->Page().topMargin, 36);
  const auto& font = d->GetStory().Font(d->GetStory().At(0).font);
  EXPECT_TRUE(font.bold);
  EXPECT_EQ(font.size, 14);
  EXPECT_EQ(d->GetStory().Para(d->GetStory().At(0).para).alignment, 1);

  // The undecodable picture goes out again as it came in, in either format.
  d->SaveAs((profile.Dir() / "native.doc").string());
  d->Close();
  d = app->Documents()->Open((profile.Dir() / "native.doc").string());
  EXPECT_EQ(d->InlineShapes()->Item(1)->Image().bytes, emf);
  d->SaveAs((profile.Dir() / "again.docx").string());
  d->Close();
  auto e = app->Documents()->Open((profile.Dir() / "again.docx").string());
  EXPECT_EQ(e->InlineShapes()->Item(1)->Image().bytes, emf);
}

}  // namespace
}  // namespace qv::word

namespace qv::word {
namespace {

class HostileDocxTest : public testing::WordTest {
 protected:
  // Opens `bytes` as a docx: it must be refused with 5151 and a reason naming `why`, the file
  // left as it was and no document added.
  void ExpectRefused(const std::string& bytes, const std::string& why) {
    const auto file = profile.Dir() / "hostile.docx";
    ASSERT_TRUE(platform::WriteFileAtomically(file, bytes));
    const auto before = std::distance(std::filesystem::directory_iterator(profile.Dir()),
                                      std::filesystem::directory_iterator());
    std::string message;
    try {
      app->Documents()->Open(file.string());
    } catch (const automation::AutomationError& e) {
      EXPECT_EQ(e.Number(), kErrCorruptFile);
      message = e.Description();
    }
    EXPECT_NE(message.find(why), std::string::npos) << message;
    EXPECT_EQ(*platform::ReadWholeFile(file), bytes);
    EXPECT_EQ(app->Documents()->Count(), 1);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(profile.Dir()),
                            std::filesystem::directory_iterator()),
              before);
  }

  std::string Valid() {
    doc->Content()->SetText("text");
    const auto file = profile.Dir() / "valid.docx";
    doc->SaveAs(file.string());
    return *platform::ReadWholeFile(file);
  }
};

const char* kDocumentStart =
    "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">";

TEST_F(HostileDocxTest, DamagedPackagesAreRefused) {
  const std::string valid = Valid();
  ExpectRefused(valid.substr(0, valid.size() / 2), "not a docx package");
  ExpectRefused(std::string("PK\x03\x04", 4) + std::string(200, 'x'), "not a docx package");
  ExpectRefused(docx::WritePackage({{"word/other.xml", "<a/>"}}), "holds no word-processing");
  ExpectRefused(docx::WritePackage({{"word/document.xml", "<w:document"}}), "not well-formed");
  ExpectRefused(docx::WritePackage({{"word/document.xml", "<html/>"}}),
                "not a word-processing document");
}

TEST_F(HostileDocxTest, PartsNamedOutsideThePackageAreRefused) {
  const std::string body = std::string(kDocumentStart) + "<w:body><w:p/></w:body></w:document>";
  for (const std::string name :
       {"../evil.xml", "/tmp/evil.xml", "word/../../evil.xml", "C:/evil.xml", "word\\..\\evil.xml"})
    ExpectRefused(docx::WritePackage({{"word/document.xml", body}, {name, "x"}}), "outside itself");
  EXPECT_FALSE(std::filesystem::exists(profile.Dir().parent_path() / "evil.xml"));
  // A relationship pointing out of the package is not followed.
  EXPECT_FALSE(docx::SafePartName("a/./b"));
  EXPECT_TRUE(docx::SafePartName("word/media/image1.png"));
}

TEST_F(HostileDocxTest, EntityExpansionIsRefusedBeforeAnythingExpands) {
  std::string laughs = "<?xml version=\"1.0\"?><!DOCTYPE w:document [<!ENTITY a \"aaaaaaaaaa\">";
  for (char c = 'b'; c <= 'j'; ++c)
    laughs += std::string("<!ENTITY ") + c + " \"" + std::string(10, '&') + "\">";
  // Each entity refers ten times to the one before it.
  for (char c = 'b'; c <= 'j'; ++c) {
    const std::string prev = std::string("&") + static_cast<char>(c - 1) + ";";
    std::string value;
    for (int i = 0; i < 10; ++i)
      value += prev;
    const auto at = laughs.find(std::string("<!ENTITY ") + c);
    laughs.replace(laughs.find('"', at) + 1, 10, value);
  }
  laughs += "]>" + std::string(kDocumentStart) +
            "<w:body><w:p><w:r><w:t>&j;</w:t></w:r></w:p></w:body></w:document>";
  ExpectRefused(docx::WritePackage({{"word/document.xml", laughs}}), "document type");
  const std::string external =
      "<?xml version=\"1.0\"?><!DOCTYPE w:document SYSTEM \"http://127.0.0.1:9/x.dtd\">" +
      std::string(kDocumentStart) + "<w:body/></w:document>";
  ExpectRefused(docx::WritePackage({{"word/document.xml", external}}), "document type");
}

TEST_F(HostileDocxTest, AZipBombStopsAtTheBound) {
  // 65 MiB of one letter inflate from a few dozen kilobytes.
  const std::string text(65u << 20, 'a');
  ExpectRefused(docx::WritePackage({{"word/document.xml", text}}), "inflates to more than 64 MiB");
  docx::PackageLimits small;
  small.maxTotalBytes = 1000;
  EXPECT_THROW(DocxToRecord(docx::WritePackage({{"word/document.xml", std::string(600, 'a')},
                                                {"word/b.xml", std::string(600, 'b')}}),
                            small),
               docx::PackageError);
}

}  // namespace
}  // namespace qv::word

namespace qv::word {
namespace {

// Damaged copies of a real package, part by part: each opens or is refused with 5151, never
// anything else, and what opens holds together.
TEST_F(HostileDocxTest, DamagedPartsOpenOrAreRefusedCleanly) {
  doc->Content()->SetText("Heading\r");
  auto t = doc->Tables()->Add(R(8, 8), 2, 2);
  doc->Tables()->Add(t->Cell(1, 1)->Range(), 1, 1);
  doc->InlineShapes()
      ->AddPicture(Gif().string(), false, true, t->Cell(2, 2)->Range())
      ->SetAlternativeText("kzoA0&checked=on");
  doc->Shapes()->AddShape(9, 1, 2, 30, 40, t->Cell(2, 1)->Range())->Mutable().alt = "kzoA7";
  doc->CustomDocumentProperties()->Add("KZOConvert", false, 4, Variant("7"));
  const auto parts = docx::ReadPackage(RecordToDocx(DocumentToJson(*doc)));
  uint32_t seed = 12345;
  auto next = [&] { return seed = seed * 1103515245u + 12345u; };
  int opened = 0, refused = 0;
  for (int round = 0; round < 300; ++round) {
    std::vector<std::pair<std::string, std::string>> damaged(parts.begin(), parts.end());
    auto& [name, bytes] = damaged[next() % damaged.size()];
    if (bytes.empty()) continue;
    for (int k = 0, n = 1 + static_cast<int>(next() % 4); k < n; ++k) {
      const size_t at = next() % bytes.size();
      switch (next() % 3) {
        case 0:
          bytes[at] = static_cast<char>(next());
          break;
        case 1:
          bytes.erase(at, 1 + next() % 16);
          break;
        default:
          bytes.insert(at, bytes.substr(next() % bytes.size(), 1 + next() % 40));
      }
      if (bytes.empty()) bytes = "x";
    }
    const auto file = profile.Dir() / "damaged.docx";
    ASSERT_TRUE(platform::WriteFileAtomically(file, docx::WritePackage(damaged)));
    try {
      auto d = app->Documents()->Open(file.string());
      d->GetStory().CheckInvariants();
      d->Close();
      ++opened;
    } catch (const automation::AutomationError& e) {
      ASSERT_EQ(e.Number(), kErrCorruptFile) << name << ": " << e.Description();
      ++refused;
    }
  }
  EXPECT_GT(refused, 0);
  EXPECT_GT(opened, 0);
}

}  // namespace
}  // namespace qv::word
