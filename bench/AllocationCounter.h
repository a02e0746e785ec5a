// AllocationCounter.h: counts the heap allocations of the benchmark
// program. The program replaces the global operator new; every form of it
// adds one to the count.
#ifndef TARVIL_ALLOCATIONCOUNTER_H
#define TARVIL_ALLOCATIONCOUNTER_H

namespace tarvil::bench {

// AllocationCount: the number of operator new calls made so far by the
// process.
long long AllocationCount();

}  // namespace tarvil::bench

#endif
