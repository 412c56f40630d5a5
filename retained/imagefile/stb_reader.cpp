#include "retained/imagefile/stb_reader.h"

#include <climits>

#include "retained/imagefile/compressed_size_check.h"
#include "retained/imagefile/jpeg_table_check.h"
#include "retained/imagefile/stb_allocation_budget.h"

#define STBI_ONLY_PNG
#define STBI_ONLY_TGA
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#define STBI_NO_FAILURE_STRINGS
#define STBI_MAX_DIMENSIONS 16384
#define STBI_MALLOC(size) varnoka::imagefile::StbBudgetMalloc(size)
#define STBI_REALLOC(block, size) varnoka::imagefile::StbBudgetRealloc(block, size)
#define STBI_FREE(block) varnoka::imagefile::StbBudgetFree(block)
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
// Included as a system header (see CMakeLists.txt): its own warnings are not ours to fix.
#include <stb_image.h>

namespace varnoka::imagefile {

namespace {

// Room for a few working copies of the image at up to 16 bits a channel (stb keeps the
// inflated rows, the decoded image and its 8-bit conversion) plus the input's own buffers.
std::size_t BudgetFor(std::size_t width, std::size_t height, std::size_t inputSize) {
    return width * height * 8 * 4 + inputSize * 2 + (std::size_t{8} << 20);
}

}  // namespace

bool ReadWithStb(const std::uint8_t* bytes, std::size_t size, Image& image) {
    if (size == 0 || size > static_cast<std::size_t>(INT_MAX)) return false;
    if (!JpegHuffmanTablesFit(bytes, size)) return false;
    const int length = static_cast<int>(size);
    int width = 0, height = 0, channels = 0;
    // Reading the header allocates too (the JPEG decoder's state).
    SetStbAllocationBudget(BudgetFor(0, 0, size));
    const bool known = stbi_info_from_memory(bytes, length, &width, &height, &channels) != 0;
    SetStbAllocationBudget(0);
    if (!known || !ImageSizeAllowed(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height)))
        return false;
    if (!DataCanHoldPicture(bytes, size, static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height))) {
        return false;
    }

    SetStbAllocationBudget(BudgetFor(static_cast<std::size_t>(width), static_cast<std::size_t>(height), size));
    stbi_uc* pixels = stbi_load_from_memory(bytes, length, &width, &height, &channels, 4);
    SetStbAllocationBudget(0);
    if (pixels == nullptr) return false;
    if (!ImageSizeAllowed(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height))) {
        stbi_image_free(pixels);
        return false;
    }
    image.width = static_cast<std::uint32_t>(width);
    image.height = static_cast<std::uint32_t>(height);
    image.rgba.assign(pixels, pixels + static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    stbi_image_free(pixels);
    return true;
}

}  // namespace varnoka::imagefile
