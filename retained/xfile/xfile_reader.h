#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "retained/io/load_status.h"
#include "retained/xfile/loaded_model.h"

namespace varnoka::xfile {

// Reads a whole .x file held in memory, in any of its four encodings. On anything but Ok
// the model is left empty.
LoadStatus ReadXFile(const std::uint8_t* bytes, std::size_t size, LoadedModel& model);

LoadStatus LoadXFile(const std::string& path, LoadedModel& model);

}  // namespace varnoka::xfile
