// Buffered input: the byte reader behind the header parser and the entropy decoder.
#include <cstring>

#include "assets/jpeg/jpeg_decoder.h"

namespace {

void WritePadding(uint8_t* at, int32_t count) {
  for (int32_t i = 0; i < count; i += 2) {
    at[i] = 0xFF;
    at[i + 1] = 0xD9;
  }
}

}  // namespace

// Keeps the unread bytes, then asks the stream for the free space until the buffer is full or the
// stream ends. Once the stream has ended the buffer holds nothing but 0xFF 0xD9 pairs, so a truncated
// file runs into EOI markers and the stream is never asked again.
void JpegFillBuffer(JpegState& s) {
  int32_t kept = s.end - s.pos;
  if (s.streamEnded) {
    if (kept > 0) return;
    WritePadding(s.buffer, kJpegBufferSize + kJpegBufferPadding);
    s.pos = 0;
    s.end = kJpegBufferSize;
    return;
  }
  std::memmove(s.buffer, s.buffer + s.pos, kept);
  s.pos = 0;
  s.end = kept;
  while (s.end < kJpegBufferSize && !s.streamEnded) {
    bool ended = false;
    int32_t got = s.stream->read(s.buffer + s.end, kJpegBufferSize - s.end, ended);
    if (got < 0 || got > kJpegBufferSize - s.end) JpegRaise(s, kJpegReadFailed);
    s.end += got;
    // A stream that makes no progress without reporting its end is treated as ended, never spun on.
    if (ended || got == 0) s.streamEnded = true;
  }
  if (s.end == 0) {
    WritePadding(s.buffer, kJpegBufferSize + kJpegBufferPadding);
    s.end = kJpegBufferSize;
    return;
  }
  // An odd count of data bytes still starts the padding with 0xFF.
  WritePadding(s.buffer + s.end, kJpegBufferPadding);
}

int32_t JpegReadWord(JpegState& s) {
  int32_t high = JpegReadByte(s);
  return (high << 8) | JpegReadByte(s);
}

void JpegSkipBytes(JpegState& s, int32_t count) {
  while (count > 0) {
    if (s.pos == s.end) JpegFillBuffer(s);
    int32_t step = s.end - s.pos < count ? s.end - s.pos : count;
    s.pos += step;
    count -= step;
  }
}
