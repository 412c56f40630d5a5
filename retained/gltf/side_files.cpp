#include "retained/gltf/side_files.h"

#include <filesystem>
#include <fstream>

namespace varnoka::gltf {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

bool PercentDecode(const std::string& uri, std::string& decoded) {
    decoded.clear();
    for (std::size_t i = 0; i < uri.size(); ++i) {
        if (uri[i] != '%') {
            decoded.push_back(uri[i]);
            continue;
        }
        if (i + 2 >= uri.size()) return false;
        const int high = HexValue(uri[i + 1]);
        const int low = HexValue(uri[i + 2]);
        if (high < 0 || low < 0 || (high == 0 && low == 0)) return false;
        decoded.push_back(static_cast<char>(high * 16 + low));
        i += 2;
    }
    return true;
}

bool IsSafeRelativePath(const std::string& path) {
    if (path.empty() || path.front() == '/' || path.front() == '\\') return false;
    // A colon is a scheme ("http:", "file:") or a drive letter ("C:"); neither is beside the model.
    if (path.find(':') != std::string::npos || path.find('\0') != std::string::npos) return false;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find_first_of("/\\", start);
        if (end == std::string::npos) end = path.size();
        if (path.compare(start, end - start, "..") == 0) return false;
        start = end + 1;
    }
    return true;
}

std::string SideFiles::FullPath(const std::string& relativePath) const {
    if (folder_.empty()) return relativePath;
    const char last = folder_.back();
    return last == '/' || last == '\\' ? folder_ + relativePath : folder_ + "/" + relativePath;
}

bool SideFiles::Exists(const std::string& relativePath) const {
    if (!enabled_ || !IsSafeRelativePath(relativePath)) return false;
    std::error_code error;
    return std::filesystem::is_regular_file(FullPath(relativePath), error);
}

LoadStatus SideFiles::Read(const std::string& relativePath, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    if (!Exists(relativePath)) return LoadStatus::FileNotFound;
    std::ifstream file(FullPath(relativePath), std::ios::binary);
    if (!file) return LoadStatus::FileNotFound;
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < 0) return LoadStatus::FileNotFound;
    // Counted before anything is allocated for it.
    if (static_cast<std::uint64_t>(size) > bytesLeft_) {
        overBudget_ = true;
        return LoadStatus::BadFile;
    }
    bytesLeft_ -= static_cast<std::uint64_t>(size);
    file.seekg(0, std::ios::beg);
    bytes.resize(static_cast<std::size_t>(size));
    if (size > 0 && !file.read(reinterpret_cast<char*>(bytes.data()), size)) {
        bytes.clear();
        return LoadStatus::BadFile;
    }
    return LoadStatus::Ok;
}

}  // namespace varnoka::gltf
