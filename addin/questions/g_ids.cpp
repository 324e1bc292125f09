#include "addin/questions/g_ids.h"

#include <algorithm>
#include <random>
#include <unordered_set>

#include "addin/questions/attribute_string.h"
#include "addin/questions/g_markers.h"
#include "word/application.h"
#include "word/document.h"
#include "word/inline_shape.h"
#include "word/running_application.h"

namespace qv::addin {
namespace {

// One generator for the life of the library, seeded from the system's entropy source: seeding
// from the clock at each call made two identifiers of one clock tick equal, and with them the
// identities of two questions.
std::mt19937_64& Generator() {
  static std::mt19937_64 generator = [] {
    std::random_device device;
    std::seed_seq seed{device(), device(), device(), device()};
    return std::mt19937_64(seed);
  }();
  return generator;
}

}  // namespace

std::string NewID(int32_t length) {
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  std::string id;
  for (int32_t i = 0; i < length; ++i) {
    int c = 0;
    // Codes 48 to 122, skipping the punctuation between the digits, capitals and small letters.
    do
      c = static_cast<int>(uniform(Generator()) * 75 + 48);
    while ((c >= 58 && c <= 64) || (c >= 91 && c <= 96) || c > 122);
    id += static_cast<char>(c);
  }
  return id;
}

void MakeQuestionIdsUnique(word::Document& doc) {
  std::unordered_set<std::string> seen;
  int32_t k = 0;
  auto pictures = doc.InlineShapes();
  const int32_t count = pictures->Count();
  for (int32_t i = 1; i <= count; ++i) {
    auto picture = pictures->Item(i);
    std::string id = GetAttr(picture->AlternativeText(), "qID");
    if (!IsQuestionMarker(picture)) continue;
    ++k;
    if (seen.count(id)) {
      id = id.substr(0, id.size() >= 3 ? id.size() - 3 : 0) + std::to_string(k + 100);
      SetAttr(picture, "qID", id);
    }
    seen.insert(id);
  }
}

void MakeQuestionIdsUnique() {
  auto app = word::RunningApplication();
  if (!app) automation::Raise(automation::err::kObjectNotSet);
  MakeQuestionIdsUnique(*app->ActiveDocument());
}

}  // namespace qv::addin
