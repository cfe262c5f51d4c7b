// The entropy decoder's bit window and Huffman decoding, inlined into the block decoders.
#pragma once

#include <cstring>

#include "assets/jpeg/jpeg_state.h"

// Natural position of each zig-zag index.
extern const uint8_t kJpegZigZag[64];

// One byte of entropy-coded data: 0xFF 0x00 is a data byte 0xFF; before any other marker the reader
// stops and returns 0xFF for ever, leaving the marker unread.
inline uint8_t JpegEntropyByte(JpegState& s) {
  if (s.end - s.pos < 2) JpegFillBuffer(s);
  uint8_t b = s.buffer[s.pos];
  if (b != 0xFF) {
    s.pos++;
    return b;
  }
  if (s.buffer[s.pos + 1] == 0x00) s.pos += 2;
  return 0xFF;
}

// Tops the window up: six bytes at once when none of them is 0xFF, else byte by byte. Called with at
// most 16 bits in the window; leaves at least 48.
inline void JpegFillBits(JpegState& s) {
  if (s.end - s.pos >= 12) {
    uint64_t word;
    std::memcpy(&word, s.buffer + s.pos, 8);
    uint64_t inverted = ~word & 0xFFFFFFFFFFFFull;  // a 0xFF byte becomes a zero byte
    bool hasFF = ((inverted - 0x010101010101ull) & ~inverted & 0x808080808080ull) != 0;
    if (!hasFF) {
      uint64_t be = __builtin_bswap64(word) >> 16;  // six bytes, first one highest
      s.bits |= be << (16 - s.bitCount);
      s.bitCount += 48;
      s.pos += 6;
      return;
    }
  }
  while (s.bitCount <= 56) {
    s.bits |= uint64_t(JpegEntropyByte(s)) << (56 - s.bitCount);
    s.bitCount += 8;
  }
}

// JpegFillBits out of line, for the rare top-ups the fast path below leaves.
void JpegFillBitsSlow(JpegState& s);

// Tops up a window held in locals: whole bytes until at least 56 bits are held, in one load when the
// next eight bytes hold no 0xFF. The bits below the count may then hold the start of the next byte,
// which a later top-up ORs in again unchanged. Called with fewer than 16 bits in the window; always
// inlined so that the window stays in registers.
__attribute__((always_inline)) inline void JpegRefill(JpegState& s, uint64_t& bits, int32_t& count) {
  if (s.end - s.pos >= 8) {
    uint64_t word;
    std::memcpy(&word, s.buffer + s.pos, 8);
    uint64_t inverted = ~word;  // a 0xFF byte becomes a zero byte
    if (((inverted - 0x0101010101010101ull) & ~inverted & 0x8080808080808080ull) == 0) {
      bits |= __builtin_bswap64(word) >> count;
      s.pos += (63 - count) >> 3;
      count |= 56;
      return;
    }
  }
  s.bits = bits;
  s.bitCount = count;
  JpegFillBitsSlow(s);
  bits = s.bits;
  count = s.bitCount;
}

inline void JpegResetBits(JpegState& s) {
  s.bits = 0;
  s.bitCount = 0;
}

// The code of more than kJpegFastBits bits at the top of bits: (length << 8) | symbol, or -1 when no
// code of up to 16 bits matches.
int32_t JpegFindLongCode(const JpegHuffmanTable& table, uint64_t bits);

inline int32_t JpegDecodeLongSymbol(JpegState& s, const JpegHuffmanTable& table) {
  int32_t found = JpegFindLongCode(table, s.bits);
  if (found < 0) JpegRaise(s, kJpegCorruptData);
  int32_t length = found >> 8;
  s.bits <<= length;
  s.bitCount -= length;
  return found & 0xFF;
}

inline int32_t JpegDecodeSymbol(JpegState& s, const JpegHuffmanTable& table) {
  if (s.bitCount < 16) JpegFillBits(s);
  uint32_t entry = table.lookup[s.bits >> (64 - kJpegFastBits)];
  if (entry == 0) return JpegDecodeLongSymbol(s, table);
  int32_t length = entry >> 8;
  s.bits <<= length;
  s.bitCount -= length;
  return entry & 0xFF;
}

inline uint32_t JpegGetBits(JpegState& s, int32_t count) {  // count 1..16
  if (s.bitCount < count) JpegFillBits(s);
  uint32_t value = uint32_t(s.bits >> (64 - count));
  s.bits <<= count;
  s.bitCount -= count;
  return value;
}

// Reads a count-bit magnitude and extends it to its signed value (count 0..16).
inline int32_t JpegReceiveExtend(JpegState& s, int32_t count) {
  if (count == 0) return 0;
  int32_t value = int32_t(JpegGetBits(s, count));
  return value < (1 << (count - 1)) ? value - (1 << count) + 1 : value;
}

// Handles the restart marker due before the next MCU, if any.
void JpegProcessRestart(JpegState& s);
inline void JpegBeforeMcu(JpegState& s) {
  if (s.restartInterval == 0) return;
  if (s.restartsLeft == 0) JpegProcessRestart(s);
  s.restartsLeft--;
}
