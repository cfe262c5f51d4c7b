// libFuzzer target over the whole JpegDecoder API. The first input byte picks the stream's chunk
// size, the rest is the file. Any crash, sanitizer report or broken contract is a finding.
#include <cstdlib>
#include <cstring>

#include "assets/jpeg/jpeg_decoder.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

class FuzzStream : public JpegInputStream {
 public:
  FuzzStream(const uint8_t* data, size_t size, int32_t chunk) : data_(data), size_(size), chunk_(chunk) {}
  int32_t read(uint8_t* buffer, int32_t maxBytes, bool& endOfStream) override {
    if (ended_) std::abort();  // asked again after reporting the end
    size_t n = size_t(maxBytes < chunk_ ? maxBytes : chunk_);
    if (n > size_ - offset_) n = size_ - offset_;
    if (n) std::memcpy(buffer, data_ + offset_, n);
    offset_ += n;
    if (offset_ == size_) ended_ = endOfStream = true;
    return int32_t(n);
  }
  void attach() override { attaches++; }
  void detach() override { detaches++; }
  int32_t attaches = 0, detaches = 0;

 private:
  const uint8_t* data_;
  size_t size_, offset_ = 0;
  int32_t chunk_;
  bool ended_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  int32_t chunk = data[0] < 128 ? data[0] + 1 : 4096;
  FuzzStream stream(data + 1, size - 1, chunk);
  {
    JpegDecoder decoder(stream);
    Check(decoder.status() <= 0, "the status is 0 or an error");
    // Large pictures are valid but slow to sweep; the header path has run for them already.
    if (decoder.status() == 0 && int64_t(decoder.width()) * decoder.height() <= (1 << 20)) {
      int32_t begun = decoder.beginDecoding();
      Check(begun == 0 || begun == -1, "decoding begins or fails");
      Check(decoder.beginDecoding() == begun, "beginning again answers the same");
      const uint8_t* line = nullptr;
      uint32_t lineBytes = 0;
      for (int32_t y = 0; y <= decoder.height(); y++) {
        int32_t result = decoder.decodeLine(line, lineBytes);
        if (begun != 0) Check(result == -1, "no lines after a failed beginning");
        if (result != 0) {
          Check(result == -1 || result == kJpegCorruptData || (result == 1 && y == decoder.height()),
                "a line ends in an error or after the last");
          break;
        }
        Check(y < decoder.height() && lineBytes == uint32_t(decoder.bytesPerLine()), "whole lines, no more");
        volatile uint8_t last = line[lineBytes - 1];  // the whole line must be readable
        (void)last;
        if (decoder.bytesPerPixel() == 4)
          for (uint32_t i = 3; i < lineBytes; i += 4) Check(line[i] == 0, "the fourth byte is zero");
      }
    }
  }
  Check(stream.attaches == 1 && stream.detaches == 1, "the stream is attached and detached once");
  return 0;
}
