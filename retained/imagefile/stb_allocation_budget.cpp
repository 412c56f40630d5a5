#include "retained/imagefile/stb_allocation_budget.h"

#include <cstdlib>
#include <cstring>

namespace varnoka::imagefile {

namespace {

// Each block carries its size in front; 16 bytes keep the caller's data aligned.
constexpr std::size_t Prefix = 16;

thread_local std::size_t budgetLeft = 0;

std::size_t& StoredSize(void* raw) { return *static_cast<std::size_t*>(raw); }

}  // namespace

void SetStbAllocationBudget(std::size_t bytes) { budgetLeft = bytes; }

void* StbBudgetMalloc(std::size_t size) {
    if (size > budgetLeft) return nullptr;
    // Zeroed: stb decodes a JPEG scan with a Huffman table it never received from the file,
    // and a table of zeros keeps its lookups inside the table where leftover heap would not.
    void* raw = std::calloc(1, size + Prefix);
    if (raw == nullptr) return nullptr;
    StoredSize(raw) = size;
    budgetLeft -= size;
    return static_cast<unsigned char*>(raw) + Prefix;
}

void* StbBudgetRealloc(void* block, std::size_t size) {
    if (block == nullptr) return StbBudgetMalloc(size);
    void* raw = static_cast<unsigned char*>(block) - Prefix;
    const std::size_t old = StoredSize(raw);
    if (size > old && size - old > budgetLeft) return nullptr;
    void* grown = std::realloc(raw, size + Prefix);
    if (grown == nullptr) return nullptr;
    budgetLeft = budgetLeft + old - size;
    StoredSize(grown) = size;
    return static_cast<unsigned char*>(grown) + Prefix;
}

void StbBudgetFree(void* block) {
    if (block == nullptr) return;
    void* raw = static_cast<unsigned char*>(block) - Prefix;
    budgetLeft += StoredSize(raw);
    std::free(raw);
}

}  // namespace varnoka::imagefile
