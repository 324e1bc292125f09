// The file text is written and read without a tree of the whole document; these tests hold it to
// the tree: a saved file is byte for byte the tree's dump, and a file is refused, or opens, exactly
// as the whole tree would have it (same error, same place).

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>
#include <random>

#include "automation/error_trap.h"
#include "platform/files.h"
#include "word/custom_properties.h"
#include "word/doc_file.h"
#include "word/errors.h"
#include "word/inline_shape_record.h"
#include "word/json_text.h"
#include "word/record_text.h"
#include "word/table_record.h"
#include "word/tests/word_test_support.h"

namespace qv::word {
namespace {

using automation::Variant;
using nlohmann::json;
using testing::WordTest;

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

class DocFileTextTest : public WordTest {
 protected:
  void BuildRich() {
    doc->Content()->SetText("Heading\t\"quoted\" \\ back/slash\r");
    auto t = doc->Tables()->Add(R(8, 8), 4, 3);
    t->RowList()[0]->Cells()->Merge();
    auto box = doc->Tables()->Add(t->Cell(2, 1)->Range(), 1, 1, 1, 2);
    doc->Tables()->Add(box->Cell(1, 1)->Range(), 2, 2);
    t->Cell(3, 2)->Range()->InsertAfter("Grüße € 𝄞 \x7f");
    t->Cell(2, 2)->SetPadding(kTop, 0.1);
    t->Cell(3, 1)->SetWidth(123.456789);
    t->Rows()->Item(2)->SetHeight(1e-5);
    auto marker =
        doc->InlineShapes()->AddPicture(Gif().string(), false, true, t->Cell(1, 1)->Range());
    marker->SetAlternativeText(std::string("kzoO5&ans=a\x01;b\x02&h=1&w=20 é\b\f\n"));
    doc->InlineShapes()->AddOLEControl("Forms.TextBox.1", t->Cell(4, 2)->Range())->Control()->text =
        "answer";
    auto shape = doc->Shapes()->AddShape(1, 10.25, 12, 100, 65, t->Cell(4, 1)->Range());
    shape->Mutable().alt = "kzoA7&type=1";
    shape->Mutable().textFrame.text = "label";
    doc->Shapes()->AddPicture(Gif("p.png", 4, 4).string());
    doc->CustomDocumentProperties()->Add("KZOConvert", false, 4, Variant("7"));
    doc->CustomDocumentProperties()->Add("Pages", false, 1, Variant(3));
    doc->CustomDocumentProperties()->Add("Ratio", false, 5, Variant(1.0 / 3));
    t->Shading()->SetBackgroundPatternColor(0);
    R(0, 7)->Font()->SetName("Arial");
    R(0, 3)->Font()->SetSize(10.5);
    R(0, 0)->ParagraphFormat()->SetKeepWithNext(true);
    R(doc->Content()->End() - 1, doc->Content()->End() - 1)->InsertBefore("a\fb\vc");
    Check();
  }

  std::string Saved(Document& d) {
    const auto file = profile.Dir() / "saved.doc";
    WriteDocumentFile(d, file);
    return *platform::ReadWholeFile(file);
  }

  static std::string TreeDump(Document& d) {
    return DocumentToJson(d).dump(1, ' ', false, json::error_handler_t::strict) + "\n";
  }

  // What opening `text` gives: the refusal's reason, or the opened document's record.
  std::string Opened(const std::string& text) {
    const auto file = profile.Dir() / "opened.doc";
    EXPECT_TRUE(platform::WriteFileAtomically(file, text));
    auto d = app->Documents()->Add();
    try {
      ReadDocumentFile(*d, file);
    } catch (const automation::AutomationError& e) {
      d->Close();
      return "refused " + std::to_string(e.Number()) + ": " + Reason(e.what(), "opened.doc");
    }
    const std::string record = DocumentToJson(*d).dump();
    d->Close();
    return record;
  }

