// velmora-capture: renders the show without a display, frame by exact frame, into an MP4 with its music or
// into numbered PNGs, on any EGL device (--gpu) and with any video encoder of the installed ffmpeg. The
// show's files (textures/ and music/) are found as velmora finds them.
//
// Only a complete capture is found under the output's name: a video is written beside it under a partial
// name (".NAME.partial.EXT") and renamed at the end, and each PNG likewise.
//
// Exit status: 0 done, 1 the capture failed on the way (the part written is kept under the partial name),
// 2 bad command line or an output that cannot be written (nothing rendered), 130 interrupted (what was
// captured is kept, playable, under the partial name).
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <span>

#include "cli/data_dir.h"
#include "headless/headless_context.h"
#include "render/frame_readback.h"
#include "render/offscreen_target.h"
#include "scenes/rows.h"
#include "show/frame_renderer.h"
#include "state/messages.h"
#include "timing/music_player.h"
#include "tools/capture/capture_options.h"
#include "tools/capture/downsample.h"
#include "tools/capture/frame_writer.h"
#include "tools/capture/partial_file.h"
#include "tools/capture/progress_meter.h"

namespace {

volatile sig_atomic_t interrupted = 0;

void OnInterrupt(int) {
  interrupted = 1;
}

// Ctrl-C and a polite kill end the capture after the frame in hand; a closed pipe is reported by write().
void CatchSignals() {
  struct sigaction action = {};
  action.sa_handler = OnInterrupt;
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  signal(SIGPIPE, SIG_IGN);
}

int Fail(int code, const std::string& reason) {
  std::fprintf(stderr, "velmora-capture: %s\n", reason.c_str());
  return code;
}

// Frame k shows demo clock k / fps. The live show puts the picture of clock t on screen as the music reaches
// t, so the sound starts at the first frame's clock and every frame comes up as the music reaches its clock.
VideoSettings VideoFor(const CaptureOptions& o, EncodingPlan encoding) {
  VideoSettings video;
  video.output = o.output;
  video.width = o.size.width;
  video.height = o.size.height;
  video.fps = o.fps;
  video.encoding = std::move(encoding);
  if (std::filesystem::exists(kMusicFile)) {
    video.music = kMusicFile;
    video.musicStart = double(o.FirstFrame()) / o.fps;
    video.musicSeconds = double(o.FrameCount()) / o.fps;
  }
  return video;
}

// The video encoders of the installed ffmpeg.
std::map<std::string, EncoderInfo> FfmpegEncoders(const std::string& ffmpeg) {
  std::string listing;
  if (std::FILE* pipe = popen(("'" + ffmpeg + "' -hide_banner -encoders 2>/dev/null").c_str(), "r")) {
    char block[4096];
    for (size_t n; (n = std::fread(block, 1, sizeof block, pipe)) > 0;) listing.append(block, n);
    pclose(pipe);
  }
  return ParseFfmpegEncoders(listing);
}

// Frames read back while the next ones are drawn; a few are enough to keep a GPU's copies off the drawing.
constexpr int kFramesInFlight = 3;

}  // namespace

