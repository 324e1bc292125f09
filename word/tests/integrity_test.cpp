// Documents that must survive every edit: deleting text keeps the structure marks the story
// needs, whichever object model call deletes it, and what is saved opens again.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <fstream>
#include <random>

#include "automation/text/utf8.h"
#include "platform/files.h"
#include "word/doc_file.h"
#include "word/errors.h"
#include "word/find.h"
#include "word/image_info.h"
#include "word/render.h"
#include "word/tests/word_test_support.h"

namespace qv::word {
namespace {

using testing::WordTest;

class IntegrityTest : public WordTest {
 protected:
  // Saves, reopens and compares; the reopened document replaces `doc`.
  void Reopen() {
    Check();
    const auto file = profile.Dir() / "again.doc";
    doc->SaveAs(file.string());
    const auto before = DocumentToJson(*doc);
    doc->Close();
    doc = app->Documents()->Open(file.string());
    Check();
    EXPECT_EQ(DocumentToJson(*doc), before);
  }

  bool ReplaceAll(const std::shared_ptr<Range>& in, const std::string& what,
                  const std::string& with) {
    auto f = in->Find();
    f->text = what;
    f->replacement->text = with;
    f->replace = wdReplaceAll;
    return f->Execute();
  }
};

TEST_F(IntegrityTest, ReplacingEveryParagraphMarkKeepsTablesAndTheFinalMark) {
  doc->Content()->SetText("one\rtwo\rthree\r");
  auto t = doc->Tables()->Add(R(8, 8), 2, 2);
  t->Cell(1, 1)->Range()->InsertBefore("a\rb");
  auto nested = doc->Tables()->Add(t->Cell(2, 2)->Range(), 1, 1);
  nested->Cell(1, 1)->Range()->InsertBefore("deep\rer");
  EXPECT_TRUE(ReplaceAll(doc->Content(), "^p", ""));
  Check();
  // The mark in front of the table stays, so the table is still a table and still the first.
  EXPECT_EQ(doc->Tables()->Count(), 1);
  EXPECT_EQ(doc->Tables()->Item(1), t);
  EXPECT_EQ(t->Cell(1, 1)->Range()->Text(), "ab\r\a");
  EXPECT_EQ(nested->Cell(1, 1)->Range()->Text(), "deeper\r\a");
  EXPECT_EQ(doc->GetStory().CodeAt(doc->GetStory().Length() - 1), kParagraphMark);
  EXPECT_EQ(doc->Content()->Text().substr(0, 7), "onetwo\r");
  Reopen();
  // Over again: nothing more can go, and the search ends.
  EXPECT_TRUE(ReplaceAll(doc->Content(), "^p", ""));
  Reopen();
}

TEST_F(IntegrityTest, ReplacingInsideARangeStopsAtItsEnd) {
  doc->Content()->SetText("a\rb\rc\rd");
  EXPECT_TRUE(ReplaceAll(R(0, 4), "^p", "-"));
  EXPECT_EQ(Text(), "a-b-c\rd\r");
  // The final mark is found but stays as it is.
  EXPECT_TRUE(ReplaceAll(doc->Content(), "^p", "^p^p"));
  EXPECT_EQ(Text(), "a-b-c\r\rd\r");
  Check();
}

TEST_F(IntegrityTest, EveryDeletionKeepsTheStructureMarks) {
  doc->Content()->SetText("intro\r");
  auto t = doc->Tables()->Add(R(6, 6), 3, 2);
  for (int r = 1; r <= 3; ++r)
    for (int c = 1; c <= 2; ++c)
      t->Cell(r, c)->Range()->InsertBefore("cell" + std::to_string(r) + std::to_string(c));
  doc->Content()->InsertAfter("tail");
  // A range from the middle of the text into the middle of the table: the text goes, the mark in
  // front of the table and the cell and row marks stay.
  const int64_t inTable = t->Cell(2, 1)->Range()->Start() + 2;
  R(2, inTable)->Delete();
  Check();
  EXPECT_EQ(t->RowList().size(), 3u);
  EXPECT_EQ(t->Cell(2, 1)->Range()->Text(), "ll21\r\a");
  // The selection typing over the whole document leaves an empty document.
  doc->Content()->Select();
  app->Selection()->TypeText("fresh");
  Check();
  EXPECT_EQ(Text(), "fresh\r");
  EXPECT_TRUE(t->Deleted());
  Reopen();
}

// --- files that are damaged in ways the loader must see ------------------------------------------

class DamagedFileTest : public IntegrityTest {
 protected:
  // Writes `record` and opens it: the document, or nullptr when it was refused with 5151 (the
  // refusal's text in `why`). A refused file is left as it was.
  std::shared_ptr<Document> Open(const nlohmann::json& record, std::string* why = nullptr) {
    const auto file = profile.Dir() / ("damaged" + std::to_string(++files_) + ".doc");
    const std::string text = record.dump();
    EXPECT_TRUE(platform::WriteFileAtomically(file, text));
    try {
      return app->Documents()->Open(file.string());
    } catch (const automation::AutomationError& e) {
      EXPECT_EQ(e.Number(), kErrCorruptFile) << e.Description();
      if (why) *why = e.Description();
      EXPECT_EQ(*platform::ReadWholeFile(file), text);
      return nullptr;
    }
  }

