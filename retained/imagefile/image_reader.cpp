#include "retained/imagefile/image_reader.h"

#include <cstring>
#include <vector>

#include "retained/imagefile/bmp_reader.h"
#include "retained/imagefile/ppm_reader.h"
#include "retained/imagefile/stb_reader.h"
#include "retained/io/file_bytes.h"

namespace varnoka::imagefile {

LoadStatus ReadImage(const std::uint8_t* bytes, std::size_t size, Image& image) {
    image = Image{};
    bool ok = false;
    if (size >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
        ok = ReadBmp(bytes, size, image);
    } else if (size >= 2 && bytes[0] == 'P' && (bytes[1] == '3' || bytes[1] == '6')) {
        ok = ReadPpm(bytes, size, image);
    } else {
        // PNG and JPEG have signatures; TGA has none, so stb gets whatever is left.
        ok = ReadWithStb(bytes, size, image);
    }
    if (!ok) {
        image = Image{};
        return LoadStatus::BadFile;
    }
    return LoadStatus::Ok;
}

LoadStatus LoadImageFile(const std::string& path, Image& image) {
    image = Image{};
    std::vector<std::uint8_t> bytes;
    const LoadStatus status = ReadFileBytes(path, bytes);
    if (status != LoadStatus::Ok) return status;
    return ReadImage(bytes.data(), bytes.size(), image);
}

}  // namespace varnoka::imagefile
