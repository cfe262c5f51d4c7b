// Every status code raised by a crafted stream at the point the decoder's contract names, and the
// calling order of the public operations.
#include <gtest/gtest.h>

#include <initializer_list>

#include "tests/jpeg/jpeg_test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Segment(uint8_t marker, const Bytes& body) {
  size_t length = body.size() + 2;
  Bytes out = {0xFF, marker, uint8_t(length >> 8), uint8_t(length)};
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

const Bytes kSoi = {0xFF, 0xD8};
const Bytes kEoi = {0xFF, 0xD9};

Bytes Dqt(uint8_t precisionAndIndex = 0x00) {
  Bytes body = {precisionAndIndex};
  body.resize((precisionAndIndex >> 4) ? 129 : 65, 1);
  return Segment(0xDB, body);
}

// A frame header: width, height, then (id, sampling, quant table) per component.
Bytes Sof(uint8_t marker, int32_t width, int32_t height, const Bytes& components, uint8_t precision = 8) {
  Bytes body = {precision,           uint8_t(height >> 8), uint8_t(height),
                uint8_t(width >> 8), uint8_t(width),       uint8_t(components.size() / 3)};
  body.insert(body.end(), components.begin(), components.end());
  return Segment(marker, body);
}

// A DC table with one 1-bit code for size 0, and an AC table whose code 0 is run 15 / size 1 and
// code 1 end of block.
Bytes Dht() {
  Bytes dc = {0x00, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00};
  Bytes ac = {0x10, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF1, 0x00};
  return Join({Segment(0xC4, dc), Segment(0xC4, ac)});
}

Bytes Sos(const Bytes& components, Bytes spectral = {0, 63, 0}) {
  Bytes body = {uint8_t(components.size() / 2)};
  body.insert(body.end(), components.begin(), components.end());
  body.insert(body.end(), spectral.begin(), spectral.end());
  return Segment(0xDA, body);
}

// A valid 8x8 grey image whose one block is all end-of-block bits.
Bytes TinyGray(const Bytes& scanData = {0x7F, 0xFF, 0x00}) {
  return Join({kSoi, Dqt(), Sof(0xC0, 8, 8, {1, 0x11, 0}), Dht(), Sos({1, 0x00}), scanData, kEoi});
}

struct Outcome {
  int32_t afterConstruction, begin, lineResult, status;
};

// Runs the whole calling sequence and records where it stopped.
Outcome RunAll(const Bytes& jpeg) {
  MemoryStream stream(jpeg);
  JpegDecoder decoder(stream);
  Outcome o = {decoder.status(), 0, 0, 0};
  o.begin = decoder.beginDecoding();
  for (int32_t y = 0; o.begin == 0 && y < decoder.height() && o.lineResult == 0; y++) {
    const uint8_t* line;
    uint32_t bytes;
    o.lineResult = decoder.decodeLine(line, bytes);
  }
  o.status = decoder.status();
  return o;
}

int32_t HeaderStatus(const Bytes& jpeg) {
  MemoryStream stream(jpeg);
  return JpegDecoder(stream).status();
}

int32_t BeginStatus(const Bytes& jpeg) {
  Outcome o = RunAll(jpeg);
  EXPECT_EQ(o.afterConstruction, 0);
  EXPECT_EQ(o.begin, -1);
  return o.status;
}

TEST(JpegStatusTest, TinyImageDecodes) {
  Outcome o = RunAll(TinyGray());
  EXPECT_EQ(o.afterConstruction, 0);
  EXPECT_EQ(o.begin, 0);
  EXPECT_EQ(o.lineResult, 0);
  EXPECT_EQ(o.status, 0);
}

TEST(JpegStatusTest, SoiWithinTheFirst512Bytes) {
  Bytes junk511(511, 0x12), junk512(512, 0x12);
  junk511.back() = 0xFF;  // a lone 0xFF right before the marker is still junk
  EXPECT_EQ(HeaderStatus(Join({junk511, TinyGray()})), 0);
  EXPECT_EQ(HeaderStatus(Join({junk512, TinyGray()})), kJpegNoSoi);
  EXPECT_EQ(HeaderStatus(Join({kSoi, {0x00}, TinyGray()})), kJpegNoSoi);
  EXPECT_EQ(HeaderStatus({}), kJpegNoSoi);
}