  // The same through the whole tree, as files were read before.
  std::string OpenedAsTree(const std::string& text) {
    auto d = app->Documents()->Add();
    json record;
    try {
      record = json::parse(text);
    } catch (const json::exception& e) {
      d->Close();
      return "refused 5151: it is not a document file (" + std::string(e.what()) + "))";
    }
    try {
      DocumentFromJson(*d, record);
    } catch (const automation::AutomationError& e) {
      const std::string name = d->Name();
      d->Close();
      return "refused " + std::to_string(e.Number()) + ": " + Reason(e.what(), name);
    }
    const std::string saved = DocumentToJson(*d).dump();
    d->Close();
    return saved;
  }

  void ExpectOpensAsTheTree(const std::string& text, const std::string& what) {
    EXPECT_EQ(Opened(text), OpenedAsTree(text)) << what << "\n" << text.substr(0, 400);
  }

 private:
  // The message after "(name: ".
  static std::string Reason(const std::string& message, const std::string& name) {
    const auto at = message.find("(" + name + ": ");
    return at == std::string::npos ? message : message.substr(at + name.size() + 3);
  }
};

TEST_F(DocFileTextTest, ASavedFileIsTheTreesDumpByteForByte) {
  EXPECT_EQ(Saved(*doc), TreeDump(*doc)) << "empty document";
  BuildRich();
  const std::string text = Saved(*doc);
  EXPECT_EQ(text, TreeDump(*doc));
  // And it opens to the same record, which saves to the same bytes again.
  const auto file = profile.Dir() / "again.doc";
  ASSERT_TRUE(platform::WriteFileAtomically(file, text));
  auto again = app->Documents()->Open(file.string());
  EXPECT_EQ(DocumentToJson(*again), DocumentToJson(*doc));
  EXPECT_EQ(Saved(*again), text);
}

TEST_F(DocFileTextTest, NumbersAreWrittenAsTheTreeWritesThem) {
  BuildRich();
  auto t = doc->Tables()->Item(1);
  const double widths[] = {0.1,
                           1.0 / 3,
                           1e-7,
                           123456789.125,
                           2.5e-300,
                           -0.0,
                           1e15,
                           1e16,
                           9007199254740993.0,
                           5e-324,
                           0.30000000000000004};
  for (double w : widths) {
    t->Cell(1, 1)->MutableFmt().width = w;
    t->Cell(2, 1)->MutableFmt().padding[0] = -w;
    EXPECT_EQ(Saved(*doc), TreeDump(*doc)) << w;
  }
  std::mt19937_64 rng(7);
  for (int i = 0; i < 100; ++i) {
    const double w = std::uniform_real_distribution<double>(-1e7, 1e7)(rng) /
                     std::pow(10.0, static_cast<double>(rng() % 12));
    t->Cell(1, 1)->MutableFmt().width = w;
    ASSERT_EQ(Saved(*doc), TreeDump(*doc)) << w;
  }
}

TEST_F(DocFileTextTest, TextThatIsNotUtf8IsRefusedWithTheTreesError) {
  BuildRich();
  doc->InlineShapes()->Item(1)->SetAlternativeText(std::string("bad \xC3( byte"));
  std::string tree;
  try {
    (void)TreeDump(*doc);
  } catch (const json::exception& e) {
    tree = e.what();
  }
  ASSERT_FALSE(tree.empty());
  const auto file = profile.Dir() / "kept.doc";
  ASSERT_TRUE(platform::WriteFileAtomically(file, "old"));
  try {
    WriteDocumentFile(*doc, file);
    FAIL() << "saved";
  } catch (const automation::AutomationError& e) {
    EXPECT_EQ(e.Number(), 5153);
    EXPECT_EQ(std::string(e.what()), "The document could not be saved: " + tree);
  }
  EXPECT_EQ(*platform::ReadWholeFile(file), "old");
}

TEST_F(DocFileTextTest, BrokenTextIsRefusedAsTheTreeRefusesIt) {
  BuildRich();
  const std::string good = TreeDump(*doc);
  const json record = DocumentToJson(*doc);
  const std::string compact = record.dump();
  auto with = [&](const char* key, const json& value) {
    json j = record;
    j[key] = value;
    return j.dump();
  };
  auto without = [&](const char* key) {
    json j = record;
    j.erase(key);
    return j.dump();
  };
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"the saved file", good},
      {"compact", compact},
      {"spaced", record.dump(4)},
      {"not json", "not json at all"},
      {"empty", ""},
      {"cut short", good.substr(0, good.size() / 2)},
      {"trailing text", good + "x"},
      {"byte order mark", "\xEF\xBB\xBF" + compact},
      {"an array", "[1, 2]"},
      {"a key twice", "{\"format\": 1, " + compact.substr(1)},
      {"a key twice, the second kept", compact.substr(0, compact.size() - 1) + ", \"version\": 2}"},
      {"an escaped key", "{\"for\\u006dat\": 1, " + compact.substr(1)},
      {"a surrogate pair", Replaced(compact, "\"Arial\"", "\"A\\ud834\\udd1e\"")},
      {"a lone surrogate", "{\"format\": \"\\ud834\"}"},
      {"a number that overflows", "{\"format\": 1e400}"},
      {"a long number", "{\"version\": 1" + std::string(400, '0') + "}"},
      {"a tiny number", "{\"version\": 1e-400}"},
      {"a control character", "{\"format\": \"a\tb\"}"},
      {"bad UTF-8", "{\"format\": \"\xC3(\"}"},
      {"an overlong form", "{\"format\": \"\xC0\xAF\"}"},
      {"a format that is a number", with("format", 3)},
      {"another format", with("format", "text")},
      {"no version", without("version")},
      {"no tables", without("tables")},
      {"no text", without("text")},
      {"text a number", with("text", 5)},
      {"tables an object", with("tables", json::object({{"a", 1}}))},
      {"tables a number", with("tables", 7)},
      {"inline shapes null", with("inlineShapes", nullptr)},
      {"shapes a string", with("shapes", "x")},
      {"custom properties of numbers", with("customProperties", json::array({1, 2}))},
      {"runs an object", with("fontRuns", json::object())},
  };
  for (const auto& [what, text] : cases)
    ExpectOpensAsTheTree(text, what);
  // Every stored fuzz regression.
  const char* src = std::getenv("QV_SOURCE_DIR");
  const auto dir =
      std::filesystem::path(src ? src : ".") / "fuzz" / "regressions" / "document_fuzz";
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec))
    ExpectOpensAsTheTree(*platform::ReadWholeFile(entry.path()), entry.path().filename());
}

