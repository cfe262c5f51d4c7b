// JpegDecoder's public operations, its memory blocks and its error path.
#include "assets/jpeg/jpeg_decoder.h"

#include <cstdlib>
#include <cstring>

const char* JpegStatusText(int32_t code) {
  switch (code) {
#define VELMORA_JPEG_STATUS_CASE(name, value, text) \
  case value:                                       \
    return text;
    VELMORA_JPEG_STATUS_TABLE(VELMORA_JPEG_STATUS_CASE)
#undef VELMORA_JPEG_STATUS_CASE
  }
  return "unknown status";
}

void JpegTeardown(JpegState& s) {
  for (int32_t i = 0; i < s.blockCount; i++) std::free(s.blocks[i]);
  s.blockCount = 0;
  if (s.attached) {
    s.attached = false;
    s.stream->detach();
  }
}

void JpegRaise(JpegState& s, int32_t code) {
  s.status = code;
  JpegTeardown(s);
  std::longjmp(*s.failJump, 1);
}

// Zero-filled (and so at least 16-byte aligned), recorded in the block list.
void* JpegAllocate(JpegState& s, uint64_t bytes) {
  if (s.blockCount == kJpegMaxMemoryBlocks) JpegRaise(s, kJpegTooManyBlocks);
  void* block = std::calloc(1, bytes ? bytes : 1);
  if (!block) JpegRaise(s, kJpegOutOfMemory);
  s.blocks[s.blockCount++] = block;
  return block;
}

JpegDecoder::JpegDecoder(JpegInputStream& stream) {
  std::memset(static_cast<void*>(&s_), 0, sizeof s_);
  s_.stream = &stream;
  s_.mcuRow = -1;
  std::jmp_buf jump;
  s_.failJump = &jump;
  if (setjmp(jump) == 0) {
    s_.attached = true;
    stream.attach();
    JpegFillBuffer(s_);
    JpegReadHeader(s_);
  }
  s_.failJump = nullptr;
}

JpegDecoder::~JpegDecoder() {
  JpegTeardown(s_);
}

int32_t JpegDecoder::beginDecoding() {
  if (s_.begun) return 0;
  if (s_.status != 0) return -1;
  std::jmp_buf jump;
  s_.failJump = &jump;
  if (setjmp(jump) == 0) {
    JpegSetUpFrame(s_);
    if (s_.progressive) {
      JpegDecodeProgressiveScans(s_);
    } else {
      if (JpegNextMarker(s_) != 0xDA) JpegRaise(s_, kJpegUnexpectedMarker);
      JpegReadScanHeader(s_);
      JpegCheckSequentialScan(s_);
      JpegCheckScanTables(s_);
    }
    s_.begun = true;
  }
  s_.failJump = nullptr;
  return s_.status == 0 ? 0 : -1;
}

int32_t JpegDecoder::decodeLine(const uint8_t*& line, uint32_t& lineBytes) {
  if (s_.status != 0 || !s_.begun) return -1;
  if (s_.linesDelivered == s_.height) return 1;
  int32_t y = s_.linesDelivered;
  int32_t row = y / s_.mcuHeight, inRow = y % s_.mcuHeight;
  if (row != s_.mcuRow) {
    std::jmp_buf jump;
    s_.failJump = &jump;
    if (setjmp(jump) != 0) {
      s_.failJump = nullptr;
      return kJpegCorruptData;
    }
    JpegDecodeMcuRow(s_, row);
    s_.failJump = nullptr;
  }
  line = JpegOutputLine(s_, inRow);
  lineBytes = uint32_t(s_.bytesPerLine);
  s_.linesDelivered++;
  return 0;
}
