// Input handling: truncated files, the stream never asked again after its end, JpegFileStream.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/jpeg/jpeg_test_support.h"

namespace {

// Every prefix of a small file either decodes or fails with a status from the table, with no read
// after the end and exactly one detach.
void CheckEveryPrefix(const std::vector<uint8_t>& jpeg) {
  int32_t decoded = 0;
  for (size_t length = 0; length <= jpeg.size(); length++) {
    MemoryStream stream(jpeg.data(), length, 61);
    DecodedPicture out;
    int32_t status;
    {
      JpegDecoder decoder(stream);
      status = decoder.status();
      if (status == 0 && decoder.beginDecoding() != 0) status = decoder.status();
      for (int32_t y = 0; status == 0 && y < decoder.height(); y++) {
        const uint8_t* line;
        uint32_t bytes;
        if (decoder.decodeLine(line, bytes) != 0) status = decoder.status();
      }
    }
    decoded += status == 0;
    ASSERT_LE(status, 0) << "prefix " << length;
    ASSERT_STRNE(JpegStatusText(status), "unknown status") << "prefix " << length;
    ASSERT_FALSE(stream.readAfterEnd) << "prefix " << length;
    ASSERT_EQ(stream.detaches, 1) << "prefix " << length;
  }
  EXPECT_GT(decoded, 0);
}

TEST(JpegStreamTest, EveryPrefixOfABaselineFile) {
  EncodeOptions options;
  options.lumaH = options.lumaV = 2;
  options.restartInterval = 2;
  CheckEveryPrefix(EncodeWithLibjpeg(MakePicture(40, 24, 3, 3), options));
}

TEST(JpegStreamTest, EveryPrefixOfAProgressiveFile) {
  EncodeOptions options;
  options.progressive = true;
  options.lumaH = 2;
  CheckEveryPrefix(EncodeWithLibjpeg(MakePicture(33, 17, 3, 4), options));
}

// Past the cut the entropy decoder reads only 1-bits, which no standard table decodes: the rows before
// the cut come out intact, then decodeLine fails cleanly.
TEST(JpegStreamTest, TruncatedFileDecodesUpToTheCut) {
  TestPicture picture = MakePicture(64, 64, 1, 2);
  std::vector<uint8_t> jpeg = EncodeWithLibjpeg(picture, EncodeOptions{});
  DecodedPicture whole;
  ASSERT_EQ(DecodeWithOurs(jpeg, whole), 0);
  MemoryStream stream(jpeg.data(), jpeg.size() * 2 / 3);
  JpegDecoder decoder(stream);
  ASSERT_EQ(decoder.beginDecoding(), 0);
  int32_t y = 0, result = 0;
  const uint8_t* line;
  uint32_t bytes;
  for (; y < 64 && (result = decoder.decodeLine(line, bytes)) == 0; y++)
    ASSERT_TRUE(std::equal(line, line + 64, whole.pixels.begin() + y * 64)) << "line " << y;
  EXPECT_GE(y, 16);
  EXPECT_EQ(result, kJpegCorruptData);
  EXPECT_EQ(decoder.status(), kJpegCorruptData);
  EXPECT_FALSE(stream.readAfterEnd);
}

TEST(JpegStreamTest, OneByteReads) {
  std::vector<uint8_t> jpeg = EncodeWithLibjpeg(MakePicture(31, 20, 3, 6), EncodeOptions{});
  DecodedPicture whole, trickled;
  ASSERT_EQ(DecodeWithOurs(jpeg, whole), 0);
  MemoryStream stream(jpeg, 1);
  ASSERT_EQ(DecodeWithOurs(stream, trickled), 0);
  EXPECT_EQ(whole.pixels, trickled.pixels);
}

TEST(JpegStreamTest, FileStream) {
  std::vector<uint8_t> jpeg = EncodeWithLibjpeg(MakePicture(5000, 1, 3, 7), EncodeOptions{});
  std::string path = testing::TempDir() + "velmora_jpeg_stream_test.jpg";
  FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(std::fwrite(jpeg.data(), 1, jpeg.size(), file), jpeg.size());
  std::fclose(file);

  JpegFileStream stream;
  uint8_t buffer[16];
  bool ended = false;
  EXPECT_EQ(stream.read(buffer, 16, ended), -1);  // no file yet
  EXPECT_FALSE(stream.open((path + ".missing").c_str()));
  ASSERT_TRUE(stream.open(path.c_str()));
  DecodedPicture fromFile, fromMemory;
  ASSERT_EQ(DecodeWithOurs(stream, fromFile), 0);
  ASSERT_EQ(DecodeWithOurs(jpeg, fromMemory), 0);
  EXPECT_EQ(fromFile.pixels, fromMemory.pixels);
  EXPECT_EQ(stream.read(buffer, 16, ended), 0);  // at its end: 0 with the flag set
  EXPECT_TRUE(ended);

  ASSERT_TRUE(stream.open(path.c_str()));  // reopening clears the flags
  ended = false;
  EXPECT_EQ(stream.read(buffer, 16, ended), 16);
  EXPECT_FALSE(ended);
  stream.close();
  EXPECT_EQ(stream.read(buffer, 16, ended), -1);
  std::remove(path.c_str());
}

}  // namespace
