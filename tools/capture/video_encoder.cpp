// Frames to a video file through the ffmpeg program: raw RGB frames on a pipe, encoded as the plan says, the
// music cut to the captured span. ffmpeg writes the output's partial name, which is renamed once it is whole.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <utility>

#include "tools/capture/frame_writer.h"
#include "tools/capture/partial_file.h"

extern char** environ;

namespace {

constexpr int kPipeBytes = 1 << 20;  // room for part of a frame while ffmpeg is busy

std::string Seconds(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", value);
  return text;
}

// ffmpeg's own messages: the last line that is not a repeat count ("    Last message repeated 9 times").
std::string LastMessage(const std::string& text) {
  std::string last;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    if (end > start && text[start] != ' ') last = text.substr(start, end - start);
    start = end + 1;
  }
  return last;
}

// -xerror makes ffmpeg fail when the file's index cannot be written at the end (a full disk), which it
// otherwise only reports.
std::vector<std::string> FfmpegArguments(const VideoSettings& s, const std::string& file) {
  std::vector<std::string> a = {"ffmpeg", "-hide_banner", "-loglevel", "error", "-nostats", "-xerror", "-y"};
  a.insert(a.end(), s.encoding.inputArguments.begin(), s.encoding.inputArguments.end());
  a.insert(a.end(), {"-f", "rawvideo", "-pix_fmt", "rgb24", "-video_size",
                     std::to_string(s.width) + "x" + std::to_string(s.height), "-framerate",
                     std::to_string(s.fps), "-i", "pipe:0"});
  if (!s.music.empty()) {
    a.insert(a.end(), {"-ss", Seconds(s.musicStart), "-t", Seconds(s.musicSeconds), "-i", s.music});
  }
  a.insert(a.end(), {"-map", "0:v"});
  a.insert(a.end(), s.encoding.videoArguments.begin(), s.encoding.videoArguments.end());
  if (!s.music.empty()) {
    // The sound is padded with silence where the music is shorter than the span, and ends with the pictures
    // (also when a capture is interrupted).
    a.insert(a.end(), {"-map", "1:a", "-af", "apad"});
    a.insert(a.end(), s.encoding.audioArguments.begin(), s.encoding.audioArguments.end());
    a.push_back("-shortest");
  }
  a.push_back(file);
  return a;
}

class VideoEncoder : public FrameWriter {
 public:
  VideoEncoder(pid_t ffmpeg, int pipe, int messages, std::string output)
      : ffmpeg_(ffmpeg), pipe_(pipe), messages_(messages), output_(std::move(output)) {}
  ~VideoEncoder() override {
    std::string ignored;
    Finish(false, ignored);
    close(messages_);
  }

  bool Write(long long, std::span<const uint8_t> rgb, std::string& error) override {
    size_t written = 0;
    while (pipe_ >= 0 && written < rgb.size()) {
      const ssize_t n = write(pipe_, rgb.data() + written, rgb.size() - written);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) break;
      written += size_t(n);
    }
    if (written == rgb.size()) return true;
    if (EndFfmpeg(error)) error = "ffmpeg stopped taking frames for " + PartialName(output_);
    if (std::filesystem::exists(PartialName(output_))) error += "; the part written so far is kept there";
    return false;
  }

  bool Finish(bool complete, std::string& error) override {
    if (!EndFfmpeg(error)) return false;
    return !complete || MoveIntoPlace(PartialName(output_), output_, true, error);
  }

 private:
  // Closing the pipe tells ffmpeg the frames are done; it then writes the file's index and ends. False with
  // ffmpeg's own reason when it failed; what it said after success is passed on.
  bool EndFfmpeg(std::string& error) {
    if (pipe_ >= 0) close(pipe_);
    pipe_ = -1;
    if (ffmpeg_ <= 0) return true;
    int status = 0;
    while (waitpid(ffmpeg_, &status, 0) < 0 && errno == EINTR) {
    }
    ffmpeg_ = 0;
    const std::string said = Messages();
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
      std::fputs(said.c_str(), stderr);
      return true;
    }
    std::string reason = LastMessage(said);
    if (reason.empty()) {
      reason = WIFEXITED(status) ? "exit status " + std::to_string(WEXITSTATUS(status))
                                 : "stopped by signal " + std::to_string(WTERMSIG(status));
    }
    error = "ffmpeg failed writing " + PartialName(output_) + ": " + reason;
    return false;
  }

  std::string Messages() const {
    std::string text;
    char block[4096];
    for (ssize_t n; (n = pread(messages_, block, sizeof block, off_t(text.size()))) > 0;)
      text.append(block, size_t(n));
    return text;
  }

  pid_t ffmpeg_;
  int pipe_;
  int messages_;  // ffmpeg's standard error, kept in memory
  std::string output_;
};

}  // namespace

std::unique_ptr<FrameWriter> StartVideoEncoder(const VideoSettings& settings, std::string& error) {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) {
    error = std::string("cannot make a pipe for ffmpeg: ") + std::strerror(errno);
    return nullptr;
  }
  fcntl(ends[1], F_SETPIPE_SZ, kPipeBytes);  // a larger pipe is only a help; the default works too

  // ffmpeg's messages are held back, so that a failure is told in one line that names the file.
  const int messages = memfd_create("ffmpeg-messages", MFD_CLOEXEC);
  if (messages < 0) {
    error = std::string("cannot keep ffmpeg's messages: ") + std::strerror(errno);
    close(ends[0]);
    close(ends[1]);
    return nullptr;
  }

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, ends[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, messages, STDERR_FILENO);
  // ffmpeg gets a process group of its own, so that Ctrl-C on the terminal reaches only the capture, which
  // then ends the video properly by closing the pipe.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setpgroup(&attributes, 0);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);

  const auto arguments = FfmpegArguments(settings, PartialName(settings.output));
  std::vector<char*> argv;
  for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  // SVT-AV1 prints a banner on standard error unless its log level says errors only.
  std::vector<char*> environment;
  for (char** variable = environ; *variable; ++variable) environment.push_back(*variable);
  char quietSvt[] = "SVT_LOG=1";
  if (!std::getenv("SVT_LOG")) environment.push_back(quietSvt);
  environment.push_back(nullptr);
  pid_t ffmpeg = 0;
  const int spawned = posix_spawnp(&ffmpeg, "ffmpeg", &actions, &attributes, argv.data(), environment.data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  close(ends[0]);
  if (spawned != 0) {
    close(ends[1]);
    close(messages);
    error = std::string("cannot start ffmpeg: ") + std::strerror(spawned);
    return nullptr;
  }
  return std::make_unique<VideoEncoder>(ffmpeg, ends[1], messages, settings.output);
}
