#include "export/xml_check.h"

#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/valid.h>
#include <libxml/xmlIO.h>
#include <libxml/xmlschemas.h>

namespace qv::exporter {
namespace {

void Collect(void* context, xmlErrorPtr error) {
  auto* errors = static_cast<std::vector<std::string>*>(context);
  std::string message = error && error->message ? error->message : "unknown error";
  while (!message.empty() && message.back() == '\n')
    message.pop_back();
  errors->push_back("line " + std::to_string(error ? error->line : 0) + ": " + message);
}

// Parses without network access, messages collected instead of printed.
xmlDocPtr Parse(const std::string& xml, std::vector<std::string>& errors) {
  xmlSetStructuredErrorFunc(&errors, Collect);
  xmlDocPtr doc = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "export.xml", nullptr,
                                XML_PARSE_NONET);
  xmlSetStructuredErrorFunc(nullptr, nullptr);
  if (!doc && errors.empty()) errors.push_back("not well formed");
  return doc;
}

}  // namespace

SchemaChecker::SchemaChecker(const std::filesystem::path& xsd) {
  // Imports by network address are skipped, never fetched: the checks run offline.
  const xmlExternalEntityLoader previous = xmlGetExternalEntityLoader();
  xmlSetExternalEntityLoader(xmlNoNetExternalEntityLoader);
  xmlSetStructuredErrorFunc(&loadErrors_, Collect);
  xmlSchemaParserCtxtPtr parser = xmlSchemaNewParserCtxt(xsd.c_str());
  xmlSchemaPtr schema = parser ? xmlSchemaParse(parser) : nullptr;
  if (parser) xmlSchemaFreeParserCtxt(parser);
  xmlSetStructuredErrorFunc(nullptr, nullptr);
  xmlSetExternalEntityLoader(previous);
  if (schema) {
    schema_ = schema;
    loadErrors_.clear();  // skipped imports only
  } else {
    loadErrors_.insert(loadErrors_.begin(), "schema not readable: " + xsd.string());
  }
}

SchemaChecker::~SchemaChecker() {
  if (schema_) xmlSchemaFree(static_cast<xmlSchemaPtr>(schema_));
}

std::vector<std::string> SchemaChecker::Errors(const std::string& xml) const {
  if (!schema_) return loadErrors_;
  std::vector<std::string> errors;
  xmlDocPtr doc = Parse(xml, errors);
  if (!doc) return errors;
  xmlSchemaValidCtxtPtr valid = xmlSchemaNewValidCtxt(static_cast<xmlSchemaPtr>(schema_));
  xmlSchemaSetValidStructuredErrors(valid, Collect, &errors);
  if (xmlSchemaValidateDoc(valid, doc) != 0 && errors.empty()) errors.push_back("not valid");
  xmlSchemaFreeValidCtxt(valid);
  xmlFreeDoc(doc);
  return errors;
}

std::vector<std::string> SchemaErrors(const std::string& xml, const std::filesystem::path& xsd) {
  return SchemaChecker(xsd).Errors(xml);
}

std::vector<std::string> DtdErrors(const std::string& xml, const std::filesystem::path& dtd) {
  std::vector<std::string> errors;
  xmlDocPtr doc = Parse(xml, errors);
  if (!doc) return errors;
  xmlSetStructuredErrorFunc(&errors, Collect);
  xmlDtdPtr parsed = xmlParseDTD(nullptr, reinterpret_cast<const xmlChar*>(dtd.c_str()));
  if (!parsed) {
    errors.push_back("DTD not readable: " + dtd.string());
  } else {
    xmlValidCtxtPtr valid = xmlNewValidCtxt();
    if (!xmlValidateDtd(valid, doc, parsed) && errors.empty()) errors.push_back("not valid");
    xmlFreeValidCtxt(valid);
    xmlFreeDtd(parsed);
  }
  xmlSetStructuredErrorFunc(nullptr, nullptr);
  xmlFreeDoc(doc);
  return errors;
}

}  // namespace qv::exporter
