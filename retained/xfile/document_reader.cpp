#include "retained/xfile/document_reader.h"

#include "retained/xfile/material_reader.h"
#include "retained/xfile/mesh_reader.h"
#include "retained/xfile/value_reader.h"

namespace varnoka::xfile {

namespace {

class DocumentReader {
public:
    DocumentReader(TokenStream& tokens, ParsedDocument& document) : reader_(tokens), document_(document) {}

    void readAll() {
        TokenStream& tokens = reader_.tokens();
        for (;;) {
            switch (tokens.peek().kind) {
                case TokenKind::End:
                    return;
                case TokenKind::Template:
                    skipTemplate();
                    break;
                case TokenKind::Name: {
                    ValueReader::DepthGuard guard(reader_);
                    readTopLevelObject(reader_.readObjectHeader());
                    break;
                }
                default:
                    failBadFile();
            }
        }
    }

private:
    void skipTemplate() {
        reader_.expect(TokenKind::Template);
        reader_.expect(TokenKind::Name);
        reader_.expect(TokenKind::OpenBrace);
        reader_.skipObjectBody();
    }

    void readTopLevelObject(const ValueReader::ObjectHeader& header) {
        if (header.type == "Frame") {
            document_.topLevel.push_back({TopLevelItem::Kind::Frame, readFrame()});
        } else if (header.type == "Mesh") {
            document_.topLevel.push_back({TopLevelItem::Kind::Mesh, readNamedMesh(header.name)});
        } else if (header.type == "Material") {
            addMaterial(document_, readMaterial(reader_), header.name);
        } else {
            reader_.skipObjectBody();
        }
    }

    std::uint32_t readNamedMesh(std::string_view name) {
        const auto index = static_cast<std::uint32_t>(document_.meshes.size());
        ParsedMesh mesh = readMesh(reader_, document_);
        document_.meshes.push_back(std::move(mesh));
        if (!name.empty()) document_.meshByName.emplace(std::string(name), index);
        return index;
    }

    std::uint32_t readFrame() {
        const auto index = static_cast<std::uint32_t>(document_.frames.size());
        document_.frames.emplace_back();
        // Nested reads may grow `frames`, so the frame is reached by index, not reference.
        reader_.readChildren(
            [&](const ValueReader::ObjectHeader& header) {
                if (header.type == "FrameTransformMatrix") {
                    Matrix4 transform;
                    for (float& value : transform.m) value = reader_.readFloat();
                    reader_.skipChildren();
                    document_.frames[index].transform = transform;
                } else if (header.type == "Frame") {
                    const std::uint32_t child = readFrame();
                    document_.frames[index].children.push_back(child);
                } else if (header.type == "Mesh") {
                    const std::uint32_t mesh = readNamedMesh(header.name);
                    document_.frames[index].meshes.push_back(mesh);
                } else if (header.type == "Material") {
                    addMaterial(document_, readMaterial(reader_), header.name);
                } else {
                    reader_.skipObjectBody();
                }
            },
            [&](std::string_view name) {
                if (!name.empty()) document_.frames[index].meshReferences.emplace_back(name);
            });
        return index;
    }

    ValueReader reader_;
    ParsedDocument& document_;
};

}  // namespace

ParsedDocument readDocument(TokenStream& tokens) {
    ParsedDocument document;
    DocumentReader(tokens, document).readAll();
    return document;
}

}  // namespace varnoka::xfile
