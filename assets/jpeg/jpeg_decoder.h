// JpegDecoder: the show's own JPEG decoder, pulling bytes from a JpegInputStream and handing the image
// back one scan line at a time.
//
// Limits: 8-bit samples; baseline (SOF0), extended sequential (SOF1) or progressive (SOF2) Huffman coding;
// 1 to 8192 pixels each way; one component (grey) or three (YCbCr, with the luma sampled 1x1, 2x1, 1x2
// or 2x2 and both chroma components 1x1); at most 6144 blocks per MCU row and 100 memory blocks per
// image, all allocated when decoding begins and none per line. No arithmetic coding, no CMYK.
//
// Use: construct on a stream, check status(), call beginDecoding(), then decodeLine() height() times.
// Colour lines hold width() pixels of R, G, B and a fourth byte that stays 0; grey lines hold width()
// bytes. Errors are reported as the negative codes of kJpegStatusTable; the first one sticks, the
// decoder's memory is released and the stream detached at once.
#pragma once

#include <cstdint>
#include <cstdio>

#include "assets/jpeg/jpeg_state.h"

// The abstract byte source a decoder reads from.
class JpegInputStream {
 public:
  virtual ~JpegInputStream() = default;
  // Copies up to maxBytes into buffer and returns the count, or -1 on failure; sets endOfStream once the
  // source is exhausted (a short final read returns its bytes with the flag set, later reads 0).
  virtual int32_t read(uint8_t* buffer, int32_t maxBytes, bool& endOfStream) = 0;
  // Called once when a decoder takes the stream, and once when it releases its resources.
  virtual void attach() {}
  virtual void detach() {}
};

// A JpegInputStream over a buffered standard file handle.
class JpegFileStream : public JpegInputStream {
 public:
  JpegFileStream() = default;
  JpegFileStream(const JpegFileStream&) = delete;
  JpegFileStream& operator=(const JpegFileStream&) = delete;
  ~JpegFileStream() override { close(); }

  bool open(const char* path);
  void close();
  int32_t read(uint8_t* buffer, int32_t maxBytes, bool& endOfStream) override;

 private:
  FILE* file = nullptr;
  bool atEnd = false;   // a read came back short without an error
  bool failed = false;  // the file reported an error
};

class JpegDecoder {
 public:
  // Reads the header up to and including the frame header; the result is in status().
  explicit JpegDecoder(JpegInputStream& stream);
  JpegDecoder(const JpegDecoder&) = delete;
  JpegDecoder& operator=(const JpegDecoder&) = delete;
  ~JpegDecoder();

  // 0 on success (and on every call after the first success), -1 on failure.
  int32_t beginDecoding();
  // 0 with the next line (top first), 1 once all lines were delivered, -1 on a failed or unbegun
  // decoder, kJpegCorruptData when decoding fails here (status() then holds the cause).
  int32_t decodeLine(const uint8_t*& line, uint32_t& lineBytes);

  int32_t status() const { return s_.status; }
  int32_t width() const { return s_.width; }
  int32_t height() const { return s_.height; }
  int32_t components() const { return s_.componentCount; }
  bool progressive() const { return s_.progressive; }
  JpegLayout layout() const { return s_.layout; }
  int32_t bytesPerPixel() const { return s_.bytesPerPixel; }
  int32_t bytesPerLine() const { return s_.bytesPerLine; }

 private:
  JpegState s_;
};