TEST(JpegStatusTest, MarkerLoop) {
  Bytes frame = Sof(0xC0, 8, 8, {1, 0x11, 0});
  EXPECT_EQ(HeaderStatus(Join({kSoi, {0xFF, 0x01}, frame})), kJpegUnexpectedMarker);
  EXPECT_EQ(HeaderStatus(Join({kSoi, {0xFF, 0xD3}, frame})), kJpegUnexpectedMarker);
  EXPECT_EQ(HeaderStatus(Join({kSoi, Segment(0xC8, {}), frame})), kJpegUnexpectedMarker);
  EXPECT_EQ(HeaderStatus(Join({kSoi, Segment(0xCC, {0, 0}), frame})), kJpegArithmetic);
  EXPECT_EQ(HeaderStatus(Join({kSoi, Sof(0xC9, 8, 8, {1, 0x11, 0})})), kJpegArithmetic);
  EXPECT_EQ(HeaderStatus(Join({kSoi, Sof(0xC3, 8, 8, {1, 0x11, 0})})), kJpegFrameType);
  EXPECT_EQ(HeaderStatus(Join({kSoi, Sof(0xCA, 8, 8, {1, 0x11, 0})})), kJpegFrameType);
  EXPECT_EQ(HeaderStatus(Join({kSoi, kEoi})), kJpegFrameType);
  EXPECT_EQ(HeaderStatus(Join({kSoi, {0xFF, 0xE1, 0x00, 0x01}, frame})), kJpegSegmentLength);
  EXPECT_EQ(HeaderStatus(Join({kSoi, Segment(0xDD, {0, 1, 0}), frame})), kJpegRestartLength);
  // Fill bytes, stuffed zeros and unknown segments are passed over.
  EXPECT_EQ(HeaderStatus(Join({kSoi, {0xFF, 0xFF, 0x00, 0x55}, Segment(0xFE, {1, 2, 3}), frame})), 0);
  EXPECT_EQ(HeaderStatus(Join({kSoi, Sof(0xC1, 8, 8, {1, 0x11, 0})})), 0);
}

TEST(JpegStatusTest, FrameHeaderLimits) {
  Bytes grey = {1, 0x11, 0};
  EXPECT_EQ(HeaderStatus(Join({kSoi, Sof(0xC0, 8, 8, grey, 12)})), kJpegPrecision);
  EXPECT_EQ(HeaderStatus(Join({kSoi, Sof(0xC0, 8, 0, grey)})), kJpegHeight);
  EXPECT_EQ(HeaderStatus(Join({kSoi, Sof(0xC0, 8, 8193, grey)})), kJpegHeight);
  EXPECT_EQ(HeaderStatus(Join({kSoi, Sof(0xC0, 0, 8, grey)})), kJpegWidth);
  EXPECT_EQ(HeaderStatus(Join({kSoi, Sof(0xC0, 8193, 8, grey)})), kJpegWidth);
  EXPECT_EQ(HeaderStatus(Join({kSoi, Sof(0xC2, 8192, 8192, grey)})), 0);
  Bytes five = {1, 0x11, 0, 2, 0x11, 0, 3, 0x11, 0, 4, 0x11, 0, 5, 0x11, 0};
  EXPECT_EQ(HeaderStatus(Join({kSoi, Sof(0xC0, 8, 8, five)})), kJpegComponentLimit);
  Bytes wrongLength = Sof(0xC0, 8, 8, grey);
  wrongLength[3]++;
  EXPECT_EQ(HeaderStatus(Join({kSoi, wrongLength, {0}})), kJpegFrameLength);
}

