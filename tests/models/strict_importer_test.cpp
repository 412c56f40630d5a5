// The committed models read the same in importers stricter than our loader: those that take a
// comma before a digit for a decimal comma, an undotted real for an integer, or skip a frame's
// references to meshes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "retained/io/file_bytes.h"
#include "tools/model_generator/car_builder.h"
#include "tools/model_generator/car_designs.h"
#include "tools/xrender/saver_view.h"

namespace varnoka::models {
namespace {

bool Digits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Walks a text .x file member by member, as such an importer does, so that every number is
// known to be a count or index or a real; notes every form that importer would misread.
class StrictReader {
public:
    explicit StrictReader(std::string text) : text_(std::move(text)) {
        for (std::size_t comma = text_.find(','); comma != std::string::npos; comma = text_.find(',', comma + 1)) {
            pos_ = comma;
            if (comma + 1 < text_.size() && !std::isspace(static_cast<unsigned char>(text_[comma + 1])))
                Fault("comma followed by '" + text_.substr(comma + 1, 1) + "'");
        }
        pos_ = text_.find('\n');  // past the header
        while (!AtEnd()) Object("");
    }

    int frames = 0;
    int meshes = 0;
    std::vector<std::string> faults;

private:
    void Fault(const std::string& what) {
        if (faults.size() < 5) faults.push_back(what + " at byte " + std::to_string(pos_));
    }

    std::string Peek() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
        if (pos_ >= text_.size()) return "";
        if (std::string("{};,").find(text_[pos_]) != std::string::npos) return text_.substr(pos_, 1);
        std::size_t end = pos_;
        while (end < text_.size() && !std::isspace(static_cast<unsigned char>(text_[end])) &&
               std::string("{};,").find(text_[end]) == std::string::npos)
            ++end;
        return text_.substr(pos_, end - pos_);
    }

    // Counts are taken as written, so a cut-off file must not keep the reader going.
    bool AtEnd() { return Peek().empty(); }

    std::string Next() {
        std::string token = Peek();
        pos_ += token.size();
        return token;
    }

    void SkipSeparators() {
        while (Peek() == ";" || Peek() == ",") Next();
    }

    std::string Number() {
        SkipSeparators();
        return Next();
    }

    std::uint32_t Integer() {
        const std::string token = Number();
        if (!Digits(token)) {
            Fault("count or index written as " + token);
            return 0;
        }
        return static_cast<std::uint32_t>(std::stoul(token));
    }

    void Reals(std::uint32_t count) {
        for (std::uint32_t i = 0; i < count && !AtEnd(); ++i) {
            const std::string token = Number();
            const std::size_t sign = token.rfind('-', 0) == 0 ? 1 : 0;
            const std::size_t point = token.find('.');
            if (point == std::string::npos || !Digits(token.substr(sign, point - sign)) ||
                !Digits(token.substr(point + 1)))
                Fault("real written as " + token);
        }
    }

    void Faces() {
        const std::uint32_t faces = Integer();
        for (std::uint32_t f = 0; f < faces && !AtEnd(); ++f) {
            const std::uint32_t corners = Integer();
            for (std::uint32_t c = 0; c < corners && !AtEnd(); ++c) Integer();
        }
    }

    void Object(const std::string& parent) {
        const std::string type = Next();
        if (type == "{") {
            const std::string name = Next();
            if (parent == "Frame") Fault("mesh referred to by name inside a frame: " + name);
            Next();  // its closing brace
            return;
        }
        std::string token = Next();
        if (token != "{") token = Next();  // past the object's name
        if (token != "{") return Fault(type + " without a body");
        if (type == "Frame") {
            ++frames;
        } else if (type == "FrameTransformMatrix") {
            Reals(16);
        } else if (type == "Mesh" || type == "MeshNormals") {
            if (type == "Mesh" && parent != "Frame") Fault("mesh outside every frame");
            meshes += type == "Mesh";
            Reals(3 * Integer());
            Faces();
        } else if (type == "MeshTextureCoords") {
            Reals(2 * Integer());
        } else if (type == "MeshMaterialList") {
            Integer();
            const std::uint32_t faces = Integer();
            for (std::uint32_t f = 0; f < faces && !AtEnd(); ++f) Integer();
        } else if (type == "Material") {
            Reals(11);
        } else if (type == "TextureFilename") {
            Next();
        } else {
            return Fault("unexpected " + type);
        }
        for (SkipSeparators(); Peek() != "}" && !AtEnd(); SkipSeparators()) Object(type);
        Next();
    }

