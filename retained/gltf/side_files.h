#pragma once
// Files a glTF model names beside itself: its .bin buffers and images. Only relative paths below
// the model's folder are read, and all of them together within the reader's size limit.

#include <cstdint>
#include <string>
#include <vector>

#include "retained/io/load_status.h"

namespace varnoka::gltf {

// A URI with its %XX escapes decoded; false when an escape is malformed or decodes to a zero byte.
bool PercentDecode(const std::string& uri, std::string& decoded);

// True for a decoded relative path that stays in the model's folder: no scheme or drive letter,
// no leading slash or backslash, no ".." step.
bool IsSafeRelativePath(const std::string& path);

class SideFiles {
public:
    // `enabled` false reads nothing (bytes from memory have no folder).
    SideFiles(bool enabled, std::string folder, std::uint64_t bytesAllowed)
        : enabled_(enabled), folder_(std::move(folder)), bytesLeft_(bytesAllowed) {}

    // Reads a decoded relative path. BadFile with `overBudget()` set when the files together
    // would pass the limit; FileNotFound for a path refused or absent.
    LoadStatus Read(const std::string& relativePath, std::vector<std::uint8_t>& bytes);
    bool Exists(const std::string& relativePath) const;
    bool OverBudget() const { return overBudget_; }

private:
    std::string FullPath(const std::string& relativePath) const;

    bool enabled_;
    std::string folder_;
    std::uint64_t bytesLeft_;
    bool overBudget_ = false;
};

}  // namespace varnoka::gltf
