#include "retained/io/file_bytes.h"

#include <filesystem>
#include <fstream>

namespace varnoka {

LoadStatus ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes) {
    bool tooLarge = false;
    return ReadFileBytes(path, bytes, MaxInputFileBytes, tooLarge);
}

LoadStatus ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::uint64_t maxBytes,
                         bool& tooLarge) {
    bytes.clear();
    tooLarge = false;
    // Some platforms open a directory as a file; it is no model either way.
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return LoadStatus::FileNotFound;
    std::ifstream file(path, std::ios::binary);
    if (!file) return LoadStatus::FileNotFound;
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < 0) return LoadStatus::FileNotFound;
    if (static_cast<std::uint64_t>(size) > maxBytes) {
        tooLarge = true;
        return LoadStatus::BadFile;
    }
    file.seekg(0, std::ios::beg);
    bytes.resize(static_cast<std::size_t>(size));
    if (size > 0 && !file.read(reinterpret_cast<char*>(bytes.data()), size)) {
        bytes.clear();
        return LoadStatus::BadFile;
    }
    return LoadStatus::Ok;
}

}  // namespace varnoka
