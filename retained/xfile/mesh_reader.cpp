#include "retained/xfile/mesh_reader.h"

#include "retained/xfile/material_reader.h"

namespace varnoka::xfile {

namespace {

constexpr std::uint32_t kMinFaceCorners = 3;

Vector3 readVector(ValueReader& reader) {
    Vector3 v;
    v.x = reader.readFloat();
    v.y = reader.readFloat();
    v.z = reader.readFloat();
    return v;
}

void readFaces(ValueReader& reader, ParsedMesh& mesh) {
    const std::uint32_t faceCount = reader.readInteger();
    reader.checkCount(faceCount, 1 + kMinFaceCorners);
    mesh.faceSizes.reserve(faceCount);
    const std::size_t positionCount = mesh.positions.size();
    for (std::uint32_t face = 0; face < faceCount; ++face) {
        const std::uint32_t corners = reader.readInteger();
        if (corners < kMinFaceCorners) failBadFile();
        reader.checkCount(corners, 1);
        mesh.faceSizes.push_back(corners);
        for (std::uint32_t corner = 0; corner < corners; ++corner) {
            const std::uint32_t index = reader.readInteger();
            if (index >= positionCount) failBadFile();
            mesh.faceIndices.push_back(index);
        }
    }
}

void readNormals(ValueReader& reader, ParsedMesh& mesh) {
    const std::uint32_t normalCount = reader.readInteger();
    reader.checkCount(normalCount, 3);
    std::vector<Vector3> normals;
    normals.reserve(normalCount);
    for (std::uint32_t i = 0; i < normalCount; ++i) normals.push_back(readVector(reader));

    // Every face needs its normals, corner for corner.
    if (reader.readInteger() != mesh.faceSizes.size()) failBadFile();
    std::vector<std::uint32_t> indices;
    indices.reserve(mesh.faceIndices.size());
    for (const std::uint32_t corners : mesh.faceSizes) {
        if (reader.readInteger() != corners) failBadFile();
        for (std::uint32_t corner = 0; corner < corners; ++corner) {
            const std::uint32_t index = reader.readInteger();
            if (index >= normalCount) failBadFile();
            indices.push_back(index);
        }
    }
    mesh.normals = std::move(normals);
    mesh.normalIndices = std::move(indices);
    mesh.hasNormals = true;
}

void readTextureCoords(ValueReader& reader, ParsedMesh& mesh) {
    const std::uint32_t count = reader.readInteger();
    if (count != mesh.positions.size()) failBadFile();
    std::vector<Vector2> coords(count);
    for (Vector2& uv : coords) {
        uv.u = reader.readFloat();
        uv.v = reader.readFloat();
    }
    mesh.textureCoords = std::move(coords);
}

void readVertexColors(ValueReader& reader, ParsedMesh& mesh) {
    const std::uint32_t count = reader.readInteger();
    if (count > mesh.positions.size()) failBadFile();
    std::vector<ColorRGBA> colors(mesh.positions.size());
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t index = reader.readInteger();
        if (index >= colors.size()) failBadFile();
        ColorRGBA& color = colors[index];
        color.r = reader.readFloat();
        color.g = reader.readFloat();
        color.b = reader.readFloat();
        color.a = reader.readFloat();
    }
    mesh.vertexColors = std::move(colors);
}

void readMaterialList(ValueReader& reader, ParsedMesh& mesh, ParsedDocument& document) {
    const std::uint32_t materialCount = reader.readInteger();
    const std::uint32_t indexCount = reader.readInteger();
    const std::size_t faceCount = mesh.faceSizes.size();
    // One index stands for every face; none leaves the faces without a material.
    if (indexCount != faceCount && indexCount > 1) failBadFile();
    reader.checkCount(indexCount, 1);
    std::vector<std::uint32_t> faceMaterials;
    faceMaterials.reserve(indexCount);
    for (std::uint32_t i = 0; i < indexCount; ++i) {
        const std::uint32_t index = reader.readInteger();
        if (index >= materialCount) failBadFile();
        faceMaterials.push_back(index);
    }
    if (indexCount == 1) faceMaterials.assign(faceCount, faceMaterials.front());

    std::vector<MaterialSlot> slots;
    reader.readChildren(
        [&](const ValueReader::ObjectHeader& header) {
            if (header.type != "Material") {
                reader.skipObjectBody();
                return;
            }
            MaterialSlot slot;
            slot.index = addMaterial(document, readMaterial(reader), header.name);
            slots.push_back(std::move(slot));
        },
        [&](std::string_view name) {
            if (name.empty()) failBadFile();
            MaterialSlot slot;
            slot.referenceName = std::string(name);
            slots.push_back(std::move(slot));
        });
    if (slots.size() != materialCount) failBadFile();
    mesh.faceMaterials = std::move(faceMaterials);
    mesh.materials = std::move(slots);
}

}  // namespace

std::uint32_t addMaterial(ParsedDocument& document, Material material, std::string_view name) {
    const auto index = static_cast<std::uint32_t>(document.materials.size());
    document.materials.push_back(std::move(material));
    // The first definition of a name is the one references find.
    if (!name.empty()) document.materialByName.emplace(std::string(name), index);
    return index;
}

ParsedMesh readMesh(ValueReader& reader, ParsedDocument& document) {
    ParsedMesh mesh;
    const std::uint32_t positionCount = reader.readInteger();
    reader.checkCount(positionCount, 3);
    mesh.positions.reserve(positionCount);
    for (std::uint32_t i = 0; i < positionCount; ++i) mesh.positions.push_back(readVector(reader));
    readFaces(reader, mesh);

    reader.readChildren(
        [&](const ValueReader::ObjectHeader& header) {
            if (header.type == "MeshNormals") {
                readNormals(reader, mesh);
            } else if (header.type == "MeshTextureCoords") {
                readTextureCoords(reader, mesh);
            } else if (header.type == "MeshVertexColors") {
                readVertexColors(reader, mesh);
            } else if (header.type == "MeshMaterialList") {
                readMaterialList(reader, mesh, document);
                return;  // its children were its materials
            } else {
                reader.skipObjectBody();
                return;
            }
            reader.skipChildren();
        },
        [](std::string_view) {});
    return mesh;
}

}  // namespace varnoka::xfile
