// Building a document of N question-shaped tables and walking its inline pictures: the time per
// table must stay flat as N grows (edits cost in proportion to the change, not the document).

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include "platform/testing/temp_profile.h"
#include "word/document.h"
#include "word/inline_shape.h"
#include "word/range.h"
#include "word/selection.h"
#include "word/shape.h"
#include "word/table.h"

namespace {

using namespace qv::word;

std::string WriteGif(const std::filesystem::path& dir) {
  const auto path = dir / "marker.gif";
  std::ofstream(path, std::ios::binary) << std::string("GIF89a\x01\x00\x01\x00\x80\x00\x00", 13);
  return path.string();
}

// One question: a 7 x 2 table at the insertion point, rows 1-3 merged, boxes nested in rows 2, 3
// and 4, a marker picture in row 1 and one per answer row.
void AddQuestion(Document& doc, const std::string& gif, int n) {
  auto sel = doc.Selection();
  sel->InsertBefore("\r");
  sel->Collapse(wdCollapseEnd);
  auto t = doc.Tables()->Add(sel->Range(), 7, 2);
  for (size_t r = 0; r < 3; ++r)
    t->RowList()[r]->Cells()->Merge();
  doc.InlineShapes()
      ->AddPicture(gif, false, true, t->Cell(1, 1)->Range())
      ->SetAlternativeText("kzoQ0&qID=" + std::to_string(n) + "&points=10");
  doc.Tables()->Add(t->Cell(2, 1)->Range(), 1, 1, 1, 2);
  auto box = doc.Tables()->Add(t->Cell(3, 1)->Range(), 1, 1, 1, 2);
  box->Range()->InsertAfter("Enter question text here\r");
  for (int k = 1; k <= 4; ++k)
    doc.InlineShapes()
        ->AddPicture(gif, false, true, t->Cell(k + 3, 1)->Range())
        ->SetAlternativeText("kzoA0");
  doc.Tables()->Add(t->Cell(4, 2)->Range(), 1, 1, 1, 2)->Range()->InsertBefore("Answer 1");
  t->Select();
  sel->Collapse(wdCollapseEnd);
}

void BuildAndWalk(benchmark::State& state) {
  qv::testing::TempProfile profile;
  const std::string gif = WriteGif(profile.Dir());
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    auto doc = Document::Create(nullptr, "Bench");
    for (int i = 0; i < n; ++i)
      AddQuestion(*doc, gif, i);
    auto pictures = doc->InlineShapes();
    size_t chars = 0;
    for (int32_t i = 1; i <= pictures->Count(); ++i)
      chars += pictures->Item(i)->AlternativeText().size();
    benchmark::DoNotOptimize(chars);
    if (pictures->Count() != 5 * n) state.SkipWithError("wrong number of pictures");
  }
  state.counters["per_table"] = benchmark::Counter(
      n, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(BuildAndWalk)->Arg(250)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond);

// The floating shapes of one paragraph (what the checks of an image question ask of its table) in
// a document of N paragraphs with a shape each: the time per lookup must not grow with N.
void ShapesOfAParagraph(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  auto doc = Document::Create(nullptr, "Bench");
  std::string text;
  for (int i = 0; i < n; ++i)
    text += "paragraph\r";
  doc->Content()->SetText(text);
  for (int i = 0; i < n; ++i)
    doc->Shapes()->AddShape(1, 0, 0, 10, 10, doc->Range(i * 10, i * 10));
  int64_t k = 0;
  for (auto _ : state) {
    const int64_t at = (k++ * 7919 % n) * 10;
    if (doc->Range(at, at + 9)->ShapeRange()->Count() != 1) state.SkipWithError("not one shape");
  }
}

BENCHMARK(ShapesOfAParagraph)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
