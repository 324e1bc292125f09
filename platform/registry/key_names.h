#pragma once
// How the registry compares and splits names: key and value names match without regard to case
// (ASCII letters only, as the host folds them) and keep the case they were created with; a key
// path is its components separated by "\".

#include <string>
#include <string_view>
#include <vector>

namespace qv::platform {

// The deepest a key may lie below its hive, as on the host.
inline constexpr size_t kMaxKeyDepth = 512;

// True when `a` and `b` are the same name without regard to ASCII case.
bool NamesEqual(std::string_view a, std::string_view b);
// The name with ASCII letters in upper case: equal for names that NamesEqual.
std::string FoldedName(std::string_view name);
// Orders names as the registry lists sub-keys: by their ASCII-folded form, then by their bytes.
bool NameLess(std::string_view a, std::string_view b);

// The components of a key path; "" is the hive root itself (no components). Returns false for a
// path that names no key: an empty component ("a\\b", a leading "\"), a component that is not
// UTF-8 or longer than the host allows (255 characters), or more than kMaxKeyDepth components.
bool SplitKeyPath(std::string_view path, std::vector<std::string>& components);

}  // namespace qv::platform
