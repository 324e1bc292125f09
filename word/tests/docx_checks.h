#pragma once
// Checks of a docx package for the tests: every XML part we write validates against the
// ECMA-376 transitional schemas (kept beside the project in shared/schemas/ooxml), and every
// table cell ends with a paragraph, which the schemas do not check.

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlschemas.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

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
  // Compiled once per schema and freed with the cache, so nothing is left over at exit.
  struct FreeSchema {
    void operator()(xmlSchemaPtr s) const { xmlSchemaFree(s); }
  };
  static std::map<std::string, std::unique_ptr<xmlSchema, FreeSchema>> cache;
  auto& held = cache[schema];
  if (!held) {
    xmlSchemaParserCtxtPtr pc =
        xmlSchemaNewParserCtxt((OoxmlSchemaDir() / schema).string().c_str());
    xmlSchemaSetParserStructuredErrors(
        pc, [](void*, xmlErrorPtr) {}, nullptr);
    held.reset(xmlSchemaParse(pc));
    xmlSchemaFreeParserCtxt(pc);
    if (!held) return "schema " + schema + " does not load";
  }
  xmlSchemaPtr compiled = held.get();
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
  check("word/settings.xml", "wml.xsd");
  check("[Content_Types].xml", "opc-contentTypes.xsd");
  check("_rels/.rels", "opc-relationships.xsd");
  check("word/_rels/document.xml.rels", "opc-relationships.xsd");
  if (!parts.count("word/document.xml"))
    faults += "no word/document.xml\n";
  else if (int n = CellsNotEndingWithParagraph(parts.at("word/document.xml")))
    faults += std::to_string(n) + " cells do not end with a paragraph\n";
  return faults;
}

// Formatting runs as (count, format) pairs, whatever the order of the interned tables.
inline nlohmann::json Resolved(const nlohmann::json& table, const nlohmann::json& runs) {
  nlohmann::json out = nlohmann::json::array();
  for (const auto& run : runs) {
    const nlohmann::json& format = table.at(run.at(1).get<size_t>());
    if (!out.empty() && out.back()[1] == format)
      out.back()[0] = out.back()[0].get<int64_t>() + run.at(0).get<int64_t>();
    else
      out.push_back({run.at(0), format});
  }
  return out;
}

// Lengths go through whole twentieths of a point (or EMUs); compared to the hundredth.
inline void RoundNumbers(nlohmann::json& j) {
  if (j.is_number_float()) j = std::round(j.get<double>() * 100) / 100;
  for (auto& item : j)
    if (j.is_structured()) RoundNumbers(item);
}

inline nlohmann::json DocxComparable(nlohmann::json r) {
  RoundNumbers(r);
  // Snapping to the grid and to shapes have no place in docx.
  r["settings"].erase("snapToGrid");
  r["settings"].erase("snapToShapes");
  r["fontRuns"] = Resolved(r["fonts"], r["fontRuns"]);
  r["paragraphRuns"] = Resolved(r["paragraphFormats"], r["paragraphRuns"]);
  r.erase("fonts");
  r.erase("paragraphFormats");
  for (auto& t : r["tables"]) {
    t.erase("autoFitBehavior");
    t.erase("tableBehavior");
  }
  for (auto& i : r["inlineShapes"])
    i.erase("source");
  for (auto& s : r["shapes"]) {
    s.erase("source");
    s["line"].erase("backColor");
    // A picture fill keeps the name of its file, not the folder.
    std::string file = s["fill"]["userPicture"].get<std::string>();
    s["fill"]["userPicture"] = file.substr(file.find_last_of("/\\") + 1);
    // Which side text flows around is kept only where text flows around at all.
    const int type = s["wrap"]["type"].get<int>();
    if (type == 3 || type == 4) s["wrap"].erase("side");
  }
  return r;
}

}  // namespace qv::word::testing
