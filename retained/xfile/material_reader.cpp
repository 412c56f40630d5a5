#include "retained/xfile/material_reader.h"

namespace varnoka::xfile {

namespace {

bool isTextureFileName(std::string_view type) {
    // Exporters spell it both ways.
    return type == "TextureFilename" || type == "TextureFileName";
}

}  // namespace

Material readMaterial(ValueReader& reader) {
    Material material;
    material.faceColor.r = reader.readFloat();
    material.faceColor.g = reader.readFloat();
    material.faceColor.b = reader.readFloat();
    material.faceColor.a = reader.readFloat();
    material.power = reader.readFloat();
    material.specular.r = reader.readFloat();
    material.specular.g = reader.readFloat();
    material.specular.b = reader.readFloat();
    material.emissive.r = reader.readFloat();
    material.emissive.g = reader.readFloat();
    material.emissive.b = reader.readFloat();
    reader.readChildren(
        [&](const ValueReader::ObjectHeader& header) {
            if (!isTextureFileName(header.type)) {
                reader.skipObjectBody();
                return;
            }
            material.textureFileName = std::string(reader.readString());
            reader.skipChildren();
        },
        [](std::string_view) {});
    return material;
}

}  // namespace varnoka::xfile
