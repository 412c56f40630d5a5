#include "retained/xfile/document_reader.h"

#include "retained/xfile/material_reader.h"
#include "retained/xfile/mesh_reader.h"
#include "retained/xfile/value_reader.h"

namespace varnoka::xfile {

namespace {

class DocumentReader {
public:
    DocumentReader(TokenStream& tokens, ParsedDocument& document) : reader_(tokens), document_(document) {}

    void ReadAll() {
        TokenStream& tokens = reader_.Tokens();
        for (;;) {
            switch (tokens.Peek().kind) {
                case TokenKind::End:
                    return;
                case TokenKind::Template:
                    SkipTemplate();
                    break;
                case TokenKind::Name: {
                    ValueReader::DepthGuard guard(reader_);
                    ReadTopLevelObject(reader_.ReadObjectHeader());
                    break;
                }
                default:
                    FailBadFile();
            }
        }
    }

private:
    void SkipTemplate() {
        reader_.Expect(TokenKind::Template);
        reader_.Expect(TokenKind::Name);
        reader_.Expect(TokenKind::OpenBrace);
        reader_.SkipObjectBody();
    }

    void ReadTopLevelObject(const ValueReader::ObjectHeader& header) {
        if (header.type == "Frame") {
            document_.topLevel.push_back({TopLevelItem::Kind::Frame, ReadFrame()});
        } else if (header.type == "Mesh") {
            document_.topLevel.push_back({TopLevelItem::Kind::Mesh, ReadNamedMesh(header.name)});
        } else if (header.type == "Material") {
            AddMaterial(document_, ReadMaterial(reader_), header.name);
        } else {
            reader_.SkipObjectBody();
        }
    }

    std::uint32_t ReadNamedMesh(std::string_view name) {
        const auto index = static_cast<std::uint32_t>(document_.meshes.size());
        ParsedMesh mesh = ReadMesh(reader_, document_);
        document_.meshes.push_back(std::move(mesh));
        if (!name.empty()) document_.meshByName.emplace(std::string(name), index);
        return index;
    }

    std::uint32_t ReadFrame() {
        const auto index = static_cast<std::uint32_t>(document_.frames.size());
        document_.frames.emplace_back();
        // Nested reads may grow `frames`, so the frame is reached by index, not reference.
        reader_.ReadChildren(
            [&](const ValueReader::ObjectHeader& header) {
                if (header.type == "FrameTransformMatrix") {
                    Matrix4 transform;
                    for (float& value : transform.m) value = reader_.ReadFloat();
                    reader_.SkipChildren();
                    document_.frames[index].transform = transform;
                } else if (header.type == "Frame") {
                    const std::uint32_t child = ReadFrame();
                    document_.frames[index].children.push_back(child);
                } else if (header.type == "Mesh") {
                    const std::uint32_t mesh = ReadNamedMesh(header.name);
                    document_.frames[index].meshes.push_back(mesh);
                } else if (header.type == "Material") {
                    AddMaterial(document_, ReadMaterial(reader_), header.name);
                } else {
                    reader_.SkipObjectBody();
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

ParsedDocument ReadDocument(TokenStream& tokens) {
    ParsedDocument document;
    DocumentReader(tokens, document).ReadAll();
    return document;
}

}  // namespace varnoka::xfile
