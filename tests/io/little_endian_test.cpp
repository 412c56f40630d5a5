#include <gtest/gtest.h>

#include <cstdint>

#include "retained/io/little_endian.h"

namespace {

using varnoka::LittleEndianReader;

TEST(LittleEndianReader, ReadsLeastSignificantByteFirstAndNeverPastTheEnd) {
    const std::uint8_t bytes[] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0xAA, 0xBB};
    LittleEndianReader reader(bytes, sizeof bytes);
    std::uint16_t word = 0;
    std::uint32_t dword = 0;
    ASSERT_TRUE(reader.Read(word));
    EXPECT_EQ(word, 0x0201u);
    ASSERT_TRUE(reader.Read(dword));
    EXPECT_EQ(dword, 0x06050403u);

    // Eight bytes asked for and five left: nothing is read and nothing moves.
    std::uint64_t qword = 42;
    EXPECT_FALSE(reader.Read(qword));
    EXPECT_EQ(qword, 42u);
    EXPECT_FALSE(reader.Skip(6));
    EXPECT_EQ(reader.Remaining(), 5u);
    EXPECT_EQ(reader.Position(), bytes + 6);

    ASSERT_TRUE(reader.Skip(1));
    ASSERT_TRUE(reader.Read(dword));
    EXPECT_EQ(dword, 0xBBAA0908u);
    EXPECT_EQ(reader.Remaining(), 0u);
    EXPECT_FALSE(reader.Read(word));
    EXPECT_TRUE(reader.Skip(0));
}

TEST(LittleEndianReader, HighBytesKeepEveryBitOfWideNumbers) {
    const std::uint8_t bytes[] = {0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF, 0xFF, 0xFE};
    LittleEndianReader reader(bytes, bytes + sizeof bytes);
    std::uint64_t qword = 0;
    std::uint16_t word = 0;
    ASSERT_TRUE(reader.Read(qword));
    EXPECT_EQ(qword, 0xFFEEDDCCBBAA9988u);
    ASSERT_TRUE(reader.Read(word));
    EXPECT_EQ(word, 0xFEFFu);
}

}  // namespace
