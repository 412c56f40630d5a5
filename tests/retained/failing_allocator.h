#pragma once
// The test program's own operator new, which can make one chosen allocation fail the way a full
// memory does.

namespace allocation {

// The nth allocation from now (1: the next one) throws std::bad_alloc; 0 fails none. Only the
// throwing forms of operator new count.
void FailNth(long n);
// Whether the chosen allocation has failed since FailNth.
bool Failed();

}  // namespace allocation