TEST(JpegStatusTest, TableSegments) {
  Bytes frame = Sof(0xC0, 8, 8, {1, 0x11, 0});
  Bytes tooMany = {0x00, 255, 1};
  tooMany.resize(17, 0);
  EXPECT_EQ(HeaderStatus(Join({kSoi, Segment(0xC4, tooMany), frame})), kJpegHuffmanCounts);
  Bytes overfull = {0x00, 3};  // three 1-bit codes
  overfull.resize(20, 0);
  EXPECT_EQ(HeaderStatus(Join({kSoi, Segment(0xC4, overfull), frame})), kJpegHuffmanCounts);
  Bytes slot8 = {0x14, 1};
  slot8.resize(18, 0);
  EXPECT_EQ(HeaderStatus(Join({kSoi, Segment(0xC4, slot8), frame})), kJpegHuffmanSlot);
  Bytes shortTable = {0x00, 0, 2};
  shortTable.resize(18, 0);  // declares two values, holds one
  EXPECT_EQ(HeaderStatus(Join({kSoi, Segment(0xC4, shortTable), frame})), kJpegHuffmanLength);
  EXPECT_EQ(HeaderStatus(Join({kSoi, {0xFF, 0xC4, 0, 1}, frame})), kJpegHuffmanLength);

  EXPECT_EQ(HeaderStatus(Join({kSoi, {0xFF, 0xDB, 0, 1}, frame})), kJpegQuantLength);
  EXPECT_EQ(HeaderStatus(Join({kSoi, Dqt(0x04), frame})), kJpegQuantIndex);
  Bytes wideButShort = Dqt(0x00);
  wideButShort[4] = 0x10;  // 16-bit values in a segment sized for 8-bit ones
  EXPECT_EQ(HeaderStatus(Join({kSoi, wideButShort, frame})), kJpegQuantTooShort);
  EXPECT_EQ(HeaderStatus(Join({kSoi, Dqt(0x13), frame})), 0);
}

TEST(JpegStatusTest, FrameSetUpInBeginDecoding) {
  Bytes cmyk = Join({kSoi, Sof(0xC0, 8, 8, {1, 0x11, 0, 2, 0x11, 0, 3, 0x11, 0, 4, 0x11, 0})});
  EXPECT_EQ(BeginStatus(cmyk), kJpegComponentCount);
  EXPECT_EQ(BeginStatus(Join({kSoi, Sof(0xC0, 8, 8, {1, 0x11, 0, 2, 0x11, 0})})), kJpegComponentCount);
  EXPECT_EQ(BeginStatus(Join({kSoi, Sof(0xC0, 8, 8, {1, 0x11, 0, 2, 0x21, 0, 3, 0x11, 0})})), kJpegSampling);
  EXPECT_EQ(BeginStatus(Join({kSoi, Sof(0xC0, 8, 8, {1, 0x22, 0, 2, 0x11, 0, 3, 0x12, 0})})), kJpegSampling);
  EXPECT_EQ(BeginStatus(Join({kSoi, Sof(0xC0, 8, 8, {1, 0x31, 0, 2, 0x11, 0, 3, 0x11, 0})})), kJpegSampling);
  EXPECT_EQ(BeginStatus(Join({kSoi, Sof(0xC0, 8, 8, {1, 0x14, 0, 2, 0x11, 0, 3, 0x11, 0})})), kJpegSampling);
  // No scan: the padding after the end of the file reads as EOI where SOS must come.
  EXPECT_EQ(BeginStatus(Join({kSoi, Dqt(), Sof(0xC0, 8, 8, {1, 0x11, 0}), Dht()})), kJpegUnexpectedMarker);
}

TEST(JpegStatusTest, ScanHeaders) {
  Bytes head = Join({kSoi, Dqt(), Sof(0xC0, 8, 8, {1, 0x11, 0}), Dht()});
  Bytes badCount = Sos({1, 0x00});
  badCount[3]++;
  EXPECT_EQ(BeginStatus(Join({head, badCount, {0}})), kJpegScanLength);
  EXPECT_EQ(BeginStatus(Join({head, Sos({})})), kJpegScanLength);
  EXPECT_EQ(BeginStatus(Join({head, Sos({9, 0x00})})), kJpegScanComponent);
  EXPECT_EQ(BeginStatus(Join({head, Sos({1, 0x30})})), kJpegUndefinedHuffman);
  EXPECT_EQ(BeginStatus(Join({head, Sos({1, 0x03})})), kJpegUndefinedHuffman);
  Bytes noQuant = Join({kSoi, Dqt(), Sof(0xC0, 8, 8, {1, 0x11, 2}), Dht(), Sos({1, 0x00})});
  EXPECT_EQ(BeginStatus(noQuant), kJpegUndefinedQuant);
}

