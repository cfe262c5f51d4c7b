// Frame set-up and the decoding of one MCU row into the component planes.
#include <cstring>

#include "assets/jpeg/jpeg_bits.h"
#include "assets/jpeg/jpeg_huffman.h"
#include "assets/jpeg/jpeg_idct.h"

namespace {

void PickLayout(JpegState& s) {
  if (s.componentCount == 1) {
    s.layout = JpegLayout::Gray;
    s.comp[0].h = s.comp[0].v = 1;  // a single component is never interleaved
    return;
  }
  if (s.componentCount != 3) JpegRaise(s, kJpegComponentCount);
  for (int32_t i = 1; i < 3; i++)
    if (s.comp[i].h != 1 || s.comp[i].v != 1) JpegRaise(s, kJpegSampling);
  int32_t h = s.comp[0].h, v = s.comp[0].v;
  if (h < 1 || h > 2 || v < 1 || v > 2) JpegRaise(s, kJpegSampling);
  s.layout = h == 1 ? (v == 1 ? JpegLayout::H1V1 : JpegLayout::H1V2)
                    : (v == 1 ? JpegLayout::H2V1 : JpegLayout::H2V2);
}

// Lists the blocks of one MCU for the given components in order.
void ListMcuBlocks(JpegState& s, const int32_t* components, int32_t count) {
  int32_t b = 0;
  for (int32_t i = 0; i < count; i++) {
    const JpegComponent& c = s.comp[components[i]];
    for (int32_t y = 0; y < c.v; y++)
      for (int32_t x = 0; x < c.h; x++, b++) {
        s.mcuComponent[b] = components[i];
        s.mcuBlockX[b] = x;
        s.mcuBlockY[b] = y;
        s.mcuDcSlot[b] = s.scan.dcSlot[i];
        s.mcuAcSlot[b] = s.scan.acSlot[i];
      }
  }
}

inline void FillBlock(uint8_t* out, int32_t stride, uint8_t value) {
  for (int32_t y = 0; y < 8; y++) std::memset(out + y * stride, value, 8);
}

inline uint8_t* BlockOutput(JpegComponent& c, int32_t mcu, int32_t x, int32_t y) {
  return c.plane + y * 8 * c.planeStride + (mcu * c.h + x) * 8;
}

// Every block passes through one scratch block, which is all zero between blocks.
void DecodeSequentialRow(JpegState& s) {
  int16_t* block = s.coefBlocks;
  for (int32_t mcu = 0; mcu < s.mcusPerRow; mcu++) {
    JpegBeforeMcu(s);
    for (int32_t b = 0; b < s.blocksPerMcu; b++) {
      JpegComponent& c = s.comp[s.mcuComponent[b]];
      int32_t last = JpegDecodeBlock(s, block, c, s.huffTables[s.mcuDcSlot[b]], s.huffTables[s.mcuAcSlot[b]]);
      const int16_t* quant = s.quantTables[c.quantIndex];
      uint8_t* out = BlockOutput(c, mcu, s.mcuBlockX[b], s.mcuBlockY[b]);
      if (last == 0) {
        FillBlock(out, c.planeStride, JpegIdctDcSample(block[0], quant[0]));
        block[0] = 0;
      } else if (last <= kJpegIdctLowLast) {
        JpegIdctLow(block, quant, out, c.planeStride);
        for (int32_t row = 0; row < 4; row++) std::memset(block + 8 * row, 0, 4 * sizeof(int16_t));
      } else {
        JpegIdct(block, quant, out, c.planeStride);
        std::memset(block, 0, 64 * sizeof(int16_t));
      }
    }
  }
}

// Gathers each block of the row from the coefficient buffers, then transforms it.
void OutputProgressiveRow(JpegState& s, int32_t row) {
  for (int32_t mcu = 0; mcu < s.mcusPerRow; mcu++) {
    for (int32_t b = 0; b < s.blocksPerMcu; b++) {
      JpegComponent& c = s.comp[s.mcuComponent[b]];
      int32_t bx = mcu * c.h + s.mcuBlockX[b], by = row * c.v + s.mcuBlockY[b];
      if (bx >= c.blocksWide || by >= c.blocksHigh) JpegRaise(s, kJpegBlockRange);
      int64_t index = int64_t(by) * c.blocksWide + bx;
      int16_t* block = s.coefBlocks + (mcu * s.blocksPerMcu + b) * 64;
      std::memcpy(block, c.ac + index * 64, 128);
      block[0] = c.dc[index];
      bool dcOnly = true;
      for (int32_t k = 1; k < 64 && dcOnly; k++) dcOnly = block[k] == 0;
      const int16_t* quant = s.quantTables[c.quantIndex];
      uint8_t* out = BlockOutput(c, mcu, s.mcuBlockX[b], s.mcuBlockY[b]);
      if (dcOnly)
        FillBlock(out, c.planeStride, JpegIdctDcSample(block[0], quant[0]));
      else
        JpegIdct(block, quant, out, c.planeStride);
    }
  }
}

}  // namespace

