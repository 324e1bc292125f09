// Long runs of mixed edits with a fixed seed: after every edit the story must still follow its
// grammar, and the document must survive a save and reload unchanged.

#include <gtest/gtest.h>

#include <random>

#include "automation/error_trap.h"
#include "word/doc_file.h"
#include "word/find.h"
#include "word/tests/word_test_support.h"

namespace qv::word {
namespace {

using automation::Variant;
using testing::WordTest;

class EditSequenceTest : public WordTest, public ::testing::WithParamInterface<unsigned> {
 protected:
  // Saves, reopens and compares; editing goes on in the reopened document.
  void SaveReopenCompare(int step) {
    const auto file = profile.Dir() / ("edited" + std::to_string(step) + ".doc");
    doc->SaveAs(file.string());
    const auto before = DocumentToJson(*doc);
    doc->Close();
    doc = app->Documents()->Open(file.string());
    Check();
    const auto changes = nlohmann::json::diff(before, DocumentToJson(*doc));
    EXPECT_TRUE(changes.empty()) << "after step " << step << ": " << changes.dump().substr(0, 3000);
  }
};

// Every edit of the object model, mixed at random places; the story's grammar is checked after
// each (and, in debug builds, by the story itself inside each edit), and every few hundred steps
// the document is saved, reopened, compared and edited further.
TEST_P(EditSequenceTest, MixedEditsKeepTheGrammarAndSurviveAReload) {
  std::mt19937 rng(GetParam());
  const std::string gif = Gif().string();
  auto pick = [&](int64_t n) { return std::uniform_int_distribution<int64_t>(0, n - 1)(rng); };
  const char* needles[] = {"^p", "t", "a^p", "^m", "x "};
  const char* replacements[] = {"", "x", "^p", "t^m"};
  constexpr int kSteps = 2500;
  for (int step = 1; step <= kSteps; ++step) {
    const int64_t len = doc->GetStory().Length();
    const int64_t a = pick(len);
    const int64_t b = std::min(len, a + pick(len > 400 ? 200 : 12));
    const int op = static_cast<int>(pick(12));
    automation::ErrorsIgnored ignore;  // an edit the host refuses is no fault here
    // The innermost table at `a`, if any.
    auto tableAt = [&]() -> std::shared_ptr<Table> {
      auto tables = R(a, a)->Tables();
      return tables->Count() > 0 ? tables->Item(1) : nullptr;
    };
    switch (op) {
      case 0:
        ignore([&] { R(a, a)->InsertBefore(step % 3 ? "text " : "para\r"); });
        break;
      case 1:
        ignore([&] {
          R(a, b)->Select();
          app->Selection()->TypeText(step % 2 ? "typed" : "\r");
        });
        break;
      case 2:
        ignore([&] { R(a, b)->Delete(); });
        break;
      case 3:
        ignore([&] { doc->Tables()->Add(R(a, a), 1 + pick(3), 1 + pick(3)); });
        break;
      case 4:
        ignore([&] { doc->InlineShapes()->AddPicture(gif, false, true, R(a, a)); });
        break;
      case 5:
        ignore([&] {
          auto t = tableAt();
          if (!t) return;
          switch (pick(8)) {
            case 0:
              t->RowList()[0]->Cells()->Merge();
              break;
            case 1:
              t->Cell(1, 1)->Split(1, 2);
              break;
            case 2:
              t->Rows()->Add();
              break;
            case 3:
              t->Rows()->Item(1)->Delete();
              break;
            case 4:
              t->RowList().back()->Delete();
              break;
            case 5:
              R(a, a)->Select();
              app->Selection()->InsertRowsBelow(1);
              break;
            case 6:
              t->Delete();
              break;
            case 7:
              t->Cell(1, 1)->Range()->Delete();
              break;
          }
        });
        break;
      case 6:
        ignore([&] { R(a, b)->SetText("x"); });
        break;
      case 7:
        ignore([&] { doc->Shapes()->AddShape(1, 0, 0, 5, 5, R(a, a)); });
        break;
      case 8:
        ignore([&] {
          auto f = R(a, b)->Find();
          f->text = needles[pick(5)];
          f->replacement->text = replacements[pick(4)];
          f->replace = wdReplaceAll;
          f->Execute();
        });
        break;
      case 9:
        ignore([&] {
          auto pictures = R(a, b)->InlineShapes();
          if (pictures->Count() == 0) return;
          auto p = pictures->Item(1);
          if (pick(2))
            p->ConvertToShape();
          else
            p->Delete();
        });
        break;
      case 10:
        ignore([&] {
          auto shapes = doc->Shapes();
          if (shapes->Count() > 0)
            shapes->Item(Variant(1 + static_cast<int32_t>(pick(shapes->Count()))))->Delete();
        });
        break;
      case 11:
        // Questions after edits: every table and row still answers.
        for (int32_t i = 1; i <= doc->Tables()->Count(); ++i) {
          auto t = doc->Tables()->Item(i);
          EXPECT_GE(t->Rows()->Count(), 1);
          EXPECT_GE(t->NestingLevel(), 1);
          EXPECT_LE(t->Start(), t->End());
        }
        break;
    }
    try {
      Check();
    } catch (const std::logic_error& e) {
      FAIL() << "after step " << step << " (operation " << op << " at " << a << "): " << e.what();
    }
    if (step % 500 == 0) SaveReopenCompare(step);
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, EditSequenceTest, ::testing::Values(1u, 7u, 42u, 20261207u));

}  // namespace
}  // namespace qv::word
