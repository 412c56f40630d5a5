#include "retained/xfile/mesh_reader.h"

#include "retained/xfile/material_reader.h"

namespace varnoka::xfile {

namespace {

constexpr std::uint32_t MinFaceCorners = 3;

Vector3 ReadVector(ValueReader& reader) {
    Vector3 v;
    v.x = reader.ReadFloat();
    v.y = reader.ReadFloat();
    v.z = reader.ReadFloat();
    return v;
}

void ReadFaces(ValueReader& reader, ParsedMesh& mesh) {
    const std::uint32_t faceCount = reader.ReadInteger();
    reader.CheckCount(faceCount, 1 + MinFaceCorners);
    mesh.faceSizes.reserve(faceCount);
    const std::size_t positionCount = mesh.positions.size();
    for (std::uint32_t face = 0; face < faceCount; ++face) {
        const std::uint32_t corners = reader.ReadInteger();
        if (corners < MinFaceCorners) FailBadFile();
        reader.CheckCount(corners, 1);
        mesh.faceSizes.push_back(corners);
        for (std::uint32_t corner = 0; corner < corners; ++corner) {
            const std::uint32_t index = reader.ReadInteger();
            if (index >= positionCount) FailBadFile();
            mesh.faceIndices.push_back(index);
        }
    }
}

void ReadNormals(ValueReader& reader, ParsedMesh& mesh) {
    const std::uint32_t normalCount = reader.ReadInteger();
    reader.CheckCount(normalCount, 3);
    std::vector<Vector3> normals;
    normals.reserve(normalCount);
    for (std::uint32_t i = 0; i < normalCount; ++i) normals.push_back(ReadVector(reader));

    // Every face needs its normals, corner for corner.
    if (reader.ReadInteger() != mesh.faceSizes.size()) FailBadFile();
    std::vector<std::uint32_t> indices;
    indices.reserve(mesh.faceIndices.size());
    for (const std::uint32_t corners : mesh.faceSizes) {
        if (reader.ReadInteger() != corners) FailBadFile();
        for (std::uint32_t corner = 0; corner < corners; ++corner) {
            const std::uint32_t index = reader.ReadInteger();
            if (index >= normalCount) FailBadFile();
            indices.push_back(index);
        }
    }
    mesh.normals = std::move(normals);
    mesh.normalIndices = std::move(indices);
    mesh.hasNormals = true;
}

void ReadTextureCoords(ValueReader& reader, ParsedMesh& mesh) {
    const std::uint32_t count = reader.ReadInteger();
    if (count != mesh.positions.size()) FailBadFile();
    std::vector<Vector2> coords(count);
    for (Vector2& uv : coords) {
        uv.u = reader.ReadFloat();
        uv.v = reader.ReadFloat();
    }
    mesh.textureCoords = std::move(coords);
}

void ReadVertexColors(ValueReader& reader, ParsedMesh& mesh) {
    const std::uint32_t count = reader.ReadInteger();
    if (count > mesh.positions.size()) FailBadFile();
    std::vector<ColorRGBA> colors(mesh.positions.size());
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t index = reader.ReadInteger();
        if (index >= colors.size()) FailBadFile();
        ColorRGBA& color = colors[index];
        color.r = reader.ReadFloat();
        color.g = reader.ReadFloat();
        color.b = reader.ReadFloat();
        color.a = reader.ReadFloat();
    }
    mesh.vertexColors = std::move(colors);
}

void ReadMaterialList(ValueReader& reader, ParsedMesh& mesh, ParsedDocument& document) {
    const std::uint32_t materialCount = reader.ReadInteger();
    const std::uint32_t indexCount = reader.ReadInteger();
    const std::size_t faceCount = mesh.faceSizes.size();
    // One index stands for every face; none leaves the faces without a material.
    if (indexCount != faceCount && indexCount > 1) FailBadFile();
    reader.CheckCount(indexCount, 1);
    std::vector<std::uint32_t> faceMaterials;
    faceMaterials.reserve(indexCount);
    for (std::uint32_t i = 0; i < indexCount; ++i) {
        const std::uint32_t index = reader.ReadInteger();
        if (index >= materialCount) FailBadFile();
        faceMaterials.push_back(index);
    }
    if (indexCount == 1) faceMaterials.assign(faceCount, faceMaterials.front());

    std::vector<MaterialSlot> slots;
    reader.ReadChildren(
        [&](const ValueReader::ObjectHeader& header) {
            if (header.type != "Material") {
                reader.SkipObjectBody();
                return;
            }
            MaterialSlot slot;
            slot.index = AddMaterial(document, ReadMaterial(reader), header.name);
            slots.push_back(std::move(slot));
        },
        [&](std::string_view name) {
            if (name.empty()) FailBadFile();
            MaterialSlot slot;
            slot.referenceName = std::string(name);
            slots.push_back(std::move(slot));
        });
    if (slots.size() != materialCount) FailBadFile();
    mesh.faceMaterials = std::move(faceMaterials);
    mesh.materials = std::move(slots);
}

}  // namespace

std::uint32_t AddMaterial(ParsedDocument& document, Material material, std::string_view name) {
    const auto index = static_cast<std::uint32_t>(document.materials.size());
    document.materials.push_back(std::move(material));
    // The first definition of a name is the one references find.
    if (!name.empty()) document.materialByName.emplace(std::string(name), index);
    return index;
}

ParsedMesh ReadMesh(ValueReader& reader, ParsedDocument& document) {
    ParsedMesh mesh;
    const std::uint32_t positionCount = reader.ReadInteger();
    reader.CheckCount(positionCount, 3);
    mesh.positions.reserve(positionCount);
    for (std::uint32_t i = 0; i < positionCount; ++i) mesh.positions.push_back(ReadVector(reader));
    ReadFaces(reader, mesh);

    reader.ReadChildren(
        [&](const ValueReader::ObjectHeader& header) {
            if (header.type == "MeshNormals") {
                ReadNormals(reader, mesh);
            } else if (header.type == "MeshTextureCoords") {
                ReadTextureCoords(reader, mesh);
            } else if (header.type == "MeshVertexColors") {
                ReadVertexColors(reader, mesh);
            } else if (header.type == "MeshMaterialList") {
                ReadMaterialList(reader, mesh, document);
                return;  // its children were its materials
            } else {
                reader.SkipObjectBody();
                return;
            }
            reader.SkipChildren();
        },
        [](std::string_view) {});
    return mesh;
}

}  // namespace varnoka::xfile
