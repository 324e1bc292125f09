#pragma once
// Collections count their items from 1, as the host's do; each collection raises its own error
// for an index outside its items (Subscript out of range, Invalid procedure call, ...).

#include <cstddef>
#include <cstdint>

namespace qv::automation {

// The position (from 0) of the item at one-based `index` among `count` items; raises `error`
// when `index` is outside 1..count.
size_t CollectionPosition(int64_t index, size_t count, int32_t error);

}  // namespace qv::automation