// Records changed at random (numbers moved, members dropped, lists reordered): whatever the tree
// makes of them, the file text makes the same, compact or laid out.
TEST_F(DocFileTextTest, MutatedRecordsOpenOrAreRefusedAsTheTreeHasIt) {
  BuildRich();
  const auto flat = DocumentToJson(*doc).flatten();
  std::vector<std::string> leaves;
  for (auto it = flat.begin(); it != flat.end(); ++it)
    leaves.push_back(it.key());
  std::mt19937 rng(2026);
  auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); };
  const int64_t numbers[] = {-1, 0, 1, 2, 7, 63, 64, 32767, INT32_MAX, int64_t{1} << 40};
  int refused = 0;
  for (int round = 0; round < 100; ++round) {
    auto mutated = flat;
    for (size_t n = 1 + pick(3); n > 0; --n) {
      const std::string& key = leaves[pick(leaves.size())];
      auto& v = mutated[key];
      if (v.is_number_integer())
        v = numbers[pick(std::size(numbers))];
      else if (v.is_number())
        v = pick(2) ? json(1e300) : json("text");
      else if (pick(3) == 0)
        mutated.erase(key);
      else
        v = pick(2) ? json(nullptr) : json(42);
    }
    const json record = mutated.unflatten();
    const std::string text = pick(2) ? record.dump() : record.dump(1);
    const std::string opened = Opened(text);
    EXPECT_EQ(opened, OpenedAsTree(text)) << "round " << round;
    refused += opened.rfind("refused", 0) == 0;
  }
  EXPECT_GT(refused, 0);
  EXPECT_LT(refused, 100);
}

