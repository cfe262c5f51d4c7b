// Huffman decoding of sequential scans: long codes, restart markers and whole blocks.
#include "assets/jpeg/jpeg_huffman.h"

#include "assets/jpeg/jpeg_bits.h"

const uint8_t kJpegZigZag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                 12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

bool JpegBuildHuffmanTable(JpegHuffmanTable& table, const uint8_t counts[16], const uint8_t* symbols,
                           int32_t total) {
  JpegHuffmanTable built{};
  int32_t code = 0, index = 0;
  for (int32_t length = 1; length <= 16; length++) {
    int32_t n = counts[length - 1];
    built.valueOffset[length] = index - code;
    built.maxCode[length] = n ? code + n - 1 : -1;
    for (int32_t i = 0; i < n; i++, code++, index++) {
      if (code >= (1 << length)) return false;  // more codes than the length can hold
      if (length <= 8) {
        int32_t shift = 8 - length;
        for (int32_t fill = 0; fill < (1 << shift); fill++)
          built.lookup[(code << shift) | fill] = uint16_t((length << 8) | symbols[index]);
      }
    }
    code <<= 1;
  }
  for (int32_t i = 0; i < total; i++) built.symbols[i] = symbols[i];
  for (int32_t bits = 0; bits < 256; bits++) {
    int32_t length = built.lookup[bits] >> 8, symbol = built.lookup[bits] & 0xFF;
    int32_t size = symbol & 15, used = length + size;
    if (length == 0 || size == 0 || used > 8) continue;
    int32_t magnitude = (bits >> (8 - used)) & ((1 << size) - 1);
    int32_t value = magnitude < (1 << (size - 1)) ? magnitude - (1 << size) + 1 : magnitude;
    built.coefficient[bits] = int32_t(uint32_t(value) << 16) | (symbol >> 4) << 8 | used;
  }
  built.defined = true;
  table = built;
  return true;
}

int32_t JpegDecodeLongSymbol(JpegState& s, const JpegHuffmanTable& table) {
  uint32_t top = uint32_t(s.bits >> 48);
  for (int32_t length = 9; length <= 16; length++) {
    int32_t code = int32_t(top >> (16 - length));
    if (code <= table.maxCode[length]) {
      s.bits <<= length;
      s.bitCount -= length;
      return table.symbols[(code + table.valueOffset[length]) & 0xFF];
    }
  }
  JpegRaise(s, kJpegCorruptData);
}

// Finds the expected RSTn within 1536 bytes, then starts the next interval afresh.
void JpegProcessRestart(JpegState& s) {
  JpegResetBits(s);
  int32_t scanned = 0;
  while (JpegReadByte(s) != 0xFF) {
    if (++scanned >= 1536) JpegRaise(s, kJpegBadRestart);
  }
  uint8_t marker;
  do marker = JpegReadByte(s);
  while (marker == 0xFF);
  if (marker != 0xD0 + s.nextRestart) JpegRaise(s, kJpegBadRestart);
  s.nextRestart = (s.nextRestart + 1) & 7;
  for (JpegComponent& c : s.comp) c.dcPrediction = 0;
  s.eobRun = 0;
  s.restartsLeft = s.restartInterval;
}

int32_t JpegDecodeBlock(JpegState& s, int16_t* block, uint8_t& lastCoef, JpegComponent& c,
                        const JpegHuffmanTable& dc, const JpegHuffmanTable& ac) {
  for (int32_t k = 1; k <= lastCoef; k++) block[kJpegZigZag[k]] = 0;

  int32_t size = JpegDecodeSymbol(s, dc);
  if (size > 16) JpegRaise(s, kJpegCorruptData);
  c.dcPrediction = int16_t(uint32_t(c.dcPrediction) + uint32_t(JpegReceiveExtend(s, size)));
  block[0] = int16_t(c.dcPrediction);

  int32_t last = 0;
  for (int32_t k = 1; k < 64; k++) {
    if (s.bitCount < 16) JpegFillBits(s);
    int32_t fast = ac.coefficient[s.bits >> 56];
    if (fast) {  // code and magnitude in one lookup
      int32_t used = fast & 0xFF;
      s.bits <<= used;
      s.bitCount -= used;
      k += (fast >> 8) & 0xFF;
      if (k > 63) JpegRaise(s, kJpegCorruptData);
      block[kJpegZigZag[k]] = int16_t(fast >> 16);
      last = k;
      continue;
    }
    int32_t rs = JpegDecodeSymbol(s, ac);
    int32_t run = rs >> 4;
    size = rs & 15;
    k += run;
    if (k > 63) JpegRaise(s, kJpegCorruptData);
    if (size == 0) {
      if (run != 15) break;
      continue;  // sixteen zeros
    }
    block[kJpegZigZag[k]] = int16_t(JpegReceiveExtend(s, size));
    last = k;
  }
  lastCoef = uint8_t(last);
  return last;
}
