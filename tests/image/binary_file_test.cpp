// BinaryFile: typed little-endian reads, the end flag after failed reads, and safe behaviour of
// every operation on a closed file.
#include "image/binary_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/bmp_writer.h"

namespace {

class BinaryFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(scratch.path().empty());
    // 14 bytes: two single bytes and three little-endian dwords.
    fourteen = scratch.File("fourteen.bin");
    ASSERT_TRUE(testbmp::WriteBytes(fourteen, {0x42, 0x4D, 0x01, 0x02, 0x03, 0x04, 0xFE, 0xFF, 0xFF,
                                               0xFF, 0x36, 0x00, 0x00, 0x80}));
  }

  testbmp::ScratchDir scratch;
  std::string fourteen;
};

TEST_F(BinaryFileTest, FourteenBytesReadAsTwoBytesAndThreeDwordsThenTheNextReadHitsTheEnd) {
  BinaryFile file;
  ASSERT_TRUE(file.Open(fourteen.c_str(), "rb"));
  EXPECT_FALSE(file.IsAtEnd());

  uint8_t first = 0, second = 0;
  uint32_t size = 0;
  int32_t reserved = 0;
  uint32_t offset = 0;
  file.ReadByte(first).ReadByte(second).ReadDword(size).ReadDword(reserved).ReadDword(offset);
  EXPECT_FALSE(file.IsAtEnd());
  EXPECT_EQ(first, 0x42);
  EXPECT_EQ(second, 0x4D);
  EXPECT_EQ(size, 0x04030201u);
  EXPECT_EQ(reserved, -2);  // 0xFFFFFFFE read as a signed value
  EXPECT_EQ(offset, 0x80000036u);
  EXPECT_EQ(file.Tell(), 14);

  uint32_t beyond = 0xDEADBEEF;
  file.ReadDword(beyond);
  EXPECT_TRUE(file.IsAtEnd());
  EXPECT_EQ(beyond, 0xDEADBEEFu) << "a failed typed read keeps the old value";
}

TEST_F(BinaryFileTest, WordsAreLittleEndian) {
  BinaryFile file;
  ASSERT_TRUE(file.Open(fourteen.c_str(), "rb"));
  uint16_t signature = 0;
  file.ReadWord(signature);
  EXPECT_EQ(signature, 0x4D42);
}

TEST_F(BinaryFileTest, BlockRunningPastTheEndFailsAndSetsTheEndFlagAfterStoringWhatWasThere) {
  BinaryFile file;
  ASSERT_TRUE(file.Open(fourteen.c_str(), "rb"));
  uint8_t buffer[20];
  std::memset(buffer, 0xCC, sizeof buffer);
  EXPECT_FALSE(file.Read(buffer, sizeof buffer));
  EXPECT_TRUE(file.IsAtEnd());
  EXPECT_EQ(buffer[0], 0x42);
  EXPECT_EQ(buffer[13], 0x80);
}

TEST_F(BinaryFileTest, ZeroByteReadNeverCountsAsReadAndLeavesTheFlagToTheStream) {
  BinaryFile file;
  ASSERT_TRUE(file.Open(fourteen.c_str(), "rb"));
  uint8_t byte = 0;
  EXPECT_FALSE(file.Read(&byte, 0));
  EXPECT_FALSE(file.IsAtEnd()) << "nothing has run into the end yet";
  uint8_t all[14];
  EXPECT_TRUE(file.Read(all, sizeof all));
  EXPECT_FALSE(file.Read(&byte, 1));
  EXPECT_FALSE(file.Read(&byte, 0));
  EXPECT_TRUE(file.IsAtEnd()) << "the stream's end-of-file indicator is set by now";
}

TEST_F(BinaryFileTest, SeeksMoveThePositionAndLeaveTheEndFlagAlone) {
  BinaryFile file;
  ASSERT_TRUE(file.Open(fourteen.c_str(), "rb"));
  uint8_t buffer[32];
  EXPECT_FALSE(file.Read(buffer, sizeof buffer));
  ASSERT_TRUE(file.IsAtEnd());

  EXPECT_TRUE(file.SeekFromStart(10));
  EXPECT_TRUE(file.IsAtEnd()) << "a seek back from the end does not clear the flag";
  uint32_t offset = 0;
  file.ReadDword(offset);
  EXPECT_EQ(offset, 0x80000036u);
  EXPECT_TRUE(file.IsAtEnd()) << "nor does a successful read";

  EXPECT_TRUE(file.SeekFromEnd(-4));
  EXPECT_EQ(file.Tell(), 10);
  EXPECT_TRUE(file.SeekFromCurrent(-8));
  EXPECT_EQ(file.Tell(), 2);
  EXPECT_FALSE(file.SeekFromStart(-1));
}

TEST(BinaryFileClosed, EveryOperationFailsSafelyAndTheEndFlagStaysSet) {
  BinaryFile file;
  EXPECT_TRUE(file.IsAtEnd());
  uint8_t buffer[4] = {1, 2, 3, 4};
  EXPECT_FALSE(file.Read(buffer, sizeof buffer));
  EXPECT_FALSE(file.Write(buffer, sizeof buffer));
  EXPECT_TRUE(file.IsAtEnd());
  EXPECT_FALSE(file.SeekFromStart(0));
  EXPECT_FALSE(file.SeekFromCurrent(0));
  EXPECT_FALSE(file.SeekFromEnd(0));
  EXPECT_EQ(file.Tell(), -1);
  uint32_t value = 7;
  file.ReadDword(value);
  EXPECT_EQ(value, 7u);
  file.Close();  // closing twice is harmless
  EXPECT_TRUE(file.IsAtEnd());
}

TEST_F(BinaryFileTest, FailedOpenLeavesNoFileOpenEvenIfOneWasOpenBefore) {
  BinaryFile file;
  ASSERT_TRUE(file.Open(fourteen.c_str(), "rb"));
  EXPECT_FALSE(file.Open(scratch.File("missing.bin").c_str(), "rb"));
  EXPECT_TRUE(file.IsAtEnd());
  uint8_t byte = 0;
  EXPECT_FALSE(file.Read(&byte, 1));
  EXPECT_EQ(file.Tell(), -1);
  EXPECT_FALSE(file.Open(nullptr, "rb"));
}

TEST_F(BinaryFileTest, ReopeningClosesTheFileHeldBefore) {
  // Without the close, this would run out of file descriptors long before the end.
  BinaryFile file;
  for (int i = 0; i < 5000; ++i) ASSERT_TRUE(file.Open(fourteen.c_str(), "rb")) << i;
  uint8_t first = 0;
  file.ReadByte(first);
  EXPECT_EQ(first, 0x42);
}

TEST_F(BinaryFileTest, WritesWholeBlocksAndFailsOnAReadOnlyStream) {
  const std::string path = scratch.File("written.bin");
  BinaryFile file;
  ASSERT_TRUE(file.Open(path.c_str(), "wb"));
  const uint8_t bytes[3] = {9, 8, 7};
  EXPECT_TRUE(file.Write(bytes, sizeof bytes));
  EXPECT_FALSE(file.IsAtEnd());
  file.Close();
  EXPECT_EQ(testbmp::ReadBytes(path), (std::vector<uint8_t>{9, 8, 7}));

  ASSERT_TRUE(file.Open(path.c_str(), "rb"));
  EXPECT_FALSE(file.Write(bytes, sizeof bytes));
  EXPECT_FALSE(file.IsAtEnd()) << "a write never touches the end flag";
}

}  // namespace