  int files_ = 0;

  // Every character of the text in one formatting run.
  static void OneRun(nlohmann::json& j) {
    const auto n = static_cast<int64_t>(text::DecodeUtf8(j["text"].get<std::string>()).size());
    j["fontRuns"] = nlohmann::json::array({{n, 0}});
    j["paragraphRuns"] = nlohmann::json::array({{n, 0}});
  }
};

TEST_F(DamagedFileTest, RowsOrCellsListedOutOfTheirOrderAreRefused) {
  doc->Content()->SetText("x\r");
  auto t = doc->Tables()->Add(R(2, 2), 3, 2);
  t->Cell(1, 1)->Range()->InsertBefore("first");
  const auto good = DocumentToJson(*doc);
  auto rows = good;
  std::swap(rows["tables"][0]["rows"][0], rows["tables"][0]["rows"][1]);
  EXPECT_EQ(Open(rows), nullptr);
  auto cells = good;
  std::swap(cells["tables"][0]["rows"][1]["cells"][0], cells["tables"][0]["rows"][1]["cells"][1]);
  EXPECT_EQ(Open(cells), nullptr);
  // The healthy file opens, and deleting its first row leaves a table that answers.
  auto opened = Open(good);
  ASSERT_NE(opened, nullptr);
  opened->Tables()->Item(1)->Rows()->Item(1)->Delete();
  EXPECT_EQ(opened->Tables()->Count(), 1);
  EXPECT_EQ(opened->Tables()->Item(1)->Rows()->Count(), 2);
  opened->GetStory().CheckInvariants();
}

TEST_F(DamagedFileTest, ARowEndOnTheFinalParagraphMarkIsRefused) {
  doc->Content()->SetText("x\r");
  doc->Tables()->Add(R(2, 2), 1, 1);
  auto j = DocumentToJson(*doc);
  // "x\r" cell-end row-end "\r": the row's end now claims the final paragraph mark.
  std::u32string text = text::DecodeUtf8(j["text"].get<std::string>());
  ASSERT_EQ(text.size(), 5u);
  text.erase(3, 1);
  j["text"] = text::EncodeUtf8(text);
  j["tables"][0]["rows"][0]["end"] = 3;
  OneRun(j);
  std::string why;
  EXPECT_EQ(Open(j, &why), nullptr);
  EXPECT_NE(why.find("end-of-row mark"), std::string::npos) << why;
}

TEST_F(DamagedFileTest, ATableInsideAParagraphIsRefused) {
  doc->Content()->SetText("ab\r");
  doc->Tables()->Add(R(3, 3), 1, 1);
  auto j = DocumentToJson(*doc);
  // Move the text's paragraph mark behind the table: the table now starts after "ab".
  std::u32string text = text::DecodeUtf8(j["text"].get<std::string>());
  text.erase(2, 1);
  text.insert(4, 1, U'\r');
  j["text"] = text::EncodeUtf8(text);
  j["tables"][0]["start"] = 2;
  j["tables"][0]["rows"][0]["cells"][0]["end"] = 2;
  j["tables"][0]["rows"][0]["end"] = 3;
  OneRun(j);
  std::string why;
  EXPECT_EQ(Open(j, &why), nullptr);
  EXPECT_NE(why.find("inside a paragraph at 2"), std::string::npos) << why;
}

// A file of `depth` 1 x 1 tables, each in the first cell of the one before.
nlohmann::json NestedTables(nlohmann::json record, int depth) {
  const nlohmann::json model = record["tables"][0];
  record["tables"] = nlohmann::json::array();
  for (int k = 0; k < depth; ++k) {
    auto t = model;
    t["start"] = 0;
    t["rows"][0]["cells"][0]["end"] = 2 * (depth - k) - 2;
    t["rows"][0]["end"] = 2 * (depth - k) - 1;
    record["tables"].push_back(t);
  }
  record["text"] = std::string(static_cast<size_t>(2 * depth), '\a') + "\r";
  record["inlineShapes"] = nlohmann::json::array();
  record["shapes"] = nlohmann::json::array();
  return record;
}

TEST_F(DamagedFileTest, NestingIsBoundedInFilesAndInEdits) {
  auto t = doc->Tables()->Add(R(0, 0), 1, 1);
  auto base = DocumentToJson(*doc);
  // The limit itself opens, renders and saves.
  auto deepest = NestedTables(base, kMaxTableNesting);
  OneRun(deepest);
  auto opened = Open(deepest);
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(opened->Range(0, 0)->Tables()->Item(1)->NestingLevel(), kMaxTableNesting);
  EXPECT_NE(RenderDocument(*opened).find("| | +--"), std::string::npos);
  EXPECT_EQ(DocumentToJson(*opened), deepest);
  // One more is refused, and ten thousand are refused as quickly.
  for (int depth : {kMaxTableNesting + 1, 10000}) {
    auto deeper = NestedTables(base, depth);
    OneRun(deeper);
    std::string why;
    EXPECT_EQ(Open(deeper, &why), nullptr);
    EXPECT_NE(why.find("nested deeper than"), std::string::npos) << why;
  }
  // Edits cannot go past the limit either.
  auto inner = t;
  for (int level = 1; level < kMaxTableNesting; ++level)
    inner = doc->Tables()->Add(inner->Cell(1, 1)->Range(), 1, 1);
  EXPECT_EQ(inner->NestingLevel(), kMaxTableNesting);
  EXPECT_EQ(testing::ErrorNumber([&] { doc->Tables()->Add(inner->Cell(1, 1)->Range(), 1, 1); }),
            4605);
  Reopen();
}

TEST_F(DamagedFileTest, NumbersTheEngineCannotHoldAreRefusedWithTheirPlace) {
  doc->Content()->SetText("x\r");
  doc->Tables()->Add(R(2, 2), 2, 2);
  const auto good = DocumentToJson(*doc);
  struct Case {
    std::function<void(nlohmann::json&)> damage;
    const char* place;
  };
  const Case cases[] = {
      {[](nlohmann::json& j) { j["fonts"][0]["color"] = int64_t{1} << 40; }, "fonts[0]"},
      {[](nlohmann::json& j) { j["fonts"][0]["color"] = 1.5; }, "fonts[0]"},
      {[](nlohmann::json& j) { j["tables"][0]["rows"][1]["cells"][0]["width"] = 1e300; },
       "tables[0].rows[1].cells[0]"},
      {[](nlohmann::json& j) { j["tables"][0]["rows"][0]["end"] = uint64_t{1} << 63; },
       "tables[0].rows[0]"},
      {[](nlohmann::json& j) { j["tables"][0]["rows"][0]["heightRule"] = "1"; },
       "tables[0].rows[0]"},
      {[](nlohmann::json& j) { j["pageSetup"]["orientation"] = -(int64_t{1} << 33); }, "pageSetup"},
  };
  for (const auto& c : cases) {
    auto damaged = good;
    c.damage(damaged);
    std::string why;
    EXPECT_EQ(Open(damaged, &why), nullptr) << c.place;
    EXPECT_NE(why.find(std::string("(in ") + c.place + ")"), std::string::npos) << why;
  }
  EXPECT_NE(Open(good), nullptr);
}

TEST_F(DamagedFileTest, AFileOverTheLimitIsRefusedAtOnce) {
  const auto file = profile.Dir() / "huge.doc";
  std::ofstream(file) << "{";
  std::filesystem::resize_file(file, 200u << 20);  // sparse: nothing is written
  const auto started = std::chrono::steady_clock::now();
  std::string why;
  try {
    app->Documents()->Open(file.string());
  } catch (const automation::AutomationError& e) {
    EXPECT_EQ(e.Number(), kErrCorruptFile);
    why = e.Description();
  }
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
  EXPECT_NE(why.find("larger than 128 MB"), std::string::npos) << why;
  EXPECT_EQ(std::filesystem::file_size(file), 200u << 20);
}

TEST_F(IntegrityTest, ADocumentWithTheLongestNameSavesAndOpens) {
  doc->Content()->SetText("long");
  const auto file = profile.Dir() / (std::string(251, 'q') + ".doc");
  doc->SaveAs(file.string());
  doc->Close();
  doc = app->Documents()->Open(file.string());
  EXPECT_EQ(Text(), "long\r");
}

TEST_F(IntegrityTest, ASaverKilledAtAnyMomentLeavesTheLastSavedDocumentWhole) {
  doc->Content()->SetText(std::string(20000, 'w') + "\rEND");
  doc->Tables()->Add(R(1, 1), 3, 3);
  const auto file = profile.Dir() / "killed.doc";
  doc->SaveAs(file.string());
  std::mt19937 rng(15);
  int newer = 0;  // kills after which a save of the child had completed
  for (int kill = 0; kill < 50; ++kill) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (;;) {
        doc->Range(0, 0)->InsertBefore("x");
        doc->Save();
      }
    }
    ::usleep(std::uniform_int_distribution<useconds_t>(1000, 60000)(rng));
    ::kill(child, SIGKILL);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    auto opened = app->Documents()->Add();
    ASSERT_NO_THROW(ReadDocumentFile(*opened, file)) << "after kill " << kill;
    opened->GetStory().CheckInvariants();
    const std::string text = opened->Content()->Text();
    EXPECT_EQ(text.substr(text.size() - 4), "END\r") << "after kill " << kill;
    EXPECT_EQ(opened->Tables()->Count(), 1);
    if (text[0] == 'x') ++newer;
    opened->Close();
  }
  EXPECT_GT(newer, 0);
}

TEST(PictureHeader, SidesOutOfRangeAreNoPicture) {
  auto bmp = [](int32_t w, int32_t h) {
    std::string b = "BM" + std::string(16, '\0');
    for (int32_t v : {w, h})
      for (int k = 0; k < 4; ++k)
        b += static_cast<char>((static_cast<uint32_t>(v) >> (8 * k)) & 0xFF);
    return b + std::string(8, '\0');
  };
  EXPECT_FALSE(ParseImage(bmp(4, INT32_MIN)).has_value());
  EXPECT_FALSE(ParseImage(bmp(INT32_MIN, 4)).has_value());
  EXPECT_FALSE(ParseImage(bmp(4, kMaxPicturePixels + 1)).has_value());
  auto topDown = ParseImage(bmp(4, -3));
  ASSERT_TRUE(topDown.has_value());
  EXPECT_EQ(topDown->pixelHeight, 3);
  std::string png = std::string("\x89PNG\r\n\x1a\n", 8) + std::string("\0\0\0\x0dIHDR", 8) +
                    std::string("\0\0\0\x04\x80\0\0\0", 8);
  EXPECT_FALSE(ParseImage(png).has_value());
}

}  // namespace
}  // namespace qv::word
