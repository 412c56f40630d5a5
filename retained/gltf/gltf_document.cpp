// tinygltf's implementation is compiled here alone: it is large and slow to build.
#define TINYGLTF_IMPLEMENTATION
#include "retained/gltf/gltf_document.h"

#include <new>
#include <stdexcept>

namespace varnoka::gltf {

namespace {

bool FileExists(const std::string& path, void* files) { return static_cast<SideFiles*>(files)->Exists(path); }

// No shell expansion: the path is the URI as the file gives it.
std::string ExpandFilePath(const std::string& path, void*) { return path; }

bool ReadWholeFile(std::vector<unsigned char>* bytes, std::string* error, const std::string& path, void* files) {
    if (static_cast<SideFiles*>(files)->Read(path, *bytes) == LoadStatus::Ok) return true;
    if (error != nullptr) *error = "cannot be read";
    return false;
}

bool WriteWholeFile(std::string*, const std::string&, const std::vector<unsigned char>&, void*) { return false; }

// Images from a bufferView stay in their buffer; images from a data URI exist only for this call,
// so their encoded bytes are kept. Nothing is decoded here: unused images cost no memory.
bool KeepEncodedImage(tinygltf::Image* image, const int, std::string*, std::string*, int, int,
                      const unsigned char* bytes, int size, void*) {
    if (image->bufferView >= 0 || size <= 0) return true;
    image->image.assign(bytes, bytes + size);
    image->width = image->height = 0;
    return true;
}

}  // namespace

bool ParseDocument(const std::uint8_t* bytes, std::size_t size, bool binary, SideFiles& files,
                   tinygltf::Model& document, std::string& error) {
    tinygltf::TinyGLTF loader;
    loader.SetFsCallbacks({&FileExists, &ExpandFilePath, &ReadWholeFile, &WriteWholeFile, &files});
    loader.SetImageLoader(&KeepEncodedImage, nullptr);
    std::string warning;
    const auto length = static_cast<unsigned int>(size);
    try {
        if (binary) return loader.LoadBinaryFromMemory(&document, &error, &warning, bytes, length, "");
        return loader.LoadASCIIFromString(&document, &error, &warning, reinterpret_cast<const char*>(bytes), length,
                                          "");
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception& e) {
        // A value of an unexpected type deep in the document; the file is damaged, not our fault.
        error = e.what();
    }
    return false;
}

}  // namespace varnoka::gltf
