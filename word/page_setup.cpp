#include "word/page_setup.h"

#include "word/document.h"
#include "word/errors.h"

namespace qv::word {

using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

PageSetupData& PageSetup::Data() const {
  auto doc = doc_.lock();
  if (!doc) RaiseDeleted();
  return doc->Page();
}

void PageSetup::Changed() const {
  if (auto doc = doc_.lock()) doc->MarkChanged();
}

const DispatchTable& PageSetup::Members() const {
  auto length = [](ClassTable<PageSetup>& t, const char* name, double PageSetupData::*field) {
    t.Prop(
        name, [field](PageSetup& p) { return p.Data().*field; },
        [field](PageSetup& p, const Variant& v) {
          const double d = v.ToDouble();
          CheckMeasurement(d);
          p.Data().*field = d;
          p.Changed();
        });
  };
  static const DispatchTable table = [&] {
    ClassTable<PageSetup> t("PageSetup");
    length(t, "PageWidth", &PageSetupData::pageWidth);
    length(t, "PageHeight", &PageSetupData::pageHeight);
    length(t, "LeftMargin", &PageSetupData::leftMargin);
    length(t, "RightMargin", &PageSetupData::rightMargin);
    length(t, "TopMargin", &PageSetupData::topMargin);
    length(t, "BottomMargin", &PageSetupData::bottomMargin);
    t.Prop(
        "Orientation", [](PageSetup& p) { return p.Data().orientation; },
        [](PageSetup& p, const Variant& v) {
          p.Data().orientation = v.ToInt32();
          p.Changed();
        });
    return t.Build();
  }();
  return table;
}

}  // namespace qv::word
