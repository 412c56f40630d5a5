#include "tools/model_generator/xfile_writer.h"

#include <cstdio>
#include <map>
#include <set>

#include "tools/model_generator/mesh_normals.h"
#include "tools/model_generator/quantize.h"

namespace varnoka::models {

std::string formatNumber(double value) {
    const long long steps = quantize(value);
    if (steps == 0) return "0";
    char text[48];
    std::snprintf(text, sizeof text, "%.4f", static_cast<double>(steps) * kWrittenStep);
    std::string s = text;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s;
}

namespace {

class Writer {
public:
    void line(int indent, const std::string& text) {
        out_.append(static_cast<std::size_t>(indent) * 2, ' ');
        out_ += text;
        out_ += '\n';
    }
    std::string take() { return std::move(out_); }

private:
    std::string out_;
};

std::string vectorText(Vec3 v) { return formatNumber(v.x) + ";" + formatNumber(v.y) + ";" + formatNumber(v.z) + ";"; }

std::string colourText(Colour c) { return formatNumber(c.r) + ";" + formatNumber(c.g) + ";" + formatNumber(c.b) + ";"; }

// Lists end their last element with ';' and separate the others with ','.
std::string separator(std::size_t i, std::size_t count) { return i + 1 == count ? ";" : ","; }

std::string triangleText(const std::array<std::uint32_t, 3>& c) {
    return "3;" + std::to_string(c[0]) + "," + std::to_string(c[1]) + "," + std::to_string(c[2]) + ";";
}

void writeMatrix(Writer& w, int indent, const Placement& p) {
    const Vec3 rows[4] = {p.xAxis, p.yAxis, p.zAxis, p.offset};
    w.line(indent, "FrameTransformMatrix {");
    for (int r = 0; r < 4; ++r) {
        const double last = r == 3 ? 1 : 0;
        w.line(indent + 1, formatNumber(rows[r].x) + "," + formatNumber(rows[r].y) + "," + formatNumber(rows[r].z) +
                               "," + formatNumber(last) + (r == 3 ? ";;" : ","));
    }
    w.line(indent, "}");
}

void writeMaterial(Writer& w, const Material& m) {
    w.line(0, "Material " + m.name + " {");
    w.line(1, colourText(m.face) + "1;;");
    w.line(1, formatNumber(m.power) + ";");
    w.line(1, colourText(m.specular) + ";");
    w.line(1, colourText(m.emissive) + ";");
    if (!m.texture.empty()) w.line(1, "TextureFilename { \"" + m.texture + "\"; }");
    w.line(0, "}");
}

void writePart(Writer& w, int indent, const Part& part, const std::vector<Material>& palette) {
    const Mesh& mesh = part.mesh;
    const std::size_t vertices = mesh.positions.size();
    const std::size_t faces = mesh.triangles.size();
    w.line(indent, "Mesh " + part.name + " {");
    w.line(indent + 1, std::to_string(vertices) + ";");
    for (std::size_t i = 0; i < vertices; ++i)
        w.line(indent + 1, vectorText(mesh.positions[i]) + separator(i, vertices));
    w.line(indent + 1, std::to_string(faces) + ";");
    for (std::size_t i = 0; i < faces; ++i) {
        const auto& c = mesh.triangles[i].corners;
        w.line(indent + 1, triangleText({c[0], c[1], c[2]}) + separator(i, faces));
    }

    const CornerNormals normals = computeNormals(mesh, part.creaseDegrees);
    w.line(indent + 1, "MeshNormals {");
    w.line(indent + 2, std::to_string(normals.normals.size()) + ";");
    for (std::size_t i = 0; i < normals.normals.size(); ++i) {
        w.line(indent + 2, vectorText(normals.normals[i]) + separator(i, normals.normals.size()));
    }
    w.line(indent + 2, std::to_string(faces) + ";");
    for (std::size_t i = 0; i < faces; ++i)
        w.line(indent + 2, triangleText(normals.ofTriangle[i]) + separator(i, faces));
    w.line(indent + 1, "}");

    if (!mesh.texCoords.empty()) {
        w.line(indent + 1, "MeshTextureCoords {");
        w.line(indent + 2, std::to_string(vertices) + ";");
        for (std::size_t i = 0; i < vertices; ++i) {
            w.line(indent + 2, formatNumber(mesh.texCoords[i].u) + ";" + formatNumber(mesh.texCoords[i].v) + ";" +
                                   separator(i, vertices));
        }
        w.line(indent + 1, "}");
    }

    // Only the materials this part uses, in palette order.
    std::map<std::uint32_t, std::uint32_t> local;
    for (const Triangle& t : mesh.triangles) local.emplace(t.material, 0);
    std::uint32_t next = 0;
    for (auto& entry : local) entry.second = next++;
    w.line(indent + 1, "MeshMaterialList {");
    w.line(indent + 2, std::to_string(local.size()) + ";");
    w.line(indent + 2, std::to_string(faces) + ";");
    for (std::size_t i = 0; i < faces; ++i) {
        w.line(indent + 2, std::to_string(local[mesh.triangles[i].material]) + separator(i, faces));
    }
    for (const auto& entry : local) w.line(indent + 2, "{ " + palette[entry.first].name + " }");
    w.line(indent + 1, "}");
    w.line(indent, "}");
}

}  // namespace

std::string writeXFileText(const CarModel& car) {
    Writer w;
    w.line(0, "xof 0303txt 0032");
    w.line(0, "");
    // Only the materials some part wears, so no texture is named that nothing shows.
    std::set<std::uint32_t> used;
    const auto collect = [&used](const Part& part) {
        for (const Triangle& t : part.mesh.triangles) used.insert(t.material);
    };
    for (const Part& part : car.sharedParts) collect(part);
    for (const PartFrame& frame : car.frames) {
        for (const Part& part : frame.parts) collect(part);
    }
    for (const std::uint32_t material : used) writeMaterial(w, car.palette[material]);
    for (const Part& part : car.sharedParts) writePart(w, 0, part, car.palette);
    w.line(0, "Frame " + car.name + " {");
    writeMatrix(w, 1, translation(car.offset));
    for (const PartFrame& frame : car.frames) {
        w.line(1, "Frame " + frame.name + " {");
        writeMatrix(w, 2, frame.placement);
        for (const Part& part : frame.parts) writePart(w, 2, part, car.palette);
        for (const std::string& shared : frame.sharedParts) w.line(2, "{ " + shared + " }");
        w.line(1, "}");
    }
    w.line(0, "}");
    return w.take();
}

}  // namespace varnoka::models
