// UnitList.cpp: the sorted, growable array of unit prefix entries.
#include <climits>
#include <cstdlib>
#include <cstring>

#include "COVUnitStorage.h"
#include "UnitListInternal.h"

namespace {

constexpr int kGrowth = 10;

void* DefaultAllocate(void* block, std::size_t size) { return std::realloc(block, size); }

tarvil::detail::UnitAllocator g_allocate = DefaultAllocate;

// A heap copy of `text` (null as empty), or null when memory ran out.
char* CopyText(const char* text) {
  if (text == nullptr) text = "";
  const std::size_t size = std::strlen(text) + 1;
  char* copy = static_cast<char*>(g_allocate(nullptr, size));
  if (copy != nullptr) std::memcpy(copy, text, size);
  return copy;
}

}  // namespace

namespace tarvil::detail {

UnitAllocator SetUnitListAllocator(UnitAllocator allocator) {
  UnitAllocator previous = g_allocate;
  g_allocate = allocator != nullptr ? allocator : DefaultAllocate;
  return previous;
}

}  // namespace tarvil::detail

UnitList::UnitList() : capacity(0), count(0), entries(nullptr) {
  entries = static_cast<UnitEntry*>(g_allocate(nullptr, sizeof(UnitEntry) * kGrowth));
  if (entries != nullptr) capacity = kGrowth;
}

UnitList::~UnitList() {
  if (entries != nullptr && capacity != 0) Clear();
  std::free(entries);
}

int UnitList::AddUnit(const char* name, const char* display, int exponent, int caseSensitive) {
  // Both copies first (the texts may belong to an entry of this very list,
  // which growing would move), then room: a full list grows by 10 entries.
  // Any failure leaves the list exactly as it was.
  char* nameCopy = CopyText(name);
  char* displayCopy = CopyText(display);
  if (nameCopy == nullptr || displayCopy == nullptr) {
    std::free(nameCopy);
    std::free(displayCopy);
    return 0;
  }
  if (count >= capacity || entries == nullptr) {
    void* block = nullptr;
    if (capacity <= INT_MAX - kGrowth)
      block = g_allocate(entries, sizeof(UnitEntry) * static_cast<std::size_t>(capacity + kGrowth));
    if (block == nullptr) {
      std::free(nameCopy);
      std::free(displayCopy);
      return 0;
    }
    entries = static_cast<UnitEntry*>(block);
    capacity += kGrowth;
  }

  int pos = 0;
  while (pos < count && entries[pos].exponent < exponent) ++pos;

  if (pos < count && entries[pos].exponent == exponent) {
    std::free(entries[pos].name);
    std::free(entries[pos].display);
    entries[pos] = UnitEntry{nameCopy, displayCopy, exponent, caseSensitive};
    return count;
  }

  std::memmove(entries + pos + 1, entries + pos,
               sizeof(UnitEntry) * static_cast<std::size_t>(count - pos));
  entries[pos] = UnitEntry{nameCopy, displayCopy, exponent, caseSensitive};
  return ++count;
}

int UnitList::AddUnit(const UnitEntry* entry) {
  if (entry == nullptr) return count;
  return AddUnit(entry->name, entry->display, entry->exponent, entry->caseSensitive);
}

void UnitList::Clear() {
  for (int i = 0; i < count; ++i) {
    std::free(entries[i].name);
    std::free(entries[i].display);
    entries[i] = UnitEntry{nullptr, nullptr, 0, 0};
  }
  count = 0;
}

