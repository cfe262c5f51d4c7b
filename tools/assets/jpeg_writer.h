// Writes RGB pictures as JPEG files in the layouts the show's decoder reads.
#pragma once

#include <string>

#include "tools/assets/paint.h"

namespace assets {

enum class Subsampling { k444, k422, k440, k420 };

struct JpegOptions {
  Subsampling subsampling = Subsampling::k420;
  int quality = 90;
  bool progressive = false;
  int restartRows = 0;  // restart marker every this many MCU rows; 0 for none
};

const char* SubsamplingName(Subsampling subsampling);

// Throws std::runtime_error when encoding or writing fails.
void WriteJpeg(const std::string& path, const Image& image, const JpegOptions& options);

}  // namespace assets
