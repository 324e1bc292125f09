#include "addin/document/Work.h"

#include <vector>

#include "addin/document/page_breaks.h"
#include "addin/document/process_paste.h"
#include "addin/document/save_processing.h"
#include "addin/document/validate_doc.h"
#include "addin/questions/g_construction.h"
#include "word/document.h"
#include "word/inline_shape.h"
#include "word/range.h"
#include "word/table.h"

namespace qv::addin {
namespace {

template <class T>
T& ObjectArg(automation::Args& args, size_t index) {
  auto object = std::dynamic_pointer_cast<T>(args.Object(index));
  if (!object) automation::Raise(automation::err::kTypeMismatch);
  return *object;
}

}  // namespace

bool Work::InsertBreak(word::Document& doc) {
  StampDocument(doc);
  InsertBreakAtSelection(doc);
  return false;
}

bool Work::DeleteBreak(word::Document& doc) {
  DeleteBreakAtSelection(doc);
  return false;
}

bool Work::UpdateQTable(word::Table& table) {
  if (table.Rows()->Count() != 3) return false;
  // Collected first: each conversion takes its picture out of the text.
  std::vector<std::shared_ptr<word::InlineShape>> pictures;
  auto inRow = table.Rows()->Item(3)->Range()->InlineShapes();
  for (int32_t i = 1; i <= inRow->Count(); ++i)
    pictures.push_back(inRow->Item(i));
  for (const auto& picture : pictures)
    picture->ConvertToShape();
  return !pictures.empty();
}

bool Work::ValidateDoc(const std::shared_ptr<word::Document>& doc) {
  return addin::ValidateDoc(doc);
}

bool Work::ProcessKZOInfo(word::Document& doc) {
  return addin::ProcessKZOInfo(doc) != SaveOutcome::NotCourseDocument;
}

bool Work::ProcessPaste(word::Range& range, word::Document& doc) {
  return addin::ProcessPaste(range, doc);
}

const automation::DispatchTable& Work::Members() const {
  static const automation::DispatchTable table =
      automation::ClassTable<Work>("Work")
          .Method("InsertBreak",
                  [](Work& w, automation::Args& a) {
                    return w.InsertBreak(ObjectArg<word::Document>(a, 0));
                  })
          .Method("DeleteBreak",
                  [](Work& w, automation::Args& a) {
                    return w.DeleteBreak(ObjectArg<word::Document>(a, 0));
                  })
          .Method("UpdateQTable",
                  [](Work& w, automation::Args& a) {
                    return w.UpdateQTable(ObjectArg<word::Table>(a, 0));
                  })
          .Method("ValidateDoc",
                  [](Work& w, automation::Args& a) {
                    auto doc = std::dynamic_pointer_cast<word::Document>(a.Object(0));
                    if (!doc) automation::Raise(automation::err::kTypeMismatch);
                    return w.ValidateDoc(doc);
                  })
          .Method("ProcessKZOInfo",
                  [](Work& w, automation::Args& a) {
                    return w.ProcessKZOInfo(ObjectArg<word::Document>(a, 0));
                  })
          .Method("ProcessPaste",
                  [](Work& w, automation::Args& a) {
                    return w.ProcessPaste(ObjectArg<word::Range>(a, 0),
                                          ObjectArg<word::Document>(a, 1));
                  })
          .Build();
  return table;
}

}  // namespace qv::addin
