// Files changed by a hostile hand: numbers moved, structure characters put in the text, list
// entries swapped or dropped. Each is either refused with 5151 or opens, takes edits without
// breaking the story, and saves into a file that opens again unchanged.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>

#include "automation/error_trap.h"
#include "automation/text/utf8.h"
#include "word/custom_properties.h"
#include "word/doc_file.h"
#include "word/errors.h"
#include "word/find.h"
#include "word/tests/word_test_support.h"

namespace qv::word {
namespace {

using automation::Variant;
using testing::WordTest;

class MutatedFileTest : public WordTest, public ::testing::WithParamInterface<unsigned> {
 protected:
  void BuildQuestionLikeDocument() {
    doc->Content()->SetText("Heading\r");
    auto t = doc->Tables()->Add(R(8, 8), 4, 2);
    t->RowList()[0]->Cells()->Merge();
    t->Cell(2, 1)->Range()->InsertBefore("question\rtext");
    auto box = doc->Tables()->Add(t->Cell(3, 1)->Range(), 1, 1);
    doc->Tables()->Add(box->Cell(1, 1)->Range(), 2, 1);
    doc->InlineShapes()->AddPicture(Gif().string(), false, true, t->Cell(1, 1)->Range());
    doc->Shapes()->AddShape(1, 10, 12, 100, 65, t->Cell(4, 1)->Range());
    doc->CustomDocumentProperties()->Add("KZOConvert", false, 4, Variant("7"));
    doc->Content()->InsertAfter("tail");
    doc->Tables()->Add(R(doc->Content()->End() - 1, doc->Content()->End() - 1), 1, 3);
    Check();
  }

  static void Edit(Document& d) {
    automation::ErrorsIgnored ignore;
    ignore([&] { d.Range(1, 1)->InsertBefore("typed\r"); });
    ignore([&] {
      auto f = d.Content()->Find();
      f->text = "^p";
      f->replacement->text = "";
      f->replace = wdReplaceAll;
      f->Execute();
    });
    ignore([&] {
      if (d.Tables()->Count() == 0) return;
      auto t = d.Tables()->Item(1);
      t->Rows()->Add();
      t->Rows()->Item(1)->Delete();
      (void)d.Tables()->Count();
      t->Cell(1, 1)->Split(1, 2);
      t->RowList().front()->Cells()->Merge();
      d.Tables()->Add(t->Cell(1, 1)->Range(), 1, 1);
    });
    ignore([&] {
      const int64_t len = d.GetStory().Length();
      d.Range(len / 3, 2 * len / 3)->Delete();
    });
  }
};

TEST_P(MutatedFileTest, IsRefusedOrSurvivesEditsAndASave) {
  BuildQuestionLikeDocument();
  const auto flat = DocumentToJson(*doc).flatten();
  std::vector<std::string> leaves;
  for (auto it = flat.begin(); it != flat.end(); ++it)
    leaves.push_back(it.key());
  std::mt19937 rng(GetParam());
  auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); };
  const int64_t numbers[] = {-1, 0, 1, 2, 7, 63, 64, 32767, INT32_MAX, INT32_MIN, int64_t{1} << 40};
  const char32_t characters[] = {kCellMark, kParagraphMark, kObjectChar, U'x', kPageBreak};
  int refused = 0, opened = 0;
  // A short run by default; QV_MUTATED_ROUNDS asks for a longer one.
  const char* asked = std::getenv("QV_MUTATED_ROUNDS");
  const int rounds = asked ? std::atoi(asked) : 100;
  for (int round = 0; round < rounds; ++round) {
    auto mutated = flat;
    for (size_t n = 1 + pick(3); n > 0; --n) {
      const std::string& key = leaves[pick(leaves.size())];
      auto& v = mutated[key];
      if (key == "/text") {
        std::u32string text = text::DecodeUtf8(v.get<std::string>());
        text[pick(text.size())] = characters[pick(std::size(characters))];
        v = text::EncodeUtf8(text);
      } else if (v.is_number_integer()) {
        v = pick(2) ? numbers[pick(std::size(numbers))] : v.get<int64_t>() + (pick(2) ? 1 : -1);
      } else if (pick(4) == 0) {
        mutated.erase(key);
      }
    }
    nlohmann::json record = mutated.unflatten();
    if (pick(3) == 0 && record["tables"].size() > 1) {
      // Lists out of their order.
      auto& rows = record["tables"][pick(record["tables"].size())]["rows"];
      if (rows.size() > 1) std::swap(rows[0], rows[rows.size() - 1]);
    }
    auto d = app->Documents()->Add();
    try {
      DocumentFromJson(*d, record);
    } catch (const automation::AutomationError& e) {
      EXPECT_EQ(e.Number(), kErrCorruptFile);
      d->Close();
      ++refused;
      continue;
    }
    ++opened;
    try {
      d->GetStory().CheckInvariants();
      Edit(*d);
      d->GetStory().CheckInvariants();
    } catch (const std::logic_error& e) {
      FAIL() << "round " << round << ": " << e.what() << "\n" << record.dump();
    }
    const auto saved = DocumentToJson(*d);
    d->Close();
    auto again = app->Documents()->Add();
    EXPECT_NO_THROW(DocumentFromJson(*again, saved)) << "round " << round;
    EXPECT_EQ(DocumentToJson(*again), saved) << "round " << round;
    again->Close();
  }
  // Both kinds occur, so the rounds test both paths.
  EXPECT_GT(refused, 0);
  EXPECT_GT(opened, 0);
  std::printf("%d files refused, %d opened, edited, saved and reopened\n", refused, opened);
}

INSTANTIATE_TEST_SUITE_P(Seeds, MutatedFileTest, ::testing::Values(3u, 11u, 2026u));

}  // namespace
}  // namespace qv::word
