#include "retained/xfile/material_reader.h"

namespace varnoka::xfile {

namespace {

bool IsTextureFileName(std::string_view type) {
    // Exporters spell it both ways.
    return type == "TextureFilename" || type == "TextureFileName";
}

}  // namespace

Material ReadMaterial(ValueReader& reader) {
    Material material;
    material.faceColor.r = reader.ReadFloat();
    material.faceColor.g = reader.ReadFloat();
    material.faceColor.b = reader.ReadFloat();
    material.faceColor.a = reader.ReadFloat();
    material.power = reader.ReadFloat();
    material.specular.r = reader.ReadFloat();
    material.specular.g = reader.ReadFloat();
    material.specular.b = reader.ReadFloat();
    material.emissive.r = reader.ReadFloat();
    material.emissive.g = reader.ReadFloat();
    material.emissive.b = reader.ReadFloat();
    reader.ReadChildren(
        [&](const ValueReader::ObjectHeader& header) {
            if (!IsTextureFileName(header.type)) {
                reader.SkipObjectBody();
                return;
            }
            material.textureFileName = std::string(reader.ReadString());
            reader.SkipChildren();
        },
        [](std::string_view) {});
    return material;
}

}  // namespace varnoka::xfile
