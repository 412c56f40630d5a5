#include "binary_x_writer.h"
#include "retained/xfile/file_bytes.h"
#include "xfile_test_support.h"

namespace {

const std::string kHeader = "xof 0303txt 0032\n";
const std::string kTriangle = "3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;\n";

std::string meshWith(const std::string& extra) { return kHeader + "Mesh {\n" + kTriangle + extra + "}\n"; }

void expectBad(const std::vector<std::uint8_t>& bytes) {
    LoadedModel model;
    EXPECT_EQ(readBytes(bytes, model), LoadStatus::BadFile);
    EXPECT_TRUE(model.positions.empty() && model.faces.empty() && model.materials.empty());
}

TEST(XFileMalformed, TheBaseFileLoadsEvenWithOldEndOfFilePadding) {
    LoadedModel model;
    ASSERT_EQ(readText(meshWith(""), model), LoadStatus::Ok);
    EXPECT_EQ(model.counts.faces, 1u);
    ASSERT_EQ(readText(meshWith("") + std::string("\x1a\0\0", 3), model), LoadStatus::Ok);
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
        expectBad(bytesOf(kHeader + text));
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
        expectBad(bytesOf(meshWith(child)));
    }
}

TEST(XFileMalformed, BrokenSyntaxIsABadFile) {
    const std::string longName(5000, 'n');
    const std::string cases[] = {
        kHeader + "Mesh {\n" + kTriangle,         // never closed
        kHeader + "Mesh {\n" + kTriangle + "}}",  // closed twice
        kHeader + "Unknown { 1; { 2; }",          // skipped object never closed
        kHeader + "Frame { Mesh { \"unterminated; } }",
        kHeader + "template T { <0000",
        kHeader + "42;",
        kHeader + "; Mesh {\n" + kTriangle + "}",
        kHeader + "Mesh " + longName + " {\n" + kTriangle + "}",
        kHeader + "Frame { FrameTransformMatrix { 1,0,0,0, 0,1,0,0; } }",
        kHeader + "Frame { { Mesh1 <abc> extra } }",
        "xof 0303txt 0032",
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text.substr(0, 80));
        LoadedModel model;
        const LoadStatus status = readText(text, model);
        // A header alone is an empty model, not an error.
        if (text.size() == kHeader.size() - 1) {
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
        expectBad(bytesOf(std::string(header) + "\nMesh {\n" + kTriangle + "}"));
    }
}

TEST(XFileMalformed, BinaryRecordsThatRunPastTheEndAreBadFiles) {
    expectBad(BinaryXWriter().token(1).raw({0xff, 0xff, 0, 0}).file());                // name longer than the file
    expectBad(BinaryXWriter().name("Mesh").open().token(6).raw({0, 0, 0, 1}).file());  // list longer than the file
    expectBad(BinaryXWriter().name("Mesh").open().token(7).raw({0xff, 0xff, 0xff, 0xff}).file());
    expectBad(BinaryXWriter().name("Mesh").open().token(3).raw({1, 0}).file());  // cut integer
    expectBad(BinaryXWriter().name("Mesh").open().token(99).close().file());     // no such token
    expectBad(
        BinaryXWriter().name("Mesh").open().token(2).raw({1, 0, 0, 0, 'a'}).close().file());  // string without its end
    expectBad(BinaryXWriter().name("Mesh").open().integers({3}).floats({0, 0, 0}).close().file());  // too few values
    expectBad(BinaryXWriter().name("Mesh").open().token(5).raw({1, 2, 3}).file());                  // cut GUID
}

TEST(XFileMalformed, CompressedFilesThatLieOrAreDamagedAreBadFiles) {
    std::vector<std::uint8_t> plain;
    ASSERT_EQ(varnoka::ReadFileBytes(dataPath("parts_car.x"), plain), LoadStatus::Ok);
    const std::vector<std::uint8_t> good = compressXFile(plain, 500);
    LoadedModel model;
    ASSERT_EQ(readBytes(good, model), LoadStatus::Ok);

    auto damaged = [&](std::size_t offset, std::uint8_t value) {
        std::vector<std::uint8_t> bytes = good;
        bytes[offset] = value;
        return bytes;
    };
    expectBad(damaged(16, static_cast<std::uint8_t>(good[16] + 1)));     // total one byte too large
    expectBad(damaged(16, static_cast<std::uint8_t>(good[16] - 1)));     // ... or too small
    expectBad(damaged(19, 0x7f));                                        // a huge total
    expectBad(damaged(24, 'X'));                                         // no "CK"
    expectBad(damaged(22, 0xff));                                        // packed size past the end
    expectBad(damaged(30, static_cast<std::uint8_t>(good[30] ^ 0x55)));  // corrupt deflate data
    std::vector<std::uint8_t> cut(good.begin(), good.end() - 10);
    expectBad(cut);
}

// Every prefix of a good file must be read or refused cleanly (the sanitizer build catches
// any read past the end), and a refusal leaves nothing behind.
TEST(XFileMalformed, EveryTruncationIsReadOrRefusedCleanly) {
    std::vector<std::uint8_t> text;
    ASSERT_EQ(varnoka::ReadFileBytes(dataPath("parts_car.x"), text), LoadStatus::Ok);
    const std::vector<std::uint8_t> files[] = {text,
                                               BinaryXWriter()
                                                   .name("Mesh")
                                                   .open()
                                                   .integers({3})
                                                   .floats({0, 0, 0, 1, 0, 0, 0, 1, 0})
                                                   .integers({1, 3, 0, 1, 2})
                                                   .close()
                                                   .file(),
                                               compressXFile(text, 200)};
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
