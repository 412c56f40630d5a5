#pragma once

#include <cstddef>

namespace varnoka::imagefile {

// stb_image grows buffers as compressed data asks (a PNG can inflate without bound), so its
// allocations draw on a budget set per image; past it they fail and the image is refused.
void SetStbAllocationBudget(std::size_t bytes);

void* StbBudgetMalloc(std::size_t size);
void* StbBudgetRealloc(void* block, std::size_t size);
void StbBudgetFree(void* block);

}  // namespace varnoka::imagefile
