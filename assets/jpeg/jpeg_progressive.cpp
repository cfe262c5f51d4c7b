// Progressive scans: every scan up to EOI is decoded into the per-component coefficient buffers.
#include "assets/jpeg/jpeg_bits.h"

namespace {

void DecodeDcFirst(JpegState& s, JpegComponent& c, int16_t* dc, const JpegHuffmanTable& table) {
  int32_t size = JpegDecodeSymbol(s, table);
  if (size > 16) JpegRaise(s, kJpegCorruptData);
  c.dcPrediction = int16_t(uint32_t(c.dcPrediction) + uint32_t(JpegReceiveExtend(s, size)));
  *dc = int16_t(uint32_t(c.dcPrediction) << s.scan.al);
}

void DecodeDcRefine(JpegState& s, int16_t* dc) {
  if (JpegGetBits(s, 1)) *dc = int16_t(*dc | (1 << s.scan.al));
}

void DecodeAcFirst(JpegState& s, int16_t* block, const JpegHuffmanTable& table) {
  if (s.eobRun > 0) {
    s.eobRun--;
    return;
  }
  const JpegScan& scan = s.scan;
  for (int32_t k = scan.ss; k <= scan.se; k++) {
    int32_t rs = JpegDecodeSymbol(s, table);
    int32_t run = rs >> 4, size = rs & 15;
    if (size == 0 && run < 15) {
      s.eobRun = (1 << run) - 1 + (run ? int32_t(JpegGetBits(s, run)) : 0);
      return;
    }
    k += run;
    if (k > 63) JpegRaise(s, kJpegCorruptData);
    if (size) block[kJpegZigZag[k]] = int16_t(uint32_t(JpegReceiveExtend(s, size)) << scan.al);
  }
}

// Adds a correction bit to a coefficient already non-zero.
inline void Refine(JpegState& s, int16_t& coef, int32_t bit) {
  if (JpegGetBits(s, 1) && (coef & bit) == 0) coef = int16_t(coef >= 0 ? coef + bit : coef - bit);
}

void DecodeAcRefine(JpegState& s, int16_t* block, const JpegHuffmanTable& table) {
  const JpegScan& scan = s.scan;
  int32_t bit = 1 << scan.al;
  int32_t k = scan.ss;
  if (s.eobRun == 0) {
    for (; k <= scan.se; k++) {
      int32_t rs = JpegDecodeSymbol(s, table);
      int32_t run = rs >> 4, size = rs & 15;
      int32_t value = 0;
      if (size) {
        value = JpegGetBits(s, 1) ? bit : -bit;
      } else if (run < 15) {
        s.eobRun = (1 << run) + (run ? int32_t(JpegGetBits(s, run)) : 0);
        break;
      }
      // Skip run zero coefficients, refining the non-zero ones on the way; land on the next zero.
      for (; k <= scan.se; k++) {
        int16_t& coef = block[kJpegZigZag[k]];
        if (coef != 0)
          Refine(s, coef, bit);
        else if (run-- == 0)
          break;
      }
      if (value && k <= scan.se) block[kJpegZigZag[k]] = int16_t(value);
    }
  }
  if (s.eobRun > 0) {
    for (; k <= scan.se; k++) {
      int16_t& coef = block[kJpegZigZag[k]];
      if (coef != 0) Refine(s, coef, bit);
    }
    s.eobRun--;
  }
}

void DecodeBlock(JpegState& s, int32_t scanIndex, int32_t bx, int32_t by) {
  const JpegScan& scan = s.scan;
  JpegComponent& c = s.comp[scan.component[scanIndex]];
  if (bx >= c.blocksWide || by >= c.blocksHigh) JpegRaise(s, kJpegBlockRange);
  int64_t index = int64_t(by) * c.blocksWide + bx;
  if (scan.ss == 0) {
    if (scan.ah == 0)
      DecodeDcFirst(s, c, c.dc + index, s.huffTables[scan.dcSlot[scanIndex]]);
    else
      DecodeDcRefine(s, c.dc + index);
  } else if (scan.ah == 0) {
    DecodeAcFirst(s, c.ac + index * 64, s.huffTables[scan.acSlot[scanIndex]]);
  } else {
    DecodeAcRefine(s, c.ac + index * 64, s.huffTables[scan.acSlot[scanIndex]]);
  }
}

void DecodeScan(JpegState& s) {
  const JpegScan& scan = s.scan;
  if (scan.count > 1) {  // interleaved: whole MCUs
    for (int32_t row = 0; row < s.mcusPerColumn; row++)
      for (int32_t mcu = 0; mcu < s.mcusPerRow; mcu++) {
        JpegBeforeMcu(s);
        for (int32_t i = 0; i < scan.count; i++) {
          const JpegComponent& c = s.comp[scan.component[i]];
          for (int32_t y = 0; y < c.v; y++)
            for (int32_t x = 0; x < c.h; x++) DecodeBlock(s, i, mcu * c.h + x, row * c.v + y);
        }
      }
    return;
  }
  // One component: its own blocks, covering its share of the image.
  const JpegComponent& c = s.comp[scan.component[0]];
  int32_t hMax = s.comp[0].h, vMax = s.comp[0].v;
  int32_t samplesWide = (s.width * c.h + hMax - 1) / hMax;
  int32_t samplesHigh = (s.height * c.v + vMax - 1) / vMax;
  int32_t blocksWide = (samplesWide + 7) / 8, blocksHigh = (samplesHigh + 7) / 8;
  for (int32_t by = 0; by < blocksHigh; by++)
    for (int32_t bx = 0; bx < blocksWide; bx++) {
      JpegBeforeMcu(s);
      DecodeBlock(s, 0, bx, by);
    }
}

}  // namespace

void JpegDecodeProgressiveScans(JpegState& s) {
  for (;;) {
    int32_t marker = JpegNextMarker(s);
    if (marker == 0xD9) return;
    if (marker != 0xDA) JpegRaise(s, kJpegUnexpectedMarker);
    JpegReadScanHeader(s);
    const JpegScan& scan = s.scan;
    if (scan.ss > scan.se || scan.se > 63 || (scan.ss == 0 && scan.se != 0) ||
        (scan.ss > 0 && scan.count != 1))
      JpegRaise(s, kJpegSpectralSelection);
    if (scan.ah != 0 && scan.al != scan.ah - 1) JpegRaise(s, kJpegApproximation);
    JpegCheckScanTables(s);
    DecodeScan(s);
    JpegResetBits(s);
  }
}
