#pragma once
// The paragraphs of a range: each paragraph runs to and includes its mark (13, or the end-of-cell
// or end-of-row mark that closes it).

#include <memory>
#include <vector>

#include "automation/dispatch.h"

namespace qv::word {

class Document;
class Range;
class ParagraphFormat;

class Paragraph : public automation::Dispatch {
 public:
  explicit Paragraph(std::shared_ptr<word::Range> range) : range_(std::move(range)) {}
  const automation::DispatchTable& Members() const override;
  std::shared_ptr<word::Range> Range() const { return range_; }
  std::shared_ptr<ParagraphFormat> Format() const;

 private:
  std::shared_ptr<word::Range> range_;
};

class Paragraphs : public automation::Dispatch {
 public:
  Paragraphs(std::weak_ptr<Document> doc, std::shared_ptr<word::Range> scope)
      : doc_(std::move(doc)), scope_(std::move(scope)) {}
  const automation::DispatchTable& Members() const override;
  int32_t Count();
  std::shared_ptr<Paragraph> Item(int32_t index);

 private:
  const std::vector<std::pair<int64_t, int64_t>>& Spans();
  std::weak_ptr<Document> doc_;
  std::shared_ptr<word::Range> scope_;
  uint64_t revision_ = 0;
  std::vector<std::pair<int64_t, int64_t>> cache_;
};

}  // namespace qv::word