// Tables as the saver writes them are read straight from their text, into the same formats.
TEST_F(DocFileTextTest, SavedTablesAreReadStraightFromTheirText) {
  BuildRich();
  const std::string text = Saved(*doc);  // the members are spans of it
  const auto members = ScanObjectMembers(text);
  ASSERT_TRUE(members);
  const auto& items = members->at("tables").items;
  ASSERT_EQ(items.size(), static_cast<size_t>(doc->Tables()->Count()) + 2);  // two nested
  for (size_t i = 0; i < items.size(); ++i) {
    const auto record = ReadTableRecord(items[i]);
    ASSERT_TRUE(record) << items[i];
    const json tree = json::parse(items[i]);
    EXPECT_EQ(record->start, tree["start"].get<int64_t>());
    ASSERT_EQ(record->rows.size(), tree["rows"].size());
    for (size_t r = 0; r < record->rows.size(); ++r) {
      EXPECT_EQ(record->rows[r].end, tree["rows"][r]["end"].get<int64_t>());
      EXPECT_EQ(record->rows[r].height, tree["rows"][r]["height"].get<double>());
      ASSERT_EQ(record->rows[r].cells.size(), tree["rows"][r]["cells"].size());
      for (size_t c = 0; c < record->rows[r].cells.size(); ++c) {
        const auto& cell = record->rows[r].cells[c];
        const json& cj = tree["rows"][r]["cells"][c];
        EXPECT_EQ(cell.end, cj["end"].get<int64_t>());
        EXPECT_EQ(cell.format.width, cj["width"].get<double>());
        EXPECT_EQ(cell.format.padding[0], cj["padding"][0].get<double>());
        EXPECT_EQ(cell.format.borders.lines[4].color, cj["borders"]["lines"][4][1].get<int>());
        EXPECT_EQ(cell.format.shading.background, cj["shading"]["background"].get<int>());
      }
    }
  }
  // Each table of the document is the one it was.
  auto again = app->Documents()->Add();
  const auto file = profile.Dir() / "tables.doc";
  WriteDocumentFile(*doc, file);
  ReadDocumentFile(*again, file);
  for (int32_t i = 1; i <= doc->Tables()->Count(); ++i)
    EXPECT_EQ(again->Tables()->Item(i)->Fmt(), doc->Tables()->Item(i)->Fmt());
}

