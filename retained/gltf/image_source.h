#pragma once
// The images a glTF model's materials use: found in a bufferView, a data URI or a file beside
// the model, sized from their header, and decoded by our own image reader once each.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <tiny_gltf.h>

#include "retained/gltf/side_files.h"
#include "retained/imagefile/image.h"

namespace varnoka::gltf {

// Width and height from a PNG or JPEG header, without decoding; false for anything else.
bool EncodedImageSize(const std::uint8_t* bytes, std::size_t size, std::uint32_t& width, std::uint32_t& height);

enum class ImageOutcome {
    Ok,
    Missing,   // absent, unreadable or not an image: its faces keep their colour
    TooLarge,  // a side past MaxImageSide: the car is refused
    FilesTooLarge,
    TexelsTooMany,  // the images decoded together would pass MaxTotalTexels
};

class ImageSource {
public:
    ImageSource(const tinygltf::Model& document, SideFiles& files) : document_(document), files_(files) {}

    // `image` stays valid as long as this source.
    ImageOutcome Get(int index, const imagefile::Image*& image);
    // How the user knows the image: its URI, else its name, else its number.
    std::string Name(int index) const;

private:
    struct Entry {
        ImageOutcome outcome = ImageOutcome::Missing;
        imagefile::Image image;
    };
    ImageOutcome Decode(int index, imagefile::Image& image);
    bool EncodedBytes(const tinygltf::Image& source, std::vector<std::uint8_t>& owned, const std::uint8_t*& bytes,
                      std::size_t& size);

    const tinygltf::Model& document_;
    SideFiles& files_;
    std::map<int, Entry> decoded_;
    std::uint64_t texelsDecoded_ = 0;
};

}  // namespace varnoka::gltf
