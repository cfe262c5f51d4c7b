#include "tests/jpeg/jpeg_test_support.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

namespace {
void SilentMessage(j_common_ptr) {}
}  // namespace

TestPicture MakePicture(int32_t width, int32_t height, int32_t components, uint32_t seed) {
  TestPicture p;
  p.width = width;
  p.height = height;
  p.components = components;
  p.samples.resize(size_t(width) * height * components);
  uint32_t state = seed * 2654435761u + 1;
  auto noise = [&state] {
    state = state * 1664525u + 1013904223u;
    return int32_t(state >> 27) - 16;  // -16..15
  };
  int32_t cx = width / 3 + int32_t(seed % 7), cy = height / 2;
  int32_t radius = (width < height ? width : height) / 4 + 1;
  for (int32_t y = 0; y < height; y++)
    for (int32_t x = 0; x < width; x++) {
      int32_t base[3] = {x * 255 / (width + 1), y * 255 / (height + 1),
                         (x + y) * 127 / (width + height + 1) + 64};
      bool inDisc = (x - cx) * (x - cx) + (y - cy) * (y - cy) < radius * radius;
      bool inBar = (x / 8 + y / 16) % 11 == 3;
      for (int32_t c = 0; c < components; c++) {
        int32_t v = base[(c + int32_t(seed)) % 3];
        if (inDisc) v = 255 - v / 2 - c * 40;
        if (inBar) v = c == 1 ? 20 : 230;
        v += noise();
        uint8_t clamped = uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
        p.samples[(size_t(y) * width + x) * components + c] = clamped;
      }
    }
  return p;
}

std::vector<uint8_t> EncodeWithLibjpeg(const TestPicture& picture, const EncodeOptions& options) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jerr.output_message = SilentMessage;  // the warning about 16-bit tables is expected
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = JDIMENSION(picture.width);
  cinfo.image_height = JDIMENSION(picture.height);
  cinfo.input_components = picture.components;
  cinfo.in_color_space = picture.components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, options.quality, options.forceBaseline ? TRUE : FALSE);
  if (picture.components == 3) {
    cinfo.comp_info[0].h_samp_factor = options.lumaH;
    cinfo.comp_info[0].v_samp_factor = options.lumaV;
  }
  cinfo.restart_interval = JDIMENSION(options.restartInterval);
  if (options.progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  size_t stride = size_t(picture.width) * picture.components;
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(picture.samples.data() + cinfo.next_scanline * stride);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::vector<uint8_t> jpeg(buffer, buffer + size);
  std::free(buffer);
  return jpeg;
}

namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

void ErrorExit(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}
}  // namespace

bool DecodeWithLibjpeg(const std::vector<uint8_t>& jpeg, DecodedPicture& out, bool fastSettings) {
  jpeg_decompress_struct cinfo;
  ErrorManager errors;
  cinfo.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = ErrorExit;
  errors.base.output_message = SilentMessage;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
  jpeg_read_header(&cinfo, TRUE);
  bool grey = cinfo.num_components == 1;
  cinfo.out_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_RGBX;
  if (fastSettings) {
    cinfo.dct_method = JDCT_IFAST;
    cinfo.do_fancy_upsampling = FALSE;
  }
  jpeg_start_decompress(&cinfo);
  out.width = int32_t(cinfo.output_width);
  out.height = int32_t(cinfo.output_height);
  out.bytesPerPixel = grey ? 1 : 4;
  size_t stride = size_t(out.width) * out.bytesPerPixel;
  out.pixels.assign(stride * out.height, 0);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = out.pixels.data() + cinfo.output_scanline * stride;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

int32_t MemoryStream::read(uint8_t* buffer, int32_t maxBytes, bool& endOfStream) {
  reads++;
  if (ended_) {
    readAfterEnd = true;
    endOfStream = true;
    return 0;
  }
  if (failNextRead) {
    failNextRead = false;
    return -1;
  }
  size_t want = size_t(maxBytes < chunk_ ? maxBytes : chunk_);
  size_t left = size_ - offset_;
  size_t n = want < left ? want : left;
  if (n) std::memcpy(buffer, data_ + offset_, n);
  offset_ += n;
  if (offset_ == size_) {
    ended_ = true;
    endOfStream = true;
  }
  return int32_t(n);
}

int32_t DecodeWithOurs(JpegInputStream& stream, DecodedPicture& out) {
  JpegDecoder decoder(stream);
  if (decoder.status() != 0) return decoder.status();
  if (decoder.beginDecoding() != 0) return decoder.status();
  out.width = decoder.width();
  out.height = decoder.height();
  out.bytesPerPixel = decoder.bytesPerPixel();
  out.pixels.clear();
  out.pixels.reserve(size_t(decoder.bytesPerLine()) * decoder.height());
  for (int32_t y = 0; y < decoder.height(); y++) {
    const uint8_t* line = nullptr;
    uint32_t lineBytes = 0;
    if (decoder.decodeLine(line, lineBytes) != 0) return decoder.status();
    out.pixels.insert(out.pixels.end(), line, line + lineBytes);
  }
  return 0;
}

int32_t DecodeWithOurs(const std::vector<uint8_t>& jpeg, DecodedPicture& out) {
  MemoryStream stream(jpeg);
  return DecodeWithOurs(stream, out);
}
