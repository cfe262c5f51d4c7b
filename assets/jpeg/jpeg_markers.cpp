// Markers and header segments: SOI, the marker loop, SOF, DHT, DQT, DRI and SOS.
#include "assets/jpeg/jpeg_decoder.h"
#include "assets/jpeg/jpeg_bits.h"
#include "assets/jpeg/jpeg_huffman.h"

namespace {

// round(16384 * c(u) * c(v)) for natural row u and column v, c(0) = 1, c(k) = sqrt(2) cos(k pi / 16):
// the IDCT's factorisation scale, folded into the quantisation tables.
constexpr int32_t kIdctScale[64] = {
    16384, 22725, 21407, 19266, 16384, 12873, 8867,  4520,  22725, 31521, 29692, 26722, 22725,
    17855, 12299, 6270,  21407, 29692, 27969, 25172, 21407, 16819, 11585, 5906,  19266, 26722,
    25172, 22654, 19266, 15137, 10426, 5315,  16384, 22725, 21407, 19266, 16384, 12873, 8867,
    4520,  12873, 17855, 16819, 15137, 12873, 10114, 6967,  3552,  8867,  12299, 11585, 10426,
    8867,  6967,  4799,  2446,  4520,  6270,  5906,  5315,  4520,  3552,  2446,  1247};

void ReadHuffmanTables(JpegState& s) {
  int32_t length = JpegReadWord(s);
  if (length < 2) JpegRaise(s, kJpegHuffmanLength);
  int32_t left = length - 2;
  while (left > 0) {
    uint8_t classAndIndex = JpegReadByte(s);
    uint8_t counts[16];
    int32_t total = 0;
    for (uint8_t& n : counts) total += n = JpegReadByte(s);
    if (total > 255) JpegRaise(s, kJpegHuffmanCounts);
    if (left < 17 + total) JpegRaise(s, kJpegHuffmanLength);
    int32_t slot = (classAndIndex & 15) + ((classAndIndex & 16) ? 4 : 0);
    if (slot >= 8) JpegRaise(s, kJpegHuffmanSlot);
    uint8_t symbols[256];
    for (int32_t i = 0; i < total; i++) symbols[i] = JpegReadByte(s);
    if (!JpegBuildHuffmanTable(s.huffTables[slot], counts, symbols, total)) JpegRaise(s, kJpegHuffmanCounts);
    left -= 17 + total;
  }
}

void ReadQuantTables(JpegState& s) {
  int32_t length = JpegReadWord(s);
  if (length < 2) JpegRaise(s, kJpegQuantLength);
  int32_t left = length - 2;
  while (left > 0) {
    uint8_t precisionAndIndex = JpegReadByte(s);
    int32_t index = precisionAndIndex & 15;
    bool wide = (precisionAndIndex >> 4) != 0;
    if (index >= 4) JpegRaise(s, kJpegQuantIndex);
    int32_t size = wide ? 129 : 65;
    if (left < size) JpegRaise(s, kJpegQuantTooShort);
    for (int32_t k = 0; k < 64; k++) {
      int32_t q = wide ? JpegReadWord(s) : JpegReadByte(s);
      int32_t at = kJpegZigZag[k];
      s.quantTables[index][at] = int16_t((q * kIdctScale[at] + 2048) >> 12);
    }
    s.quantDefined[index] = true;
    left -= size;
  }
}

void SkipSegment(JpegState& s) {
  int32_t length = JpegReadWord(s);
  if (length < 2) JpegRaise(s, kJpegSegmentLength);
  JpegSkipBytes(s, length - 2);
}

void FindSoi(JpegState& s) {
  uint8_t previous = JpegReadByte(s);
  uint8_t current = JpegReadByte(s);
  for (int32_t extra = 0; !(previous == 0xFF && current == 0xD8); extra++) {
    if (extra == 511) JpegRaise(s, kJpegNoSoi);
    previous = current;
    current = JpegReadByte(s);
  }
  if (s.pos == s.end) JpegFillBuffer(s);
  if (s.buffer[s.pos] != 0xFF) JpegRaise(s, kJpegNoSoi);  // left unread for the marker loop
}

void ReadFrameHeader(JpegState& s) {
  int32_t length = JpegReadWord(s);
  if (JpegReadByte(s) != 8) JpegRaise(s, kJpegPrecision);
  s.height = JpegReadWord(s);
  if (s.height < 1 || s.height > kJpegMaxDimension) JpegRaise(s, kJpegHeight);
  s.width = JpegReadWord(s);
  if (s.width < 1 || s.width > kJpegMaxDimension) JpegRaise(s, kJpegWidth);
  s.componentCount = JpegReadByte(s);
  if (s.componentCount > 4) JpegRaise(s, kJpegComponentLimit);
  if (length != 8 + 3 * s.componentCount) JpegRaise(s, kJpegFrameLength);
  for (int32_t i = 0; i < s.componentCount; i++) {
    JpegComponent& c = s.comp[i];
    c.id = JpegReadByte(s);
    uint8_t sampling = JpegReadByte(s);
    c.h = sampling >> 4;
    c.v = sampling & 15;
    c.quantIndex = JpegReadByte(s);
  }
}

}  // namespace

