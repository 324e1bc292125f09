#pragma once
// Custom document properties: named values (text, number, yes/no, date, float) kept with the
// document. A property is reached by name; a name that does not exist raises.

#include <memory>
#include <string>
#include <vector>

#include "automation/dispatch.h"

namespace qv::word {

class Document;

inline constexpr int32_t msoPropertyTypeNumber = 1;
inline constexpr int32_t msoPropertyTypeBoolean = 2;
inline constexpr int32_t msoPropertyTypeDate = 3;
inline constexpr int32_t msoPropertyTypeString = 4;
inline constexpr int32_t msoPropertyTypeFloat = 5;

struct CustomProperty {
  std::string name;
  int32_t type = msoPropertyTypeString;
  automation::Variant value;
  bool linkToContent = false;
  std::string linkSource;
};

struct PropertyStore {
  std::vector<CustomProperty> items;
  // Names match without regard to case, as the host's property names do.
  CustomProperty* Find(const std::string& name);
};

// The value converted to the property's type (raises Type mismatch when it cannot be).
automation::Variant ConvertPropertyValue(int32_t type, const automation::Variant& value);

class DocumentProperty : public automation::Dispatch {
 public:
  DocumentProperty(std::weak_ptr<Document> doc, std::string name)
      : doc_(std::move(doc)), name_(std::move(name)) {}
  const automation::DispatchTable& Members() const override;
  const std::string& Name() const { return name_; }
  automation::Variant Value() const;
  void SetValue(const automation::Variant& v);
  int32_t Type() const;
  bool LinkToContent() const;
  void Delete();

 private:
  CustomProperty& Get() const;
  std::weak_ptr<Document> doc_;
  std::string name_;
};

class CustomDocumentProperties : public automation::Dispatch {
 public:
  explicit CustomDocumentProperties(std::weak_ptr<Document> doc) : doc_(std::move(doc)) {}
  const automation::DispatchTable& Members() const override;
  int32_t Count() const;
  // By name (raises Invalid procedure call when missing) or by index from 1.
  std::shared_ptr<DocumentProperty> Item(const automation::Variant& index) const;
  std::shared_ptr<DocumentProperty> Add(const std::string& name, bool linkToContent, int32_t type,
                                        const automation::Variant& value,
                                        const std::string& linkSource = "");

 private:
  PropertyStore& Store() const;
  std::weak_ptr<Document> doc_;
};

}  // namespace qv::word
