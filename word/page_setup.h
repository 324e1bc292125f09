#pragma once
// Page size and margins in points (US Letter with the host's default margins unless changed).

#include <memory>

#include "automation/dispatch.h"

namespace qv::word {

class Document;

struct PageSetupData {
  double pageWidth = 612;
  double pageHeight = 792;
  double leftMargin = 90;
  double rightMargin = 90;
  double topMargin = 72;
  double bottomMargin = 72;
  int32_t orientation = 0;  // wdOrientPortrait
  friend bool operator==(const PageSetupData&, const PageSetupData&) = default;
};

class PageSetup : public automation::Dispatch {
 public:
  explicit PageSetup(std::weak_ptr<Document> doc) : doc_(std::move(doc)) {}
  const automation::DispatchTable& Members() const override;
  PageSetupData& Data() const;
  void Changed() const;

 private:
  std::weak_ptr<Document> doc_;
};

}  // namespace qv::word