// Anything but the saver's own shape is left to the tree, which names the fault.
TEST(TableRecord, OnlyTheSaversShapeIsReadStraight) {
  const std::string cell =
      R"({"borders": {"lines": [[0,0,0.5],[0,0,0.5],[0,0,0.5],[0,0,0.5],[0,0,0.5],[0,0,0.5]],)"
      R"( "shadow": false}, "end": 1, "padding": [0.0, 0.0, 0.0, 0.0], "shading": {"background":)"
      R"( -16777216, "foreground": -16777216, "texture": 0}, "verticalAlignment": 0, "width": W})";
  auto table = [&](const std::string& width, const std::string& tail) {
    std::string c = cell;
    c.replace(c.find('W'), 1, width);
    return R"({"allowAutoFit": false, "autoFitBehavior": 0, "borders": {"lines": [[0,0,0.5],)"
           R"([0,0,0.5],[0,0,0.5],[0,0,0.5],[1,6710886,0.5],[1,0,0.5]], "shadow": false},)"
           R"( "padding": [0.0, 0.0, 5.4, 5.4], "preferredWidth": 0.0, "preferredWidthType": 1,)"
           R"( "rows": [{"cells": [)" +
           c +
           R"(], "end": 2, "height": 0.0, "heightRule": 0}], "shading": {"background":)"
           R"( -16777216, "foreground": -16777216, "texture": 0}, "start": 0)" +
           tail + "}";
  };
  const auto good = ReadTableRecord(table("432.0", R"(, "tableBehavior": 0)"));
  ASSERT_TRUE(good);
  EXPECT_EQ(good->rows[0].cells[0].format.width, 432.0);
  EXPECT_EQ(good->format.borders.lines[4].color, 6710886);
  EXPECT_TRUE(ReadTableRecord(table("1e2", R"(, "tableBehavior": 0)")));
  EXPECT_EQ(ReadTableRecord(table("-7", R"(, "tableBehavior": 0)"))->rows[0].cells[0].format.width,
            -7.0);
  for (const auto& [width, tail] : std::vector<std::pair<std::string, std::string>>{
           {"432.0", ""},                                     // a member missing
           {"432.0", R"(, "tableBehavior": 0, "extra": 1)"},  // one more
           {"432.0", R"(, "tableBehavior": 0, "start": 0)"},  // one twice
           {"432.0", R"(, "tableBehavior": 0.0)"},            // a whole number as a fraction
           {"432.0", R"(, "tableBehavior": 2147483648)"},     // past 32 bits
           {"1e8", R"(, "tableBehavior": 0)"},                // a size past the limit
           {R"("wide")", R"(, "tableBehavior": 0)"},          // not a number
           {"432.0", R"(, "tableBehavior": 0} x)"}}) {        // text after it
    EXPECT_FALSE(ReadTableRecord(table(width, tail))) << width << tail;
  }
  EXPECT_FALSE(ReadTableRecord(""));
}

// Inline shapes as the saver writes them are read straight from their text, unless a string would
// need decoding (the marker's alternative text here holds escapes and accents).
TEST_F(DocFileTextTest, SavedInlineShapesAreReadStraightUnlessAStringNeedsDecoding) {
  BuildRich();
  const std::string text = Saved(*doc);
  const auto members = ScanObjectMembers(text);
  ASSERT_TRUE(members);
  const auto& items = members->at("inlineShapes").items;
  ASSERT_EQ(items.size(), 2u);
  size_t straight = 0;
  for (const auto& item : items) {
    const json tree = json::parse(item);
    const auto record = ReadInlineShapeRecord(item);
    if (!record) {
      EXPECT_NE(item.find('\\'), std::string::npos) << item;
      continue;
    }
    ++straight;
    EXPECT_EQ(record->at, tree["at"].get<int64_t>());
    EXPECT_EQ(record->type, tree["type"].get<int32_t>());
    EXPECT_EQ(record->alternativeText, tree["alternativeText"].get<std::string>());
    EXPECT_EQ(record->width, tree["width"].get<double>());
    EXPECT_EQ(record->height, tree["height"].get<double>());
    EXPECT_EQ(record->lockAspectRatio, tree["lockAspectRatio"].get<bool>());
    EXPECT_EQ(record->source, tree["source"].get<std::string>());
    EXPECT_EQ(record->borders.lines[2].width, tree["borders"]["lines"][2][2].get<double>());
    ASSERT_EQ(record->hasImage, !tree["image"].is_null());
    if (record->hasImage) {
      EXPECT_EQ(record->imageData, tree["image"]["data"].get<std::string>());
    }
    ASSERT_EQ(record->control.has_value(), !tree["control"].is_null());
    if (record->control) {
      EXPECT_EQ(record->control->className, tree["control"]["className"].get<std::string>());
      EXPECT_EQ(record->control->text, "answer");
    }
  }
  EXPECT_EQ(straight, 1u);
  // The document opened again has the same pictures and controls.
  auto again = app->Documents()->Add();
  const auto file = profile.Dir() / "pictures.doc";
  WriteDocumentFile(*doc, file);
  ReadDocumentFile(*again, file);
  EXPECT_EQ(Saved(*again), text);
}