int main(int argc, char** argv) {
  ParsedCapture line = ParseCaptureOptions(ArgumentsAfterName(argc, argv));
  if (line.action != CommandLineAction::Run) {
    return AnswerCommandLine(line.action, "velmora-capture", CaptureHelp(), line.refusal);
  }
  CaptureOptions& options = line.options;
  if (options.gpu.list) {
    std::fputs(FormatGpuList(ListGpuDevices()).c_str(), stdout);
    return 0;
  }
  if (options.gpu.device && *options.gpu.device >= CountGpuDevices()) {
    return Fail(2,
                "there is no EGL device " + std::to_string(*options.gpu.device) + " (--gpu list shows them)");
  }
  options.output = std::filesystem::absolute(options.output).string();  // named from where we were started
  if (const auto missing = EnterShowData("velmora-capture")) return Fail(1, *missing);
  std::string error;
  std::optional<EncodingPlan> encoding;
  if (options.video) {
    const std::string ffmpeg = FindOnPath("ffmpeg");
    if (ffmpeg.empty()) {
      return Fail(
          2, "ffmpeg is not installed (not found on PATH); install it, or capture to a directory of PNGs");
    }
    encoding = PlanEncoding({options.codec, options.encoder, options.crf, options.container, ""},
                            FfmpegEncoders(ffmpeg), error);
    if (!encoding) return Fail(2, error);
  }
  static HeadlessContext* context =  // lives as long as the process
      OpenHeadlessRenderer(options.renderer, options.gpu.device.value_or(kAutoGpu), error).release();
  if (!context) return Fail(1, "no headless OpenGL: " + error);
  const int factor = options.SupersampleFactor();
  const int largest = LargestOffscreenSide();
  if (options.size.width * factor > largest || options.size.height * factor > largest) {
    return Fail(2, "this OpenGL draws pictures of at most " + std::to_string(largest) + " pixels a side, " +
                       "too few for " + std::to_string(options.size.width * factor) + "x" +
                       std::to_string(options.size.height * factor) + "; use a smaller --size or --samples");
  }
  if (const std::string problem = PrepareOutput(options.output, options.video); !problem.empty()) {
    return Fail(2, problem);
  }
  if (options.video && !std::filesystem::exists(kMusicFile)) {
    std::fprintf(stderr, "velmora-capture: no music file (%s), so the video is silent\n", kMusicFile);
  }

  std::fprintf(stderr, "velmora-capture: drawing on %s\n", context->Description().c_str());
  StderrMessageSink messages;
  auto renderer = FrameRenderer::Create(options.size.width * factor, options.size.height * factor,
                                        1.0 / options.fps, messages);
  if (!renderer) return 1;
  UseRowThreads(RowThreadsForThisMachine());
  std::unique_ptr<FrameWriter> writer =
      options.video ? StartVideoEncoder(VideoFor(options, *encoding), error)
                    : OpenPngSequence(options.output, options.size.width, options.size.height);
  if (!writer) return Fail(1, error);
  CatchSignals();

  ProgressMeter progress(options.FrameCount(), stderr, context->Renderer());
  const auto start = std::chrono::steady_clock::now();
  std::vector<uint8_t> picture;
  long long done = 0;
  const auto write = [&](long long frame, std::span<const uint8_t> drawn) {
    if (factor > 1) BoxDownsample(drawn, renderer->Width(), renderer->Height(), factor, picture);
    if (!writer->Write(frame, factor > 1 ? std::span<const uint8_t>(picture) : drawn, error)) return false;
    ++done;
    progress.Update(done, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    return true;
  };
  FrameReadback readback(renderer->Width(), renderer->Height(), kFramesInFlight);
  bool written = true;
  for (long long frame = options.FirstFrame(); frame <= options.LastFrame() && !interrupted && written;
       ++frame) {
    if (frame == options.FirstFrame()) {
      renderer->RenderAt(double(frame) / options.fps);
    } else {
      renderer->RenderNext();
    }
    readback.Start(renderer->Target(), frame);
    if (readback.Full()) written = readback.CollectOldest(write);
  }
  while (written && !readback.Empty()) written = readback.CollectOldest(write);  // the frames still in flight
  progress.Finish();
  if (!written) return Fail(1, error);
  if (!writer->Finish(!interrupted, error)) return Fail(1, error);
  if (interrupted) {
    const std::string kept = options.video ? PartialName(options.output) + " holds them (" + options.output +
                                                 " is written only by a complete capture)"
                                           : "their PNGs are in " + options.output;
    return Fail(130, "interrupted after " + std::to_string(done) + " of " +
                         std::to_string(options.FrameCount()) + " frames; " + kept);
  }
  return 0;
}
