#include "tools/capture/partial_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

std::string PartialName(const std::string& path) {
  const std::filesystem::path file(path);
  const std::string name = "." + file.stem().string() + ".partial" + file.extension().string();
  return (file.parent_path() / name).string();
}

bool MoveIntoPlace(const std::string& partial, const std::string& path, bool durable, std::string& error) {
  if (durable) {
    const int file = open(partial.c_str(), O_RDONLY | O_CLOEXEC);
    const bool synced = file >= 0 && fsync(file) == 0;
    const int reason = errno;
    if (file >= 0) close(file);
    if (!synced) {
      error = "cannot write " + partial + ": " + std::strerror(reason);
      return false;
    }
  }
  if (std::rename(partial.c_str(), path.c_str()) != 0) {
    error = "cannot rename " + partial + " to " + path + ": " + std::strerror(errno);
    return false;
  }
  return true;
}
