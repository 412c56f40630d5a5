#pragma once

#include "retained/xfile/parsed_document.h"
#include "retained/xfile/value_reader.h"

namespace varnoka::xfile {

// Reads a Mesh body after its header, through its closing "}". Materials written inside it
// are added to the document.
ParsedMesh ReadMesh(ValueReader& reader, ParsedDocument& document);

// Adds a material to the document, under its name when it has one.
std::uint32_t AddMaterial(ParsedDocument& document, Material material, std::string_view name);

}  // namespace varnoka::xfile
