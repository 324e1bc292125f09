#include "word/custom_properties.h"

#include <algorithm>

#include "automation/collection_index.h"
#include "automation/text/ascii.h"
#include "word/document.h"
#include "word/errors.h"

namespace qv::word {

using automation::Args;
using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

CustomProperty* PropertyStore::Find(const std::string& name) {
  for (auto& p : items)
    if (text::EqualsIgnoreCase(p.name, name)) return &p;
  return nullptr;
}

Variant ConvertPropertyValue(int32_t type, const Variant& value) {
  switch (type) {
    case msoPropertyTypeNumber:
      return Variant(value.ToInt32());
    case msoPropertyTypeBoolean:
      return Variant(value.ToBool());
    case msoPropertyTypeDate:
      return Variant(value.ToDate());
    case msoPropertyTypeFloat:
      return Variant(value.ToDouble());
    case msoPropertyTypeString:
      return Variant(value.ToText());
    default:
      RaiseInvalidCall();
  }
}

CustomProperty& DocumentProperty::Get() const {
  auto doc = doc_.lock();
  if (!doc) RaiseDeleted();
  CustomProperty* p = doc->Properties().Find(name_);
  if (!p) RaiseInvalidCall();
  return *p;
}

Variant DocumentProperty::Value() const {
  return Get().value;
}

void DocumentProperty::SetValue(const Variant& v) {
  CustomProperty& p = Get();
  p.value = ConvertPropertyValue(p.type, v);
  doc_.lock()->MarkChanged();
}

int32_t DocumentProperty::Type() const {
  return Get().type;
}
bool DocumentProperty::LinkToContent() const {
  return Get().linkToContent;
}

void DocumentProperty::Delete() {
  Get();
  auto doc = doc_.lock();
  auto& items = doc->Properties().items;
  std::erase_if(items,
                [&](const CustomProperty& p) { return text::EqualsIgnoreCase(p.name, name_); });
  doc->MarkChanged();
}

const DispatchTable& DocumentProperty::Members() const {
  static const DispatchTable table =
      ClassTable<DocumentProperty>("DocumentProperty")
          .Get("Name", [](DocumentProperty& p) { return p.Get().name; })
          .Prop(
              "Value", [](DocumentProperty& p) { return p.Value(); },
              [](DocumentProperty& p, const Variant& v) { p.SetValue(v); })
          .Get("Type", [](DocumentProperty& p) { return p.Type(); })
          .Get("LinkToContent", [](DocumentProperty& p) { return p.LinkToContent(); })
          .Get("LinkSource", [](DocumentProperty& p) { return p.Get().linkSource; })
          .Sub("Delete", [](DocumentProperty& p, Args&) { p.Delete(); })
          .Default("Value")
          .Build();
  return table;
}

PropertyStore& CustomDocumentProperties::Store() const {
  auto doc = doc_.lock();
  if (!doc) RaiseDeleted();
  return doc->Properties();
}

int32_t CustomDocumentProperties::Count() const {
  return static_cast<int32_t>(Store().items.size());
}

std::shared_ptr<DocumentProperty> CustomDocumentProperties::Item(const Variant& index) const {
  PropertyStore& store = Store();
  if (index.IsText()) {
    CustomProperty* p = store.Find(index.ToText());
    if (!p) RaiseInvalidCall();
    return std::make_shared<DocumentProperty>(doc_, p->name);
  }
  const size_t at = automation::CollectionPosition(index.ToInt32(), store.items.size(),
                                                   automation::err::kInvalidCall);
  return std::make_shared<DocumentProperty>(doc_, store.items[at].name);
}

std::shared_ptr<DocumentProperty> CustomDocumentProperties::Add(const std::string& name,
                                                                bool linkToContent, int32_t type,
                                                                const Variant& value,
                                                                const std::string& linkSource) {
  PropertyStore& store = Store();
  if (name.empty() || name.size() > 255 || store.Find(name)) RaiseInvalidCall();
  CustomProperty p;
  p.name = name;
  p.type = type;
  p.value = ConvertPropertyValue(type, value);
  p.linkToContent = linkToContent;
  p.linkSource = linkSource;
  store.items.push_back(std::move(p));
  doc_.lock()->MarkChanged();
  return std::make_shared<DocumentProperty>(doc_, name);
}

const DispatchTable& CustomDocumentProperties::Members() const {
  static const DispatchTable table =
      ClassTable<CustomDocumentProperties>("DocumentProperties")
          .Collection()
          .Method("Add",
                  [](CustomDocumentProperties& c, Args& a) {
                    return c.Add(a.Text(0), a.Bool(1), a.Opt(2, Variant(4)).ToInt32(),
                                 a.Opt(3, Variant("")), a.Opt(4, Variant("")).ToText());
                  })
          .Build();
  return table;
}

}  // namespace qv::word
