#pragma once

namespace varnoka {

// Outcome of reading a model or image file; the engine turns it into its result codes.
enum class LoadStatus {
    Ok,
    FileNotFound,
    BadFile,
};

}  // namespace varnoka
