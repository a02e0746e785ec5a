// UnitListInternal.h: the allocation seam of UnitList and the built-in prefix
// tables of the unit storage. Not installed.
#ifndef TARVIL_UNITLISTINTERNAL_H
#define TARVIL_UNITLISTINTERNAL_H

#include <cstddef>
#include <string_view>

#include "COVUnitStorage.h"

namespace tarvil::detail {

// The allocator UnitList uses for its arrays and text copies: realloc's
// contract (null `block` allocates; null result means no memory, `block`
// untouched). Blocks are released with std::free.
using UnitAllocator = void* (*)(void* block, std::size_t size);

// SetUnitListAllocator: installs `allocator` (null restores std::realloc) and
// returns the previous one. For exercising the out-of-memory paths.
UnitAllocator SetUnitListAllocator(UnitAllocator allocator);

// BuiltInUnitTable: the constant table of `notation` (Engineering 13 rows,
// European 13, Scientific 37, SI 13, SPICE 10; any other value the one-row
// empty table), with its row count in `count`.
const UnitEntry* BuiltInUnitTable(int notation, int& count);

// BaseUnitName: the text COVUnitStorage::GetBaseUnitString gives for `unit`
// in `notation`, without copying it: a view of the display of the first
// exponent-0 entry, or of the constant fallback name. Valid until the
// storage next changes; for the readers, which use it at once.
std::string_view BaseUnitName(const COVUnitStorage& storage, eUnitTypes unit,
                              eOrvantaNotations notation);

}  // namespace tarvil::detail

#endif
