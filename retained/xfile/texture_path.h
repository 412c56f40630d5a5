#pragma once

#include <string>

namespace varnoka::xfile {

// Turns a texture name as an exporter wrote it into a path to open: doubled backslashes
// (escaped in the file) count once, and every backslash becomes '/', which Windows and the
// native build both accept.
std::string TexturePathFromName(const std::string& name);

}  // namespace varnoka::xfile