TEST(InlineShapeRecord, OnlyTheSaversShapeIsReadStraight) {
  const std::string lines = R"({"lines": [[0,0,0.5],[0,0,0.5],[0,0,0.5],[0,0,0.5],[0,0,0.5],)"
                            R"([0,0,0.5]], "shadow": false})";
  auto shape = [&](const std::string& alt, const std::string& image, const std::string& control,
                   const std::string& tail) {
    return R"({"alternativeText": )" + alt + R"(, "at": 12, "borders": )" + lines +
           R"(, "control": )" + control + R"(, "height": 20.0, "image": )" + image +
           R"(, "lockAspectRatio": true, "source": "C:/img/LO.gif", "type": 3)" + tail + "}";
  };
  const std::string image = R"({"data": "R0lGODlhAQABAAAAACw=", "format": "gif"})";
  const std::string control =
      R"({"className": "TextBox", "classType": "Forms.TextBox.1", "name": "t1", "text": "a"})";
  // The record's strings are views into its text, which must outlive them.
  const std::string goodText = shape(R"("kzoQ&id=1")", image, "null", R"(, "width": 7)");
  const auto good = ReadInlineShapeRecord(goodText);
  ASSERT_TRUE(good);
  EXPECT_EQ(good->alternativeText, "kzoQ&id=1");
  EXPECT_EQ(good->at, 12);
  EXPECT_EQ(good->width, 7.0);
  EXPECT_EQ(good->imageFormat, "gif");
  EXPECT_FALSE(good->control);
  const std::string controlText = shape(R"("")", "null", control, R"(, "width": 7)");
  const auto withControl = ReadInlineShapeRecord(controlText);
  ASSERT_TRUE(withControl);
  EXPECT_FALSE(withControl->hasImage);
  EXPECT_EQ(withControl->control->classType, "Forms.TextBox.1");
  for (const auto& [alt, tail] : std::vector<std::pair<std::string, std::string>>{
           {R"("a"b")", R"(, "width": 7)"},          // an escape
           {"\"\xC3\xA9\"", R"(, "width": 7)"},      // beyond ASCII
           {"\"tab\tin\"", R"(, "width": 7)"},       // a control character
           {R"("")", ""},                            // a member missing
           {R"("")", R"(, "width": 7, "x": 1)"},     // one more
           {R"("")", R"(, "width": 7, "type": 3)"},  // one twice
           {R"("")", R"(, "width": 1e8)"},           // past the limit of a size
           {"3", R"(, "width": 7)"},                 // not a string
           {R"("")", R"(, "width": 7} [])"}}) {      // text after it
    EXPECT_FALSE(ReadInlineShapeRecord(shape(alt, image, "null", tail))) << alt << tail;
  }
  EXPECT_FALSE(
      ReadInlineShapeRecord(shape(R"("")", R"({"data": "x"})", "null", R"(, "width": 7)")));
  EXPECT_FALSE(ReadInlineShapeRecord(shape(R"("")", image, "7", R"(, "width": 7)")));
  EXPECT_FALSE(ReadInlineShapeRecord(""));
}

// Strings are walked a word at a time where they are plain: a quote, backslash, control character
// or broken UTF-8 anywhere in a word must still be seen. The walk vouches only for what the full
// parser takes, and for every string that is plain or escaped ASCII.
TEST(ScanObjectMembers, StringsOfEveryKindOfByteAreJudgedAsTheParserJudgesThem) {
  std::mt19937 rng(88);
  const std::string alphabet =
      std::string("abcXYZ019 ~=&+/\"\\\x01\x1f\x7f\xc3\xa9\xe2\x82\xac\xff") + std::string(1, '\0');
  int vouched = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string str;
    const size_t n = rng() % 40;
    for (size_t k = 0; k < n; ++k)
      str += rng() % 8 ? alphabet[rng() % 9] : alphabet[rng() % alphabet.size()];
    const std::string text = "{\"k\": \"" + str + "\", \"n\": 1}";
    const auto members = ScanObjectMembers(text);
    const bool parses = json::accept(text);
    if (members) {
      ++vouched;
      ASSERT_TRUE(parses) << round;
      ASSERT_EQ(members->at("k").text, "\"" + str + "\"");
    }
  }
  EXPECT_GT(vouched, 5000);
}

