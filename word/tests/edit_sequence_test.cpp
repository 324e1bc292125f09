// Long runs of mixed edits with a fixed seed: after every edit the story must still follow its
// grammar, and the document must survive a save and reload unchanged.

#include <gtest/gtest.h>

#include <random>

#include "automation/error_trap.h"
#include "word/doc_file.h"
#include "word/tests/word_test_support.h"

namespace qv::word {
namespace {

using testing::WordTest;

class EditSequenceTest : public WordTest, public ::testing::WithParamInterface<unsigned> {};

TEST_P(EditSequenceTest, MixedEditsKeepTheGrammarAndSurviveAReload) {
  std::mt19937 rng(GetParam());
  const std::string gif = Gif().string();
  auto pick = [&](int64_t n) { return std::uniform_int_distribution<int64_t>(0, n - 1)(rng); };
  std::vector<std::shared_ptr<Table>> held;
  for (int step = 0; step < 400; ++step) {
    const int64_t len = doc->GetStory().Length();
    const int64_t a = pick(len);
    const int64_t b = std::min(len, a + pick(12));
    const int op = static_cast<int>(pick(9));
    automation::ErrorsIgnored ignore;  // an edit the host refuses is no fault here
    switch (op) {
      case 0:
      case 1:
        ignore([&] { R(a, a)->InsertBefore(step % 3 ? "text " : "para\r"); });
        break;
      case 2:
        ignore([&] { R(a, b)->Delete(); });
        break;
      case 3:
        ignore([&] { held.push_back(doc->Tables()->Add(R(a, a), 1 + pick(3), 1 + pick(3))); });
        break;
      case 4:
        ignore([&] { doc->InlineShapes()->AddPicture(gif, false, true, R(a, a)); });
        break;
      case 5:
        if (!held.empty()) {
          auto t = held[static_cast<size_t>(pick(static_cast<int64_t>(held.size())))];
          if (!t->Deleted()) {
            const int op2 = static_cast<int>(pick(4));
            ignore([&] {
              if (op2 == 0) t->RowList()[0]->Cells()->Merge();
              if (op2 == 1) t->Cell(1, 1)->Split(1, 2);
              if (op2 == 2) t->Rows()->Add();
              if (op2 == 3) t->RowList().back()->Delete();
            });
          }
        }
        break;
      case 6:
        ignore([&] { R(a, b)->SetText("x"); });
        break;
      case 7:
        ignore([&] { doc->Shapes()->AddShape(1, 0, 0, 5, 5, R(a, a)); });
        break;
      case 8:
        if (!held.empty() && pick(4) == 0) {
          auto t = held[static_cast<size_t>(pick(static_cast<int64_t>(held.size())))];
          if (!t->Deleted()) t->Delete();
        }
        break;
    }
    try {
      Check();
    } catch (const std::logic_error& e) {
      FAIL() << "after step " << step << " (operation " << op << " at " << a << "): " << e.what();
    }
  }
  const auto file = profile.Dir() / "edited.doc";
  doc->SaveAs(file.string());
  const auto before = DocumentToJson(*doc);
  doc->Close();
  auto again = app->Documents()->Open(file.string());
  const auto changes = nlohmann::json::diff(before, DocumentToJson(*again));
  EXPECT_TRUE(changes.empty()) << changes.dump().substr(0, 3000);
}

INSTANTIATE_TEST_SUITE_P(Seeds, EditSequenceTest, ::testing::Values(1u, 7u, 42u, 20261207u));

}  // namespace
}  // namespace qv::word
