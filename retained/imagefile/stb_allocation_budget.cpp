#include "retained/imagefile/stb_allocation_budget.h"

#include <cstdlib>
#include <cstring>

namespace varnoka::imagefile {

namespace {

// Each block carries its size in front; 16 bytes keep the caller's data aligned.
constexpr std::size_t kPrefix = 16;

thread_local std::size_t t_budgetLeft = 0;

std::size_t& storedSize(void* raw) { return *static_cast<std::size_t*>(raw); }

}  // namespace

void setStbAllocationBudget(std::size_t bytes) { t_budgetLeft = bytes; }

void* stbBudgetMalloc(std::size_t size) {
    if (size > t_budgetLeft) return nullptr;
    // Zeroed: stb decodes a JPEG scan with a Huffman table it never received from the file,
    // and a table of zeros keeps its lookups inside the table where leftover heap would not.
    void* raw = std::calloc(1, size + kPrefix);
    if (raw == nullptr) return nullptr;
    storedSize(raw) = size;
    t_budgetLeft -= size;
    return static_cast<unsigned char*>(raw) + kPrefix;
}

void* stbBudgetRealloc(void* block, std::size_t size) {
    if (block == nullptr) return stbBudgetMalloc(size);
    void* raw = static_cast<unsigned char*>(block) - kPrefix;
    const std::size_t old = storedSize(raw);
    if (size > old && size - old > t_budgetLeft) return nullptr;
    void* grown = std::realloc(raw, size + kPrefix);
    if (grown == nullptr) return nullptr;
    t_budgetLeft = t_budgetLeft + old - size;
    storedSize(grown) = size;
    return static_cast<unsigned char*>(grown) + kPrefix;
}

void stbBudgetFree(void* block) {
    if (block == nullptr) return;
    void* raw = static_cast<unsigned char*>(block) - kPrefix;
    t_budgetLeft += storedSize(raw);
    std::free(raw);
}

}  // namespace varnoka::imagefile