int32_t JpegNextMarker(JpegState& s) {
  for (;;) {
    while (JpegReadByte(s) != 0xFF) {
    }
    uint8_t marker;
    do marker = JpegReadByte(s);
    while (marker == 0xFF);
    if (marker == 0x00) continue;  // not a marker
    if (marker == 0x01 || marker == 0xC8 || (marker >= 0xD0 && marker <= 0xD7))
      JpegRaise(s, kJpegUnexpectedMarker);
    if (marker == 0xCC) JpegRaise(s, kJpegArithmetic);
    if ((marker >= 0xC0 && marker <= 0xCF && marker != 0xC4) || (marker >= 0xD8 && marker <= 0xDA))
      return marker;
    if (marker == 0xC4) {
      ReadHuffmanTables(s);
    } else if (marker == 0xDB) {
      ReadQuantTables(s);
    } else if (marker == 0xDD) {
      if (JpegReadWord(s) != 4) JpegRaise(s, kJpegRestartLength);
      s.restartInterval = uint16_t(JpegReadWord(s));
    } else {
      SkipSegment(s);
    }
  }
}

void JpegReadHeader(JpegState& s) {
  FindSoi(s);
  int32_t marker = JpegNextMarker(s);
  if (marker < 0xC0 || marker > 0xC9) JpegRaise(s, kJpegFrameType);
  if (marker == 0xC9) JpegRaise(s, kJpegArithmetic);
  if (marker > 0xC2) JpegRaise(s, kJpegFrameType);
  s.progressive = marker == 0xC2;
  ReadFrameHeader(s);
}

void JpegReadScanHeader(JpegState& s) {
  JpegScan& scan = s.scan;
  int32_t length = JpegReadWord(s);
  scan.count = JpegReadByte(s);
  if (length - 3 != 2 * scan.count + 3 || scan.count < 1 || scan.count > 4) JpegRaise(s, kJpegScanLength);
  for (int32_t i = 0; i < scan.count; i++) {
    uint8_t id = JpegReadByte(s);
    int32_t found = -1;
    for (int32_t c = 0; c < s.componentCount && found < 0; c++)
      if (s.comp[c].id == id) found = c;
    if (found < 0) JpegRaise(s, kJpegScanComponent);
    uint8_t tables = JpegReadByte(s);
    scan.component[i] = found;
    scan.dcSlot[i] = tables >> 4;
    scan.acSlot[i] = (tables & 15) + 4;
  }
  scan.ss = JpegReadByte(s);
  scan.se = JpegReadByte(s);
  uint8_t approximation = JpegReadByte(s);
  scan.ah = approximation >> 4;
  scan.al = approximation & 15;
  if (!s.progressive) {
    scan.ss = 0;
    scan.se = 63;
  }
}

void JpegCheckScanTables(JpegState& s) {
  const JpegScan& scan = s.scan;
  for (int32_t i = 0; i < scan.count; i++) {
    const JpegComponent& c = s.comp[scan.component[i]];
    if (c.quantIndex >= 4 || !s.quantDefined[c.quantIndex]) JpegRaise(s, kJpegUndefinedQuant);
  }
  for (int32_t i = 0; i < scan.count; i++) {
    bool dcMissing = scan.dcSlot[i] >= 8 || !s.huffTables[scan.dcSlot[i]].defined;
    bool acMissing = scan.acSlot[i] >= 8 || !s.huffTables[scan.acSlot[i]].defined;
    if ((scan.ss == 0 && dcMissing) || (scan.se > 0 && acMissing)) JpegRaise(s, kJpegUndefinedHuffman);
  }
  for (int32_t i = 0; i < s.componentCount; i++) s.comp[i].dcPrediction = 0;
  s.eobRun = 0;
  s.restartsLeft = s.restartInterval;
  s.nextRestart = 0;
  JpegResetBits(s);
}