void JpegSetUpFrame(JpegState& s) {
  PickLayout(s);
  bool colour = s.layout != JpegLayout::Gray;
  s.mcuWidth = 8 * s.comp[0].h;
  s.mcuHeight = 8 * s.comp[0].v;
  s.bytesPerPixel = colour ? 4 : 1;
  s.bytesPerLine = s.width * s.bytesPerPixel;
  s.mcusPerRow = (s.width + s.mcuWidth - 1) / s.mcuWidth;
  s.mcusPerColumn = (s.height + s.mcuHeight - 1) / s.mcuHeight;
  int32_t frameOrder[3] = {0, 1, 2};
  s.blocksPerMcu = 0;
  for (int32_t i = 0; i < s.componentCount; i++) s.blocksPerMcu += s.comp[i].h * s.comp[i].v;
  int32_t blocksPerRow = s.blocksPerMcu * s.mcusPerRow;
  if (blocksPerRow > kJpegMaxBlocksPerMcuRow) JpegRaise(s, kJpegBlockRange);
  ListMcuBlocks(s, frameOrder, s.componentCount);

  s.coefBlocks = static_cast<int16_t*>(JpegAllocate(s, uint64_t(blocksPerRow) * 128));
  for (int32_t i = 0; i < s.componentCount; i++) {
    JpegComponent& c = s.comp[i];
    // Checked here too because a progressive component may appear in no scan at all.
    if (c.quantIndex >= 4) JpegRaise(s, kJpegUndefinedQuant);
    c.planeStride = s.mcusPerRow * c.h * 8;
    c.plane = static_cast<uint8_t*>(JpegAllocate(s, uint64_t(c.planeStride) * c.v * 8));
    if (s.progressive) {
      c.blocksWide = s.mcusPerRow * c.h;
      c.blocksHigh = s.mcusPerColumn * c.v;
      uint64_t blocks = uint64_t(c.blocksWide) * c.blocksHigh;
      c.dc = static_cast<int16_t*>(JpegAllocate(s, blocks * 2));
      c.ac = static_cast<int16_t*>(JpegAllocate(s, blocks * 128));
    }
  }
  if (colour) {
    int32_t lineBytes = ((s.width + 15) & ~15) * 4;
    s.lines[0] = static_cast<uint8_t*>(JpegAllocate(s, lineBytes));
    s.lines[1] = static_cast<uint8_t*>(JpegAllocate(s, lineBytes));
  }
}

// A sequential image is decoded line by line from its first scan, which must therefore hold every
// component of the frame once.
void JpegCheckSequentialScan(JpegState& s) {
  const JpegScan& scan = s.scan;
  bool complete = scan.count == s.componentCount;
  for (int32_t i = 0; i < scan.count && complete; i++)
    for (int32_t j = 0; j < i; j++)
      if (scan.component[j] == scan.component[i]) complete = false;
  if (!complete) JpegRaise(s, kJpegScanLength);
  ListMcuBlocks(s, scan.component, scan.count);
}

void JpegDecodeMcuRow(JpegState& s, int32_t row) {
  if (s.progressive)
    OutputProgressiveRow(s, row);
  else
    DecodeSequentialRow(s);
  s.mcuRow = row;
}
