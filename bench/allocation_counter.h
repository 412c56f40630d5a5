#pragma once
// Counts heap allocations made by the whole program, to show that steady-state frames make none.

#include <cstdint>

namespace bench {

std::uint64_t AllocationCount();

}  // namespace bench
