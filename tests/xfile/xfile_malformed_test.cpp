#include "binary_x_writer.h"
#include "retained/io/file_bytes.h"
#include "xfile_test_support.h"

namespace {

const std::string Header = "xof 0303txt 0032\n";
const std::string Triangle = "3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;\n";

std::string MeshWith(const std::string& extra) { return Header + "Mesh {\n" + Triangle + extra + "}\n"; }

void ExpectBad(const std::vector<std::uint8_t>& bytes) {
    LoadedModel model;
    EXPECT_EQ(ReadBytes(bytes, model), LoadStatus::BadFile);
    EXPECT_TRUE(model.positions.empty() && model.faces.empty() && model.materials.empty());
}

TEST(XFileMalformed, TheBaseFileLoadsEvenWithOldEndOfFilePadding) {
    LoadedModel model;
    ASSERT_EQ(ReadText(MeshWith(""), model), LoadStatus::Ok);
    EXPECT_EQ(model.counts.faces, 1u);
    ASSERT_EQ(ReadText(MeshWith("") + std::string("\x1a\0\0", 3), model), LoadStatus::Ok);
    EXPECT_EQ(model.counts.faces, 1u);
}

TEST(XFileMalformed, IndicesAndCountsThatDoNotMatchAreBadFiles) {
    const char* const cases[] = {
        // faces
        "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,3;; }",
        "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 2;0,1;; }",
        "Mesh { 1000000; 0;0;0;; 0;; }",
        "Mesh { 4294967295; 0;0;0;; }",
        "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 4000000000; 0,1,2;; }",
        "Mesh { -3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }",
        "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,x;; }",
        "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2.5;; }",
    };
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        ExpectBad(BytesOf(Header + text));
    }
    const char* const children[] = {
        "MeshNormals { 1; 0;0;1;; 2; 3;0,0,0;, 3;0,0,0;; }",  // more faces than the mesh
        "MeshNormals { 1; 0;0;1;; 1; 4;0,0,0,0;; }",          // corner count differs
        "MeshNormals { 1; 0;0;1;; 1; 3;0,0,1;; }",            // normal index out of range
        "MeshTextureCoords { 2; 0;0;, 1;1;; }",
        "MeshTextureCoords { 4; 0;0;, 1;1;, 0;1;, 1;0;; }",
        "MeshVertexColors { 1; 3; 1;1;1;1;;; }",
        "MeshVertexColors { 4; 0;1;1;1;1;, 1;1;1;1;1;, 2;1;1;1;1;, 0;1;1;1;1;; }",
        "MeshMaterialList { 1; 1; 1;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } }",
        "MeshMaterialList { 1; 2; 0, 0;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } }",
        "MeshMaterialList { 2; 1; 0;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } }",
        "MeshMaterialList { 1; 1; 0;; { Nowhere } }",
        "MeshMaterialList { 1; 1; 0;; { } }",
        "MeshMaterialList { 1; 1; 0;; Material { 1;1;1;1;; 0; 0;0;0;; } }",
    };
    for (const char* child : children) {
        SCOPED_TRACE(child);
        ExpectBad(BytesOf(MeshWith(child)));
    }
}

TEST(XFileMalformed, BrokenSyntaxIsABadFile) {
    const std::string longName(5000, 'n');
    const std::string cases[] = {
        Header + "Mesh {\n" + Triangle,         // never closed
        Header + "Mesh {\n" + Triangle + "}}",  // closed twice
        Header + "Unknown { 1; { 2; }",         // skipped object never closed
        Header + "Frame { Mesh { \"unterminated; } }",
        Header + "template T { <0000",
        Header + "42;",
        Header + "; Mesh {\n" + Triangle + "}",
        Header + "Mesh " + longName + " {\n" + Triangle + "}",
        Header + "Frame { FrameTransformMatrix { 1,0,0,0, 0,1,0,0; } }",
        Header + "Frame { { Mesh1 <abc> extra } }",
        "xof 0303txt 0032",
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text.substr(0, 80));
        LoadedModel model;
        const LoadStatus status = ReadText(text, model);
        // A header alone is an empty model, not an error.
        if (text.size() == Header.size() - 1) {
            EXPECT_EQ(status, LoadStatus::Ok);
            EXPECT_TRUE(model.faces.empty());
        } else {
            EXPECT_EQ(status, LoadStatus::BadFile);
        }
    }
}

