#include "automation/collection_index.h"

#include "automation/automation_error.h"

namespace qv::automation {

size_t CollectionPosition(int64_t index, size_t count, int32_t error) {
  if (index < 1 || static_cast<uint64_t>(index) > count) Raise(error);
  return static_cast<size_t>(index - 1);
}

}  // namespace qv::automation
