#pragma once
// The file form of one hive: readable, diff-able JSON.
//
//   {
//     "hive": "HKEY_CURRENT_USER",
//     "format": 1,
//     "root": {
//       "values": [],
//       "keys": [
//         {"name": "SOFTWARE", "values": [
//            {"name": "helpShow", "type": 4, "data": 0},
//            {"name": "IMG_PATH", "type": 1, "data": "C:\\Img\\"}],
//          "keys": []}
//       ]
//     }
//   }
//
// Text values (types 1 and 2) carry their text, REG_DWORD its number (0 to 4294967295), every
// other type its bytes in lower-case hexadecimal. Anything else in the file (bad JSON, a missing
// field, a name given twice without regard to case, a key nested too deep) makes the whole file
// damaged: the reader reports it and never guesses.

#include <string>

#include "platform/registry/hive.h"
#include "platform/registry/key_node.h"

namespace qv::platform {

// Fills `root` from the file's text. False, with a reason in `error`, when the text is damaged.
bool ParseHiveText(const std::string& text, KeyNode& root, std::string& error);

// The file's text for `root`; every value must be WellFormed().
std::string HiveText(const KeyNode& root, const HiveInfo& hive);

}  // namespace qv::platform
