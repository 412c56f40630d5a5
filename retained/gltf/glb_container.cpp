#include "retained/gltf/glb_container.h"

#include "retained/io/little_endian.h"

namespace varnoka::gltf {

namespace {

constexpr std::uint32_t JsonChunk = 0x4E4F534A;
constexpr std::uint32_t BinChunk = 0x004E4942;
constexpr std::uint64_t HeaderBytes = 12;
constexpr std::uint64_t ChunkHeaderBytes = 8;

}  // namespace

bool ReadGlbLayout(const std::uint8_t* bytes, std::size_t size, GlbLayout& layout, std::string& problem) {
    const std::string cutShort = "The .glb file is cut short.";
    LittleEndianReader reader(bytes, size);
    std::uint32_t magic = 0, version = 0, length = 0, jsonSize = 0, jsonType = 0;
    if (!reader.Read(magic) || magic != GlbMagic || !reader.Read(version)) {
        problem = cutShort;
        return false;
    }
    if (version != 2) {
        problem = "The .glb file is binary glTF version " + std::to_string(version) + ", and Varnoka reads version 2.";
        return false;
    }
    if (!reader.Read(length) || length > size || !reader.Read(jsonSize) || !reader.Read(jsonType)) {
        problem = cutShort;
        return false;
    }
    if (jsonType != JsonChunk) {
        problem = "The .glb file does not begin with its JSON part.";
        return false;
    }
    const std::uint64_t jsonEnd = HeaderBytes + ChunkHeaderBytes + jsonSize;
    if (jsonSize == 0 || jsonEnd > length) {
        problem = cutShort;
        return false;
    }
    // Chunks start on four-byte boundaries; the BIN chunk's header is looked for right after.
    if (jsonSize % 4 != 0) {
        problem = "The .glb file is damaged: its JSON part is not padded to whole words.";
        return false;
    }
    // A BIN chunk, when there is one, must lie wholly inside too.
    if (length > jsonEnd) {
        const std::uint64_t binStart = jsonEnd;
        std::uint32_t binSize = 0, binType = 0;
        if (binStart + ChunkHeaderBytes > length) {
            problem = cutShort;
            return false;
        }
        LittleEndianReader chunk(bytes + binStart, bytes + length);
        chunk.Read(binSize);
        chunk.Read(binType);
        if (binType == BinChunk && binStart + ChunkHeaderBytes + binSize > length) {
            problem = cutShort;
            return false;
        }
    }
    layout.length = length;
    layout.jsonOffset = static_cast<std::size_t>(HeaderBytes + ChunkHeaderBytes);
    layout.jsonSize = jsonSize;
    return true;
}

}  // namespace varnoka::gltf
