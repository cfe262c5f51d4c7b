#include "tools/assets/jpeg_writer.h"

#include <turbojpeg.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace assets {

namespace {

int TurboSubsampling(Subsampling s) {
  switch (s) {
    case Subsampling::k444:
      return TJSAMP_444;
    case Subsampling::k422:
      return TJSAMP_422;
    case Subsampling::k440:
      return TJSAMP_440;
    case Subsampling::k420:
      return TJSAMP_420;
  }
  return TJSAMP_420;
}

void WriteBytes(const std::string& path, const unsigned char* bytes, unsigned long size) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes), std::streamsize(size));
  if (!out) throw std::runtime_error("cannot write " + path);
}

// The turbojpeg interface covers every layout and progressive coding, but not restart intervals.
void CompressTurbo(const std::string& path, const Image& image, const JpegOptions& options) {
  tjhandle handle = tjInitCompress();
  if (!handle) throw std::runtime_error("tjInitCompress failed");
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  const int flags = TJFLAG_ACCURATEDCT | (options.progressive ? TJFLAG_PROGRESSIVE : 0);
  const int rc = tjCompress2(handle, image.rgb.data(), image.width, 0, image.height, TJPF_RGB, &jpeg, &size,
                             TurboSubsampling(options.subsampling), options.quality, flags);
  if (rc != 0) {
    const std::string why = tjGetErrorStr2(handle);
    tjDestroy(handle);
    throw std::runtime_error(path + ": " + why);
  }
  try {
    WriteBytes(path, jpeg, size);
  } catch (...) {
    tjFree(jpeg);
    tjDestroy(handle);
    throw;
  }
  tjFree(jpeg);
  tjDestroy(handle);
}

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

void OnJpegError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// The classic libjpeg interface, for files that carry restart markers.
void CompressWithRestarts(const std::string& path, const Image& image, const JpegOptions& options) {
  jpeg_compress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnJpegError;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    throw std::runtime_error(path + ": libjpeg failed");
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = JDIMENSION(image.width);
  info.image_height = JDIMENSION(image.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, options.quality, TRUE);
  info.dct_method = JDCT_ISLOW;
  const bool wide = options.subsampling == Subsampling::k422 || options.subsampling == Subsampling::k420;
  const bool tall = options.subsampling == Subsampling::k440 || options.subsampling == Subsampling::k420;
  info.comp_info[0].h_samp_factor = wide ? 2 : 1;
  info.comp_info[0].v_samp_factor = tall ? 2 : 1;
  for (int c = 1; c < 3; ++c) info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
  info.restart_in_rows = options.restartRows;
  if (options.progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(image.At(0, int(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  try {
    WriteBytes(path, buffer, size);
  } catch (...) {
    std::free(buffer);
    throw;
  }
  std::free(buffer);
}

}  // namespace

const char* SubsamplingName(Subsampling subsampling) {
  switch (subsampling) {
    case Subsampling::k444:
      return "4:4:4";
    case Subsampling::k422:
      return "4:2:2";
    case Subsampling::k440:
      return "4:4:0";
    case Subsampling::k420:
      return "4:2:0";
  }
  return "?";
}

void WriteJpeg(const std::string& path, const Image& image, const JpegOptions& options) {
  if (options.restartRows > 0) {
    CompressWithRestarts(path, image, options);
  } else {
    CompressTurbo(path, image, options);
  }
}

}  // namespace assets
