// The bounds rules of the shared block's stream, over a plain buffer.
#include "hostaccess/SharedStream.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

namespace {

class BoundedStreamTest : public ::testing::Test {
 protected:
  std::array<std::uint8_t, 12> block{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  TBoundedMemoryStream stream{block.data(), 12, "SorvikCom"};
};

TEST_F(BoundedStreamTest, ReadIsCutAtTheEndThenReturnsNothing) {
  std::array<std::uint8_t, 20> buffer{};
  EXPECT_EQ(stream.Read(buffer.data(), 20), 12);
  EXPECT_EQ(buffer[0], 1);
  EXPECT_EQ(buffer[11], 12);
  EXPECT_EQ(buffer[12], 0);
  EXPECT_EQ(stream.Position(), 12);
  EXPECT_EQ(stream.Read(buffer.data(), 20), 0);
  EXPECT_EQ(stream.Position(), 12);
}

TEST_F(BoundedStreamTest, ReadInTheMiddleAdvancesByWhatWasCopied) {
  std::array<std::uint8_t, 4> buffer{};
  stream.Seek(10, TBoundedMemoryStream::soBeginning);
  EXPECT_EQ(stream.Read(buffer.data(), 4), 2);
  EXPECT_EQ(buffer[0], 11);
  EXPECT_EQ(buffer[1], 12);
  EXPECT_EQ(stream.Position(), 12);
}

TEST_F(BoundedStreamTest, ReadRefusesNegativePositionCountAndPositionsBeyondTheEnd) {
  std::array<std::uint8_t, 4> buffer{0xAA, 0xAA, 0xAA, 0xAA};
  struct Case { std::int64_t position; std::int32_t count; };
  for (const Case c : {Case{-1, 4}, Case{0, -1}, Case{12, 4}, Case{100, 4}, Case{0, 0}}) {
    stream.Seek(c.position, TBoundedMemoryStream::soBeginning);
    EXPECT_EQ(stream.Read(buffer.data(), c.count), 0) << c.position << "/" << c.count;
    EXPECT_EQ(stream.Position(), c.position);
  }
  EXPECT_EQ(buffer[0], 0xAA);
}

TEST_F(BoundedStreamTest, WriteEndingExactlyAtTheEndSucceeds) {
  const std::uint32_t value = 0xDDCCBBAA;
  stream.Seek(8, TBoundedMemoryStream::soBeginning);
  EXPECT_EQ(stream.Write(&value, 4), 4);
  EXPECT_EQ(stream.Position(), 12);
  EXPECT_EQ(block[8], 0xAA);
  EXPECT_EQ(block[11], 0xDD);
}

TEST_F(BoundedStreamTest, WritePastTheEndThrowsAndWritesNothing) {
  const auto before = block;
  const std::uint32_t value = 0xFFFFFFFF;
  stream.Seek(9, TBoundedMemoryStream::soBeginning);
  try {
    stream.Write(&value, 4);
    FAIL() << "no error";
  } catch (const SharedMemoryBoundsError& e) {
    EXPECT_EQ(std::string(e.what()), "共有メモリを逸脱した書き込み");
  }
  EXPECT_EQ(block, before);
  EXPECT_EQ(stream.Position(), 9);
}

TEST_F(BoundedStreamTest, WriteReturnsZeroWithoutTouchingTheBlock) {
  const auto before = block;
  const std::uint8_t byte = 0xEE;
  struct Case { std::int64_t position; std::int32_t count; };
  // empty write at 0, negative position, negative count
  for (const Case c : {Case{0, 0}, Case{-1, 1}, Case{-4, 4}, Case{0, -1}}) {
    stream.Seek(c.position, TBoundedMemoryStream::soBeginning);
    EXPECT_EQ(stream.Write(&byte, c.count), 0) << c.position << "/" << c.count;
    EXPECT_EQ(stream.Position(), c.position);
  }
  EXPECT_EQ(block, before);
}

TEST_F(BoundedStreamTest, WriteNearTheIntegerLimitDoesNotWrapIntoTheBlock) {
  const auto before = block;
  const std::uint8_t bytes[16] = {};
  stream.Seek(INT32_MAX - 2, TBoundedMemoryStream::soBeginning);
  EXPECT_THROW(stream.Write(bytes, 16), SharedMemoryBoundsError);
  EXPECT_EQ(block, before);
}

TEST_F(BoundedStreamTest, SeekOrigins) {
  struct Case { std::int64_t start; std::int64_t offset; int origin; std::int64_t expected; };
  const Case cases[] = {
      {5, 3, TBoundedMemoryStream::soBeginning, 3},
      {5, 3, TBoundedMemoryStream::soCurrent, 8},
      {5, -7, TBoundedMemoryStream::soCurrent, -2},
      {5, -4, TBoundedMemoryStream::soEnd, 8},
      {5, 10, TBoundedMemoryStream::soEnd, 22},
      {5, 3, 3, 5},   // unknown origin: unchanged
      {5, 3, -1, 5},
      {INT64_MAX - 1, 10, TBoundedMemoryStream::soCurrent, INT64_MAX},
  };
  for (const Case& c : cases) {
    stream.Seek(c.start, TBoundedMemoryStream::soBeginning);
    EXPECT_EQ(stream.Seek(c.offset, c.origin), c.expected) << c.start << " " << c.offset << " " << c.origin;
    EXPECT_EQ(stream.Position(), c.expected);
  }
}

TEST(BoundedStreamWithoutView, AccessThatWouldTouchMemoryThrowsTheOpenError) {
  TBoundedMemoryStream stream(nullptr, 12, "SorvikCom");
  std::uint8_t buffer[4] = {};
  try {
    stream.Read(buffer, 4);
    FAIL() << "no error";
  } catch (const SharedMemoryOpenError& e) {
    EXPECT_EQ(std::string(e.what()), "共有メモリ[SorvikCom]を開けません");
  }
  EXPECT_THROW(stream.Write(buffer, 4), SharedMemoryOpenError);
  EXPECT_EQ(stream.Position(), 0);
}

}  // namespace