// The quick reading of a short decimal gives the double from_chars gives, bit for bit, for every
// number of digits on either side of the point and both signs.
TEST(RecordText, ShortDecimalsReadAsFromChars) {
  std::mt19937_64 rng(515);
  for (int round = 0; round < 200000; ++round) {
    const auto whole = static_cast<int>(1 + rng() % 8);
    const auto fraction = static_cast<int>(1 + rng() % (15 - whole));
    std::string t = rng() % 2 ? "-" : "";
    t += std::to_string(1 + rng() % 9);
    for (int k = 1; k < whole; ++k)
      t += static_cast<char>('0' + rng() % 10);
    if (rng() % 4 == 0) t = t.substr(0, t.size() - 1) + "0";  // "0.x" or "-0.x" when one digit
    t += '.';
    for (int k = 0; k < fraction; ++k)
      t += static_cast<char>('0' + rng() % 10);
    double quick = 0;
    ASSERT_TRUE(record_text::Reader::ShortDecimal(t, quick)) << t;
    double exact = 0;
    std::from_chars(t.data(), t.data() + t.size(), exact);
    ASSERT_EQ(std::memcmp(&quick, &exact, sizeof quick), 0) << t;
  }
  double v = 0;
  for (const char* other : {"12", "1.", "-.5", "01.5", "1.5e3", "1.2345678901234567", "1.5x"})
    EXPECT_FALSE(record_text::Reader::ShortDecimal(other, v)) << other;
}

TEST(PrettyJsonWriter, LaysOutAsDump) {
  const json j = json::parse(
      R"({"a": [], "b": {}, "c": [1, [2, {"x": null}], {"y": [true, "s\n"]}], "d": 1.5})");
  std::string out;
  PrettyJsonWriter w(out);
  w.BeginObject();
  w.Key("a").BeginArray();
  w.EndArray();
  w.Key("b").BeginObject();
  w.EndObject();
  w.Key("c").BeginArray();
  w.Value(1);
  w.Value(j["c"][1]);
  w.BeginObject();
  w.Key("y").Value(j["c"][2]["y"]);
  w.EndObject();
  w.EndArray();
  w.Key("d").Value(1.5);
  w.EndObject();
  EXPECT_EQ(out, j.dump(1));
}

TEST(ScanObjectMembers, FindsMembersAndItemsOrDeclines) {
  const auto m =
      ScanObjectMembers(R"( {"a": [1, {"b": [2]}, "x,]"], "c": {"d": "}"}, "e": -1.5e3 } )");
  ASSERT_TRUE(m);
  ASSERT_EQ(m->size(), 3u);
  EXPECT_EQ(m->at("a").items, (std::vector<std::string_view>{"1", R"({"b": [2]})", R"("x,]")"}));
  EXPECT_FALSE(m->at("c").isArray);
  EXPECT_EQ(m->at("c").text, R"({"d": "}"})");
  EXPECT_EQ(m->at("e").text, "-1.5e3");
  for (const char* bad : {"", "[]", "{", "{\"a\": }", "{\"a\": 01}", "{\"a\": 1,}", "{\"a\": [1,]}",
                          "{\"a\": tru}", "{\"a\": 1} x", "{\"a\" 1}", "{\"a\": \"\\x\"}"})
    EXPECT_FALSE(ScanObjectMembers(bad)) << bad;
  EXPECT_TRUE(ScanObjectMembers("{}"));
}

}  // namespace
}  // namespace qv::word
