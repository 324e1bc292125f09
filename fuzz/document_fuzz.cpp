// Document files, native and docx: a file the loader accepts must take a fixed sequence of edits
// without breaking the story, and what is then saved must open again and read back unchanged.

#include <nlohmann/json.hpp>

#include "automation/error_trap.h"
#include "fuzz/fuzz_target.h"
#include "word/application.h"
#include "word/doc_file.h"
#include "word/document.h"
#include "word/documents.h"
#include "word/docx/docx_file.h"
#include "word/docx/zip_package.h"
#include "word/find.h"
#include "word/range.h"
#include "word/table.h"

namespace {

using namespace qv;

std::shared_ptr<word::Application> App() {
  fuzz::UseTemporaryProfile();
  static auto app = std::make_shared<word::Application>();
  return app;
}

void Edit(word::Document& doc) {
  automation::ErrorsIgnored ignore;
  auto content = doc.Content();
  ignore([&] { doc.Range(1, 1)->InsertBefore("typed\r"); });
  ignore([&] {
    auto f = doc.Content()->Find();
    f->text = "^p";
    f->replacement->text = "";
    f->replace = word::wdReplaceAll;
    f->Execute();
  });
  ignore([&] {
    auto tables = doc.Tables();
    if (tables->Count() == 0) return;
    auto t = tables->Item(1);
    t->Rows()->Add();
    t->Rows()->Item(1)->Delete();
    (void)doc.Tables()->Count();
    t->Cell(1, 1)->Split(1, 2);
    t->RowList().front()->Cells()->Merge();
    doc.Tables()->Add(t->Cell(1, 1)->Range(), 1, 1);
  });
  ignore([&] {
    const int64_t len = doc.GetStory().Length();
    doc.Range(len / 3, 2 * len / 3)->Delete();
  });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  nlohmann::json record;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  try {
    // A docx package is read into the same record as a native file and checked by the same rules.
    record = word::LooksLikeDocx(bytes) ? word::DocxToRecord(bytes) : nlohmann::json::parse(bytes);
  } catch (const nlohmann::json::exception&) {
    return 0;
  } catch (const word::docx::PackageError&) {
    return 0;
  } catch (const automation::AutomationError&) {
    return 0;
  }
  auto app = App();
  auto doc = app->Documents()->Add();
  try {
    word::DocumentFromJson(*doc, record);
  } catch (const automation::AutomationError&) {
    doc->Close();
    return 0;  // refused with a reason: what a damaged file gets
  }
  try {
    doc->GetStory().CheckInvariants();
    Edit(*doc);
    doc->GetStory().CheckInvariants();
  } catch (const std::logic_error& e) {
    fuzz::Fault(std::string("an accepted document broke under edits: ") + e.what());
  }
  nlohmann::json saved;
  try {
    saved = word::DocumentToJson(*doc);
  } catch (const nlohmann::json::exception&) {
    doc->Close();
    return 0;
  }
  doc->Close();
  auto again = app->Documents()->Add();
  try {
    word::DocumentFromJson(*again, saved);
  } catch (const automation::AutomationError& e) {
    fuzz::Fault("a saved document does not open again: " + e.Description());
  }
  if (word::DocumentToJson(*again) != saved) fuzz::Fault("a saved document reads back changed");
  again->Close();
  return 0;
}

std::vector<std::string> qv::fuzz::Seeds() {
  auto app = App();
  std::vector<std::string> seeds;
  auto doc = app->Documents()->Add();
  doc->Content()->SetText("Heading\r");
  seeds.push_back(word::DocumentToJson(*doc).dump());
  auto t = doc->Tables()->Add(doc->Range(8, 8), 3, 2);
  t->Cell(1, 1)->Range()->InsertBefore("question");
  seeds.push_back(word::DocumentToJson(*doc).dump());
  auto box = doc->Tables()->Add(t->Cell(2, 1)->Range(), 1, 1);
  doc->Tables()->Add(box->Cell(1, 1)->Range(), 1, 2);
  t->RowList()[2]->Cells()->Merge();
  doc->CustomDocumentProperties();
  seeds.push_back(word::DocumentToJson(*doc).dump(1));
  // The same documents as docx packages.
  const size_t native = seeds.size();
  for (size_t i = 0; i < native; ++i)
    seeds.push_back(word::RecordToDocx(nlohmann::json::parse(seeds[i])));
  doc->Close();
  return seeds;
}