TEST(XFileMalformed, HeadersWeDoNotReadAreBadFiles) {
    for (const char* header :
         {"xof 0303txt 0016", "xof 0303abc 0032", "xof 0403txt 0032", "xyz 0303txt 0032", "xof 0303txt", ""}) {
        SCOPED_TRACE(header);
        ExpectBad(BytesOf(std::string(header) + "\nMesh {\n" + Triangle + "}"));
    }
}

TEST(XFileMalformed, BinaryRecordsThatRunPastTheEndAreBadFiles) {
    ExpectBad(BinaryXWriter().Token(1).Raw({0xff, 0xff, 0, 0}).File());                // name longer than the file
    ExpectBad(BinaryXWriter().Name("Mesh").Open().Token(6).Raw({0, 0, 0, 1}).File());  // list longer than the file
    ExpectBad(BinaryXWriter().Name("Mesh").Open().Token(7).Raw({0xff, 0xff, 0xff, 0xff}).File());
    ExpectBad(BinaryXWriter().Name("Mesh").Open().Token(3).Raw({1, 0}).File());  // cut integer
    ExpectBad(BinaryXWriter().Name("Mesh").Open().Token(99).Close().File());     // no such token
    ExpectBad(
        BinaryXWriter().Name("Mesh").Open().Token(2).Raw({1, 0, 0, 0, 'a'}).Close().File());  // string without its end
    ExpectBad(BinaryXWriter().Name("Mesh").Open().Integers({3}).Floats({0, 0, 0}).Close().File());  // too few values
    ExpectBad(BinaryXWriter().Name("Mesh").Open().Token(5).Raw({1, 2, 3}).File());                  // cut GUID
}

TEST(XFileMalformed, CompressedFilesThatLieOrAreDamagedAreBadFiles) {
    std::vector<std::uint8_t> plain;
    ASSERT_EQ(varnoka::ReadFileBytes(DataPath("parts_car.x"), plain), LoadStatus::Ok);
    const std::vector<std::uint8_t> good = CompressXFile(plain, 500);
    LoadedModel model;
    ASSERT_EQ(ReadBytes(good, model), LoadStatus::Ok);

    auto damaged = [&](std::size_t offset, std::uint8_t value) {
        std::vector<std::uint8_t> bytes = good;
        bytes[offset] = value;
        return bytes;
    };
    ExpectBad(damaged(16, static_cast<std::uint8_t>(good[16] + 1)));     // total one byte too large
    ExpectBad(damaged(16, static_cast<std::uint8_t>(good[16] - 1)));     // ... or too small
    ExpectBad(damaged(19, 0x7f));                                        // a huge total
    ExpectBad(damaged(24, 'X'));                                         // no "CK"
    ExpectBad(damaged(22, 0xff));                                        // packed size past the end
    ExpectBad(damaged(30, static_cast<std::uint8_t>(good[30] ^ 0x55)));  // corrupt deflate data
    std::vector<std::uint8_t> cut(good.begin(), good.end() - 10);
    ExpectBad(cut);
}

// Every prefix of a good file must be read or refused cleanly (the sanitizer build catches
// any read past the end), and a refusal leaves nothing behind.
TEST(XFileMalformed, EveryTruncationIsReadOrRefusedCleanly) {
    std::vector<std::uint8_t> text;
    ASSERT_EQ(varnoka::ReadFileBytes(DataPath("parts_car.x"), text), LoadStatus::Ok);
    const std::vector<std::uint8_t> files[] = {text,
                                               BinaryXWriter()
                                                   .Name("Mesh")
                                                   .Open()
                                                   .Integers({3})
                                                   .Floats({0, 0, 0, 1, 0, 0, 0, 1, 0})
                                                   .Integers({1, 3, 0, 1, 2})
                                                   .Close()
                                                   .File(),
                                               CompressXFile(text, 200)};
    for (const auto& file : files) {
        for (std::size_t size = 0; size < file.size(); ++size) {
            LoadedModel model;
            const LoadStatus status = varnoka::xfile::ReadXFile(file.data(), size, model);
            ASSERT_NE(status, LoadStatus::FileNotFound);
            if (status == LoadStatus::BadFile) {
                ASSERT_TRUE(model.positions.empty()) << size;
            }
        }
    }
}

}  // namespace
