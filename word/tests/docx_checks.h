#pragma once
// Checks of a docx package for the tests: every XML part we write validates against the
// ECMA-376 transitional schemas (kept beside the project in shared/schemas/ooxml), and every
// table cell ends with a paragraph, which the schemas do not check.

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlschemas.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "word/docx/zip_package.h"

namespace qv::word::testing {

// The folder of the schemas; empty when this checkout has none.
inline std::filesystem::path OoxmlSchemaDir() {
  const char* env = std::getenv("QV_OOXML_SCHEMAS");
  if (env && *env) return env;
  const char* src = std::getenv("QV_SOURCE_DIR");
  const std::filesystem::path dir =
      std::filesystem::path(src ? src : ".") / ".." / "shared" / "schemas" / "ooxml";
  return std::filesystem::exists(dir / "wml.xsd") ? dir : std::filesystem::path();
}

// Validation errors of `xml` against `schema` (a file of the schema folder); empty when valid.
inline std::string SchemaErrors(const std::string& schema, const std::string& xml) {
  static std::map<std::string, xmlSchemaPtr> cache;
  xmlSchemaPtr& compiled = cache[schema];
  if (!compiled) {
    xmlSchemaParserCtxtPtr pc =
        xmlSchemaNewParserCtxt((OoxmlSchemaDir() / schema).string().c_str());
    xmlSchemaSetParserStructuredErrors(
        pc, [](void*, xmlErrorPtr) {}, nullptr);
    compiled = xmlSchemaParse(pc);
    xmlSchemaFreeParserCtxt(pc);
    if (!compiled) return "schema " + schema + " does not load";
  }
  std::string errors;
  xmlDocPtr doc =
      xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "part.xml", nullptr, XML_PARSE_NONET);
  if (!doc) return "not well-formed";
  xmlSchemaValidCtxtPtr vc = xmlSchemaNewValidCtxt(compiled);
  xmlSchemaSetValidStructuredErrors(
      vc,
      [](void* out, xmlErrorPtr e) {
        *static_cast<std::string*>(out) +=
            "line " + std::to_string(e->line) + ": " + (e->message ? e->message : "?");
      },
      &errors);
  if (xmlSchemaValidateDoc(vc, doc) != 0 && errors.empty()) errors = "invalid";
  xmlSchemaFreeValidCtxt(vc);
  xmlFreeDoc(doc);
  return errors;
}

// Table cells of document.xml whose last block is not a paragraph.
inline int CellsNotEndingWithParagraph(const std::string& documentXml) {
  xmlDocPtr doc = xmlReadMemory(documentXml.data(), static_cast<int>(documentXml.size()),
                                "document.xml", nullptr, XML_PARSE_NONET);
  if (!doc) return -1;
  int bad = 0;
  std::function<void(xmlNodePtr)> walk = [&](xmlNodePtr n) {
    for (xmlNodePtr c = n->children; c; c = c->next) {
      if (c->type != XML_ELEMENT_NODE) continue;
      if (xmlStrEqual(c->name, BAD_CAST "tc")) {
        xmlNodePtr last = nullptr;
        for (xmlNodePtr k = c->children; k; k = k->next)
          if (k->type == XML_ELEMENT_NODE) last = k;
        if (!last || !xmlStrEqual(last->name, BAD_CAST "p")) ++bad;
      }
      walk(c);
    }
  };
  walk(xmlDocGetRootElement(doc));
  xmlFreeDoc(doc);
  return bad;
}

// Every fault of a package: schema errors per part, and cells without a final paragraph.
inline std::string DocxFaults(const std::string& zipBytes) {
  const auto parts = docx::ReadPackage(zipBytes);
  std::string faults;
  auto check = [&](const std::string& part, const std::string& schema) {
    auto it = parts.find(part);
    if (it == parts.end()) return;
    const std::string e = SchemaErrors(schema, it->second);
    if (!e.empty()) faults += part + ": " + e + "\n";
  };
  check("word/document.xml", "wml.xsd");
  check("docProps/custom.xml", "shared-documentPropertiesCustom.xsd");
  check("[Content_Types].xml", "opc-contentTypes.xsd");
  check("_rels/.rels", "opc-relationships.xsd");
  check("word/_rels/document.xml.rels", "opc-relationships.xsd");
  if (!parts.count("word/document.xml"))
    faults += "no word/document.xml\n";
  else if (int n = CellsNotEndingWithParagraph(parts.at("word/document.xml")))
    faults += std::to_string(n) + " cells do not end with a paragraph\n";
  return faults;
}

}  // namespace qv::word::testing
