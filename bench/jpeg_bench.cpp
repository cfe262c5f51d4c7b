// jpeg_bench: our JPEG decoder against libjpeg-turbo (fast IDCT without fancy upsampling, and its
// defaults) and stb_image, on a corpus of generated pictures that libjpeg-turbo encodes in every
// layout, baseline and progressive, quality 75 and 95, 256 to 2048 pixels square. Reports megapixels
// per second per decoder and, at the end, our ratio to libjpeg-turbo with the same settings.
#include <benchmark/benchmark.h>
#include <jpeglib.h>
#include <stb/stb_image.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "tests/jpeg/jpeg_test_support.h"

namespace {

struct CorpusFile {
  std::string name;
  int32_t width, height, components;
  std::vector<uint8_t> jpeg;
};

std::vector<CorpusFile> MakeCorpus() {
  struct Layout {
    const char* name;
    int32_t components, h, v;
  };
  const Layout layouts[] = {
      {"444", 3, 1, 1}, {"422", 3, 2, 1}, {"440", 3, 1, 2}, {"420", 3, 2, 2}, {"grey", 1, 1, 1}};
  std::vector<CorpusFile> corpus;
  for (int32_t size : {256, 512, 1024, 2048})
    for (const Layout& layout : layouts)
      for (bool progressive : {false, true})
        for (int32_t quality : {75, 95}) {
          EncodeOptions options;
          options.quality = quality;
          options.lumaH = layout.h;
          options.lumaV = layout.v;
          options.progressive = progressive;
          TestPicture picture = MakePicture(size, size, layout.components, uint32_t(size + quality));
          std::string name = std::string(layout.name) + (progressive ? "_prog" : "_base") + "_q" +
                             std::to_string(quality) + "_" + std::to_string(size);
          corpus.push_back({name, size, size, layout.components, EncodeWithLibjpeg(picture, options)});
        }
  return corpus;
}

void SetRate(benchmark::State& state, const CorpusFile& file) {
  state.counters["MP/s"] = benchmark::Counter(double(file.width) * file.height / 1e6,
                                              benchmark::Counter::kIsIterationInvariantRate);
}

void Ours(benchmark::State& state, const CorpusFile& file) {
  for (auto _ : state) {
    MemoryStream stream(file.jpeg);
    JpegDecoder decoder(stream);
    if (decoder.beginDecoding() != 0) state.SkipWithError("decode failed");
    const uint8_t* line = nullptr;
    uint32_t bytes = 0;
    while (decoder.decodeLine(line, bytes) == 0) benchmark::DoNotOptimize(line);
    if (decoder.status() != 0) state.SkipWithError("decode failed");
  }
  SetRate(state, file);
}

void LibjpegTurbo(benchmark::State& state, const CorpusFile& file, bool fast) {
  std::vector<uint8_t> rows;
  for (auto _ : state) {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, file.jpeg.data(), static_cast<unsigned long>(file.jpeg.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = file.components == 1 ? JCS_GRAYSCALE : JCS_EXT_RGBX;
    if (fast) {
      cinfo.dct_method = JDCT_IFAST;
      cinfo.do_fancy_upsampling = FALSE;
    }
    jpeg_start_decompress(&cinfo);
    size_t stride = size_t(cinfo.output_width) * cinfo.output_components;
    rows.resize(stride * cinfo.rec_outbuf_height);
    JSAMPROW pointers[4];
    for (int32_t i = 0; i < cinfo.rec_outbuf_height && i < 4; i++) pointers[i] = rows.data() + i * stride;
    while (cinfo.output_scanline < cinfo.output_height)
      jpeg_read_scanlines(&cinfo, pointers,
                          JDIMENSION(cinfo.rec_outbuf_height < 4 ? cinfo.rec_outbuf_height : 4));
    benchmark::DoNotOptimize(rows.data());
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
  }
  SetRate(state, file);
}

void StbImage(benchmark::State& state, const CorpusFile& file) {
  for (auto _ : state) {
    int w, h, n;
    stbi_uc* pixels = stbi_load_from_memory(file.jpeg.data(), int(file.jpeg.size()), &w, &h, &n,
                                            file.components == 1 ? 1 : 4);
    if (!pixels) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(pixels);
    stbi_image_free(pixels);
  }
  SetRate(state, file);
}

// Collects every run's rate for the summary table.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      std::string name = run.benchmark_name();
      size_t slash = name.find('/');
      auto rate = run.counters.find("MP/s");
      if (slash == std::string::npos || rate == run.counters.end()) continue;
      size_t end = name.find('/', slash + 1);  // drops the "/min_time:..." suffix
      rates[name.substr(slash + 1, end == std::string::npos ? end : end - slash - 1)][name.substr(0, slash)] =
          rate->second.value;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, std::map<std::string, double>> rates;  // file -> decoder -> MP/s
};

}  // namespace

int main(int argc, char** argv) {
  static const std::vector<CorpusFile> corpus = MakeCorpus();
  for (const CorpusFile& file : corpus) {
    benchmark::RegisterBenchmark(("velmora/" + file.name).c_str(), Ours, file)->MinTime(0.1);
    benchmark::RegisterBenchmark(("turbo_fast/" + file.name).c_str(), LibjpegTurbo, file, true)->MinTime(0.1);
    benchmark::RegisterBenchmark(("turbo_default/" + file.name).c_str(), LibjpegTurbo, file, false)
        ->MinTime(0.1);
    benchmark::RegisterBenchmark(("stb_image/" + file.name).c_str(), StbImage, file)->MinTime(0.1);
  }
  benchmark::Initialize(&argc, argv);
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  std::printf("\n%-22s %10s %12s %14s %10s %14s\n", "image (MP/s)", "velmora", "turbo_fast", "turbo_default",
              "stb_image", "velmora/fast");
  for (const CorpusFile& file : corpus) {
    auto found = reporter.rates.find(file.name);
    if (found == reporter.rates.end()) continue;
    auto& r = found->second;
    double ratio = r["turbo_fast"] > 0 ? r["velmora"] / r["turbo_fast"] : 0;
    std::printf("%-22s %10.1f %12.1f %14.1f %10.1f %14.2f\n", file.name.c_str(), r["velmora"],
                r["turbo_fast"], r["turbo_default"], r["stb_image"], ratio);
  }
  benchmark::Shutdown();
  return 0;
}
