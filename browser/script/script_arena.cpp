#include "browser/script/script_arena.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstring>

namespace qv::browser {

namespace {

constexpr size_t kChunkBytes = size_t{1} << 20;
constexpr size_t kMinClassBytes = 16;
constexpr size_t kLargeClass = SIZE_MAX;

// In front of every block: what was asked for and which class holds it. 16 bytes, so blocks keep
// the alignment the interpreter expects.
struct Header {
  size_t size;
  size_t cls;
};
static_assert(sizeof(Header) == 16);

void* Map(size_t bytes) {
  void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  return p == MAP_FAILED ? nullptr : p;
}

size_t ClassBytes(size_t cls) {
  return kMinClassBytes << cls;
}

Header* HeaderOf(void* block) {
  return static_cast<Header*>(block) - 1;
}

}  // namespace

struct ScriptArena::Chunk {
  Chunk* next;
  size_t pad;
};

struct ScriptArena::Large {
  Large* prev;
  Large* next;
  size_t mapped;
  size_t pad;
};

ScriptArena::~ScriptArena() {
  while (large_) {
    Large* next = large_->next;
    ::munmap(large_, large_->mapped);
    large_ = next;
  }
  while (chunks_) {
    Chunk* next = chunks_->next;
    ::munmap(chunks_, kChunkBytes);
    chunks_ = next;
  }
}

void* ScriptArena::Allocate(size_t size) {
  if (size > limit_ - used_) return nullptr;
  const size_t need = size + sizeof(Header);
  size_t cls = 0;
  while (cls < kClasses && ClassBytes(cls) < need)
    ++cls;
  void* block = cls < kClasses ? AllocateSmall(size, cls) : AllocateLarge(size);
  if (block) used_ += size;
  return block;
}

void* ScriptArena::AllocateSmall(size_t size, size_t cls) {
  char* raw = nullptr;
  if (free_[cls]) {
    raw = reinterpret_cast<char*>(free_[cls]);
    free_[cls] = free_[cls]->next;
  } else {
    const size_t bytes = ClassBytes(cls);
    if (static_cast<size_t>(bumpEnd_ - bump_) < bytes) {
      auto* chunk = static_cast<Chunk*>(Map(kChunkBytes));
      if (!chunk) return nullptr;
      chunk->next = chunks_;
      chunks_ = chunk;
      bump_ = reinterpret_cast<char*>(chunk + 1);
      bumpEnd_ = reinterpret_cast<char*>(chunk) + kChunkBytes;
    }
    raw = bump_;
    bump_ += bytes;
  }
  auto* header = reinterpret_cast<Header*>(raw);
  header->size = size;
  header->cls = cls;
  return header + 1;
}

void* ScriptArena::AllocateLarge(size_t size) {
  const size_t mapped = sizeof(Large) + sizeof(Header) + size;
  auto* large = static_cast<Large*>(Map(mapped));
  if (!large) return nullptr;
  large->prev = nullptr;
  large->next = large_;
  large->mapped = mapped;
  if (large_) large_->prev = large;
  large_ = large;
  auto* header = reinterpret_cast<Header*>(large + 1);
  header->size = size;
  header->cls = kLargeClass;
  return header + 1;
}

void ScriptArena::Free(void* block) {
  if (!block) return;
  Header* header = HeaderOf(block);
  used_ -= header->size;
  if (header->cls == kLargeClass) {
    Large* large = reinterpret_cast<Large*>(header) - 1;
    if (large->prev)
      large->prev->next = large->next;
    else
      large_ = large->next;
    if (large->next) large->next->prev = large->prev;
    ::munmap(large, large->mapped);
    return;
  }
  auto* freed = reinterpret_cast<FreeBlock*>(header);
  freed->next = free_[header->cls];
  free_[header->cls] = freed;
}

void* ScriptArena::Reallocate(void* block, size_t size) {
  if (!block) return Allocate(size);
  if (size == 0) {
    Free(block);
    return nullptr;
  }
  Header* header = HeaderOf(block);
  const size_t old = header->size;
  // Shrinking, or growing within the block's class, keeps the block.
  if (header->cls != kLargeClass && size + sizeof(Header) <= ClassBytes(header->cls)) {
    if (size > old && size - old > limit_ - used_) return nullptr;
    used_ = used_ - old + size;
    header->size = size;
    return block;
  }
  void* grown = Allocate(size);
  if (!grown) return nullptr;
  std::memcpy(grown, block, old < size ? old : size);
  Free(block);
  return grown;
}

}  // namespace qv::browser
