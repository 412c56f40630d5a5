#include <gtest/gtest.h>

#include <zlib.h>

#include <string>

#include "bmp_writer.h"
#include "retained/imagefile/image_reader.h"
#include "retained/imagefile/stb_allocation_budget.h"

#include <stb_image_write.h>

using varnoka::LoadStatus;
using varnoka::imagefile::Image;
using Rgba = std::array<std::uint8_t, 4>;

namespace {

LoadStatus Read(const std::vector<std::uint8_t>& bytes, Image& image) {
    return varnoka::imagefile::ReadImage(bytes.data(), bytes.size(), image);
}

Rgba Pixel(const Image& image, std::uint32_t x, std::uint32_t y) {
    const std::uint8_t* p = image.rgba.data() + (static_cast<std::size_t>(y) * image.width + x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

// A 3 x 2 picture (odd width, so rows need padding), top row first.
const Rgba Picture[2][3] = {{{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}},
                            {{255, 255, 255, 255}, {0, 0, 0, 255}, {255, 0, 0, 255}}};
const std::vector<std::array<std::uint8_t, 3>> Palette = {
    {0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
const std::uint8_t Indices[2][3] = {{1, 2, 3}, {4, 0, 1}};

void ExpectPicture(const Image& image) {
    ASSERT_EQ(image.width, 3u);
    ASSERT_EQ(image.height, 2u);
    ASSERT_EQ(image.rgba.size(), 24u);
    for (std::uint32_t y = 0; y < 2; ++y) {
        for (std::uint32_t x = 0; x < 3; ++x) EXPECT_EQ(Pixel(image, x, y), Picture[y][x]) << x << "," << y;
    }
}

std::vector<std::uint8_t> PackIndices(const std::uint8_t* indices, unsigned bits) {
    std::vector<std::uint8_t> row((3 * bits + 7) / 8, 0);
    for (unsigned x = 0; x < 3; ++x)
        row[x * bits / 8] |= static_cast<std::uint8_t>(indices[x] << (8 - bits - x * bits % 8));
    return row;
}

TEST(BmpReader, ReadsPalettedPicturesBottomUpAndTopDown) {
    for (unsigned bits : {4u, 8u}) {
        for (bool topDown : {false, true}) {
            SCOPED_TRACE(testing::Message() << bits << " bits, top-down " << topDown);
            BmpContent bmp;
            bmp.width = 3;
            bmp.height = topDown ? -2 : 2;
            bmp.bitsPerPixel = static_cast<std::uint16_t>(bits);
            bmp.palette = Palette;
            for (const auto& row : Indices) bmp.rows.push_back(PackIndices(row, bits));
            Image image;
            ASSERT_EQ(Read(WriteBmp(bmp), image), LoadStatus::Ok);
            ExpectPicture(image);
        }
    }
    // One bit per pixel, and the old OS/2 header with its 3-byte palette entries.
    BmpContent mono;
    mono.width = 3;
    mono.height = 1;
    mono.bitsPerPixel = 1;
    mono.headerSize = 12;
    mono.palette = {{10, 20, 30}, {200, 210, 220}};
    mono.rows = {{0b10100000}};
    Image image;
    ASSERT_EQ(Read(WriteBmp(mono), image), LoadStatus::Ok);
    EXPECT_EQ(Pixel(image, 0, 0), (Rgba{200, 210, 220, 255}));
    EXPECT_EQ(Pixel(image, 1, 0), (Rgba{10, 20, 30, 255}));
}

TEST(BmpReader, ReadsDirectColourDepthsAndBitFields) {
    BmpContent bmp;
    bmp.width = 3;
    bmp.height = 2;
    auto addRows = [&](auto encode) {
        bmp.rows.clear();
        for (const auto& row : Picture) {
            std::vector<std::uint8_t> bytes;
            for (const Rgba& c : row) encode(bytes, c);
            bmp.rows.push_back(bytes);
        }
    };
    Image image;

    bmp.bitsPerPixel = 24;
    addRows([](auto& out, const Rgba& c) { out.insert(out.end(), {c[2], c[1], c[0]}); });
    ASSERT_EQ(Read(WriteBmp(bmp), image), LoadStatus::Ok);
    ExpectPicture(image);

    // 32 bits without masks: the fourth byte is unused, not alpha.
    bmp.bitsPerPixel = 32;
    addRows([](auto& out, const Rgba& c) { out.insert(out.end(), {c[2], c[1], c[0], 0}); });
    ASSERT_EQ(Read(WriteBmp(bmp), image), LoadStatus::Ok);
    ExpectPicture(image);

    // 16 bits, 5-5-5 by default and 5-6-5 through masks.
    bmp.bitsPerPixel = 16;
    addRows([](auto& out, const Rgba& c) {
        const unsigned v = (c[0] >> 3) << 10 | (c[1] >> 3) << 5 | c[2] >> 3;
        out.insert(out.end(), {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)});
    });
    ASSERT_EQ(Read(WriteBmp(bmp), image), LoadStatus::Ok);
    ExpectPicture(image);
    bmp.compression = 3;
    bmp.masks = {0xF800, 0x07E0, 0x001F};
    addRows([](auto& out, const Rgba& c) {
        const unsigned v = (c[0] >> 3) << 11 | (c[1] >> 2) << 5 | c[2] >> 3;
        out.insert(out.end(), {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)});
    });
    ASSERT_EQ(Read(WriteBmp(bmp), image), LoadStatus::Ok);
    ExpectPicture(image);

    // 32 bits with an alpha mask in a version-4 sized header.
    bmp.bitsPerPixel = 32;
    bmp.headerSize = 108;
    bmp.masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};
    bmp.rows = {{1, 2, 3, 128, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255}};
    ASSERT_EQ(Read(WriteBmp(bmp), image), LoadStatus::Ok);
    EXPECT_EQ(Pixel(image, 0, 0), (Rgba{1, 2, 3, 128}));
    EXPECT_EQ(Pixel(image, 2, 1), (Rgba{0, 0, 0, 255}));
}

TEST(BmpReader, DecodesRunLengthEncodingsWithRunsAbsoluteRunsAndDeltas) {
    BmpContent bmp;
    bmp.width = 4;
    bmp.height = 3;
    bmp.palette = Palette;
    const Rgba red{255, 0, 0, 255}, green{0, 255, 0, 255}, blue{0, 0, 255, 255}, none{0, 0, 0, 0};

    // Bottom row: a run of 3 red, then 5 more of which only one fits; next row: absolute
    // green, blue, green; then a delta skips to the top row's third pixel, one blue.
    bmp.bitsPerPixel = 8;
    bmp.compression = 1;
    bmp.encoded = {3, 1, 5, 1, 0, 0, 0, 3, 2, 3, 2, 0, 0, 0, 0, 2, 2, 0, 1, 3, 0, 1};
    Image image;
    ASSERT_EQ(Read(WriteBmp(bmp), image), LoadStatus::Ok);
    EXPECT_EQ(Pixel(image, 0, 2), red);
    EXPECT_EQ(Pixel(image, 3, 2), red);
    EXPECT_EQ(Pixel(image, 1, 1), blue);
    EXPECT_EQ(Pixel(image, 2, 1), green);
    EXPECT_EQ(Pixel(image, 1, 0), none);
    EXPECT_EQ(Pixel(image, 2, 0), blue);

    // RLE4 alternates nibbles: a run of 4 as red, green, red, green.
    bmp.bitsPerPixel = 4;
    bmp.compression = 2;
    bmp.encoded = {4, 0x12, 0, 0, 0, 3, 0x32, 0x30, 0, 1};
    ASSERT_EQ(Read(WriteBmp(bmp), image), LoadStatus::Ok);
    EXPECT_EQ(Pixel(image, 2, 2), red);
    EXPECT_EQ(Pixel(image, 3, 2), green);
    EXPECT_EQ(Pixel(image, 0, 1), blue);
    EXPECT_EQ(Pixel(image, 2, 1), blue);

    // Moving below the picture or running out of data is a bad file.
    bmp.encoded = {0, 2, 0, 9, 0, 1};
    EXPECT_EQ(Read(WriteBmp(bmp), image), LoadStatus::BadFile);
    bmp.encoded = {2, 0x11, 0, 0};
    EXPECT_EQ(Read(WriteBmp(bmp), image), LoadStatus::BadFile);
}

TEST(PpmReader, ReadsBinaryAndPlainPixmaps) {
    auto bytesOf = [](const std::string& s) { return std::vector<std::uint8_t>(s.begin(), s.end()); };
    std::string p6 = "P6\n# made by hand\n3 2\n255\n";
    for (const auto& row : Picture) {
        for (const Rgba& c : row)
            p6 += std::string{static_cast<char>(c[0]), static_cast<char>(c[1]), static_cast<char>(c[2])};
    }
    Image image;
    ASSERT_EQ(Read(bytesOf(p6), image), LoadStatus::Ok);
    ExpectPicture(image);

    ASSERT_EQ(Read(bytesOf("P3 3 2 15 15 0 0 0 15 0 0 0 15\n15 15 15 0 0 0 15 0 0"), image), LoadStatus::Ok);
    ExpectPicture(image);

    // Sixteen-bit samples are big-endian and scaled down.
    ASSERT_EQ(Read(bytesOf(std::string("P6 1 1 65535\n\xff\xff\x80\x00\x00\x00", 20)), image), LoadStatus::Ok);
    EXPECT_EQ(Pixel(image, 0, 0), (Rgba{255, 128, 0, 255}));

    for (const char* bad : {"P3 1 1 255 1 2 300", "P3 1 1 255 1 2", "P6 2 2 255\nabc", "P6 0 1 255\n", "P3 1 1 0 0 0 0",
                            "P6 99999999 99999999 255\n"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(Read(bytesOf(bad), image), LoadStatus::BadFile);
        EXPECT_TRUE(image.rgba.empty());
    }
}

void AppendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(context);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

std::vector<std::uint8_t> PictureBytes() {
    std::vector<std::uint8_t> rgba;
    for (const auto& row : Picture) {
        for (const Rgba& c : row) rgba.insert(rgba.end(), c.begin(), c.end());
    }
    return rgba;
}

TEST(StbFormats, ReadsPngTgaAndJpegTopRowFirst) {
    const std::vector<std::uint8_t> rgba = PictureBytes();
    std::vector<std::uint8_t> png, tga, jpeg;
    ASSERT_TRUE(stbi_write_png_to_func(AppendBytes, &png, 3, 2, 4, rgba.data(), 12));
    ASSERT_TRUE(stbi_write_tga_to_func(AppendBytes, &tga, 3, 2, 4, rgba.data()));
    ASSERT_TRUE(stbi_write_jpg_to_func(AppendBytes, &jpeg, 3, 2, 4, rgba.data(), 100));
    Image image;
    ASSERT_EQ(Read(png, image), LoadStatus::Ok);
    ExpectPicture(image);
    ASSERT_EQ(Read(tga, image), LoadStatus::Ok);
    ExpectPicture(image);
    ASSERT_EQ(Read(jpeg, image), LoadStatus::Ok);
    ASSERT_EQ(image.width, 3u);
    // Lossy: the top-left pixel stays clearly the reddest one.
    EXPECT_GT(Pixel(image, 0, 0)[0], 150);
    EXPECT_LT(Pixel(image, 1, 0)[0], Pixel(image, 0, 0)[0]);
}

TEST(StbFormats, RefusesJpegHuffmanTablesWithMoreCodesThanFit) {
    const std::vector<std::uint8_t> rgba = PictureBytes();
    std::vector<std::uint8_t> jpeg;
    ASSERT_TRUE(stbi_write_jpg_to_func(AppendBytes, &jpeg, 3, 2, 4, rgba.data(), 90));
    std::size_t table = 0;
    for (std::size_t i = 2; i + 1 < jpeg.size() && table == 0; ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC4) table = i;
    }
    ASSERT_NE(table, 0u);
    // Length, class, then sixteen counts: make them claim 16 x 200 codes.
    for (std::size_t i = 0; i < 16; ++i) jpeg[table + 5 + i] = 200;
    Image image;
    EXPECT_EQ(Read(jpeg, image), LoadStatus::BadFile);
    // Fill bytes before the start mark still make it a JPEG to the decoder.
    jpeg.insert(jpeg.begin(), {0xFF, 0xFF});
    EXPECT_EQ(Read(jpeg, image), LoadStatus::BadFile);
}

// stb's JPEG decoder can read a Huffman table the file never defined; zeroed blocks keep
// that read inside the table, and the budget stops inflation bombs.
TEST(StbAllocationBudget, HandsOutZeroedBlocksAndRefusesGrowthPastTheBudget) {
    using namespace varnoka::imagefile;
    SetStbAllocationBudget(1000);
    auto* block = static_cast<unsigned char*>(StbBudgetMalloc(600));
    ASSERT_NE(block, nullptr);
    for (int i = 0; i < 600; ++i) ASSERT_EQ(block[i], 0) << i;
    EXPECT_EQ(StbBudgetMalloc(600), nullptr);
    block = static_cast<unsigned char*>(StbBudgetRealloc(block, 900));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(StbBudgetRealloc(block, 1100), nullptr);
    StbBudgetFree(block);
    void* whole = StbBudgetMalloc(1000);
    EXPECT_NE(whole, nullptr);
    StbBudgetFree(whole);
    SetStbAllocationBudget(0);
}

void AppendPngChunk(std::vector<std::uint8_t>& png, const char* type, const std::vector<std::uint8_t>& data) {
    auto put32 = [&](std::uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8) png.push_back(static_cast<std::uint8_t>(v >> shift));
    };
    put32(static_cast<std::uint32_t>(data.size()));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    put32(static_cast<std::uint32_t>(crc32(0, png.data() + start, static_cast<uInt>(png.size() - start))));
}

TEST(StbFormats, RefusesAPngWhoseDataInflatesFarBeyondItsSize) {
    // A 1 x 1 picture whose compressed data unpacks to 32 MB.
    const std::vector<std::uint8_t> zeros(32u << 20, 0);
    std::vector<std::uint8_t> packed(compressBound(static_cast<uLong>(zeros.size())));
    uLongf packedSize = static_cast<uLongf>(packed.size());
    ASSERT_EQ(compress2(packed.data(), &packedSize, zeros.data(), static_cast<uLong>(zeros.size()), 9), Z_OK);
    packed.resize(packedSize);
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    AppendPngChunk(png, "IHDR", {0, 0, 0, 1, 0, 0, 0, 1, 8, 6, 0, 0, 0});
    AppendPngChunk(png, "IDAT", packed);
    AppendPngChunk(png, "IEND", {});
    Image image;
    EXPECT_EQ(Read(png, image), LoadStatus::BadFile);
}

TEST(StbFormats, AcceptsAnEmptyPngDataChunkBeforeTheData) {
    const std::vector<std::uint8_t> row = {0, 10, 20, 30, 40};  // filter type, then one RGBA pixel
    std::vector<std::uint8_t> packed(64);
    uLongf packedSize = static_cast<uLongf>(packed.size());
    ASSERT_EQ(compress2(packed.data(), &packedSize, row.data(), static_cast<uLong>(row.size()), 9), Z_OK);
    packed.resize(packedSize);
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    AppendPngChunk(png, "IHDR", {0, 0, 0, 1, 0, 0, 0, 1, 8, 6, 0, 0, 0});
    AppendPngChunk(png, "IDAT", {});
    AppendPngChunk(png, "IDAT", packed);
    AppendPngChunk(png, "IEND", {});
    Image image;
    ASSERT_EQ(Read(png, image), LoadStatus::Ok);
    EXPECT_EQ(Pixel(image, 0, 0), (Rgba{10, 20, 30, 40}));
}

TEST(ImageReader, RefusesForgedSizesTruncationsAndUnknownFormatsCleanly) {
    Image image;
    EXPECT_EQ(varnoka::imagefile::LoadImageFile(std::string(VARNOKA_TEST_DATA_DIR) + "/missing.png", image),
              LoadStatus::FileNotFound);
    EXPECT_EQ(Read({'h', 'e', 'l', 'l', 'o'}, image), LoadStatus::BadFile);

    BmpContent huge;
    huge.width = 100000;
    huge.height = 100000;
    huge.rows = {{0, 0, 0}};
    EXPECT_EQ(Read(WriteBmp(huge), image), LoadStatus::BadFile);
    huge.width = 4096;  // allowed size, but the pixels are not there
    huge.height = 4096;
    EXPECT_EQ(Read(WriteBmp(huge), image), LoadStatus::BadFile);
    BmpContent oddDepth;
    oddDepth.width = 1;
    oddDepth.height = 1;
    oddDepth.bitsPerPixel = 7;
    oddDepth.rows = {{0}};
    EXPECT_EQ(Read(WriteBmp(oddDepth), image), LoadStatus::BadFile);

    // TGAs (no signature, so only their header speaks) far smaller than the pictures they
    // claim: stb would fill the rest with zeros.
    std::vector<std::uint8_t> tga = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 16, 0, 16, 24, 0};
    tga.insert(tga.end(), {0xFF, 1, 2, 3});  // one run of 128 pixels
    EXPECT_EQ(Read(tga, image), LoadStatus::BadFile);
    tga[2] = 2;  // uncompressed: 4096 x 4096 x 3 bytes would be needed
    EXPECT_EQ(Read(tga, image), LoadStatus::BadFile);
    tga = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 24, 0, 1, 2, 3};
    ASSERT_EQ(Read(tga, image), LoadStatus::Ok);
    EXPECT_EQ(Pixel(image, 0, 0), (Rgba{3, 2, 1, 255}));

    // A PNG that claims a picture far larger than any texture.
    std::vector<std::uint8_t> png;
    const std::vector<std::uint8_t> rgba = PictureBytes();
    ASSERT_TRUE(stbi_write_png_to_func(AppendBytes, &png, 3, 2, 4, rgba.data(), 12));
    std::vector<std::uint8_t> forged = png;
    forged[16] = 0x7f;  // width's high byte in IHDR
    EXPECT_EQ(Read(forged, image), LoadStatus::BadFile);

    // Every prefix of every format is read or refused; the sanitizer build checks the reads.
    BmpContent rle;
    rle.width = 4;
    rle.height = 3;
    rle.bitsPerPixel = 8;
    rle.compression = 1;
    rle.palette = Palette;
    rle.encoded = {3, 1, 0, 0, 0, 3, 2, 3, 2, 0, 0, 2, 1, 1, 0, 1};
    BmpContent paletted;
    paletted.width = 3;
    paletted.height = 2;
    paletted.bitsPerPixel = 8;
    paletted.palette = Palette;
    for (const auto& row : Indices) paletted.rows.push_back(PackIndices(row, 8));
    const std::string p3 = "P3 1 2 255 1 2 3 4 5 6";
    for (const auto& file : {WriteBmp(rle), WriteBmp(paletted), png, std::vector<std::uint8_t>(p3.begin(), p3.end())}) {
        for (std::size_t size = 0; size < file.size(); ++size) {
            const LoadStatus status = varnoka::imagefile::ReadImage(file.data(), size, image);
            ASSERT_NE(status, LoadStatus::FileNotFound);
            if (status == LoadStatus::Ok) {
                ASSERT_EQ(image.rgba.size(), std::size_t{image.width} * image.height * 4);
            } else {
                ASSERT_TRUE(image.rgba.empty());
            }
        }
    }
}

}  // namespace
