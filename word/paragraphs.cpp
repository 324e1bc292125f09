#include "word/paragraphs.h"

#include "word/document.h"
#include "word/errors.h"
#include "word/range.h"
#include "word/structure.h"

namespace qv::word {

using automation::Args;
using automation::ClassTable;
using automation::DispatchTable;

std::shared_ptr<ParagraphFormat> Paragraph::Format() const {
  return range_->ParagraphFormat();
}

const DispatchTable& Paragraph::Members() const {
  static const DispatchTable table = ClassTable<Paragraph>("Paragraph")
                                         .Get("Range", [](Paragraph& p) { return p.Range(); })
                                         .Get("Format", [](Paragraph& p) { return p.Format(); })
                                         .Build();
  return table;
}

const std::vector<std::pair<int64_t, int64_t>>& Paragraphs::Spans() {
  auto doc = doc_.lock();
  if (!doc) RaiseDeleted();
  Story& s = doc->GetStory();
  if (revision_ != s.Revision()) {
    cache_.clear();
    const int64_t from = ParagraphStart(s, scope_->Start());
    const int64_t to = std::max(scope_->End(), scope_->Start() + 1);
    for (int64_t p = from; p < to && p < s.Length();) {
      const int64_t e = ParagraphEnd(s, p);
      cache_.emplace_back(p, e);
      p = e;
    }
    revision_ = s.Revision();
  }
  return cache_;
}

int32_t Paragraphs::Count() {
  return static_cast<int32_t>(Spans().size());
}

std::shared_ptr<Paragraph> Paragraphs::Item(int32_t index) {
  const auto& spans = Spans();
  const auto& [a, b] = spans[CheckIndex(index, spans.size())];
  return std::make_shared<Paragraph>(doc_.lock()->Range(a, b));
}

const DispatchTable& Paragraphs::Members() const {
  static const DispatchTable table =
      ClassTable<Paragraphs>("Paragraphs")
          .Collection()
          .Get("First", [](Paragraphs& p) { return p.Item(1); })
          .Get("Last", [](Paragraphs& p) { return p.Item(p.Count()); })
          .Build();
  return table;
}

}  // namespace qv::word
