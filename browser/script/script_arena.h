#pragma once
// The memory of one page's script heap. Blocks come from chunks mapped for this heap alone (size
// classes with free lists; large blocks mapped one by one), never from the process's allocator,
// so a heap whose script was stopped in the middle of an instruction can be dropped whole without
// walking it: the arena unmaps everything it holds. It also bounds the heap's size.
//
// Not thread-safe: a heap is used by one thread at a time.

#include <cstddef>

namespace qv::browser {

class ScriptArena {
 public:
  explicit ScriptArena(size_t limit) : limit_(limit) {}
  ~ScriptArena();
  ScriptArena(const ScriptArena&) = delete;
  ScriptArena& operator=(const ScriptArena&) = delete;

  // nullptr when the heap would grow past its limit or no memory is left.
  void* Allocate(size_t size);
  void* Reallocate(void* block, size_t size);
  void Free(void* block);
  // Bytes the heap asked for and still holds.
  size_t Used() const { return used_; }
  size_t Limit() const { return limit_; }

 private:
  static constexpr size_t kClasses = 12;  // 16 bytes to 32 KB, powers of two
  struct Chunk;
  struct Large;
  struct FreeBlock {
    FreeBlock* next;
  };

  void* AllocateSmall(size_t size, size_t cls);
  void* AllocateLarge(size_t size);

  size_t limit_;
  size_t used_ = 0;
  FreeBlock* free_[kClasses] = {};
  Chunk* chunks_ = nullptr;
  char* bump_ = nullptr;
  char* bumpEnd_ = nullptr;
  Large* large_ = nullptr;
};

}  // namespace qv::browser
