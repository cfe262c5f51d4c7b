// Checks made before any rendering, so that a capture never fails after minutes of work for a reason that
// was known at the start.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "tools/capture/frame_writer.h"
#include "tools/capture/partial_file.h"

std::string FindOnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::string directories = path ? path : "";
  size_t start = 0;
  while (start <= directories.size()) {
    size_t end = directories.find(':', start);
    if (end == std::string::npos) end = directories.size();
    const std::string directory = directories.substr(start, end - start);
    const std::string candidate = (directory.empty() ? "." : directory) + "/" + program;
    if (access(candidate.c_str(), X_OK) == 0 && !std::filesystem::is_directory(candidate)) return candidate;
    start = end + 1;
  }
  return "";
}

std::string PrepareOutput(const std::string& output, bool video) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (video) {
    if (fs::is_directory(output, error)) return "cannot write " + output + ": it is a directory";
    // A partial file left by an earlier run goes first: the new one starts from nothing, and an ffmpeg that
    // may still be finishing the old one writes on into its own, unlinked file.
    const std::string partial = PartialName(output);
    unlink(partial.c_str());
    const int file = open(partial.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (file < 0) return "cannot write " + partial + ": " + std::strerror(errno);
    close(file);
    unlink(partial.c_str());
    return "";
  }
  fs::create_directories(output, error);
  if (error) return "cannot make the directory " + output + ": " + error.message();
  const std::string probe = (fs::path(output) / ".velmora-capture-probe").string();
  const int file = open(probe.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (file < 0) return "cannot write into " + output + ": " + std::strerror(errno);
  close(file);
  unlink(probe.c_str());
  return "";
}