    std::string text_;
    std::size_t pos_ = 0;
};

TEST(StrictImporter, NoticesEachFormItMisreads) {
    const StrictReader old(
        "xof 0303txt 0032\nMesh Box { 1; 0;1;2.5;; 1; 3;0,0,0;; }\n"
        "Frame Car { FrameTransformMatrix { 1.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 0.0, "
        "1.0;; } { Box } }\n");
    ASSERT_EQ(old.faults.size(), 5u);
    EXPECT_NE(old.faults[0].find("comma followed by '0'"), std::string::npos) << old.faults[0];
    EXPECT_NE(old.faults[2].find("mesh outside every frame"), std::string::npos) << old.faults[2];
    EXPECT_NE(old.faults[3].find("real written as 0"), std::string::npos) << old.faults[3];
    EXPECT_NE(old.faults[4].find("real written as 1"), std::string::npos) << old.faults[4];

    const StrictReader referenced(
        "xof 0303txt 0032\nFrame Car { Mesh Box { 1; 0.0;1.0;2.5;; 1; 3; 0, 0, 0;; } Frame Wheel { { Box } } }\n");
    ASSERT_EQ(referenced.faults.size(), 1u);
    EXPECT_NE(referenced.faults[0].find("referred to by name inside a frame: Box"), std::string::npos);
    EXPECT_EQ(referenced.frames, 2);
    EXPECT_EQ(referenced.meshes, 1);

    const StrictReader cutOff("xof 0303txt 0032\nFrame Car { Mesh Box { 4000000; 1.0;");
    EXPECT_FALSE(cutOff.faults.empty());
}

TEST(StrictImporter, ReadsEveryModelWholeAsOurLoaderDoes) {
    for (const CarDesign& design : AllDesigns()) {
        const std::string path = std::string(VARNOKA_MODELS_DIR) + "/" + design.name + ".x";
        SCOPED_TRACE(path);
        std::vector<std::uint8_t> bytes;
        ASSERT_EQ(ReadFileBytes(path, bytes), LoadStatus::Ok);
        const StrictReader strict(std::string(bytes.begin(), bytes.end()));
        EXPECT_TRUE(strict.faults.empty()) << strict.faults.front();

        // Every part in every frame, the shared wheels once for each wheel.
        const CarModel car = BuildCar(design);
        int meshes = 0;
        std::uint32_t vertices = 0, faces = 0;
        const auto count = [&](const Part& part) {
            ++meshes;
            vertices += static_cast<std::uint32_t>(part.mesh.positions.size());
            faces += static_cast<std::uint32_t>(part.mesh.triangles.size());
        };
        for (const PartFrame& frame : car.frames) {
            for (const Part& part : frame.parts) count(part);
            for (const std::string& name : frame.sharedParts) {
                for (const Part& part : car.sharedParts) {
                    if (part.name == name) count(part);
                }
            }
        }
        EXPECT_EQ(strict.frames, static_cast<int>(car.frames.size()) + 1);
        EXPECT_EQ(strict.meshes, meshes);
        rm::ModelLoadReport report;
        ASSERT_EQ(ReadModelInfo(path, report), D3DRM_OK);
        EXPECT_EQ(report.counts.vertices, vertices);
        EXPECT_EQ(report.counts.faces, faces);
    }
}

}  // namespace
}  // namespace varnoka::models