TEST(JpegStatusTest, ProgressiveScanParameters) {
  Bytes head = Join({kSoi, Dqt(), Sof(0xC2, 8, 8, {1, 0x11, 0}), Dht()});
  EXPECT_EQ(BeginStatus(Join({head, Sos({1, 0x00}, {0, 5, 0})})), kJpegSpectralSelection);
  EXPECT_EQ(BeginStatus(Join({head, Sos({1, 0x00}, {6, 5, 0})})), kJpegSpectralSelection);
  EXPECT_EQ(BeginStatus(Join({head, Sos({1, 0x00}, {1, 64, 0})})), kJpegSpectralSelection);
  EXPECT_EQ(BeginStatus(Join({head, Sos({1, 0x00}, {0, 0, 0x20})})), kJpegApproximation);
  EXPECT_EQ(RunAll(Join({head, Sos({1, 0x00}, {0, 0, 0x00}), {0x00}, kEoi})).status, 0);
  // A progressive image with no scan at all is grey.
  EXPECT_EQ(RunAll(Join({head, kEoi})).status, 0);
}

TEST(JpegStatusTest, EntropyDataErrorsComeFromDecodeLine) {
  // Size-0 DC, then run-15/size-1 four times: the fourth run passes index 63.
  Outcome o = RunAll(TinyGray({0x00, 0x00}));
  EXPECT_EQ(o.begin, 0);
  EXPECT_EQ(o.lineResult, kJpegCorruptData);
  EXPECT_EQ(o.status, kJpegCorruptData);
}

TEST(JpegStatusTest, RestartMarkers) {
  TestPicture picture = MakePicture(64, 16, 3, 1);
  EncodeOptions options;
  options.restartInterval = 1;
  Bytes jpeg = EncodeWithLibjpeg(picture, options);
  EXPECT_EQ(RunAll(jpeg).status, 0);
  size_t at = 0;
  while (!(jpeg[at] == 0xFF && jpeg[at + 1] == 0xD1)) at++;
  jpeg[at + 1] = 0xD3;
  Outcome o = RunAll(jpeg);
  EXPECT_EQ(o.begin, 0);
  EXPECT_EQ(o.lineResult, kJpegCorruptData);
  EXPECT_EQ(o.status, kJpegBadRestart);
}

TEST(JpegStatusTest, StreamFailure) {
  Bytes jpeg = TinyGray();
  MemoryStream stream(jpeg);
  stream.failNextRead = true;
  JpegDecoder decoder(stream);
  EXPECT_EQ(decoder.status(), kJpegReadFailed);
  EXPECT_EQ(stream.detaches, 1);
}

TEST(JpegStatusTest, CallingOrder) {
  Bytes jpeg = TinyGray();
  MemoryStream stream(jpeg);
  {
    JpegDecoder decoder(stream);
    const uint8_t* line = nullptr;
    uint32_t bytes = 0;
    EXPECT_EQ(decoder.decodeLine(line, bytes), -1);
    EXPECT_EQ(decoder.beginDecoding(), 0);
    int32_t readsAfterBegin = stream.reads;
    EXPECT_EQ(decoder.beginDecoding(), 0);
    EXPECT_EQ(stream.reads, readsAfterBegin);
    for (int32_t y = 0; y < 8; y++) {
      ASSERT_EQ(decoder.decodeLine(line, bytes), 0);
      EXPECT_EQ(bytes, 8u);
      for (int32_t x = 0; x < 8; x++) EXPECT_EQ(line[x], 128);
    }
    EXPECT_EQ(decoder.decodeLine(line, bytes), 1);
    EXPECT_EQ(decoder.decodeLine(line, bytes), 1);
    EXPECT_EQ(stream.detaches, 0);
  }
  EXPECT_EQ(stream.attaches, 1);
  EXPECT_EQ(stream.detaches, 1);

  Bytes corrupt = TinyGray({0x00, 0x00});
  MemoryStream failing(corrupt);
  JpegDecoder decoder(failing);
  const uint8_t* line;
  uint32_t bytes;
  EXPECT_EQ(decoder.beginDecoding(), 0);
  EXPECT_EQ(decoder.decodeLine(line, bytes), kJpegCorruptData);
  EXPECT_EQ(failing.detaches, 1);  // released at the failure, not again later
  EXPECT_EQ(decoder.decodeLine(line, bytes), -1);
  EXPECT_EQ(decoder.beginDecoding(), 0);  // begun stays set
  EXPECT_EQ(decoder.status(), kJpegCorruptData);
}

TEST(JpegStatusTest, EveryCodeHasItsOwnMeaning) {
  EXPECT_STREQ(JpegStatusText(kJpegBadRestart), "bad or missing restart marker");
  EXPECT_STREQ(JpegStatusText(-214), "unknown status");
}

}  // namespace
