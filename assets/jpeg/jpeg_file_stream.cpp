// JpegFileStream: a JpegInputStream over a standard file handle.
#include "assets/jpeg/jpeg_decoder.h"

bool JpegFileStream::open(const char* path) {
  close();
  file = std::fopen(path, "rb");
  return file != nullptr;
}

void JpegFileStream::close() {
  if (file) std::fclose(file);
  file = nullptr;
  atEnd = false;
  failed = false;
}

int32_t JpegFileStream::read(uint8_t* buffer, int32_t maxBytes, bool& endOfStream) {
  if (!file) return -1;
  if (atEnd) {
    endOfStream = true;
    return 0;
  }
  if (failed || maxBytes < 0) return -1;
  size_t got = std::fread(buffer, 1, size_t(maxBytes), file);
  if (got == size_t(maxBytes)) return int32_t(got);
  if (std::ferror(file)) {
    failed = true;
    return -1;
  }
  atEnd = true;
  endOfStream = true;
  return int32_t(got);
}
