#pragma once

#include "retained/xfile/loaded_model.h"
#include "retained/xfile/value_reader.h"

namespace varnoka::xfile {

// Reads a Material body after its header, through its closing "}".
Material ReadMaterial(ValueReader& reader);

}  // namespace varnoka::xfile
