#include "retained/gltf/image_source.h"

#include <algorithm>
#include "retained/gltf/gltf_limits.h"
#include "retained/imagefile/image_reader.h"

namespace varnoka::gltf {

namespace {

std::uint32_t BigEndian(const std::uint8_t* at, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) value = value << 8 | at[i];
    return value;
}

bool PngSize(const std::uint8_t* bytes, std::size_t size, std::uint32_t& width, std::uint32_t& height) {
    static const std::uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size < 24 || !std::equal(Signature, Signature + 8, bytes) || !std::equal(bytes + 12, bytes + 16, "IHDR"))
        return false;
    width = BigEndian(bytes + 16, 4);
    height = BigEndian(bytes + 20, 4);
    return true;
}

// Walks the JPEG markers up to the first start-of-frame.
bool JpegSize(const std::uint8_t* bytes, std::size_t size, std::uint32_t& width, std::uint32_t& height) {
    if (size < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8) return false;
    std::size_t at = 2;
    while (at + 4 <= size) {
        if (bytes[at] != 0xFF) return false;
        const std::uint8_t marker = bytes[at + 1];
        if (marker == 0xFF) {
            ++at;
            continue;
        }
        const std::uint32_t length = BigEndian(bytes + at + 2, 2);
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (at + 9 > size) return false;
            height = BigEndian(bytes + at + 5, 2);
            width = BigEndian(bytes + at + 7, 2);
            return true;
        }
        if (length < 2) return false;
        at += 2 + length;
    }
    return false;
}

}  // namespace

bool EncodedImageSize(const std::uint8_t* bytes, std::size_t size, std::uint32_t& width, std::uint32_t& height) {
    return PngSize(bytes, size, width, height) || JpegSize(bytes, size, width, height);
}

std::string ImageSource::Name(int index) const {
    const tinygltf::Image& image = document_.images[static_cast<std::size_t>(index)];
    if (!image.uri.empty() && image.uri.rfind("data:", 0) != 0) return image.uri;
    if (!image.name.empty()) return image.name;
    return "image " + std::to_string(index);
}

bool ImageSource::EncodedBytes(const tinygltf::Image& source, std::vector<std::uint8_t>& owned,
                               const std::uint8_t*& bytes, std::size_t& size) {
    if (source.bufferView >= 0) {
        if (static_cast<std::size_t>(source.bufferView) >= document_.bufferViews.size()) return false;
        const tinygltf::BufferView& view = document_.bufferViews[static_cast<std::size_t>(source.bufferView)];
        if (view.buffer < 0 || static_cast<std::size_t>(view.buffer) >= document_.buffers.size()) return false;
        const std::vector<unsigned char>& buffer = document_.buffers[static_cast<std::size_t>(view.buffer)].data;
        if (view.byteOffset > buffer.size() || view.byteLength > buffer.size() - view.byteOffset) return false;
        bytes = buffer.data() + view.byteOffset;
        size = view.byteLength;
        return true;
    }
    if (!source.image.empty()) {  // a data URI, kept encoded by the parse
        bytes = source.image.data();
        size = source.image.size();
        return true;
    }
    std::string path;
    if (source.uri.empty() || !PercentDecode(source.uri, path) || files_.Read(path, owned) != LoadStatus::Ok)
        return false;
    bytes = owned.data();
    size = owned.size();
    return true;
}

ImageOutcome ImageSource::Decode(int index, imagefile::Image& image) {
    if (index < 0 || static_cast<std::size_t>(index) >= document_.images.size()) return ImageOutcome::Missing;
    std::vector<std::uint8_t> owned;
    const std::uint8_t* bytes = nullptr;
    std::size_t size = 0;
    if (!EncodedBytes(document_.images[static_cast<std::size_t>(index)], owned, bytes, size))
        return files_.OverBudget() ? ImageOutcome::FilesTooLarge : ImageOutcome::Missing;
    // Only PNG and JPEG are glTF images; the size is known before anything is decoded.
    std::uint32_t width = 0, height = 0;
    if (!EncodedImageSize(bytes, size, width, height)) return ImageOutcome::Missing;
    if (width > MaxImageSide || height > MaxImageSide) return ImageOutcome::TooLarge;
    const std::uint64_t texels = std::uint64_t{width} * height;
    if (texelsDecoded_ + texels > MaxTotalTexels) return ImageOutcome::TexelsTooMany;
    texelsDecoded_ += texels;
    if (imagefile::ReadImage(bytes, size, image) != LoadStatus::Ok) return ImageOutcome::Missing;
    if (image.width > MaxImageSide || image.height > MaxImageSide) {
        image = imagefile::Image{};
        return ImageOutcome::TooLarge;
    }
    return ImageOutcome::Ok;
}

ImageOutcome ImageSource::Get(int index, const imagefile::Image*& image) {
    auto found = decoded_.find(index);
    if (found == decoded_.end()) {
        Entry entry;
        entry.outcome = Decode(index, entry.image);
        found = decoded_.emplace(index, std::move(entry)).first;
    }
    image = &found->second.image;
    return found->second.outcome;
}

}  // namespace varnoka::gltf
