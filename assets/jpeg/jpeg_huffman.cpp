// Huffman decoding of sequential scans: long codes, restart markers and whole blocks.
#include "assets/jpeg/jpeg_huffman.h"

#include "assets/jpeg/jpeg_bits.h"

const uint8_t kJpegZigZag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                 12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

namespace {

// The signed value of a size-bit magnitude.
inline int32_t Extend(int32_t magnitude, int32_t size) {
  return magnitude < (1 << (size - 1)) ? magnitude - (1 << size) + 1 : magnitude;
}

}  // namespace

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
      if (length <= kJpegFastBits) {
        int32_t shift = kJpegFastBits - length;
        for (int32_t fill = 0; fill < (1 << shift); fill++)
          built.lookup[(code << shift) | fill] = uint16_t((length << 8) | symbols[index]);
      }
    }
    code <<= 1;
  }
  for (int32_t i = 0; i < total; i++) built.symbols[i] = symbols[i];
  for (int32_t bits = 0; bits < (1 << kJpegFastBits); bits++) {
    int32_t length = built.lookup[bits] >> 8, symbol = built.lookup[bits] & 0xFF;
    if (length == 0) continue;
    // As a DC table: the symbol is the size of the difference.
    if (length + symbol <= kJpegFastBits) {
      int32_t magnitude = (bits >> (kJpegFastBits - length - symbol)) & ((1 << symbol) - 1);
      int32_t difference = symbol ? Extend(magnitude, symbol) : 0;
      built.dcFast[bits] = int32_t(uint32_t(difference) << 16) | (length + symbol);
    }
    // As an AC table: run and size of a coefficient, or the end of the block.
    int32_t size = symbol & 15, used = length + size;
    if (symbol == 0) {
      built.acFast[bits] = kJpegFastEob | length;
    } else if (size != 0 && used <= kJpegFastBits) {
      int32_t magnitude = (bits >> (kJpegFastBits - used)) & ((1 << size) - 1);
      built.acFast[bits] = int32_t(uint32_t(Extend(magnitude, size)) << 16) | (symbol >> 4) << 8 | used;
    }
  }
  built.defined = true;
  table = built;
  return true;
}

void JpegFillBitsSlow(JpegState& s) {
  JpegFillBits(s);
}

int32_t JpegFindLongCode(const JpegHuffmanTable& table, uint64_t bits) {
  uint32_t top = uint32_t(bits >> 48);
  for (int32_t length = kJpegFastBits + 1; length <= 16; length++) {
    int32_t code = int32_t(top >> (16 - length));
    if (code <= table.maxCode[length])
      return length << 8 | table.symbols[(code + table.valueOffset[length]) & 0xFF];
  }
  return -1;
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

namespace {

// One symbol from a window holding at least 16 bits, for the codes the combined tables leave out.
inline int32_t DecodeSymbol(JpegState& s, uint64_t& bits, int32_t& count, const JpegHuffmanTable& table) {
  int32_t entry = table.lookup[bits >> (64 - kJpegFastBits)];
  if (entry == 0) {
    entry = JpegFindLongCode(table, bits);
    if (entry < 0) JpegRaise(s, kJpegCorruptData);
  }
  int32_t length = entry >> 8;
  bits <<= length;
  count -= length;
  return entry & 0xFF;
}

// A size-bit magnitude (size 1..16) extended to its signed value.
inline int32_t Receive(JpegState& s, uint64_t& bits, int32_t& count, int32_t size) {
  if (count < size) JpegRefill(s, bits, count);
  int32_t magnitude = int32_t(bits >> (64 - size));
  bits <<= size;
  count -= size;
  return Extend(magnitude, size);
}

}  // namespace

int32_t JpegDecodeBlock(JpegState& s, int16_t* block, JpegComponent& c, const JpegHuffmanTable& dc,
                        const JpegHuffmanTable& ac) {
  // The window lives in locals for the whole block.
  uint64_t bits = s.bits;
  int32_t count = s.bitCount;

  if (count < 16) JpegRefill(s, bits, count);
  int32_t difference;
  int32_t fast = dc.dcFast[bits >> (64 - kJpegFastBits)];
  if (fast) {
    int32_t used = fast & 0xFF;
    bits <<= used;
    count -= used;
    difference = fast >> 16;
  } else {
    int32_t size = DecodeSymbol(s, bits, count, dc);
    if (size > 16) JpegRaise(s, kJpegCorruptData);
    difference = size ? Receive(s, bits, count, size) : 0;
  }
  c.dcPrediction = int16_t(uint32_t(c.dcPrediction) + uint32_t(difference));
  block[0] = int16_t(c.dcPrediction);

  int32_t last = 0;
  for (int32_t k = 1; k < 64; k++) {
    if (count < 16) JpegRefill(s, bits, count);
    fast = ac.acFast[bits >> (64 - kJpegFastBits)];
    if (fast) {
      int32_t used = fast & 0xFF;
      bits <<= used;
      count -= used;
      if (fast & kJpegFastEob) break;
      k += (fast >> 8) & 15;
      if (k > 63) JpegRaise(s, kJpegCorruptData);
      block[kJpegZigZag[k]] = int16_t(fast >> 16);
      last = k;
      continue;
    }
    int32_t rs = DecodeSymbol(s, bits, count, ac);
    int32_t run = rs >> 4, size = rs & 15;
    k += run;
    if (k > 63) JpegRaise(s, kJpegCorruptData);
    if (size == 0) {
      if (run != 15) break;
      continue;  // sixteen zeros
    }
    block[kJpegZigZag[k]] = int16_t(Receive(s, bits, count, size));
    last = k;
  }
  s.bits = bits;
  s.bitCount = count;
  return last;
}
