#pragma once

#include "retained/xfile/loaded_model.h"
#include "retained/xfile/parsed_document.h"

namespace varnoka::xfile {

// Models larger than this (positions, normals and face corners, after instancing) are refused, so
// many references to one big mesh cannot exhaust memory.
constexpr std::size_t MaxModelElements = std::size_t{1} << 24;

// Places every mesh by the frames that hold it and merges them into one model; throws
// BadFile when a material reference names nothing or the model grows past the limit.
LoadedModel AssembleModel(const ParsedDocument& document);

}  // namespace varnoka::xfile
