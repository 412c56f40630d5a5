#include "tools/model_generator/xfile_writer.h"

#include <cstdio>
#include <map>
#include <stdexcept>

#include "tools/model_generator/mesh_normals.h"
#include "tools/model_generator/quantize.h"

namespace varnoka::models {

std::string FormatNumber(double value) {
    const long long steps = Quantize(value);
    if (steps == 0) return "0.0";
    char text[48];
    std::snprintf(text, sizeof text, "%.4f", static_cast<double>(steps) * WrittenStep);
    std::string s = text;
    // Importers that take "1" or "1." for an integer misread a real written that way.
    while (s.back() == '0' && s[s.size() - 2] != '.') s.pop_back();
    return s;
}

namespace {

class Writer {
public:
    void Line(int indent, const std::string& text) {
        out_.append(static_cast<std::size_t>(indent) * 2, ' ');
        out_ += text;
        out_ += '\n';
    }
    std::string Take() { return std::move(out_); }

private:
    std::string out_;
};

std::string VectorText(Vec3 v) { return FormatNumber(v.x) + ";" + FormatNumber(v.y) + ";" + FormatNumber(v.z) + ";"; }

std::string ColourText(Colour c) { return FormatNumber(c.r) + ";" + FormatNumber(c.g) + ";" + FormatNumber(c.b) + ";"; }

// Lists end their last element with ';' and separate the others with ','.
std::string Separator(std::size_t i, std::size_t count) { return i + 1 == count ? ";" : ","; }

// A blank after each comma: some importers read a comma directly before a digit as a decimal comma.
std::string TriangleText(const std::array<std::uint32_t, 3>& c) {
    return "3; " + std::to_string(c[0]) + ", " + std::to_string(c[1]) + ", " + std::to_string(c[2]) + ";";
}

void WriteMatrix(Writer& w, int indent, const Placement& p) {
    const Vec3 rows[4] = {p.xAxis, p.yAxis, p.zAxis, p.offset};
    w.Line(indent, "FrameTransformMatrix {");
    for (int r = 0; r < 4; ++r) {
        const double last = r == 3 ? 1 : 0;
        w.Line(indent + 1, FormatNumber(rows[r].x) + ", " + FormatNumber(rows[r].y) + ", " + FormatNumber(rows[r].z) +
                               ", " + FormatNumber(last) + (r == 3 ? ";;" : ","));
    }
    w.Line(indent, "}");
}

void WriteMaterial(Writer& w, int indent, const Material& m) {
    w.Line(indent, "Material " + m.name + " {");
    w.Line(indent + 1, ColourText(m.face) + FormatNumber(m.alpha) + ";;");
    w.Line(indent + 1, FormatNumber(m.power) + ";");
    w.Line(indent + 1, ColourText(m.specular) + ";");
    w.Line(indent + 1, ColourText(m.emissive) + ";");
    if (!m.texture.empty()) w.Line(indent + 1, "TextureFilename { \"" + m.texture + "\"; }");
    w.Line(indent, "}");
}

void WritePart(Writer& w, int indent, const std::string& name, const Part& part, const std::vector<Material>& palette) {
    const Mesh& mesh = part.mesh;
    const std::size_t vertices = mesh.positions.size();
    const std::size_t faces = mesh.triangles.size();
    w.Line(indent, "Mesh " + name + " {");
    w.Line(indent + 1, std::to_string(vertices) + ";");
    for (std::size_t i = 0; i < vertices; ++i)
        w.Line(indent + 1, VectorText(mesh.positions[i]) + Separator(i, vertices));
    w.Line(indent + 1, std::to_string(faces) + ";");
    for (std::size_t i = 0; i < faces; ++i) {
        const auto& c = mesh.triangles[i].corners;
        w.Line(indent + 1, TriangleText({c[0], c[1], c[2]}) + Separator(i, faces));
    }

    const CornerNormals normals = ComputeNormals(mesh, part.creaseDegrees);
    w.Line(indent + 1, "MeshNormals {");
    w.Line(indent + 2, std::to_string(normals.normals.size()) + ";");
    for (std::size_t i = 0; i < normals.normals.size(); ++i) {
        w.Line(indent + 2, VectorText(normals.normals[i]) + Separator(i, normals.normals.size()));
    }
    w.Line(indent + 2, std::to_string(faces) + ";");
    for (std::size_t i = 0; i < faces; ++i)
        w.Line(indent + 2, TriangleText(normals.ofTriangle[i]) + Separator(i, faces));
    w.Line(indent + 1, "}");

    if (!mesh.texCoords.empty()) {
        w.Line(indent + 1, "MeshTextureCoords {");
        w.Line(indent + 2, std::to_string(vertices) + ";");
        for (std::size_t i = 0; i < vertices; ++i) {
            w.Line(indent + 2, FormatNumber(mesh.texCoords[i].u) + ";" + FormatNumber(mesh.texCoords[i].v) + ";" +
                                   Separator(i, vertices));
        }
        w.Line(indent + 1, "}");
    }

    // Only the materials this part uses, in palette order.
    std::map<std::uint32_t, std::uint32_t> local;
    for (const Triangle& t : mesh.triangles) local.emplace(t.material, 0);
    std::uint32_t next = 0;
    for (auto& entry : local) entry.second = next++;
    w.Line(indent + 1, "MeshMaterialList {");
    w.Line(indent + 2, std::to_string(local.size()) + ";");
    w.Line(indent + 2, std::to_string(faces) + ";");
    for (std::size_t i = 0; i < faces; ++i) {
        w.Line(indent + 2, std::to_string(local[mesh.triangles[i].material]) + Separator(i, faces));
    }
    // Written in place rather than referred to by name, which not every importer follows.
    for (const auto& entry : local) WriteMaterial(w, indent + 2, palette[entry.first]);
    w.Line(indent + 1, "}");
    w.Line(indent, "}");
}

const Part& SharedPart(const CarModel& car, const std::string& name) {
    for (const Part& part : car.sharedParts) {
        if (part.name == name) return part;
    }
    throw std::invalid_argument("no shared part named " + name);
}

}  // namespace

std::string WriteXFileText(const CarModel& car) {
    Writer w;
    w.Line(0, "xof 0303txt 0032");
    w.Line(0, "");
    w.Line(0, "Frame " + car.name + " {");
    WriteMatrix(w, 1, Translation(car.offset));
    for (const PartFrame& frame : car.frames) {
        w.Line(1, "Frame " + frame.name + " {");
        WriteMatrix(w, 2, frame.placement);
        for (const Part& part : frame.parts) WritePart(w, 2, part.name, part, car.palette);
        // Importers that ignore a frame's references to meshes would lose the wheels, so each
        // frame gets its own copy, named after the frame so that every mesh's name is its own.
        for (const std::string& shared : frame.sharedParts) {
            WritePart(w, 2, frame.name + shared, SharedPart(car, shared), car.palette);
        }
        w.Line(1, "}");
    }
    w.Line(0, "}");
    return w.Take();
}

}  // namespace varnoka::models
